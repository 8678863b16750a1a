// See-through control faces: what the parent shows behind a control, painted into a DC.
#pragma once

#include <windows.h>

// Asks the parent of `control` to erase and paint into dc as if dc covered the control's place
// in the parent; nothing for a window without a parent. The DC's state is restored afterwards.
void PaintControlBackground(HWND control, HDC dc);
// The same for a place in `parent` (a windowless control has no window of its own).
void PaintParentBackground(HWND parent, const RECT& place, HDC dc);
