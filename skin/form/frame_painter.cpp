// The skinned frame's painter.
#include "skin/form/frame_painter.h"

#include <algorithm>

#include "skin/core/skin_data.h"
#include "skin/paint/face_state.h"
#include "skin/paint/skin_paint.h"
#include "skin/paint/skin_region.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

namespace {

TColor resolve(TColor c) {
    return c < 0 ? TColor(GetSysColor(c & 0xFF)) : c;
}

TFaceState activity(bool active) {
    TFaceState s;
    s.Active = active;
    return s;
}

void paintPiece(HDC dc, TDataSkinBorder& border, const RECT& r, bool vertical, bool active) {
    if (RectWidth(r) <= 0 || RectHeight(r) <= 0) return;
    if (std::unique_ptr<TBitmap> piece = BuildBorderPiece(border, r, vertical, active))
        BitBlt(dc, r.left, r.top, RectWidth(r), RectHeight(r), piece->Canvas().Handle(), 0, 0, SRCCOPY);
}

void paintCaptionText(HDC dc, const TFrameLayout& l, TSkinData& skin, HFONT font) {
    TDataSkinTitle& title = *skin.Title;
    win::SaveDCGuard saved(dc);
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, resolve(skin.Colour(l.Active ? scTitleTextActive : scTitleTextNoActive)));
    if (!title.Bitmap.Empty()) {
        const RECT back{l.CaptionTextRect.left, l.Caption.top, l.CaptionTextRect.right, l.Caption.bottom};
        DrawSkinStrip(dc, back, title.Bitmap, true, true, 2, FaceFrame(activity(l.Active), kFrameActivity, 2),
                      RECT{title.TXTBackleft, 0, title.TXTBackRight, 0});
    }
    RECT r = l.TextRect;
    DrawTextW(dc, l.Text.c_str(), int(l.Text.size()), &r, l.TextFormat);
}

void paintButtonImage(HDC dc, const TCaptionButtonPlace& b, int frame, const TFrameArt& art) {
    if (IsIconAction(b.Data->Action) && art.DrawIcon)
        art.DrawIcon(dc, b.Rect);
    else
        DrawSkinFrame(dc, b.Rect, *b.Image, true, b.Frames, frame);
}

// The buttons at rest; the menu band's buttons belong to the menu band's painter.
void paintButtons(HDC dc, const TFrameLayout& l, const TFrameArt& art) {
    for (const TCaptionButtonPlace& b : l.Buttons) {
        if (!b.Placed || b.Data->Visibility == cvMenuBand) continue;
        TFaceState s;
        s.Enabled = b.Enabled;
        s.Active = l.Active;
        paintButtonImage(dc, b, FaceFrame(s, kCaptionButtonAtRest, b.Frames), art);
    }
}

} // namespace

std::unique_ptr<TBitmap> BuildBorderPiece(TDataSkinBorder& border, const RECT& r, bool framesVertical,
                                          bool active) {
    const int frame = FaceFrame(activity(active), kFrameActivity, border.Frames());
    // The borders keep their "<side>Stretch" key in Tile: anything but 1 tiles the centre.
    return BuildSkinBitmap(r, border.Bitmap, border.Margins(), framesVertical, border.Tile != 1,
                           border.Frames(), frame);
}

