// Writes 8-bit RGB PNG files from top-down 0x00RRGGBB pixels, without any library: either
// compressed (per-row filters and deflate with dynamic Huffman codes) for files people keep, or in
// stored blocks, which is exact and costs nothing, for throw-away test screenshots.
#pragma once

#include <cstdint>
#include <vector>

enum class TPngDeflate { Stored, Compressed };

// pixels holds width * height entries, row by row from the top.
std::vector<uint8_t> EncodePng(int width, int height, const uint32_t* pixels,
                               TPngDeflate deflate = TPngDeflate::Compressed);

// The zlib stream of data (header, deflate blocks, Adler-32), as a PNG's IDAT holds it.
std::vector<uint8_t> ZlibCompress(const std::vector<uint8_t>& data, TPngDeflate deflate);
