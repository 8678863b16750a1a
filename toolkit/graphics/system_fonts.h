// The fonts the system uses for captions, menus and status text, read from its non-client metrics.
#pragma once

#include "toolkit/handles.h"

#include <windows.h>

namespace win {

// The size of NONCLIENTMETRICSA before iPaddedBorderWidth was added. Every Windows version accepts
// it, while older ones refuse the larger size (with WINVER 0x0600 and up), which would leave every
// caller on a fallback font. The layout has no pointers, so the size is the same in 32 and 64 bits.
constexpr UINT kNonClientMetricsSize = 340;

enum class SystemFont { Caption, Menu, Status };

// A new font of that kind; the default GUI font's description where the metrics cannot be read.
FontHandle CreateSystemFont(SystemFont kind);

} // namespace win
