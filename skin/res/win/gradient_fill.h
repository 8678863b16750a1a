// Painting a cached two-colour gradient line by line on a device context.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qs {

// Colour 0 at rect's top (vertical) or left edge, colour n - 1 at the opposite edge; only the lines
// inside the clip box are painted. System colours are resolved with GetSysColor.
void GradientFill(HDC dc, const RECT& rect, int32_t c1, bool vertical, int32_t c2);

} // namespace qs
