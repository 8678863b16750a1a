// Nine-slice, strip and frame copies of skin images.
#include "skin/paint/skin_paint.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "toolkit/handles.h"

namespace {

int width(const RECT& r) {
    return r.right - r.left;
}
int height(const RECT& r) {
    return r.bottom - r.top;
}
bool degenerate(const RECT& r) {
    return r.right <= r.left || r.bottom <= r.top;
}

// Where frame `index` of `count` lies in the image.
struct FrameGeometry {
    int x0 = 0, y0 = 0, fw = 0, fh = 0;
    bool valid() const { return fw > 0 && fh > 0; }
};

FrameGeometry frameOf(const TBitmap& image, bool vertical, int count, int index) {
    FrameGeometry g;
    if (image.Empty()) return g;
    count = std::max(count, 1);
    // A frame number outside the image would copy from beyond it: use the nearest frame.
    index = std::clamp(index, 1, count);
    if (vertical) {
        g.fw = image.Width();
        g.fh = image.Height() / count;
        g.y0 = (index - 1) * g.fh;
    } else {
        g.fw = image.Width() / count;
        g.fh = image.Height();
        g.x0 = (index - 1) * g.fw;
    }
    return g;
}

// Images are read through their own canvas DC: a memory DC made once per bitmap, since making
// one for every copy costs more than a small copy itself.
HDC sourceDC(TBitmap& image) {
    return image.Canvas().Handle();
}

void stretch(HDC dst, int x, int y, int w, int h, HDC src, int sx, int sy, int sw, int sh) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    if (w == sw && h == sh)
        BitBlt(dst, x, y, w, h, src, sx, sy, SRCCOPY);
    else
        StretchBlt(dst, x, y, w, h, src, sx, sy, sw, sh, SRCCOPY);
}

// Copies a finished temporary bitmap to its place.
void present(HDC dc, const RECT& dest, TBitmap& piece, bool transparent) {
    if (transparent) {
        DrawTransparentBitmap(dc, dest, piece, SKIN_KEY_COLOUR);
        return;
    }
    BitBlt(dc, dest.left, dest.top, width(dest), height(dest), sourceDC(piece), 0, 0, SRCCOPY);
}

std::unique_ptr<TBitmap> scratch(int w, int h) {
    auto bmp = std::make_unique<TBitmap>(w, h, pf24bit);
    SetStretchBltMode(bmp->Canvas().Handle(), COLORONCOLOR);
    return bmp;
}

} // namespace

