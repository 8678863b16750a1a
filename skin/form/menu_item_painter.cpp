// Owner-drawn menu items on the skin.
#include "skin/form/menu_item_painter.h"

#include <algorithm>

#include "skin/core/skin_data.h"
#include "skin/paint/face_state.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/graphics/image_list.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

namespace {

// Glyph column: images of the menu's list, or the 16-pixel check box.
constexpr int kGlyph = 16;
// Item faces of the MenuItem image.
constexpr int kItemFrames = 5, kSeparatorFrame = 2;
// Text formats: measured, drawn, and their right-to-left forms.
constexpr UINT kMeasure = DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | DT_SINGLELINE;
constexpr UINT kDraw = DT_EXPANDTABS | DT_SINGLELINE;
constexpr UINT kRtl = DT_RIGHT | DT_RTLREADING;
// The system's check-mark bitmap (OBM_CHECK, which windows.h names only with OEMRESOURCE).
constexpr WORD kCheckMarkBitmap = 32760;

COLORREF rgb(TColor c) {
    return COLORREF(ColorToRGB(c));
}

bool hasImage(const TMenuItemFace& f) {
    return f.Images && f.ImageIndex >= 0 && f.ImageIndex < f.Images->Count();
}

// The glyph box, the text rectangle beside it, and where a shortcut goes.
struct TContentLayout {
    RECT Box{};
    RECT Text{};
    int Glyph = kGlyph;
};

TContentLayout layoutContent(const RECT& rect, const TSkinData& skin, const TMenuItemFace& f) {
    TContentLayout l;
    l.Glyph = f.Images ? f.Images->Width() : kGlyph;
    if (f.Checked && l.Glyph < kGlyph) l.Glyph = kGlyph;
    const int margin = skin.MenuItem ? skin.MenuItem->LeftWidth : 0;
    if (f.IsSeparator()) {
        l.Box = RECT{0, rect.top + 1, 0, rect.top + 1 + l.Glyph};
    } else if (f.RightToLeft) {
        const int right = rect.right - 1 - margin;
        l.Box = RECT{right - l.Glyph, rect.top + 1, right, rect.top + 1 + l.Glyph};
    } else {
        const int left = rect.left + 1 + margin;
        l.Box = RECT{left, rect.top + 1, left + l.Glyph, rect.top + 1 + l.Glyph};
    }
    if (f.RightToLeft && !f.IsSeparator())
        l.Text = RECT{rect.left + 1, rect.top, l.Box.left - 3, rect.bottom};
    else
        l.Text = RECT{l.Box.right + 3, rect.top, rect.right - 1, rect.bottom};
    return l;
}

// The system's check mark, drawn with its white left out, in the button-text colour.
void drawCheckMark(HDC dc, const RECT& rect, const TContentLayout& l) {
    win::BitmapHandle check(LoadBitmapA(nullptr, MAKEINTRESOURCEA(kCheckMarkBitmap)));
    BITMAP info{};
    if (!check || !GetObjectA(check.Get(), sizeof info, &info)) return;
    const int x = l.Box.left + (l.Glyph - info.bmWidth) / 2 + 1;
    const int y = rect.top + (RectHeight(rect) - info.bmHeight) / 2 + 1;
    win::MemoryDC source(dc);
    win::SelectGuard selected(source.Get(), check.Get());
    // A monochrome source: SRCAND with black text keeps the stroke, white lets the item through.
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), back = SetBkColor(dc, RGB(255, 255, 255));
    win::BrushHandle ink(CreateSolidBrush(GetSysColor(COLOR_BTNTEXT)));
    win::SelectGuard brush(dc, ink.Get());
    // Where the mark is black the ink goes in; elsewhere the item stays: (S & D) | (~S & P).
    BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source.Get(), 0, 0, 0x00B8074A);
    SetTextColor(dc, text);
    SetBkColor(dc, back);
}

// A radio item's bullet, centred in the glyph box.
void drawBullet(HDC dc, const TContentLayout& l, COLORREF colour) {
    const int cx = (l.Box.left + l.Box.right) / 2, cy = (l.Box.top + l.Box.bottom) / 2;
    win::BrushHandle ink(CreateSolidBrush(colour));
    win::PenHandle edge(CreatePen(PS_SOLID, 1, colour));
    win::SelectGuard b(dc, ink.Get()), p(dc, edge.Get());
    Ellipse(dc, cx - 3, cy - 3, cx + 4, cy + 4);
}

