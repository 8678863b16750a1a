// What the media player's button bar is made of, shared by the toolkit's own painting, the skin
// engine's panel over it and the tool that draws the engine's glyph bitmaps: the nine button
// kinds, how the bar's width is cut among the visible ones, and the glyph shapes. No windows.h.
#pragma once

#include <cstdint>

enum class TMPBtnType : int { btPlay, btPause, btStop, btNext, btPrev, btStep, btBack, btRecord, btEject };
constexpr int kMediaButtonKinds = 9;
// A set of button kinds: bit n is the kind of ordinal n.
using TMPBtnSet = uint16_t;
constexpr TMPBtnSet kAllMediaButtons = (1u << kMediaButtonKinds) - 1;
// "No button" in hit tests.
constexpr int kNoMediaButton = kMediaButtonKinds;

// The enumeration names ("btPlay" ...) and the resource names of the glyphs ("MPPLAY" ...).
const char* MediaButtonName(int kind);
const char* MediaGlyphName(int kind);

constexpr bool HasMediaButton(TMPBtnSet set, int kind) {
    return kind >= 0 && kind < kMediaButtonKinds && (set >> kind) & 1;
}
int MediaButtonCount(TMPBtnSet visible);
// Every visible button gets width div count; the rest of the width is left over at the right.
int MediaButtonWidth(TMPBtnSet visible, int barWidth);
// The left edge of a visible kind's cell; -1 for a hidden kind.
int MediaButtonLeft(TMPBtnSet visible, int barWidth, int kind);
// The visible kind at x; a cell owns both its edges, so a shared edge belongs to the left cell.
// kNoMediaButton when x is in none.
int MediaButtonAt(TMPBtnSet visible, int barWidth, int x);

// Glyphs are drawn in a cell of this size; true where the kind's shape covers pixel (x, y).
constexpr int kMediaGlyphWidth = 16, kMediaGlyphHeight = 12;
bool MediaGlyphPixel(int kind, int x, int y);
// The colour a coloured glyph is drawn in, as 0xRRGGBB.
uint32_t MediaGlyphColour(int kind);
