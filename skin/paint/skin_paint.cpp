// Nine-slice, strip and frame copies of skin images.
#include "skin/paint/skin_paint.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <optional>
#include <vector>

#ifdef __SSE2__
#include <emmintrin.h>
#endif

#include "toolkit/graphics/bmp_decode.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

namespace {

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

// Margins as the frame can honour them: none negative, none wider or taller than the frame (a
// skin may say anything, and sums of such values would overflow).
RECT frameMargins(const RECT& m, const FrameGeometry& f) {
    return RECT{std::clamp<LONG>(m.left, 0, f.fw), std::clamp<LONG>(m.top, 0, f.fh),
                std::clamp<LONG>(m.right, 0, f.fw), std::clamp<LONG>(m.bottom, 0, f.fh)};
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

// What a key-colour copy copies from: rows of 24- or 32-bit pixels when they can be read
// directly, and the DC through which GDI reads them.
struct PixelSource {
    const uint8_t* top = nullptr; // row 0
    ptrdiff_t stride = 0;         // from one row to the one below it
    int bytesPerPixel = 0;        // 0: readable through GDI only
    int w = 0, h = 0;
    HDC dc = nullptr;
    TBitmap* bitmap = nullptr; // when set, dc is its canvas, made on first use

    const uint8_t* Row(int y) const { return top + stride * y; }
    const void* Base() const { return stride < 0 ? top + stride * (h - 1) : top; }
    HDC Dc() const { return bitmap ? sourceDC(*bitmap) : dc; }
};

PixelSource pixelsOf(TBitmap& bitmap) {
    PixelSource s;
    s.bitmap = &bitmap;
    s.w = bitmap.Width();
    s.h = bitmap.Height();
    if (bitmap.Empty() || (bitmap.BitsPerPixel() != 24 && bitmap.BitsPerPixel() != 32)) return s;
    s.top = bitmap.ScanLine(0);
    s.stride = s.h > 1 ? bitmap.ScanLine(1) - s.top : -ptrdiff_t(bitmap.RowBytes());
    s.bytesPerPixel = bitmap.BitsPerPixel() / 8;
    return s;
}

// A top-down 24-bit DIB section.
win::BitmapHandle dib24(int w, int h, uint8_t*& bits) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* p = nullptr;
    win::BitmapHandle bitmap(CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &p, nullptr, 0));
    bits = static_cast<uint8_t*>(p);
    return bits ? std::move(bitmap) : win::BitmapHandle();
}

ptrdiff_t stride24(int w) {
    return ptrdiff_t((int64_t(w) * 3 + 3) & ~int64_t(3));
}

// A memory DC with a 24-bit bitmap kept selected between calls, for small scratch images:
// under Wine making a DC or a DIB section costs more than composing a small piece.
struct SharedScratch {
    static constexpr int64_t kMaxPixels = 65536; // larger pieces get a bitmap of their own
    win::MemoryDC dc{nullptr};
    win::BitmapHandle bitmap;
    std::optional<win::SelectGuard> select;
    uint8_t* bits = nullptr;
    int w = 0, h = 0;
    bool busy = false;

    // Makes the bitmap at least w x h; false when that would be too large or fails.
    bool Fit(int needW, int needH) {
        if (needW <= w && needH <= h) return true;
        const int newW = std::max(w, needW), newH = std::max(h, needH);
        if (!dc || int64_t(newW) * newH > kMaxPixels) return false;
        select.reset();
        bitmap = dib24(newW, newH, bits);
        w = bitmap ? newW : 0;
        h = bitmap ? newH : 0;
        if (!bitmap) return false;
        select.emplace(dc.Get(), bitmap.Get());
        SetStretchBltMode(dc.Get(), COLORONCOLOR);
        return true;
    }
};

SharedScratch& sharedScratch() {
    static SharedScratch scratch;
    return scratch;
}

// A temporary 24-bit image of one primitive, white until drawn on, selected into a memory DC
// with the stretch mode every scaled copy uses. Painting runs on one thread; an image wanted
// while the shared one is in use gets a bitmap and DC of its own.
class Scratch {
  public:
    Scratch(int w, int h) {
        // Sizes no bitmap may have draw nothing.
        if (w <= 0 || h <= 0 || w > kBmpMaxSide || h > kBmpMaxSide || int64_t(w) * h > kBmpMaxPixels) return;
        SharedScratch& shared = sharedScratch();
        uint8_t* bits = nullptr;
        ptrdiff_t stride = stride24(w);
        if (!shared.busy && shared.Fit(w, h)) {
            shared.busy = shared_ = true;
            bits = shared.bits;
            stride = stride24(shared.w);
            pixels_.dc = shared.dc.Get();
        } else {
            ownDC_ = win::MemoryDC(nullptr);
            ownBitmap_ = dib24(w, h, bits);
            if (!ownDC_ || !ownBitmap_) return;
            ownSelect_.emplace(ownDC_.Get(), ownBitmap_.Get());
            SetStretchBltMode(ownDC_.Get(), COLORONCOLOR);
            pixels_.dc = ownDC_.Get();
        }
        GdiFlush();
        for (int y = 0; y < h; ++y)
            std::memset(bits + stride * y, 0xFF, 3 * size_t(w));
        pixels_.top = bits;
        pixels_.stride = stride;
        pixels_.bytesPerPixel = 3;
        pixels_.w = w;
        pixels_.h = h;
    }
    ~Scratch() {
        if (shared_) sharedScratch().busy = false;
    }
    Scratch(const Scratch&) = delete;
    Scratch& operator=(const Scratch&) = delete;

