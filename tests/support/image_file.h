// Pixel buffers of tests and their files: 24-bit BMP and PNG, so people can look at what a test saw.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qs::test {

// Top-down pixels, each 0x00RRGGBB.
struct Pixels {
    int width = 0;
    int height = 0;
    std::vector<uint32_t> data;

    Pixels() = default;
    Pixels(int w, int h, uint32_t fill = 0) : width(w), height(h), data(size_t(w) * size_t(h), fill) {}
    uint32_t at(int x, int y) const { return data[size_t(y) * size_t(width) + size_t(x)]; }
    uint32_t& at(int x, int y) { return data[size_t(y) * size_t(width) + size_t(x)]; }
    bool empty() const { return width <= 0 || height <= 0; }
};

// Serialisations; SaveImage picks the format from the extension (".png", else BMP).
std::vector<uint8_t> EncodeBmp24(const Pixels& px);
std::vector<uint8_t> EncodePng(const Pixels& px);
bool SaveImage(const std::string& path, const Pixels& px);

// Reads a BMP file of any layout the toolkit reads; empty when it is damaged.
Pixels DecodeBmp24(const std::vector<uint8_t>& bytes);

} // namespace qs::test
