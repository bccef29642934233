#pragma once
#include <windows.h>

#include <memory>

#include "framework/WindowObject.h"
#include "graphics/Surface.h"

// Base of every dialog of the program: a modal, borderless, skinned popup run on the empty
// dialog template, dispatched as the windows are. The dialog manager keeps its keyboard:
// Escape gives command 2, Enter command 1.
//
// Results: 1 saved or confirmed, 2 cancelled, 0 the about box's own close.
class Dialog : public WindowObject {
public:
    static constexpr int kSaved = 1, kCancelled = 2;
    // What a handler returns for a message it took: the dialog procedure's "handled".
    static constexpr LRESULT kHandled = TRUE;

    Dialog() = default;
    ~Dialog() override;

    // Runs the dialog modally; what it passed to EndDialog.
    int RunModal(HWND owner);

    virtual LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);  // cuts the corners
    // On a monitor of another scale: the dialog's size, outline and children again.
    void OnScaleChanged() override;
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam) override;    // Draw through an off-screen surface
    void Draw(HDC dc) override;                                 // the default face
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;  // drags the dialog
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The one procedure of every dialog.
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Sizes the dialog to width x height (96-DPI units, in pixels of its scale) centred on
    // the screen, and puts its children in place (no z-order change).
    void PlaceCentred(int width, int height);
    // Puts the child windows where they go at the dialog's scale.
    virtual void LayOut() {}
    LRESULT Unhandled(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // Cuts the corners of the outline at the window's size in pixels.
    void CutOutline();

    SIZE size_{};  // in 96-DPI units, as placed
    std::unique_ptr<Surface> surface_;  // made at the first paint, kept for the dialog's life
};

// The default face of a dialog on w x h: the tiled background, its edges, a raised rim five
// pixels deep, the cut corners' diagonals and the soft shade from the top left.
void DrawDialogFace(HDC dc, int width, int height);

// The open dialog that takes input (the innermost, when one opened another); null when
// none is open.
HWND OpenDialogWindow();
