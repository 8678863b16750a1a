// The glyph strip of a bitmap or speed button: a bitmap of NumGlyphs equal cells side by side,
// one per button state, drawn with the bottom-left pixel's colour left out.
#pragma once

#include <windows.h>

#include "toolkit/graphics/bitmap.h"

// The cell numbers: up, disabled, pressed (the mouse holds it), down (a speed button stuck down).
enum TButtonGlyphState { bgsUp, bgsDisabled, bgsPressed, bgsDown };

// Zero for an empty glyph.
SIZE GlyphCellSize(const TBitmap& glyph, int numGlyphs);
// The cell of `state` at (x, y). A strip without that cell shows the up cell instead; disabled,
// the up cell's shape is embossed in the 3D colours.
void DrawGlyphCell(HDC dc, int x, int y, TBitmap& glyph, int numGlyphs, TButtonGlyphState state);
