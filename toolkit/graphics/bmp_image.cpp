// Pixel read-out of decoded images (tests, transparency keys, conversions).
#include "toolkit/graphics/bmp_image.h"

#include "toolkit/graphics/bmp_pixel.h"

uint32_t BmpImage::PixelRGB(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height || pixels.size() < Stride() * size_t(height)) return 0;
    BmpMasks masks{redMask, greenMask, blueMask, 0};
    if (bitsPerPixel == 16 && !redMask) masks = BmpMasks::Rgb555();
    return ReadPixelRGB(Row(y), x, bitsPerPixel, palette, masks);
}
