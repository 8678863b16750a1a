// Glyph strips for the gallery's bit and speed buttons, drawn in code: a disc per cell in a
// colour of its own (up, disabled, pressed, down), on fuchsia, the colour left out.
#pragma once

#include "toolkit/graphics/bitmap.h"

// `cells` (1 to 4) cells of 16x16.
void MakeButtonGlyph(TBitmap& glyph, int cells);
