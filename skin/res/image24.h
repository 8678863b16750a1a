// 24-bit images in the device-independent layout (rows of B, G, R bytes, each row padded to 4 bytes,
// top row first) and the pixel operations the skin loader derives images with.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace qs {

struct TImage24 {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bits;

    TImage24() = default;
    TImage24(int w, int h) : width(w), height(h), bits(Stride() * size_t(h > 0 ? h : 0)) {}

    size_t Stride() const { return (size_t(width > 0 ? width : 0) * 3 + 3) & ~size_t(3); }
    uint8_t* Row(int y) { return bits.data() + size_t(y) * Stride(); }
    const uint8_t* Row(int y) const { return bits.data() + size_t(y) * Stride(); }
    // As a colour value: red + 256 * green + 65536 * blue.
    int32_t Pixel(int x, int y) const;
    void SetPixel(int x, int y, int32_t colour);
};

// Every magenta (FF00FF) pixel takes the three low bytes of colour.
void ReplaceMagenta(TImage24& image, int32_t colour);
void MirrorHorizontal(TImage24& image);
void FlipVertical(TImage24& image);
// 90 degrees counter-clockwise: the top-right corner comes to the top-left.
void RotateLeft(TImage24& image);
// 90 degrees clockwise: the bottom-left corner comes to the top-left.
void RotateRight(TImage24& image);

} // namespace qs
