// Small images with known pixels for the painting tests, and reading results back.
#pragma once

#include <functional>
#include <memory>

#include "toolkit/graphics/bitmap.h"

namespace qs::test {

// A 24-bit bitmap whose pixel (x, y) is colour(x, y) (0x00RRGGBB).
inline std::unique_ptr<TBitmap> MakeImage(int w, int h, const std::function<uint32_t(int, int)>& colour) {
    auto bmp = std::make_unique<TBitmap>(w, h, pf24bit);
    for (int y = 0; y < h; ++y) {
        uint8_t* row = bmp->ScanLine(y);
        for (int x = 0; x < w; ++x) {
            uint32_t c = colour(x, y);
            row[3 * x] = uint8_t(c);
            row[3 * x + 1] = uint8_t(c >> 8);
            row[3 * x + 2] = uint8_t(c >> 16);
        }
    }
    return bmp;
}

// Pixel (x, y) of a 24-bit bitmap as 0x00RRGGBB.
inline uint32_t PixelAt(TBitmap& bmp, int x, int y) {
    GdiFlush();
    const uint8_t* row = bmp.ScanLine(y);
    return uint32_t(row[3 * x]) | uint32_t(row[3 * x + 1]) << 8 | uint32_t(row[3 * x + 2]) << 16;
}

// Every pixel encodes its own position, so a copied pixel tells where it came from.
inline uint32_t PositionColour(int x, int y) {
    return uint32_t(x) << 16 | uint32_t(y) << 8 | 0x11;
}

} // namespace qs::test
