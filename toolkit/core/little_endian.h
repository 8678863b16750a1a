// Little-endian integers appended to a byte buffer, the order of the Windows file formats (BMP, ICO).
// Header-only, so the build-time tools that write such files use it without linking the toolkit.
#pragma once

#include <cstdint>
#include <vector>

inline void PutLE16(std::vector<uint8_t>& out, uint32_t v) {
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

inline void PutLE32(std::vector<uint8_t>& out, uint32_t v) {
    PutLE16(out, v & 0xFFFF);
    PutLE16(out, v >> 16);
}
