#include "dialogs/Dialog.h"

#include "base/HandleOwners.h"
#include "framework/SharedLook.h"
#include "graphics/ImageHelpers.h"
#include "graphics/PixelEffects.h"
#include "graphics/Region.h"
#include "graphics/ResourceStrings.h"
#include "graphics/ScaledDC.h"
#include "graphics/SkinEffects.h"
#include "graphics/Surface.h"
#include "resources/ResourceIds.h"

namespace {


void Line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// The outline of w x h pixels with its corners cut: three 96-DPI pixels at the top, four at
// the bottom. Cut in pixels of the scale, so that the diagonals stay fine.
HRGN CutCorners(int w, int h, const Scale& scale) {
    Region outline = Region::CreateRect(0, 0, w + 1, h + 1);
    const int t = scale.Px(3), b = scale.Px(4);
    const POINT corners[4][3] = {{{0, 0}, {t, 0}, {0, t}},
                                 {{w - t, 0}, {w, 0}, {w, t}},
                                 {{w, h - b}, {w, h}, {w - b, h}},
                                 {{0, h - b}, {b, h}, {0, h}}};
    for (const auto& triangle : corners) {
        // A triangle that cannot be made is left out, not the whole outline.
        Region cut(CreatePolygonRgn(triangle, 3, WINDING));
        outline = Region::Subtract(outline, cut);
    }
    return outline.DetachCopy();
}

// Where a dialog of this size in pixels is centred on the screen.
POINT CentredOnScreen(int width, int height) {
    return {(GetSystemMetrics(SM_CXSCREEN) - width) / 2, (GetSystemMetrics(SM_CYSCREEN) - height) / 2};
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
    // The dialog's first message that can tell the object carries it.
    if (message == WM_INITDIALOG) reinterpret_cast<Dialog*>(lParam)->Attach(window);
    WindowObject* dialog = FromHandle(window);
    return dialog ? dialog->HandleMessage(message, wParam, lParam) : FALSE;
}

LRESULT Dialog::Unhandled(UINT, WPARAM, LPARAM) { return FALSE; }

LRESULT Dialog::OnOtherMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_INITDIALOG) return OnInitDialog(wParam, lParam);
    return WindowObject::OnOtherMessage(message, wParam, lParam);
}

void Dialog::PlaceCentred(int width, int height) {
    size_ = {width, height};
    const POINT at = CentredOnScreen(Px(width), Px(height));
    SetWindowPos(hwnd_, nullptr, at.x, at.y, Px(width), Px(height), SWP_NOZORDER);
    LayOut();
}

void Dialog::CutOutline() {
    RECT r{};
    GetWindowRect(hwnd_, &r);
    SetWindowRgn(hwnd_, CutCorners(r.right - r.left, r.bottom - r.top, scale_), TRUE);
}

LRESULT Dialog::OnInitDialog(WPARAM, LPARAM) {
    CutOutline();
    return 1;
}

void Dialog::OnScaleChanged() {
    // The suggested rectangle keeps its place; the size is the dialog's own at the new scale.
    constexpr UINT kResize = SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (size_.cx > 0) SetWindowPos(hwnd_, nullptr, 0, 0, Px(size_.cx), Px(size_.cy), kResize);
    CutOutline();
    LayOut();
}

LRESULT Dialog::OnPaint(WPARAM, LPARAM) {
    const PaintDC paint(hwnd_);
    ApplyScale(paint.Get(), scale_);
    if (!surface_) surface_ = std::make_unique<Surface>(hwnd_);
    Draw(surface_->Begin(paint.Get()));
    surface_->End();
    return 1;
}

void Dialog::Draw(HDC dc) {
    const SIZE size = GetSize();
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
    for (WindowObject* object : WindowObject::All())
        if (dynamic_cast<Dialog*>(object) && IsWindowEnabled(object->Handle())) return object->Handle();
    return nullptr;
}
