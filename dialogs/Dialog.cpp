#include "dialogs/Dialog.h"

#include <map>

#include "base/HandleOwners.h"
#include "framework/SharedLook.h"
#include "framework/WindowsAlive.h"
#include "graphics/ImageHelpers.h"
#include "graphics/PixelEffects.h"
#include "graphics/Region.h"
#include "graphics/ResourceStrings.h"
#include "graphics/SkinEffects.h"
#include "graphics/Surface.h"
#include "resources/ResourceIds.h"

namespace {

// Dialog window to object; the map does not own the objects.
std::map<HWND, Dialog*>& DialogMap() {
    static std::map<HWND, Dialog*> map;
    return map;
}

void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// The outline with its corners cut: three pixels at the top, four at the bottom.
HRGN CutCorners(int w, int h) {
    Region outline = Region::CreateRect(0, 0, w + 1, h + 1);
    const POINT corners[4][3] = {{{0, 0}, {3, 0}, {0, 3}},
                                 {{w - 3, 0}, {w, 0}, {w, 3}},
                                 {{w, h - 4}, {w, h}, {w - 4, h}},
                                 {{0, h - 4}, {4, h}, {0, h}}};
    for (const auto& triangle : corners) {
        // A triangle that cannot be made is left out, not the whole outline.
        Region cut(CreatePolygonRgn(triangle, 3, WINDING));
        outline = Region::Subtract(outline, cut);
    }
    return outline.DetachCopy();
}

}  // namespace

Dialog::~Dialog() {
    if (hwnd_) DestroyWindow(hwnd_);
}

int Dialog::RunModal(HWND owner) {
    return static_cast<int>(DialogBoxParamA(ResourceInstance(), MAKEINTRESOURCEA(IDD_EMPTY), owner, &Procedure,
                                            reinterpret_cast<LPARAM>(this)));
}

INT_PTR CALLBACK Dialog::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) DialogMap().emplace(window, reinterpret_cast<Dialog*>(lParam));
    const auto found = DialogMap().find(window);
    if (found == DialogMap().end()) return FALSE;
    Dialog* dialog = found->second;
    if (!dialog->hwnd_) dialog->hwnd_ = window;
    // While the library rewrites its structures no handler may read them.
    if (!AreWindowsAlive()) return dialog->AnswerWhileSilenced(message);
    return dialog->Dispatch(message, wParam, lParam);
}

INT_PTR Dialog::AnswerWhileSilenced(UINT message) {
    // Left unvalidated, the paint would come back at once, for ever.
    if (message == WM_PAINT) ValidateRect(hwnd_, nullptr);
    // A dialog that goes while silenced must not leave its object in the map.
    if (message == WM_NCDESTROY) {
        DialogMap().erase(hwnd_);
        hwnd_ = nullptr;
    }
    return TRUE;
}

LRESULT Dialog::Dispatch(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(wParam, lParam);
    case WM_DESTROY: return OnDestroy();
    case WM_ERASEBKGND: return OnEraseBackground();
    case WM_PAINT: return OnPaint(wParam, lParam);
    case WM_ACTIVATE: return OnActivate(wParam, lParam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: return OnLeftButtonDown(wParam, lParam);
    case WM_LBUTTONUP: return OnLeftButtonUp(wParam, lParam);
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK: return OnRightButtonDown(wParam, lParam);
    case WM_RBUTTONUP: return OnRightButtonUp(wParam, lParam);
    case WM_MOUSEMOVE: return OnMouseMove(wParam, lParam);
    case WM_COMMAND: return OnCommand(wParam);
    case WM_SIZE: return OnSize(wParam, lParam);
    default: return OnOtherMessage(message, wParam, lParam);
    }
}

SIZE Dialog::OuterSize() const {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    return {r.right - r.left, r.bottom - r.top};
}

void Dialog::Place(int x, int y, int width, int height) {
    SetWindowPos(hwnd_, nullptr, x, y, width, height, SWP_NOZORDER);
}

LRESULT Dialog::OnInitDialog(WPARAM, LPARAM) {
    const SIZE size = OuterSize();
    SetWindowRgn(hwnd_, CutCorners(size.cx, size.cy), TRUE);
    return 1;
}

LRESULT Dialog::OnDestroy() {
    DialogMap().erase(hwnd_);
    hwnd_ = nullptr;
    return 0;
}

LRESULT Dialog::OnPaint(WPARAM, LPARAM) {
    const PaintDC paint(hwnd_);
    if (!surface_) surface_ = std::make_unique<Surface>(hwnd_);
    Draw(surface_->Begin(paint.Get()));
    surface_->End();
    return 1;
}

void Dialog::Draw(HDC dc) {
    const SIZE size = OuterSize();
    DrawDialogFace(dc, size.cx, size.cy);
}

LRESULT Dialog::OnLeftButtonDown(WPARAM, LPARAM) {
    SetActiveWindow(hwnd_);
    // A press anywhere on the face moves the dialog.
    SendMessageA(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, 0);
    return 1;
}

void DrawDialogFace(HDC dc, int w, int h) {
    TileBackground(dc, BackgroundTexture(), Rect{0, 0, w, h});
    Line(dc, 3, 0, w - 3, 0);
    Line(dc, 0, 3, 0, h - 3);
    Line(dc, 3, h - 1, w - 3, h - 1);
    Line(dc, w - 1, 3, w - 1, h - 3);
    DrawBevel(dc, 1, 1, w - 2, h - 2, 5);
    Line(dc, 1, 2, 3, 0);
    Line(dc, 1, h - 3, 3, h);
    Line(dc, w - 3, 1, w, 3);
    Line(dc, w - 3, h, w, h - 3);
    DrawCornerShade(dc, Rect{0, 0, 3 * w / 4, h});
}

HWND OpenDialogWindow() {
    // A dialog that opened another is disabled by it.
    for (const auto& [window, dialog] : DialogMap())
        if (IsWindowEnabled(window)) return window;
    return nullptr;
}

POINT CentredOnScreen(int width, int height) {
    return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
}
