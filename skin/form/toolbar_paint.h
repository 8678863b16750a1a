// The skin on tool bars: the bar's background stretched from the skin's tool-bar image, and each
// button's face from the skin's button faces, drawn from the bar's custom-draw events.
#pragma once

#include <windows.h>

#include "toolkit/controls/tool_bar.h"
#include "toolkit/graphics/colors.h"

class TDataSkinButton;
class TSkinData;

// The button face frame for a tool-bar button's state: 2 pressed, 4 hot or focused, 1 default
// (and usable); 0 draws no face.
int ToolbarButtonFrame(TCustomDrawState state);
// The skin's caption colour for that frame, or clNone to keep the bar's.
TColor ToolbarButtonTextColour(const TDataSkinButton& buttons, int frame);

// False, drawing nothing, when the skin has no tool-bar image or leaves the background alone.
bool PaintToolbarBackground(HDC dc, const RECT& rect, TSkinData& skin);
// The face behind one button, inset by a pixel; false when the state shows none.
bool PaintToolbarButton(HDC dc, const RECT& bounds, TSkinData& skin, TCustomDrawState state);
