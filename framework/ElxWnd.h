#pragma once
#include <windows.h>

#include "framework/WindowObject.h"
#include "framework/WindowsAlive.h"

// Base of every window of the program: each object owns one window of the class "ElxWnd",
// made at (0, 0) with size 0 and placed afterwards. The object is entered at WM_NCCREATE,
// so its handlers see the window's creation, though a derived class's own handlers do so
// only when it makes the window itself, with Create at the end of its constructor. The
// widgets built on it end in "Window" (PushButtonWindow, ScrollBarWindow...), apart from
// the drawn elements of the same kinds.
class ElxWnd : public WindowObject {
public:
    // What a handler returns for a message it took.
    static constexpr LRESULT kHandled = 0;
    static constexpr const char* kClassName = "ElxWnd";

    // Makes the window at once, for classes whose members need it.
    ElxWnd(HWND parent, DWORD style, DWORD exStyle, bool visible);
    ~ElxWnd() override;

    // The class's window procedure, and that of any class whose windows are made by Create.
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    ElxWnd() = default;
    void Create(HWND parent, DWORD style, DWORD exStyle, bool visible, const char* className = kClassName);
    LRESULT Unhandled(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// Registers the one window class; its atom, unchecked.
ATOM RegisterElxWndClass(HINSTANCE instance);