    explicit operator bool() const { return pixels_.dc != nullptr; }
    HDC Get() const { return pixels_.dc; }
    const PixelSource& Pixels() const { return pixels_; }

  private:
    bool shared_ = false;
    win::MemoryDC ownDC_;
    win::BitmapHandle ownBitmap_;
    std::optional<win::SelectGuard> ownSelect_;
    PixelSource pixels_;
};

// The nine pieces of a frame at W x H into dst at (0, 0).
void composeNineSlice(HDC dst, int W, int H, HDC src, const FrameGeometry& f, const RECT& margins,
                      bool tileCentre) {
    const RECT fm = frameMargins(margins, f);
    int L = fm.left, T = fm.top, R = fm.right, B = fm.bottom;
    // Margins collapse in pairs: a target too small for the fixed parts takes the whole frame.
    if (W < L + R) L = R = 0;
    if (H < T + B) T = B = 0;
    const int x0 = f.x0, y0 = f.y0, fw = f.fw, fh = f.fh;
    const RECT centreDst{L, T, W - R, H - B};
    const RECT centreSrc{x0 + L, y0 + T, x0 + fw - R, y0 + fh - B};
    // The nine pieces do not overlap, so the order of the copies does not change a pixel.
    if (L * T > 0) stretch(dst, 0, 0, L, T, src, x0, y0, L, T);
    if (L * B > 0) stretch(dst, 0, H - B, L, B, src, x0, y0 + fh - B, L, B);
    if (R * T > 0) stretch(dst, W - R, 0, R, T, src, x0 + fw - R, y0, R, T);
    if (L > 0) stretch(dst, 0, T, L, H - B - T, src, x0, y0 + T, L, fh - B - T);
    if (T > 0) stretch(dst, L, 0, W - R - L, T, src, x0 + L, y0, fw - R - L, T);
    if (!tileCentre)
        stretch(dst, L, T, RectWidth(centreDst), RectHeight(centreDst), src, centreSrc.left, centreSrc.top,
                RectWidth(centreSrc), RectHeight(centreSrc));
    if (R * B > 0) stretch(dst, W - R, H - B, R, B, src, x0 + fw - R, y0 + fh - B, R, B);
    if (R > 0) stretch(dst, W - R, T, R, H - B - T, src, x0 + fw - R, y0 + T, R, fh - B - T);
    if (B > 0) stretch(dst, L, H - B, W - R - L, B, src, x0 + L, y0 + fh - B, fw - R - L, B);
    const int sw = RectWidth(centreSrc), sh = RectHeight(centreSrc);
    if (tileCentre && !degenerate(centreDst) && sw > 0 && sh > 0) {
        // Tiles repeat from the centre's top-left corner and overrun to the right and bottom;
        // clipping to the centre keeps the edges drawn. The piece lies inside the frame, so it
        // is copied straight from the image.
        win::SaveDCGuard keep(dst);
        IntersectClipRect(dst, centreDst.left, centreDst.top, centreDst.right, centreDst.bottom);
        for (int x = centreDst.left; x < centreDst.right; x += sw)
            for (int y = centreDst.top; y < centreDst.bottom; y += sh)
                BitBlt(dst, x, y, sw, sh, src, centreSrc.left, centreSrc.top, SRCCOPY);
    }
}

void keyCopy(HDC dc, const RECT& destRect, const PixelSource& source, COLORREF key);

// Copies a finished scratch image to its place.
void present(HDC dc, const RECT& dest, const Scratch& piece, bool transparent) {
    if (transparent)
        keyCopy(dc, dest, piece.Pixels(), SKIN_KEY_COLOUR);
    else
        BitBlt(dc, dest.left, dest.top, RectWidth(dest), RectHeight(dest), piece.Get(), 0, 0, SRCCOPY);
}

} // namespace

