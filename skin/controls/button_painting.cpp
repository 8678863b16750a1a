// Shared pieces of the push-button painters.
#include "skin/controls/button_painting.h"

#include <algorithm>

#include "skin/core/skin_control.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"

std::wstring PrepareButtonCaption(std::wstring caption) {
    const size_t bars = caption.find(L"||");
    if (bars != std::wstring::npos) caption.replace(bars, 2, L"\r\n");
    return caption;
}

TColor ButtonTextColour(const TDataSkinButton& buttons, int face, bool enabled, TColor start,
                        TColour2Use use) {
    TColor colour = start;
    if (buttons.HasNormalColour2 && (use == TColour2Use::Always || face == ffNormal))
        colour = buttons.NormalColour2;
    if (face == ffHot && buttons.HasMouseOverColour2) colour = buttons.MouseOverColour2;
    if (face == ffPressed && buttons.HasPressedColour2) colour = buttons.PressedColour2;
    if (!enabled) colour = clBtnShadow;
    return colour;
}

void DrawCentredCaption(HDC dc, const std::wstring& caption, const RECT& client, UINT extraFlags,
                        bool focusRect) {
    constexpr UINT kLayout = DT_WORDBREAK | DT_EXPANDTABS | DT_CENTER;
    RECT measured = client;
    InflateRect(&measured, -2, -2);
    DrawSkinText(dc, caption, measured, kLayout | DT_CALCRECT | DT_NOCLIP | extraFlags);
    const int tw = RectWidth(measured), th = RectHeight(measured);
    const int left = client.left + (RectWidth(client) - tw) / 2;
    const int top = client.top + (RectHeight(client) - th) / 2 - 1;
    RECT text{left, top, left + tw, top + th};
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawSkinText(dc, caption, text, kLayout | extraFlags);
    SetBkMode(dc, oldMode);
    if (focusRect) {
        InflateRect(&text, 2, 2);
        DrawFocusRect(dc, &text);
    }
}

TMenuButtonRow LayoutMenuButton(int client, int glyph, int text, int margin, int spacing) {
    constexpr int half = kMenuArrowWidth / 2;
    if (margin == -1) {
        if (spacing == -1) {
            margin = (client - (glyph + text + kMenuArrowWidth)) / 4;
            spacing = margin;
        } else {
            margin = (client - (glyph + text + 2 * spacing + kMenuArrowWidth)) / 2;
        }
    } else if (spacing == -1) {
        // The arrow's middle sits two spacings after the caption: its room then ends one margin
        // before the right edge.
        spacing = std::max(0, (client - 2 * margin - glyph - text - half) / 3);
    }
    TMenuButtonRow row;
    row.GlyphX = margin;
    row.TextX = margin + glyph + spacing;
    row.ArrowX = std::min(row.TextX + text + 2 * spacing, client - half);
    return row;
}

TGlyphIndex GlyphIndexFor(int face, bool down) {
    if (down) return giDown;
    if (face == ffDisabled) return giDisabled;
    if (face == ffPressed) return giPressed;
    return giNormal;
}

int GlyphCell(TGlyphIndex index, int numGlyphs) {
    return numGlyphs < int(index) ? 0 : int(index) - 1;
}

void DrawGlyphCell(HDC dc, TBitmap& glyph, int numGlyphs, TGlyphIndex index, POINT pos) {
    if (glyph.Empty()) return;
    const int cells = numGlyphs < 1 ? 1 : numGlyphs;
    const int w = glyph.Width() / cells, h = glyph.Height();
    if (w <= 0 || h <= 0) return;
    TBitmap cell(w, h, pf24bit);
    if (index == giDisabled && cells == 1) {
        CreateDisabledGlyph(glyph, cell);
    } else {
        const int sx = GlyphCell(index, cells) * w;
        BitBlt(cell.Canvas().Handle(), 0, 0, w, h, glyph.Canvas().Handle(), sx, 0, SRCCOPY);
    }
    const COLORREF key = GetPixel(cell.Canvas().Handle(), 0, h - 1);
    DrawTransparentBitmap(dc, RECT{pos.x, pos.y, pos.x + w, pos.y + h}, cell, key);
}
