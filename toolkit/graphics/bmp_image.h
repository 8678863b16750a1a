// A decoded BMP image, independent of Windows: rows top-down in the DIB memory layout (each
// row padded to 4 bytes), the bit depth and colour table kept as the file had them.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

struct BmpImage {
    int width = 0;
    int height = 0;
    // 1, 4, 8: indices into palette. 16: 5-5-5 or 5-6-5 words (see the masks).
    // 24: B,G,R. 32: B,G,R,A (A = 0 when the file has no alpha mask).
    int bitsPerPixel = 24;
    std::vector<uint32_t> palette;                     // 0x00RRGGBB
    uint32_t redMask = 0, greenMask = 0, blueMask = 0; // 16-bit only
    std::vector<uint8_t> pixels;

    static size_t RowBytes(int width, int bitsPerPixel) {
        return ((size_t(width) * size_t(bitsPerPixel) + 31) / 32) * 4;
    }
    size_t Stride() const { return RowBytes(width, bitsPerPixel); }
    uint8_t* Row(int y) { return pixels.data() + size_t(y) * Stride(); }
    const uint8_t* Row(int y) const { return pixels.data() + size_t(y) * Stride(); }
    // The pixel's colour as 0x00RRGGBB (palette looked up, 16-bit expanded to 8 bits a channel).
    uint32_t PixelRGB(int x, int y) const;
};
