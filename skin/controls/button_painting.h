// What the push-button painters share: the caption's line break, the text colour rules, the
// centred caption, glyph cells and the face maps of the button kinds without a focused frame.
#pragma once

#include <windows.h>

#include <string>

#include "skin/paint/face_state.h"
#include "toolkit/graphics/colors.h"

class TBitmap;
class TDataSkinButton;

// A menu button has no focused frame: the focus shows as hot.
inline constexpr TFaceRule kMenuButtonFace[] = {{TFaceCondition::Disabled, ffDisabled},
                                                {TFaceCondition::Pressed, ffPressed},
                                                {TFaceCondition::Hot, ffHot},
                                                {TFaceCondition::Focused, ffHot}};
// A speed button never takes the focus; down counts as pressed.
inline constexpr TFaceRule kSpeedButtonFace[] = {{TFaceCondition::Disabled, ffDisabled},
                                                 {TFaceCondition::Pressed, ffPressed},
                                                 {TFaceCondition::Hot, ffHot}};

// The first "||" becomes a line break; later ones stay as they are.
std::wstring PrepareButtonCaption(std::wstring caption);

// Which of the skin's second colours a painter applies.
enum class TColour2Use {
    Always,    // NormalColour2 whenever the skin has one (push and bit buttons)
    AtRestOnly // NormalColour2 only in the normal frame (menu, picture and speed buttons)
};
// The caption colour for a face frame: the skin's second colours by state, shadow when disabled.
TColor ButtonTextColour(const TDataSkinButton& buttons, int face, bool enabled, TColor start,
                        TColour2Use use);

// Draws caption centred in client, one pixel above the middle (buttons without a glyph). The
// focus rectangle goes around the text when `focusRect`.
void DrawCentredCaption(HDC dc, const std::wstring& caption, const RECT& client, UINT extraFlags,
                        bool focusRect);

// The menu button's row along x: glyph, caption, then the drop-down arrow in its 8 pixels.
struct TMenuButtonRow {
    int GlyphX = 0;
    int TextX = 0;
    int ArrowX = 0; // the arrow's middle
};
inline constexpr int kMenuArrowWidth = 8;
// margin or spacing -1: automatic. A fixed margin with automatic spacing keeps that margin on the
// right of the arrow too; the arrow never leaves the button.
TMenuButtonRow LayoutMenuButton(int client, int glyph, int text, int margin, int spacing);

// Glyph cells: 1 normal and hot, 2 disabled, 3 pressed, 4 down.
enum TGlyphIndex : int { giNormal = 1, giDisabled = 2, giPressed = 3, giDown = 4 };
TGlyphIndex GlyphIndexFor(int face, bool down);
// The cell a glyph of numGlyphs cells shows for index (cell 0 when it has too few).
int GlyphCell(TGlyphIndex index, int numGlyphs);
// One cell of glyph at pos, its bottom-left colour see-through; a one-cell glyph shown disabled
// is embossed instead.
void DrawGlyphCell(HDC dc, TBitmap& glyph, int numGlyphs, TGlyphIndex index, POINT pos);
