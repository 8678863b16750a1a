// The gallery's generated button glyphs.
#include "gallery/button_glyphs.h"

#include <algorithm>

void MakeButtonGlyph(TBitmap& glyph, int cells) {
    // Distinct per cell, so a screenshot tells which cell a state drew.
    static const TColor kCellColors[4] = {clGreen, clGray, clNavy, clMaroon};
    constexpr int kCell = 16;
    cells = std::clamp(cells, 1, 4);
    glyph.SetSize(kCell * cells, kCell);
    TCanvas& canvas = glyph.Canvas();
    canvas.Brush().SetColor(clFuchsia);
    canvas.FillRect({0, 0, kCell * cells, kCell});
    canvas.Pen().SetColor(clBlack);
    for (int i = 0; i < cells; ++i) {
        const int x = i * kCell;
        canvas.Brush().SetColor(kCellColors[i]);
        canvas.Ellipse({x + 2, 2, x + 14, 14});
        canvas.Brush().SetColor(clWhite);
        canvas.FillRect({x + 5, 5, x + 7, 7});
    }
}
