// Where a button with a glyph puts the glyph and the caption. The toolkit's own bitmap and speed
// buttons and the skinned painters of the same controls share it, so a skin never moves a glyph.
#pragma once

#include <windows.h>

#include "toolkit/core/object.h"

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };
const TEnumInfo& ButtonLayoutInfo();

struct TButtonLayoutInput {
    SIZE Client{};
    SIZE Glyph{};
    SIZE Text{};
    TButtonLayout Layout = blGlyphLeft;
    int Margin = -1;      // -1: centred
    int Spacing = 4;      // -1: spread evenly
    bool Centred = false; // the caption's alignment asks for the centre whatever the margin
    // Speed buttons sit one pixel further in when centred with a fixed spacing.
    int CentredMarginBias = 0;
};

struct TButtonLayoutResult {
    POINT GlyphPos{};
    RECT TextRect{};
    // DrawText alignment for the caption: DT_RIGHT beside a right glyph, DT_CENTER above or below.
    UINT TextFlags = 0;
};

TButtonLayoutResult LayoutButton(const TButtonLayoutInput& in);
// The rectangle a caption may take beside or under a glyph of `glyph` size, in `client`.
RECT CaptionBounds(SIZE client, SIZE glyph, TButtonLayout layout);