std::unique_ptr<TBitmap> BuildSkinBitmap(const RECT& destRect, TBitmap& image, const RECT& margins,
                                         bool framesVertical, bool tileCentre, int frameCount,
                                         int frameIndex) {
    const FrameGeometry f = frameOf(image, framesVertical, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return nullptr;
    auto result = std::make_unique<TBitmap>(RectWidth(destRect), RectHeight(destRect), pf24bit);
    HDC dst = result->Canvas().Handle();
    SetStretchBltMode(dst, COLORONCOLOR);
    composeNineSlice(dst, RectWidth(destRect), RectHeight(destRect), sourceDC(image), f, margins, tileCentre);
    return result;
}

void DrawSkinObject(HDC dc, const RECT& destRect, TBitmap& image, bool framesVertical, bool tileCentre,
                    bool transparent, int frameCount, int frameIndex, const RECT& margins) {
    const FrameGeometry f = frameOf(image, framesVertical, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return;
    Scratch piece(RectWidth(destRect), RectHeight(destRect));
    if (!piece) return;
    composeNineSlice(piece.Get(), RectWidth(destRect), RectHeight(destRect), sourceDC(image), f, margins,
                     tileCentre);
    present(dc, destRect, piece, transparent);
}

void DrawSkinStrip(HDC dc, const RECT& destRect, TBitmap& image, bool framesVertical, bool transparent,
                   int frameCount, int frameIndex, const RECT& margins) {
    const FrameGeometry f = frameOf(image, framesVertical, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return;
    const int W = RectWidth(destRect), H = RectHeight(destRect);
    const RECT fm = frameMargins(margins, f);
    const int L = fm.left, R = fm.right;
    Scratch strip(W, H);
    if (!strip) return;
    HDC dst = strip.Get(), s = sourceDC(image);
    stretch(dst, 0, 0, L, H, s, f.x0, f.y0, L, f.fh);
    // The middle repeats at its natural width; the right cap then covers any overrun.
    const int m = f.fw - L - R;
    if (m > 0)
        for (int x = L; x < W - R; x += m)
            stretch(dst, x, 0, m, H, s, f.x0 + L, f.y0, m, f.fh);
    stretch(dst, W - R, 0, R, H, s, f.x0 + f.fw - R, f.y0, R, f.fh);
    present(dc, destRect, strip, transparent);
}

void StretchSkinStrip(HDC dc, const RECT& destRect, TBitmap& image, bool framesVertical, int frameCount,
                      int frameIndex, const RECT& margins) {
    const FrameGeometry f = frameOf(image, framesVertical, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return;
    const int W = RectWidth(destRect), H = RectHeight(destRect);
    const RECT fm = frameMargins(margins, f);
    const int L = fm.left, R = fm.right;
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
    Scratch piece(RectWidth(destRect), RectHeight(destRect));
    if (!piece) return;
    stretch(piece.Get(), 0, 0, RectWidth(destRect), RectHeight(destRect), sourceDC(image), f.x0, 0, f.fw,
            image.Height());
    present(dc, destRect, piece, transparent);
}

void DrawSkinFrameCentered(HDC dc, const RECT& destRect, TBitmap& image, bool transparent, int frameCount,
                           int frameIndex) {
    const FrameGeometry f = frameOf(image, false, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return;
    const int h = image.Height();
    Scratch piece(f.fw, h);
    if (!piece) return;
    BitBlt(piece.Get(), 0, 0, f.fw, h, sourceDC(image), f.x0, 0, SRCCOPY);
    const int x = destRect.left + (RectWidth(destRect) - f.fw) / 2;
    const int y = destRect.top + (RectHeight(destRect) - h) / 2;
    present(dc, RECT{x, y, x + f.fw, y + h}, piece, transparent);
}

void TileBitmap(HDC dc, const RECT& destRect, TBitmap& image, const RECT& srcRect) {
    const int sw = RectWidth(srcRect), sh = RectHeight(srcRect);
    if (sw <= 0 || sh <= 0 || image.Empty()) return;
    Scratch tile(sw, sh);
    if (!tile) return;
    BitBlt(tile.Get(), 0, 0, sw, sh, sourceDC(image), srcRect.left, srcRect.top, SRCCOPY);
    for (int x = destRect.left; x < destRect.right; x += sw)
        for (int y = destRect.top; y < destRect.bottom; y += sh)
            BitBlt(dc, x, y, sw, sh, tile.Get(), 0, 0, SRCCOPY);
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
bool pixelTarget(HDC dc, const PixelSource& source, PixelTarget& t) {
    if (GetObjectType(dc) != OBJ_MEMDC || !isIdentityMapping(dc)) return false;
    DIBSECTION ds{};
    HGDIOBJ selected = GetCurrentObject(dc, OBJ_BITMAP);
    if (!selected || GetObjectA(selected, sizeof ds, &ds) != int(sizeof ds) || !ds.dsBm.bmBits) return false;
    if (ds.dsBm.bmBits == source.Base()) return false;
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
void keyCopyPixels(const PixelTarget& t, int x, int y, int w, int h, const PixelSource& source,
                   COLORREF key) {
    // In bitmap pixels, clipped; 64-bit so that no rectangle can wrap around into the bitmap.
    const int64_t left = int64_t(x) + t.origin.x, top = int64_t(y) + t.origin.y;
    const int64_t l = std::max<int64_t>(left, t.clip.left), r = std::min<int64_t>(left + w, t.clip.right);
    const int64_t tp = std::max<int64_t>(top, t.clip.top), b = std::min<int64_t>(top + h, t.clip.bottom);
    if (w <= 0 || h <= 0 || l >= r || tp >= b) return;
    const RECT visible{LONG(l), LONG(tp), LONG(r), LONG(b)};
    const int sx = int(l - left), sy = int(tp - top), n = RectWidth(visible);
    const uint32_t k = uint32_t(GetBValue(key) | GetGValue(key) << 8 | GetRValue(key) << 16);
    const int sb = source.bytesPerPixel, db = t.bytesPerPixel;
    auto copy = [&](auto row) {
        for (int j = 0; j < RectHeight(visible); ++j)
            row(source.Row(sy + j) + sb * sx, t.Row(visible.top + j) + db * visible.left);
    };
    // Pending GDI drawing on either bitmap must land before the pixels are read or written.
    GdiFlush();
    if (sb == 3 && db == 3)
        copy([&](const uint8_t* s, uint8_t* d) { keyCopyRow<3, 3>(s, d, n, k); });
    else if (sb == 3)
        copy([&](const uint8_t* s, uint8_t* d) { keyCopyRow<3, 4>(s, d, n, k); });
    else if (db == 3)
        copy([&](const uint8_t* s, uint8_t* d) { keyCopyRow<4, 3>(s, d, n, k); });
    else
        copy([&](const uint8_t* s, uint8_t* d) { keyCopyRow<4, 4>(s, d, n, k); });
}

bool isNtPlatform() {
    return (GetVersion() & 0x80000000u) == 0;
}

// Through GDI, with a monochrome mask that is white where the source has the key colour.
void keyCopyMasked(TKeyCopy how, HDC dc, int x, int y, int w, int h, const PixelSource& source,
                   COLORREF key) {
    HDC src = source.Dc();
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

TKeyCopy choose(HDC dc, const PixelSource& source, COLORREF key, PixelTarget& t) {
    if (source.bytesPerPixel && (key >> 24) == 0 && pixelTarget(dc, source, t)) return TKeyCopy::Pixels;
    return isNtPlatform() ? TKeyCopy::MaskBlt : TKeyCopy::ThreeBlts;
}

// The copy by one way; t is the pixel target when the way is Pixels.
void keyCopyBy(TKeyCopy how, const PixelTarget& t, HDC dc, const RECT& destRect, const PixelSource& source,
               COLORREF key) {
    if (degenerate(destRect) || source.w <= 0 || source.h <= 0) return;
    // Beyond the source there is nothing to copy (and no mask to say so).
    const int w = std::min(RectWidth(destRect), source.w), h = std::min(RectHeight(destRect), source.h);
    if (how == TKeyCopy::Pixels)
        keyCopyPixels(t, destRect.left, destRect.top, w, h, source, key);
    else
        keyCopyMasked(how, dc, destRect.left, destRect.top, w, h, source, key);
}

void keyCopy(HDC dc, const RECT& destRect, const PixelSource& source, COLORREF key) {
    if (degenerate(destRect) || source.w <= 0 || source.h <= 0) return;
    PixelTarget t;
    keyCopyBy(choose(dc, source, key, t), t, dc, destRect, source, key);
}

} // namespace

TKeyCopy ChooseKeyCopy(HDC dc, TBitmap& bitmap, COLORREF keyColour) {
    PixelTarget t;
    return choose(dc, pixelsOf(bitmap), keyColour, t);
}

bool DrawTransparentBitmapBy(TKeyCopy how, HDC dc, const RECT& destRect, TBitmap& bitmap,
                             COLORREF keyColour) {
    PixelTarget t;
    const PixelSource source = pixelsOf(bitmap);
    if (how == TKeyCopy::Pixels && choose(dc, source, keyColour, t) != TKeyCopy::Pixels) return false;
    keyCopyBy(how, t, dc, destRect, source, keyColour);
    return true;
}

void DrawTransparentBitmap(HDC dc, const RECT& destRect, TBitmap& bitmap, COLORREF keyColour) {
    if (!bitmap.Empty()) keyCopy(dc, destRect, pixelsOf(bitmap), keyColour);
}
