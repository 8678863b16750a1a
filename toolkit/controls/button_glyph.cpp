// Drawing one cell of a button's glyph strip.
#include "toolkit/controls/button_glyph.h"

#include <algorithm>

#include "toolkit/handles.h"

namespace {

// Paints `brush` at (x, y) wherever the monochrome mask is black.
void paintMask(HDC dc, int x, int y, SIZE size, HDC mask, HBRUSH brush) {
    constexpr DWORD kBrushWhereSourceBlack = 0x00B8074A; // PSDPxax
    win::SelectGuard selected(dc, brush);
    BitBlt(dc, x, y, size.cx, size.cy, mask, 0, 0, kBrushWhereSourceBlack);
}

} // namespace

SIZE GlyphCellSize(const TBitmap& glyph, int numGlyphs) {
    if (glyph.Empty()) return {0, 0};
    return {glyph.Width() / std::clamp(numGlyphs, 1, 4), glyph.Height()};
}

void DrawGlyphCell(HDC dc, int x, int y, TBitmap& glyph, int numGlyphs, TButtonGlyphState state) {
    numGlyphs = std::clamp(numGlyphs, 1, 4);
    const SIZE cell = GlyphCellSize(glyph, numGlyphs);
    if (cell.cx <= 0 || cell.cy <= 0) return;
    const bool hasCell = int(state) < numGlyphs;
    const int sourceX = hasCell ? int(state) * cell.cx : 0;
    const COLORREF key = COLORREF(ColorToRGB(glyph.TransparentColor()));

    win::MemoryDC source(dc);
    win::SelectGuard sourceBitmap(source.Get(), glyph.Handle());
    if (state != bgsDisabled || hasCell) {
        TransparentBlt(dc, x, y, cell.cx, cell.cy, source.Get(), sourceX, 0, cell.cx, cell.cy, key);
        return;
    }
    // The shape of the up cell: white where the key colour is, black elsewhere.
    win::MemoryDC mask(dc);
    win::BitmapHandle maskBitmap(CreateBitmap(cell.cx, cell.cy, 1, 1, nullptr));
    win::SelectGuard maskSelected(mask.Get(), maskBitmap.Get());
    SetBkColor(source.Get(), key);
    BitBlt(mask.Get(), 0, 0, cell.cx, cell.cy, source.Get(), 0, 0, SRCCOPY);

    win::SaveDCGuard saved(dc);
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkColor(dc, RGB(255, 255, 255));
    paintMask(dc, x + 1, y + 1, cell, mask.Get(), GetSysColorBrush(COLOR_BTNHIGHLIGHT));
    paintMask(dc, x, y, cell, mask.Get(), GetSysColorBrush(COLOR_BTNSHADOW));
}