std::unique_ptr<TBitmap> BuildSkinBitmap(const RECT& destRect, TBitmap& image, const RECT& margins,
                                         bool framesVertical, bool tileCentre, int frameCount,
                                         int frameIndex) {
    const FrameGeometry f = frameOf(image, framesVertical, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return nullptr;
    const int W = width(destRect), H = height(destRect);
    int L = margins.left, T = margins.top, R = margins.right, B = margins.bottom;
    // Margins collapse in pairs: a target too small for the fixed parts takes the whole frame.
    if (W < L + R) L = R = 0;
    if (H < T + B) T = B = 0;

    auto result = scratch(W, H);
    HDC dst = result->Canvas().Handle();
    const int x0 = f.x0, y0 = f.y0, fw = f.fw, fh = f.fh;
    const RECT centreDst{L, T, W - R, H - B};
    const RECT centreSrc{x0 + L, y0 + T, x0 + fw - R, y0 + fh - B};
    {
        // The nine pieces do not overlap, so the order of the copies does not change a pixel.
        HDC s = sourceDC(image);
        if (L * T > 0) stretch(dst, 0, 0, L, T, s, x0, y0, L, T);
        if (L * B > 0) stretch(dst, 0, H - B, L, B, s, x0, y0 + fh - B, L, B);
        if (R * T > 0) stretch(dst, W - R, 0, R, T, s, x0 + fw - R, y0, R, T);
        if (L > 0) stretch(dst, 0, T, L, H - B - T, s, x0, y0 + T, L, fh - B - T);
        if (T > 0) stretch(dst, L, 0, W - R - L, T, s, x0 + L, y0, fw - R - L, T);
        if (!tileCentre)
            stretch(dst, L, T, width(centreDst), height(centreDst), s, centreSrc.left, centreSrc.top,
                    width(centreSrc), height(centreSrc));
        if (R * B > 0) stretch(dst, W - R, H - B, R, B, s, x0 + fw - R, y0 + fh - B, R, B);
        if (R > 0) stretch(dst, W - R, T, R, H - B - T, s, x0 + fw - R, y0 + T, R, fh - B - T);
        if (B > 0) stretch(dst, L, H - B, W - R - L, B, s, x0 + L, y0 + fh - B, fw - R - L, B);
    }
    if (tileCentre && !degenerate(centreDst)) {
        // Tiles overrun to the right and bottom; clipping to the centre keeps the edges drawn.
        win::SaveDCGuard keep(dst);
        IntersectClipRect(dst, centreDst.left, centreDst.top, centreDst.right, centreDst.bottom);
        TileBitmap(dst, centreDst, image, centreSrc);
    }
    return result;
}

void DrawSkinObject(HDC dc, const RECT& destRect, TBitmap& image, bool framesVertical, bool tileCentre,
                    bool transparent, int frameCount, int frameIndex, const RECT& margins) {
    auto piece =
        BuildSkinBitmap(destRect, image, margins, framesVertical, tileCentre, frameCount, frameIndex);
    if (piece) present(dc, destRect, *piece, transparent);
}

void DrawSkinStrip(HDC dc, const RECT& destRect, TBitmap& image, bool framesVertical, bool transparent,
                   int frameCount, int frameIndex, const RECT& margins) {
    const FrameGeometry f = frameOf(image, framesVertical, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return;
    const int W = width(destRect), H = height(destRect);
    const int L = margins.left, R = margins.right;
    auto strip = scratch(W, H);
    HDC dst = strip->Canvas().Handle();
    {
        HDC s = sourceDC(image);
        stretch(dst, 0, 0, L, H, s, f.x0, f.y0, L, f.fh);
        // The middle repeats at its natural width; the right cap then covers any overrun.
        const int m = f.fw - L - R;
        if (m > 0)
            for (int x = L; x < W - R; x += m)
                stretch(dst, x, 0, m, H, s, f.x0 + L, f.y0, m, f.fh);
        stretch(dst, W - R, 0, R, H, s, f.x0 + f.fw - R, f.y0, R, f.fh);
    }
    present(dc, destRect, *strip, transparent);
}

void StretchSkinStrip(HDC dc, const RECT& destRect, TBitmap& image, bool framesVertical, int frameCount,
                      int frameIndex, const RECT& margins) {
    const FrameGeometry f = frameOf(image, framesVertical, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return;
    const int W = width(destRect), H = height(destRect);
    const int L = margins.left, R = margins.right;
    HDC src = sourceDC(image);
    win::SaveDCGuard keep(dc);
    SetStretchBltMode(dc, COLORONCOLOR);
    if (W < f.fw) {
        stretch(dc, destRect.left, destRect.top, W, H, src, f.x0, f.y0, f.fw, f.fh);
        return;
    }
    stretch(dc, destRect.left, destRect.top, L, H, src, f.x0, f.y0, L, f.fh);
    stretch(dc, destRect.left + L, destRect.top, W - L - R, H, src, f.x0 + L, f.y0, f.fw - L - R, f.fh);
    stretch(dc, destRect.right - R, destRect.top, R, H, src, f.x0 + f.fw - R, f.y0, R, f.fh);
}

void DrawSkinFrame(HDC dc, const RECT& destRect, TBitmap& image, bool transparent, int frameCount,
                   int frameIndex) {
    const FrameGeometry f = frameOf(image, false, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return;
    auto piece = scratch(width(destRect), height(destRect));
    stretch(piece->Canvas().Handle(), 0, 0, width(destRect), height(destRect), sourceDC(image), f.x0, 0, f.fw,
            image.Height());
    present(dc, destRect, *piece, transparent);
}

void DrawSkinFrameCentered(HDC dc, const RECT& destRect, TBitmap& image, bool transparent, int frameCount,
                           int frameIndex) {
    const FrameGeometry f = frameOf(image, false, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return;
    const int h = image.Height();
    auto piece = scratch(f.fw, h);
    BitBlt(piece->Canvas().Handle(), 0, 0, f.fw, h, sourceDC(image), f.x0, 0, SRCCOPY);
    const int x = destRect.left + (width(destRect) - f.fw) / 2;
    const int y = destRect.top + (height(destRect) - h) / 2;
    present(dc, RECT{x, y, x + f.fw, y + h}, *piece, transparent);
}

void TileBitmap(HDC dc, const RECT& destRect, TBitmap& image, const RECT& srcRect) {
    const int sw = width(srcRect), sh = height(srcRect);
    if (sw <= 0 || sh <= 0 || image.Empty()) return;
    TBitmap tile(sw, sh, pf24bit);
    BitBlt(tile.Canvas().Handle(), 0, 0, sw, sh, sourceDC(image), srcRect.left, srcRect.top, SRCCOPY);
    HDC src = sourceDC(tile);
    for (int x = destRect.left; x < destRect.right; x += sw)
        for (int y = destRect.top; y < destRect.bottom; y += sh)
            BitBlt(dc, x, y, sw, sh, src, 0, 0, SRCCOPY);
}

namespace {

// A 24- or 32-bit DIB section selected into a memory DC, seen through the DC's mapping: where
// logical (0, 0) lies in the bitmap and which bitmap pixels the clipping lets through.
struct PixelTarget {
    uint8_t* bits = nullptr;
    ptrdiff_t stride = 0; // from one row to the one below it (negative for bottom-up bitmaps)
    int bytesPerPixel = 0;
    POINT origin{};
    RECT clip{}; // in bitmap pixels; may be empty
    uint8_t* Row(int y) const { return bits + stride * y; }
};

bool isIdentityMapping(HDC dc) {
    if (GetMapMode(dc) != MM_TEXT || GetLayout(dc) != 0) return false;
    if (GetGraphicsMode(dc) == GM_COMPATIBLE) return true;
    XFORM xf{};
    return GetWorldTransform(dc, &xf) && xf.eM11 == 1 && xf.eM22 == 1 && xf.eM12 == 0 && xf.eM21 == 0 &&
           xf.eDx == 0 && xf.eDy == 0;
}

// GetObject reports every DIB section with a positive height, so whether its rows run top-down
// is asked of GDI, which reads rows from the top: mark the first row in memory so that it
// differs from the last, read the top row back, and put the byte back.
bool rowsTopDown(HBITMAP bitmap, uint8_t* bits, int rowBytes, int height, bool& topDown) {
    topDown = false;
    if (height < 2) return true; // one row lies the same way up both ways
    GdiFlush();
    uint8_t* first = bits;
    const uint8_t* last = bits + ptrdiff_t(rowBytes) * (height - 1);
    const uint8_t saved = *first;
    *first = uint8_t(~*last);
    std::vector<uint8_t> top(size_t(rowBytes), 0);
    const LONG got = GetBitmapBits(bitmap, LONG(top.size()), top.data());
    *first = saved;
    topDown = top[0] != *last;
    return got > 0;
}

// Whether the copy can be made on the pixels of the bitmap selected into dc. A bitmap copied
// onto itself is left to GDI, which knows which way to copy overlapping rows.
bool pixelTarget(HDC dc, const TBitmap& source, PixelTarget& t) {
    if (GetObjectType(dc) != OBJ_MEMDC || !isIdentityMapping(dc)) return false;
    DIBSECTION ds{};
    HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
    if (!selected || GetObjectA(selected, sizeof ds, &ds) != int(sizeof ds) || !ds.dsBm.bmBits) return false;
    const void* sourceBits = std::min(source.ScanLine(0), source.ScanLine(source.Height() - 1));
    if (ds.dsBm.bmBits == sourceBits) return false;
    const BITMAPINFOHEADER& h = ds.dsBmih;
    if (h.biBitCount == 32 && h.biCompression == BI_BITFIELDS) {
        if (ds.dsBitfields[0] != 0xFF0000 || ds.dsBitfields[1] != 0xFF00 || ds.dsBitfields[2] != 0xFF)
            return false;
    } else if (h.biCompression != BI_RGB || (h.biBitCount != 24 && h.biBitCount != 32)) {
        return false;
    }
    const int w = ds.dsBm.bmWidth, ht = ds.dsBm.bmHeight, rowBytes = ds.dsBm.bmWidthBytes;
    if (w <= 0 || ht <= 0 || rowBytes < w * (h.biBitCount / 8)) return false;
    RECT box{};
    const int kind = GetClipBox(dc, &box);
    if (kind != SIMPLEREGION && kind != NULLREGION) return false;
    POINT org{0, 0};
    LPtoDP(dc, &org, 1);
    t.bytesPerPixel = h.biBitCount / 8;
    t.origin = org;
    t.clip = RECT{0, 0, 0, 0};
    if (kind == SIMPLEREGION) {
        const RECT bounds{0, 0, w, ht};
        OffsetRect(&box, org.x, org.y);
        IntersectRect(&t.clip, &box, &bounds);
    }
    uint8_t* base = static_cast<uint8_t*>(ds.dsBm.bmBits);
    bool topDown = false;
    if (!rowsTopDown(static_cast<HBITMAP>(selected), base, rowBytes, ht, topDown)) return false;
    t.bits = topDown ? base : base + ptrdiff_t(rowBytes) * (ht - 1);
    t.stride = topDown ? rowBytes : -ptrdiff_t(rowBytes);
    return true;
}

bool pixelSource(const TBitmap& bitmap, COLORREF key) {
    return !bitmap.Empty() && (bitmap.BitsPerPixel() == 24 || bitmap.BitsPerPixel() == 32) &&
           (key >> 24) == 0;
}

uint32_t load32(const uint8_t* p) {
    uint32_t v;
    std::memcpy(&v, p, 4);
    return v;
}

// Whether pixel k (SB bytes wide) has colour key (B | G << 8 | R << 16, as in memory).
template <int SB> bool isKeyAt(const uint8_t* s, int k, uint32_t key) {
    const uint8_t* p = s + SB * k;
    return uint32_t(p[0] | p[1] << 8 | p[2] << 16) == key;
}

// The first pixel at or after i whose colour is key; n when there is none. 24-bit pixels are
// tested four at a time from three words, so the common case, no key, costs one branch per
// four pixels.
template <int SB> int findKey(const uint8_t* s, int i, int n, uint32_t key) {
    if constexpr (SB == 3) {
#ifdef __SSE2__
        // Sixteen pixels (48 bytes) at a time: bytes equal to the key's byte at their place in a
        // pixel, then pixels whose three bytes all are.
        alignas(16) uint8_t pattern[48];
        for (int k = 0; k < 48; ++k)
            pattern[k] = uint8_t(key >> (8 * (k % 3)));
        const __m128i k0 = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern));
        const __m128i k1 = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern + 16));
        const __m128i k2 = _mm_load_si128(reinterpret_cast<const __m128i*>(pattern + 32));
        auto equal = [](const uint8_t* p, __m128i k) {
            return uint64_t(unsigned(
                _mm_movemask_epi8(_mm_cmpeq_epi8(_mm_loadu_si128(reinterpret_cast<const __m128i*>(p)), k))));
        };
        for (; i + 16 <= n; i += 16) {
            const uint8_t* p = s + 3 * i;
            const uint64_t m = equal(p, k0) | equal(p + 16, k1) << 16 | equal(p + 32, k2) << 32;
            if (m & (m >> 1) & (m >> 2) & 0x249249249249ull) break;
        }
#endif
        for (; i + 4 <= n; i += 4) {
            const uint8_t* p = s + 3 * i;
            const uint32_t a = load32(p), b = load32(p + 4), c = load32(p + 8);
            const bool any = (a & 0xFFFFFF) == key || ((a >> 24 | b << 8) & 0xFFFFFF) == key ||
                             ((b >> 16 | c << 16) & 0xFFFFFF) == key || (c >> 8) == key;
            if (any) break;
        }
    } else {
        for (; i < n; ++i)
            if ((load32(s + 4 * i) & 0xFFFFFF) == key) return i;
    }
    while (i < n && !isKeyAt<SB>(s, i, key))
        ++i;
    return i;
}

// Copies n pixels, skipping those of the key colour.
template <int SB, int DB> void keyCopyRow(const uint8_t* s, uint8_t* d, int n, uint32_t key) {
    int i = 0;
    while (i < n) {
        const int start = i;
        i = findKey<SB>(s, i, n, key);
        if constexpr (SB == DB) {
            std::memcpy(d + DB * start, s + SB * start, size_t(DB) * size_t(i - start));
        } else {
            for (int k = start; k < i; ++k) {
                const uint8_t* from = s + SB * k;
                uint8_t* to = d + DB * k;
                to[0] = from[0];
                to[1] = from[1];
                to[2] = from[2];
                if constexpr (DB == 4) to[3] = 0;
            }
        }
        while (i < n && isKeyAt<SB>(s, i, key))
            ++i;
    }
}

// The key-colour copy done on the pixels: no mask and no raster operations.
void keyCopyPixels(const PixelTarget& t, int x, int y, int w, int h, TBitmap& bitmap, COLORREF key) {
    RECT dest{x + t.origin.x, y + t.origin.y, x + t.origin.x + w, y + t.origin.y + h}, visible{};
    if (!IntersectRect(&visible, &dest, &t.clip)) return;
    const int sx = visible.left - dest.left, sy = visible.top - dest.top, n = width(visible);
    const uint32_t k = uint32_t(GetBValue(key) | GetGValue(key) << 8 | GetRValue(key) << 16);
    const int sb = bitmap.BitsPerPixel() / 8;
    auto copy = [&](auto row) {
        for (int j = 0; j < height(visible); ++j)
            row(bitmap.ScanLine(sy + j) + sb * sx, t.Row(visible.top + j) + t.bytesPerPixel * visible.left);
    };
    // Pending GDI drawing on either bitmap must land before the pixels are read or written.
    GdiFlush();
    if (sb == 3 && t.bytesPerPixel == 3)
        copy([&](const uint8_t* s, uint8_t* d) { keyCopyRow<3, 3>(s, d, n, k); });
    else if (sb == 3)
        copy([&](const uint8_t* s, uint8_t* d) { keyCopyRow<3, 4>(s, d, n, k); });
    else if (t.bytesPerPixel == 3)
        copy([&](const uint8_t* s, uint8_t* d) { keyCopyRow<4, 3>(s, d, n, k); });
    else
        copy([&](const uint8_t* s, uint8_t* d) { keyCopyRow<4, 4>(s, d, n, k); });
}

bool isNtPlatform() {
    return (GetVersion() & 0x80000000u) == 0;
}

// Through GDI, with a monochrome mask that is white where the bitmap has the key colour.
void keyCopyMasked(TKeyCopy how, HDC dc, int x, int y, int w, int h, TBitmap& bitmap, COLORREF key) {
    HDC src = sourceDC(bitmap);
    win::BitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!src || !mask) return;
    win::MemoryDC maskDC(dc);
    win::SelectGuard selectMask(maskDC.Get(), mask.Get());
    // Copying colour to monochrome turns the source's background colour white, all else black.
    const COLORREF oldBk = SetBkColor(src, key);
    BitBlt(maskDC.Get(), 0, 0, w, h, src, 0, 0, SRCCOPY);
    SetBkColor(src, oldBk);
    if (how == TKeyCopy::MaskBlt) {
        // Where the mask is white the destination stays; elsewhere the source is copied.
        MaskBlt(dc, x, y, w, h, src, 0, 0, mask.Get(), 0, 0, 0xCCAA0029);
        return;
    }
    // dest ^ src, masked to black where the bitmap shows and left where it has the key, ^ src
    // again: the key's pixels end as they were, the others as the source. The monochrome mask
    // takes the DC's colours (0 = text, 1 = background) on the way.
    const COLORREF oldBack = SetBkColor(dc, RGB(255, 255, 255)), oldText = SetTextColor(dc, RGB(0, 0, 0));
    BitBlt(dc, x, y, w, h, src, 0, 0, SRCINVERT);
    BitBlt(dc, x, y, w, h, maskDC.Get(), 0, 0, SRCAND);
    BitBlt(dc, x, y, w, h, src, 0, 0, SRCINVERT);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

// The copy by one way; t is the pixel target when the way is Pixels.
void keyCopy(TKeyCopy how, const PixelTarget& t, HDC dc, const RECT& destRect, TBitmap& bitmap,
             COLORREF key) {
    if (degenerate(destRect) || bitmap.Empty()) return;
    // Beyond the bitmap there is nothing to copy (and no mask to say so).
    const int w = std::min(width(destRect), bitmap.Width()), h = std::min(height(destRect), bitmap.Height());
    if (how == TKeyCopy::Pixels)
        keyCopyPixels(t, destRect.left, destRect.top, w, h, bitmap, key);
    else
        keyCopyMasked(how, dc, destRect.left, destRect.top, w, h, bitmap, key);
}

TKeyCopy choose(HDC dc, TBitmap& bitmap, COLORREF key, PixelTarget& t) {
    if (pixelSource(bitmap, key) && pixelTarget(dc, bitmap, t)) return TKeyCopy::Pixels;
    return isNtPlatform() ? TKeyCopy::MaskBlt : TKeyCopy::ThreeBlts;
}

} // namespace

TKeyCopy ChooseKeyCopy(HDC dc, TBitmap& bitmap, COLORREF keyColour) {
    PixelTarget t;
    return choose(dc, bitmap, keyColour, t);
}

bool DrawTransparentBitmapBy(TKeyCopy how, HDC dc, const RECT& destRect, TBitmap& bitmap,
                             COLORREF keyColour) {
    PixelTarget t;
    if (how == TKeyCopy::Pixels && choose(dc, bitmap, keyColour, t) != TKeyCopy::Pixels) return false;
    keyCopy(how, t, dc, destRect, bitmap, keyColour);
    return true;
}

void DrawTransparentBitmap(HDC dc, const RECT& destRect, TBitmap& bitmap, COLORREF keyColour) {
    if (degenerate(destRect) || bitmap.Empty()) return;
    PixelTarget t;
    keyCopy(choose(dc, bitmap, keyColour, t), t, dc, destRect, bitmap, keyColour);
}
