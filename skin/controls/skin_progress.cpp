// TSkinProgress: a progress bar stretched from the skin's bar image, or filled with its chunk.
#include <windows.h>

#include <commctrl.h>

#include "skin/controls/range_geometry.h"
#include "skin/controls/skin_ranges.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "skin/res/win/bitmap_ops.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"

const TClassInfo& TSkinProgress::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinProgress>("TSkinProgress", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

// Progress Style 1 fills with chunks.
constexpr int kChunkStyle = 1;

TDataSkinBorder* barImage(TSkinData* skin) {
    TDataSkinBorder* bar = skin ? skin->Progress.get() : nullptr;
    return bar && !bar->Bitmap.Empty() ? bar : nullptr;
}

void stretch(HDC dc, int x, int y, int w, int h, TBitmap& image, int sx, int sy, int sw, int sh) {
    if (w <= 0 || h <= 0 || sw <= 0 || sh <= 0) return;
    StretchBlt(dc, x, y, w, h, image.Canvas().Handle(), sx, sy, sw, sh, SRCCOPY);
}

} // namespace

bool TSkinProgress::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    switch (m.Msg) {
    case WM_PAINT: {
        // Without a bar image the bar paints itself.
        if (!barImage(SkinData)) return true;
        RECT client{};
        GetClientRect(Handle, &client);
        paintMessage(HDC(m.WParam), client);
        m.Result = 0;
        return false;
    }
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return true;
    }
}

void TSkinProgress::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    // The bar may draw its new position straight to the screen.
    case PBM_SETPOS:
    case PBM_DELTAPOS:
    case PBM_STEPIT:
    case PBM_SETRANGE:
    case PBM_SETRANGE32:
        if (barImage(SkinData)) InvalidateRect(Handle, nullptr, FALSE);
        break;
    default: TSkinControl::AfterDefault(m);
    }
}

void TSkinProgress::DrawSkin(HDC dc, const RECT& rect) {
    if (!barImage(SkinData)) return;
    // A vertical bar is drawn lying down and turned a quarter anticlockwise, so it fills upward.
    const bool vertical = GetLong(Handle, GWL_STYLE) & PBS_VERTICAL;
    const int w = vertical ? RectHeight(rect) : RectWidth(rect);
    const int h = vertical ? RectWidth(rect) : RectHeight(rect);
    if (w <= 0 || h <= 0) return;
    TBitmap work(w, h, pf24bit);
    HDC wdc = work.Canvas().Handle();
    FillFace(wdc, RECT{0, 0, w, h});
    if (SkinData->Progress->Style == kChunkStyle)
        drawChunks(wdc, w, h);
    else
        drawStretched(wdc, w, h);
    if (vertical) qs::RotateLeft(work);
    BitBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), work.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinProgress::drawStretched(HDC dc, int w, int h) {
    TDataSkinBorder& bar = *SkinData->Progress;
    const bool tile = bar.Tile != 0;
    DrawSkinObject(dc, RECT{0, 0, w, h}, bar.Bitmap, false, tile, true, 2, 1, bar.Margins());
    const int pos = int(SendMessageA(Handle, PBM_GETPOS, 0, 0));
    const int hi = int(SendMessageA(Handle, PBM_GETRANGE, FALSE, 0));
    const int lo = int(SendMessageA(Handle, PBM_GETRANGE, TRUE, 0));
    const int fill = StretchedFill(w, pos, lo, hi);
    if (fill > 0) DrawSkinObject(dc, RECT{0, 0, fill, h}, bar.Bitmap, false, tile, true, 2, 2, bar.Margins());
}

void TSkinProgress::drawChunks(HDC dc, int w, int h) {
    TDataSkinBorder& bar = *SkinData->Progress;
    DrawSkinObject(dc, RECT{0, 0, w, h}, bar.Bitmap, false, false, true, 1, 1, bar.Margins());
    TDataSkinObject* chunk = SkinData->ProgressChunk.get();
    if (!chunk || chunk->Bitmap.Empty()) return;
    const int pos = int(SendMessageA(Handle, PBM_GETPOS, 0, 0));
    const int hi = int(SendMessageA(Handle, PBM_GETRANGE, FALSE, 0));
    const int fill = ChunkFill(w, pos, hi);
    TBitmap& image = chunk->Bitmap;
    const int cw = image.Width(), ch = image.Height();
    if (fill <= 0 || cw <= 0 || ch <= 0) return;
    if (chunk->Tile == 1) {
        TBitmap strip(fill, ch, pf24bit);
        for (int i = 0; i <= fill / cw; ++i)
            BitBlt(strip.Canvas().Handle(), i * cw, 0, cw, ch, image.Canvas().Handle(), 0, 0, SRCCOPY);
        const int x = chunk->LeftWidth + 2, y = (h - ch) / 2;
        DrawTransparentBitmap(dc, RECT{x, y, x + fill, y + ch}, strip, SKIN_KEY_COLOUR);
        return;
    }
    if (h <= 4) return;
    // Each part spans the bar's full height; the strip, 4 pixels shorter, cuts it.
    TBitmap strip(fill, h - 4, pf24bit);
    HDC sdc = strip.Canvas().Handle();
    const int oldMode = SetStretchBltMode(sdc, COLORONCOLOR);
    const int lw = chunk->LeftWidth, rw = chunk->RightWidth;
    if (fill < cw) {
        stretch(sdc, 0, 0, fill, h, image, 0, 0, cw, ch);
    } else {
        stretch(sdc, 0, 0, lw, h, image, 0, 0, lw, ch);
        stretch(sdc, lw, 0, fill - lw - rw, h, image, lw, 0, cw - lw - rw, ch);
        stretch(sdc, fill - rw, 0, rw, h, image, cw - rw, 0, rw, ch);
    }
    SetStretchBltMode(sdc, oldMode);
    DrawTransparentBitmap(dc, RECT{2, 2, 2 + fill, h - 2}, strip, SKIN_KEY_COLOUR);
}
