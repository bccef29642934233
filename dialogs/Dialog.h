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
    LRESULT OnPaint(WPARAM wParam, LPARAM lParam) override;    // Draw through an off-screen surface
    void Draw(HDC dc) override;                                 // the default face
    LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam) override;  // drags the dialog
    LRESULT OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The one procedure of every dialog.
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Moves and sizes the dialog (no z-order change).
    void Place(int x, int y, int width, int height);
    LRESULT Unhandled(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::unique_ptr<Surface> surface_;  // made at the first paint, kept for the dialog's life
};

// The default face of a dialog on w x h: the tiled background, its edges, a raised rim five
// pixels deep, the cut corners' diagonals and the soft shade from the top left.
void DrawDialogFace(HDC dc, int width, int height);

// The open dialog that takes input (the innermost, when one opened another); null when
// none is open.
HWND OpenDialogWindow();

// Where a dialog of this size is centred on the screen.
POINT CentredOnScreen(int width, int height);