win::RegionHandle FrameRegion(TSkinData& skin, int borderKind, const TFrameMetrics& m, int w, int h,
                              bool active) {
    TSkinBorders& b = skin.Borders;
    if (b.Right->Trans + b.Top->Trans + 2 * b.Left->Trans == 0)
        return win::RegionHandle(CreateRectRgn(0, 0, w, h));
    win::RegionHandle region(
        CreateRectRgn(m.BorderLeft, m.CaptionHeight, w - m.BorderRight, h - m.BorderBottom));
    if (borderKind == bkNoCaption) return region;
    auto piece = [&](TDataSkinBorder& border, const RECT& r, bool vertical, bool fromImage) {
        if (fromImage)
            if (std::unique_ptr<TBitmap> bmp = BuildBorderPiece(border, r, vertical, active))
                return RegionFromBitmap(*bmp, r.left, r.top, 1, 1, 1, SKIN_KEY_COLOUR);
        return win::RegionHandle(CreateRectRgn(r.left, r.top, r.right, r.bottom));
    };
    const RECT topRect{m.BorderLeft, 0, w - m.BorderRight, m.CaptionHeight};
    win::RegionHandle left = piece(*b.Left, RECT{0, 0, m.BorderLeft, h}, false, b.Left->Trans == 1 && h > 1);
    win::RegionHandle right =
        piece(*b.Right, RECT{w - m.BorderRight, 0, w, h}, false, b.Right->Trans == 1 && h > 1);
    win::RegionHandle bottom = piece(*b.Bottom, RECT{m.BorderLeft, h - m.BorderBottom, w - m.BorderRight, h},
                                     true, b.Bottom->Trans == 1 && m.BorderBottom >= 2);
    win::RegionHandle top =
        piece(*b.Top, topRect, true, b.Top->Trans == 1 && m.CaptionHeight > 1 && RectWidth(topRect) > 0);
    CombineRgn(left.Get(), left.Get(), right.Get(), RGN_OR);
    CombineRgn(bottom.Get(), bottom.Get(), top.Get(), RGN_OR);
    CombineRgn(region.Get(), region.Get(), left.Get(), RGN_OR);
    CombineRgn(region.Get(), region.Get(), bottom.Get(), RGN_OR);
    return region;
}

void DrawCaptionBand(HDC dc, const TFrameLayout& l, TSkinData& skin, const TFrameArt& art, TBitmap& band) {
    const int w = RectWidth(l.Band), h = RectHeight(l.Band);
    if (w <= 0 || h <= 0) return;
    if (band.Width() != w || band.Height() != h) band.SetSize(w, h);
    HDC bdc = band.Canvas().Handle();
    if (l.Minimized) {
        FillRect(bdc, &l.Band, skin.FaceBrush());
    } else {
        // The side borders have painted the caption's corners already: keep them.
        BitBlt(bdc, 0, 0, w, h, dc, 0, 0, SRCCOPY);
    }
    if (RectWidth(l.Caption) > 0 && RectHeight(l.Caption) > 0)
        if (std::unique_ptr<TBitmap> top = BuildBorderPiece(*skin.Borders.Top, l.Caption, true, l.Active))
            BitBlt(bdc, l.Caption.left, l.Caption.top, RectWidth(l.Caption), RectHeight(l.Caption),
                   top->Canvas().Handle(), 0, 0, SRCCOPY);
    paintCaptionText(bdc, l, skin, art.CaptionFont);
    paintButtons(bdc, l, art);
    BitBlt(dc, 0, 0, w, h, bdc, 0, 0, SRCCOPY);
    SetBkMode(dc, OPAQUE);
}

void DrawFrame(HDC dc, const TFrameLayout& l, TSkinData& skin, const TFrameArt& art, TBitmap& band) {
    if (l.Minimized) {
        DrawCaptionBand(dc, l, skin, art, band);
        return;
    }
    TSkinBorders& b = skin.Borders;
    // Left and right run the full height and carry the corners.
    paintPiece(dc, *b.Left, l.Left, false, l.Active);
    paintPiece(dc, *b.Right, l.Right, false, l.Active);
    paintPiece(dc, *b.Bottom, l.Bottom, true, l.Active);
    DrawCaptionBand(dc, l, skin, art, band);
    if (l.MenuHeight > 0) {
        if (art.DrawMenuBand)
            art.DrawMenuBand(dc, l.MenuBand);
        else
            FillRect(dc, &l.MenuBand, skin.FaceBrush());
    }
}

void DrawCaptionButton(HDC dc, const TCaptionButtonPlace& b, const TFaceState& state, const TFrameArt& art) {
    if (!b.Image || b.Image->Empty()) return;
    const std::span<const TFaceRule> map = b.Data->Visibility == cvMenuBand
                                               ? std::span<const TFaceRule>(kMenuBandButtonState)
                                               : kCaptionButtonState;
    paintButtonImage(dc, b, FaceFrame(state, map, b.Frames), art);
}
