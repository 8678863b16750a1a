// The pixel operations on toolkit bitmaps: each works on a 24-bit copy and leaves the bitmap 24-bit.
#pragma once

#include "skin/res/image24.h"
#include "toolkit/graphics/bitmap.h"

#include <cstdint>

namespace qs {

TImage24 ImageFromBitmap(TBitmap& bitmap); // converts the bitmap to 24 bits first
void ImageToBitmap(const TImage24& image, TBitmap& bitmap);

void ReplaceMagenta(TBitmap& bitmap, int32_t colour);
void MirrorHorizontal(TBitmap& bitmap);
void FlipVertical(TBitmap& bitmap);
void RotateLeft(TBitmap& bitmap);
void RotateRight(TBitmap& bitmap);

} // namespace qs
