// Image files of the skin generator: BMP (24-bit, or 8-bit with a palette when the image has few colours),
// a BMP reader for checking what was written, and PNG for preview sheets.
#pragma once

#include "skins/generator/image.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qs::skingen {

// With allowPalette, an image of at most 256 colours is written as an 8-bit palette BMP; otherwise 24-bit.
std::vector<uint8_t> EncodeBmp(const Image& img, bool allowPalette);
// Reads uncompressed 8-bit palette and 24-bit BMPs, rows bottom-up or top-down; bitsPerPixel gets the depth.
// Returns an empty image for anything else or for truncated data.
Image DecodeBmp(const std::vector<uint8_t>& bytes, int* bitsPerPixel = nullptr);
std::vector<uint8_t> EncodePng(const Image& img);

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes);
std::vector<uint8_t> ReadFile(const std::string& path);

} // namespace qs::skingen
