// Installs GetSysColor as the resolver of system colours.
#include "skin/res/win/system_colours.h"

#include "skin/res/colour.h"

#include <windows.h>

namespace qs {

namespace {
int32_t SysColour(int index) {
    return int32_t(GetSysColor(index));
}
} // namespace

void UseSystemColours() {
    SetSysColourResolver(SysColour);
}

} // namespace qs
