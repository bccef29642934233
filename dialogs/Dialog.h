#pragma once
#include <windows.h>

#include <memory>

#include "graphics/Surface.h"

// Base of every dialog of the program: a modal, borderless, skinned popup run on the empty
// the empty dialog template, its messages turned into calls of the virtual handlers below. The
// dialog manager keeps its keyboard: Escape gives command 2, Enter command 1.
//
// Results: 1 saved or confirmed, 2 cancelled, 0 the about box's own close.
class Dialog {
public:
    static constexpr int kSaved = 1, kCancelled = 2;

    Dialog() = default;
    virtual ~Dialog();
    Dialog(const Dialog&) = delete;
    Dialog& operator=(const Dialog&) = delete;

    // Runs the dialog modally; what it passed to EndDialog.
    int RunModal(HWND owner);
    HWND Handle() const { return hwnd_; }

    virtual LRESULT OnInitDialog(WPARAM wParam, LPARAM lParam);  // cuts the corners
    virtual LRESULT OnDestroy();
    virtual LRESULT OnEraseBackground() { return 1; }
    virtual LRESULT OnPaint(WPARAM wParam, LPARAM lParam);  // Draw through an off-screen surface
    virtual void Draw(HDC dc);                              // the default face
    virtual LRESULT OnActivate(WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnLeftButtonDown(WPARAM wParam, LPARAM lParam);  // drags the dialog
    virtual LRESULT OnLeftButtonUp(WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnRightButtonDown(WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnRightButtonUp(WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnMouseMove(WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnCommand(WPARAM) { return 0; }
    virtual LRESULT OnSize(WPARAM, LPARAM) { return 0; }
    virtual LRESULT OnOtherMessage(UINT, WPARAM, LPARAM) { return 0; }

    // The one procedure of every dialog.
    static INT_PTR CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // Moves and sizes the dialog (no z-order change).
    void Place(int x, int y, int width, int height);
    SIZE OuterSize() const;

    HWND hwnd_ = nullptr;

private:
    LRESULT Dispatch(UINT message, WPARAM wParam, LPARAM lParam);
    // While windows are silenced: every message answered, no handler run.
    INT_PTR AnswerWhileSilenced(UINT message);
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