void drawGlyph(HDC dc, const RECT& rect, const TMenuItemFace& f, TContentLayout& l, COLORREF textColour) {
    if (hasImage(f)) {
        if (f.Checked) {
            // The checked look: a checker of face and highlight behind the image, sunken.
            const WORD bits[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
            win::BitmapHandle pattern(CreateBitmap(8, 8, 1, 1, bits));
            win::BrushHandle checker(CreatePatternBrush(pattern.Get()));
            const COLORREF text = SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
            const COLORREF back = SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
            FillRect(dc, &l.Box, checker.Get());
            SetTextColor(dc, text);
            SetBkColor(dc, back);
        }
        const int glyphHeight = f.Checked ? kGlyph : f.Images->Height();
        l.Box.top = rect.top + (RectHeight(rect) - glyphHeight) / 2;
        if (f.Checked) DrawEdge(dc, &l.Box, BDR_SUNKENOUTER, BF_RECT);
        f.Images->Draw(dc, l.Box.left, l.Box.top, f.ImageIndex, f.Enabled);
    } else if (f.Checked && f.Radio) {
        drawBullet(dc, l, textColour);
    } else if (f.Checked) {
        drawCheckMark(dc, rect, l);
    }
}

// The menu font in bold, for default items.
win::FontHandle boldOf(HDC dc) {
    LOGFONTW lf{};
    GetObjectW(GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf);
    lf.lfWeight = FW_BOLD;
    return win::FontHandle(CreateFontIndirectW(&lf));
}

void fillColour(HDC dc, const RECT& r, TColor colour) {
    win::BrushHandle brush(CreateSolidBrush(rgb(colour)));
    FillRect(dc, &r, brush.Get());
}

// The item's bitmap with its background: the menu window's piece behind it, or the Menu colour.
void paintBackdrop(TBitmap& item, const RECT& rect, const TSkinData& skin, const TMenuItemBackdrop& b) {
    HDC dc = item.Canvas().Handle();
    const RECT all{0, 0, RectWidth(rect), RectHeight(rect)};
    if (b.Image && !b.Image->Empty()) {
        BitBlt(dc, 0, 0, all.right, all.bottom, b.Image->Canvas().Handle(), rect.left + b.Offset.x,
               rect.top + b.Offset.y, SRCCOPY);
        return;
    }
    fillColour(dc, all, skin.Colour(scMenu));
}

} // namespace

int MenuItemExtraWidth(const TSkinData& skin, bool hasImages, bool mainMenuItem) {
    // The margin is part of a frame of the item image: a skin's larger or negative value gave
    // items wider than any bitmap (2147483647 overflowed the width), and their painting threw.
    const int frame = skin.MenuItem ? skin.MenuItem->Bitmap.Width() / kItemFrames : 0;
    const int margin = skin.MenuItem ? std::clamp(int(skin.MenuItem->LeftWidth), 0, frame) : 0;
    return margin + (hasImages ? (mainMenuItem ? 10 : 12) : 35);
}

