// Reads Windows BMP data of every common layout: BITMAPCOREHEADER (OS/2), BITMAPINFOHEADER,
// V4 and V5; 1, 4 and 8 bits with a colour table, RLE4 and RLE8, 16 and 32 bits with bit
// fields, 24 bits; bottom-up and top-down. Lies in the data raise EInvalidGraphic and never
// cause a read or write out of bounds.
#pragma once

#include <cstddef>
#include <cstdint>

#include "toolkit/core/object.h"
#include "toolkit/graphics/bmp_image.h"

// A damaged or unsupported image.
class EInvalidGraphic : public Exception {
  public:
    using Exception::Exception;
};

// Decoded images are at most this wide or high, and hold at most kBmpMaxPixels pixels.
constexpr int kBmpMaxSide = 32767;
constexpr int64_t kBmpMaxPixels = int64_t(1) << 26;

// A whole .bmp file (BITMAPFILEHEADER first).
BmpImage DecodeBmp(const uint8_t* data, size_t size);
// A packed DIB: the info header, colour table and bits (bitmap resources, CF_DIB).
BmpImage DecodeDib(const uint8_t* data, size_t size);
// Bit fields other than 5-5-5 and 5-6-5 are converted to 24 or 32 bits; masks given by a
// file that overlap or are not contiguous raise.
