#pragma once

// A window's display scale: its DPI against the 96 at which every size of the program is
// given. One rounding rule for all of them, floor(v * dpi / 96 + 0.5), which is also how
// GDI rounds a scaled coordinate: pieces that touch at 96 DPI still touch when scaled.
// At 96 DPI every conversion is the identity.
struct Scale {
    static constexpr int kBase = 96;
    int dpi = kBase;

    bool IsIdentity() const { return dpi == kBase; }
    // A size or coordinate given at 96 DPI, in pixels of this scale.
    int Px(int v) const { return FloorDiv(2 * v * dpi + kBase, 2 * kBase); }
    // The 96-DPI coordinate whose pixels at this scale cover pixel v: the largest u with
    // Px(u) <= v.
    int Logical(int v) const { return CeilDiv((2 * v + 1) * kBase, 2 * dpi) - 1; }
    // A scale from a window's reported DPI; nothing sensible (0 on failure) counts as 96.
    static Scale FromDpi(unsigned dpi) { return Scale{dpi >= 48 && dpi <= 960 ? static_cast<int>(dpi) : kBase}; }
    double Factor() const { return static_cast<double>(dpi) / kBase; }

    bool operator==(const Scale&) const = default;

private:
    static int FloorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
    static int CeilDiv(int a, int b) { return -FloorDiv(-a, b); }
};
