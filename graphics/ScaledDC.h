#pragma once
#include <windows.h>

#include "base/Scale.h"
#include "graphics/Region.h"

// A window's scale goes onto each DC that paints it as a world transform: every element
// then draws in 96-DPI coordinates, GDI rounds each coordinate by the one rule of Scale,
// and text is set at the larger size rather than enlarged. Pictures come from the art
// drawn for the scale (ScaledArt.h); what works on pixels directly asks DcScale.

// Puts the scale on the DC; at 96 DPI the DC is left exactly as it is.
void ApplyScale(HDC dc, const Scale& scale);
// The scale the DC draws at: 96 DPI unless ApplyScale gave it another.
Scale DcScale(HDC dc);

// Where the DC's own coordinates start, in 96-DPI units: the window origin at 96 DPI, the
// transform's offset when scaled (an origin kept as a window origin would move by whole
// pixels of the scale and break the one rounding rule). Elements paint their children
// through these.
POINT GetPaintOrigin(HDC dc);
void SetPaintOrigin(HDC dc, POINT origin);

// The region with every rectangle's edges scaled by the rule: a shape in 96-DPI
// coordinates as pixels of the scale (clips and window outlines are given in pixels).
Region ScaleRegion(const Region& region, const Scale& scale);

// For the length of a scope, the DC takes device pixels again (no transform, window
// origin at 0): for copies that must land pixel for pixel.
class DevicePixels {
public:
    explicit DevicePixels(HDC dc);
    ~DevicePixels();
    DevicePixels(const DevicePixels&) = delete;
    DevicePixels& operator=(const DevicePixels&) = delete;
    // A point of the DC's own coordinates as a device pixel.
    POINT ToDevice(int x, int y) const;

private:
    HDC dc_;
    XFORM saved_{};
    POINT origin_{};  // the window origin, or the origin the transform held
    Scale scale_;
    bool scaled_ = false;
};
