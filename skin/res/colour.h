// Colour arithmetic of the skin engine. Colours are int32: red + 256 * green + 65536 * blue; a
// negative value names a system colour (its low byte is the index), resolved through a replaceable
// resolver so this code needs no windows.h.
#pragma once

#include <cstdint>

namespace qs {

constexpr int32_t kColourNone = 0x1FFFFFFF;
constexpr int32_t kColourMagenta = 0xFF00FF;

// Returns the RGB value of system colour index (0..255). The Win32 build installs GetSysColor;
// the default answers with the classic Windows scheme.
using TSysColourResolver = int32_t (*)(int index);
TSysColourResolver SetSysColourResolver(TSysColourResolver resolver);
int32_t ResolveColour(int32_t colour);

// w parts of c1 and the rest of c2: w is a percentage below 100 and per mille from 100 up.
int32_t Blend(int32_t c1, int32_t c2, int32_t w);
// 0 (grey) to 255 (pure hue); 200 for any colour whose channels are all below 160.
int32_t ColorSaturation(int32_t colour);

} // namespace qs
