// Reading pixels back: a rectangle of any DC copied into a top-down 32-bit DIB and returned as
// 0x00RRGGBB values, row by row. The one place the engine and the tests read pixels from GDI.
#pragma once

#include <windows.h>

#include <cstdint>
#include <vector>

namespace win {

// w x h pixels of `source` from (x, y); empty when the copy cannot be made.
std::vector<uint32_t> ReadPixels32(HDC source, int x, int y, int w, int h);

} // namespace win
