#include "graphics/ScaledArt.h"

#include <algorithm>
#include <map>
#include <mutex>
#include <tuple>
#include <vector>

#include "base/HandleOwners.h"
#include "graphics/Dib.h"
#include "graphics/PixelOps.h"
#include "graphics/Resources.h"
#include "graphics/Tga.h"

namespace {

struct Origin {
    UINT id = 0;
    int frameWidth = 0;
    int first = 0;
    int count = 1;
    ArtKind kind = ArtKind::Premultiplied;
    SIZE size{};
    void* bits = nullptr;  // a handle value reused by an unrelated bitmap is told apart by these
};

struct Pixels {
    std::vector<uint32_t> data;
    int width = 0;
    int height = 0;
};

std::mutex& Lock() {
    static std::mutex lock;
    return lock;
}
std::map<HBITMAP, Origin>& Origins() {
    static std::map<HBITMAP, Origin> origins;
    return origins;
}
using Key = std::tuple<UINT, int, int, int, int, int>;  // id, frame width, first, count, kind, dpi
std::map<Key, Bitmap>& Made() {
    static std::map<Key, Bitmap> made;
    return made;
}

void* BitsOf(HBITMAP bitmap) {
    DIBSECTION section{};
    return GetObjectW(bitmap, sizeof section, &section) == sizeof section ? section.dsBm.bmBits : nullptr;
}

Pixels ReadPixels(HBITMAP bitmap) {
    Pixels out;
    const SIZE size = GetBitmapSize(bitmap);
    if (size.cx <= 0 || size.cy <= 0) return out;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    out.data.resize(size_t(size.cx) * size.cy);
    const WindowDC screen(nullptr);
    if (!GetDIBits(screen.Get(), bitmap, 0, size.cy, out.data.data(), &info, DIB_RGB_COLORS)) return {};
    out.width = size.cx;
    out.height = size.cy;
    return out;
}

// Area-averaged resampling of premultiplied (or opaque) pixels: each target pixel is the
// mean of the source area it covers. Shrinking keeps every detail's weight; enlarging,
// the fallback only, repeats pixels with blended seams.
struct Span {
    int first = 0;
    std::vector<double> weights;  // of source pixels first, first + 1, ...
};

Span Cover(int from, int to, int index) {
    Span span;
    const double a = double(index) * from / to, b = double(index + 1) * from / to;
    span.first = std::max(0, int(a));
    for (int s = span.first; s < from && s < b; ++s)
        span.weights.push_back(std::min<double>(b, s + 1) - std::max<double>(a, s));
    return span;
}

Pixels Resample(const Pixels& in, int width, int height) {
    Pixels out{std::vector<uint32_t>(size_t(width) * height), width, height};
    if (in.width <= 0 || in.height <= 0) return out;
    std::vector<Span> sx, sy;
    for (int x = 0; x < width; ++x) sx.push_back(Cover(in.width, width, x));
    for (int y = 0; y < height; ++y) sy.push_back(Cover(in.height, height, y));
    for (int y = 0; y < height; ++y) {
        const Span& row = sy[size_t(y)];
        for (int x = 0; x < width; ++x) {
            const Span& column = sx[size_t(x)];
            double sum[4] = {}, total = 0;
            for (size_t j = 0; j < row.weights.size(); ++j) {
                for (size_t i = 0; i < column.weights.size(); ++i) {
                    const double f = row.weights[j] * column.weights[i];
                    const uint32_t p = in.data[(row.first + j) * size_t(in.width) + column.first + i];
                    for (int c = 0; c < 4; ++c) sum[c] += f * ((p >> (8 * c)) & 0xFF);
                    total += f;
                }
            }
            uint32_t p = 0;
            if (total > 0)
                for (int c = 0; c < 4; ++c) p |= uint32_t(std::clamp(int(sum[c] / total + 0.5), 0, 255)) << (8 * c);
            out.data[size_t(y) * width + x] = p;
        }
    }
    return out;
}

Pixels Columns(const Pixels& in, int x, int width) {
    Pixels out{std::vector<uint32_t>(size_t(std::max(width, 0)) * in.height), std::max(width, 0), in.height};
    for (int y = 0; y < in.height; ++y)
        for (int c = 0; c < out.width && x + c < in.width; ++c)
            out.data[size_t(y) * out.width + c] = in.data[size_t(y) * in.width + x + c];
    return out;
}

// The skin's own drawing nearest above the scale, or none.
int DrawnDpi(const Scale& scale) {
    if (scale.dpi <= Scale::kBase) return 0;
    return scale.dpi <= 144 ? 144 : 192;
}

Pixels DrawnPixels(UINT id, int drawnDpi, ArtKind kind) {
    Pixels out;
    const ResourceBytes bytes = FindResourceBytes(id, drawnDpi == 144 ? "TGA150" : "TGA200");
    TgaImage image;
    if (!ParseTga(bytes.data, bytes.size, &image) || image.Empty()) return out;
    out.width = image.width;
    out.height = image.height;
    out.data.resize(size_t(image.width) * image.height);
    CopyPixelColumns(image.pixels, size_t(image.width) * 4, 0, image.width, image.height, out.data.data(), image.width);
    if (kind == ArtKind::Premultiplied) PremultiplyPixels(out.data.data(), out.width, out.height, out.width);
    return out;
}

Bitmap MakeBitmap(const Pixels& pixels) {
    void* bits = nullptr;
    const WindowDC screen(nullptr);
    Bitmap bitmap(CreateDib(screen.Get(), pixels.width, pixels.height, 32, DibOrder::TopDown, &bits));
    if (bitmap && bits) std::copy(pixels.data.begin(), pixels.data.end(), static_cast<uint32_t*>(bits));
    GdiFlush();
    return bitmap;
}

Bitmap Make(HBITMAP bitmap, const Origin& origin, const Scale& scale) {
    const int drawnDpi = DrawnDpi(scale);
    Pixels source = drawnDpi ? DrawnPixels(origin.id, drawnDpi, origin.kind) : Pixels{};
    const Scale drawn{drawnDpi};
    int sourceFrame = drawn.Px(origin.frameWidth), sourceFirst = origin.first;
    if (source.width < sourceFrame * (origin.first + origin.count)) {
        // Not in the skin at that scale: enlarge this very bitmap.
        source = ReadPixels(bitmap);
        sourceFrame = origin.frameWidth;
        sourceFirst = 0;
    }
    const int frame = scale.Px(origin.frameWidth);
    Pixels out{std::vector<uint32_t>(size_t(frame) * origin.count * scale.Px(origin.size.cy)), frame * origin.count,
               scale.Px(origin.size.cy)};
    for (int k = 0; k < origin.count; ++k) {
        const Pixels part = Resample(Columns(source, (sourceFirst + k) * sourceFrame, sourceFrame), frame, out.height);
        for (int y = 0; y < out.height; ++y)
            std::copy_n(part.data.begin() + size_t(y) * frame, frame, out.data.begin() + size_t(y) * out.width + k * frame);
    }
    return MakeBitmap(out);
}

}  // namespace

void RememberArt(HBITMAP bitmap, UINT id, int frameWidth, int first, int count, ArtKind kind) {
    if (!bitmap) return;
    const std::lock_guard guard(Lock());
    Origins()[bitmap] = {id, frameWidth, first, count, kind, GetBitmapSize(bitmap), BitsOf(bitmap)};
}

HBITMAP ArtFor(HBITMAP bitmap, const Scale& scale) {
    if (scale.IsIdentity() || !bitmap) return bitmap;
    const std::lock_guard guard(Lock());
    const auto found = Origins().find(bitmap);
    if (found == Origins().end()) return bitmap;
    const Origin& origin = found->second;
    const SIZE size = GetBitmapSize(bitmap);
    if (size.cx != origin.size.cx || size.cy != origin.size.cy || BitsOf(bitmap) != origin.bits) return bitmap;
    const Key key{origin.id, origin.frameWidth, origin.first, origin.count, int(origin.kind), scale.dpi};
    Bitmap& made = Made()[key];
    if (!made) made = Make(bitmap, origin, scale);
    return made ? made.Get() : bitmap;
}
