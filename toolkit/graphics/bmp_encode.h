// Writes a BmpImage as a .bmp file: BITMAPFILEHEADER, BITMAPINFOHEADER (bit fields for 5-6-5),
// the colour table and bottom-up rows.
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/graphics/bmp_image.h"

std::vector<uint8_t> EncodeBmp(const BmpImage& image);
// A 24-bit file of top-down 0x00RRGGBB pixels (width * height of them), as EncodePng takes them.
std::vector<uint8_t> EncodeBmp24(int width, int height, const uint32_t* pixels);
