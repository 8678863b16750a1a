// Window shapes cut from skin images: every pixel that is not of the key colour belongs.
#pragma once

#include <windows.h>

#include "toolkit/graphics/bitmap.h"
#include "toolkit/handles.h"

// The union of all opaque pixels of bitmap, offset by (x, y). A pixel is transparent when each
// channel lies between the key's and the key's plus the tolerance (capped at 255); the tolerance
// reaches above the key only. Never null: a bitmap without opaque pixels gives an empty region.
win::RegionHandle RegionFromBitmap(TBitmap& bitmap, int x, int y, int toleranceBlue, int toleranceGreen,
                                   int toleranceRed, COLORREF keyColour);