void DrawMenuItemContent(HDC dc, const RECT& rect, TSkinData& skin, const TMenuItemFace& f) {
    win::SaveDCGuard saved(dc);
    SetBkMode(dc, TRANSPARENT);
    TContentLayout l = layoutContent(rect, skin, f);
    COLORREF colour = rgb(f.Selected ? skin.Colour(scHilightText) : skin.Colour(scMenuText));
    if (!f.Enabled)
        colour = skin.Colour(scButtonShadow) == skin.Colour(scMenuText) ? GetSysColor(COLOR_BTNSHADOW)
                                                                        : rgb(skin.Colour(scButtonShadow));
    if (f.IsSeparator()) {
        RECT line = l.Text;
        OffsetRect(&line, 0, 4);
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    drawGlyph(dc, rect, f, l, colour);

    // The bold font is deselected (the guard, declared after it) before it is deleted.
    win::FontHandle bold(f.Default ? boldOf(dc) : win::FontHandle());
    win::SelectGuard boldSelected(dc, bold.Get());
    SetTextColor(dc, colour);
    const UINT rtl = f.RightToLeft ? kRtl : 0;
    std::wstring measured = f.Caption;
    if (measured.empty() || measured == L"&") measured += L' ';
    RECT text = l.Text;
    DrawTextW(dc, measured.c_str(), int(measured.size()), &text, kMeasure | rtl);
    const int drop = (RectHeight(l.Text) - RectHeight(text)) / 2;
    RECT placed = l.Text;
    OffsetRect(&placed, 0, drop);
    DrawTextW(dc, f.Caption.c_str(), int(f.Caption.size()), &placed, kDraw | rtl);
    if (!f.ShortCut.empty()) {
        // The caption was measured from the text rectangle's left; right to left it ends at its right.
        const int captionWidth = RectWidth(text);
        RECT shortcut = f.RightToLeft
                            ? RECT{rect.left + 11, placed.top, l.Text.right - captionWidth, placed.bottom}
                            : RECT{text.right, placed.top, rect.right - 11, placed.bottom};
        DrawTextW(dc, f.ShortCut.c_str(), int(f.ShortCut.size()), &shortcut,
                  kDraw | (f.RightToLeft ? DT_RTLREADING : DT_RIGHT));
    }
}

void DrawSkinSeparator(HDC dc, const RECT& rect, TSkinData& skin) {
    if (!skin.MenuItem || skin.MenuItem->Bitmap.Empty() || RectWidth(rect) <= 0 || RectHeight(rect) <= 0)
        return;
    TDataSkinObject& item = *skin.MenuItem;
    TBitmap& image = item.Bitmap;
    const int fw = image.Width() / kItemFrames, x0 = fw * (kSeparatorFrame - 1);
    const int w = RectWidth(rect), h = RectHeight(rect);
    // The separator sits at the bottom of its frame: a low item takes the frame's bottom rows.
    const int top = h < image.Height() ? image.Height() - h : 0;
    const int rows = std::min(h, image.Height() - top);
    const int left = std::clamp(int(item.LeftWidth), 0, std::min(fw, w));
    const int right = std::clamp(int(item.RightWidth), 0, std::min(fw - left, w - left));
    if (fw <= 0 || rows <= 0) return;
    TBitmap strip(w, h, pf24bit);
    HDC sdc = strip.Canvas().Handle();
    win::BrushHandle key(CreateSolidBrush(SKIN_KEY_COLOUR));
    const RECT all{0, 0, w, h};
    FillRect(sdc, &all, key.Get());
    SetStretchBltMode(sdc, COLORONCOLOR);
    HDC src = image.Canvas().Handle();
    StretchBlt(sdc, 0, 0, left, h, src, x0, top, left, rows, SRCCOPY);
    StretchBlt(sdc, w - right, 0, right, h, src, x0 + fw - right, top, right, rows, SRCCOPY);
    if (fw - left - right > 0)
        StretchBlt(sdc, left, 0, w - left - right, h, src, x0 + left, top, fw - left - right, rows, SRCCOPY);
    DrawTransparentBitmap(dc, rect, strip, SKIN_KEY_COLOUR);
}

void DrawPlainMenuItem(HDC dc, const RECT& rect, TSkinData& skin, const TMenuItemFace& f, HFONT font) {
    if (RectWidth(rect) <= 0 || RectHeight(rect) <= 0) return;
    TBitmap item(RectWidth(rect), RectHeight(rect), pf24bit);
    HDC idc = item.Canvas().Handle();
    const RECT local{0, 0, RectWidth(rect), RectHeight(rect)};
    fillColour(idc, local, f.Selected ? skin.Colour(scHilight) : skin.Colour(scMenu));
    {
        win::SelectGuard selected(idc, font);
        DrawMenuItemContent(idc, local, skin, f);
    }
    BitBlt(dc, rect.left, rect.top, local.right, local.bottom, idc, 0, 0, SRCCOPY);
}

void DrawSkinMenuItem(HDC dc, const RECT& rect, TSkinData& skin, const TMenuItemFace& f,
                      const TMenuItemBackdrop& backdrop, HFONT font, bool separatorFrame) {
    if (!skin.MenuItem) {
        DrawPlainMenuItem(dc, rect, skin, f, font);
        return;
    }
    if (RectWidth(rect) <= 0 || RectHeight(rect) <= 0) return;
    TBitmap item(RectWidth(rect), RectHeight(rect), pf24bit);
    paintBackdrop(item, rect, skin, backdrop);
    HDC idc = item.Canvas().Handle();
    const RECT local{0, 0, RectWidth(rect), RectHeight(rect)};
    if (f.IsSeparator() && separatorFrame) {
        BitBlt(dc, rect.left, rect.top, local.right, local.bottom, idc, 0, 0, SRCCOPY);
        DrawSkinSeparator(dc, rect, skin);
        return;
    }
    TDataSkinObject& face = *skin.MenuItem;
    TFaceState state;
    state.Hot = f.Selected;
    DrawSkinObject(idc, local, face.Bitmap, false, face.Tile == 1, face.Trans != 0, kItemFrames,
                   FaceFrame(state, kMenuItemFace, kItemFrames), face.Margins());
    {
        win::SelectGuard selected(idc, font);
        DrawMenuItemContent(idc, local, skin, f);
    }
    BitBlt(dc, rect.left, rect.top, local.right, local.bottom, idc, 0, 0, SRCCOPY);
}
