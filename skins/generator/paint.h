// Faces and glyphs shared by every part of a skin, so buttons, tabs, thumbs and arrows of one theme agree.
#pragma once

#include "skins/generator/image.h"
#include "skins/generator/theme.h"

#include <string>

namespace qs::skingen {

enum class State { Normal, Pressed, Hot, Disabled, Focused, Checked };

// A button-like surface filling r; corners outside the radius become the key.
void DrawFace(Image& img, const Rect& r, const Theme& t, State s, int radius);
// A sunken well (edits, troughs): outline, inner shadow, fill.
void DrawWell(Image& img, const Rect& r, const Theme& t, Colour fill, bool focused, bool disabled,
              int radius);
// Text colour that goes with a face state.
Colour FaceText(const Theme& t, State s);

enum class Dir { Left, Right, Up, Down };
void DrawArrow(Image& img, const Rect& r, Dir d, Colour c, double scale = 1.0);
void DrawChevron(Image& img, const Rect& r, Dir d, Colour c, double halfWidth);
// Caption glyphs: close, max, restore, min, help, menu, pin, shade, dot.
void DrawGlyph(Image& img, const Rect& r, const std::string& kind, Colour c, double weight);
void DrawCheckMark(Image& img, const Rect& r, Colour c);
void DrawGrip(Image& img, const Rect& r, bool vertical, Colour light, Colour dark);

} // namespace qs::skingen
