// A window's small icon as a skin-style image: drawn over the magenta key colour, so the parts
// the icon does not cover stay see-through wherever the image is copied transparently.
#pragma once

#include <windows.h>

#include "toolkit/graphics/bitmap.h"

// The window's small icon (WM_GETICON ICON_SMALL, else ICON_BIG), or null. Not owned.
HICON WindowIcon(HWND window);

// Makes `image` cx x cy in `format`, fills it with magenta and draws `icon` (when there is one)
// over it at that size.
void PaintIconOnKey(TBitmap& image, HICON icon, int cx, int cy, TPixelFormat format);
