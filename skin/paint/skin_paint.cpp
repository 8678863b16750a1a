// Nine-slice, strip and frame copies of skin images.
#include "skin/paint/skin_paint.h"

#include <algorithm>

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

// The image selected into a memory DC for one scope.
class SourceDC {
  public:
    explicit SourceDC(TBitmap& image) : dc_(nullptr), select_(dc_.Get(), image.Handle()) {}
    HDC Get() const { return dc_.Get(); }

  private:
    win::MemoryDC dc_;
    win::SelectGuard select_;
};

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
    SourceDC src(piece);
    BitBlt(dc, dest.left, dest.top, width(dest), height(dest), src.Get(), 0, 0, SRCCOPY);
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
        SourceDC src(image);
        HDC s = src.Get();
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
        SourceDC src(image);
        HDC s = src.Get();
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
    SourceDC src(image);
    win::SaveDCGuard keep(dc);
    SetStretchBltMode(dc, COLORONCOLOR);
    if (W < f.fw) {
        stretch(dc, destRect.left, destRect.top, W, H, src.Get(), f.x0, f.y0, f.fw, f.fh);
        return;
    }
    stretch(dc, destRect.left, destRect.top, L, H, src.Get(), f.x0, f.y0, L, f.fh);
    stretch(dc, destRect.left + L, destRect.top, W - L - R, H, src.Get(), f.x0 + L, f.y0, f.fw - L - R, f.fh);
    stretch(dc, destRect.right - R, destRect.top, R, H, src.Get(), f.x0 + f.fw - R, f.y0, R, f.fh);
}

void DrawSkinFrame(HDC dc, const RECT& destRect, TBitmap& image, bool transparent, int frameCount,
                   int frameIndex) {
    const FrameGeometry f = frameOf(image, false, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return;
    auto piece = scratch(width(destRect), height(destRect));
    {
        SourceDC src(image);
        stretch(piece->Canvas().Handle(), 0, 0, width(destRect), height(destRect), src.Get(), f.x0, 0, f.fw,
                image.Height());
    }
    present(dc, destRect, *piece, transparent);
}

void DrawSkinFrameCentered(HDC dc, const RECT& destRect, TBitmap& image, bool transparent, int frameCount,
                           int frameIndex) {
    const FrameGeometry f = frameOf(image, false, frameCount, frameIndex);
    if (degenerate(destRect) || !f.valid()) return;
    const int h = image.Height();
    auto piece = scratch(f.fw, h);
    {
        SourceDC src(image);
        BitBlt(piece->Canvas().Handle(), 0, 0, f.fw, h, src.Get(), f.x0, 0, SRCCOPY);
    }
    const int x = destRect.left + (width(destRect) - f.fw) / 2;
    const int y = destRect.top + (height(destRect) - h) / 2;
    present(dc, RECT{x, y, x + f.fw, y + h}, *piece, transparent);
}

void TileBitmap(HDC dc, const RECT& destRect, TBitmap& image, const RECT& srcRect) {
    const int sw = width(srcRect), sh = height(srcRect);
    if (sw <= 0 || sh <= 0 || image.Empty()) return;
    TBitmap tile(sw, sh, pf24bit);
    {
        SourceDC src(image);
        BitBlt(tile.Canvas().Handle(), 0, 0, sw, sh, src.Get(), srcRect.left, srcRect.top, SRCCOPY);
    }
    SourceDC src(tile);
    for (int x = destRect.left; x < destRect.right; x += sw)
        for (int y = destRect.top; y < destRect.bottom; y += sh)
            BitBlt(dc, x, y, sw, sh, src.Get(), 0, 0, SRCCOPY);
}

void DrawTransparentBitmap(HDC dc, const RECT& destRect, TBitmap& bitmap, COLORREF keyColour) {
    if (degenerate(destRect) || bitmap.Empty()) return;
    // Beyond the bitmap there is nothing to copy (and no mask to say so).
    const int w = std::min(width(destRect), bitmap.Width()), h = std::min(height(destRect), bitmap.Height());
    SourceDC src(bitmap);
    // Monochrome mask: copying colour to mono makes the source's background colour white.
    win::BitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
    if (!mask) return;
    {
        win::MemoryDC maskDC(dc);
        win::SelectGuard selectMask(maskDC.Get(), mask.Get());
        const COLORREF oldBk = SetBkColor(src.Get(), keyColour);
        BitBlt(maskDC.Get(), 0, 0, w, h, src.Get(), 0, 0, SRCCOPY);
        SetBkColor(src.Get(), oldBk);
    }
    // Where the mask is white the destination stays; elsewhere the source is copied.
    MaskBlt(dc, destRect.left, destRect.top, w, h, src.Get(), 0, 0, mask.Get(), 0, 0, 0xCCAA0029);
}
