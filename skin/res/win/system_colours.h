// Win32 system colours for the portable colour code.
#pragma once

namespace qs {

// Makes ResolveColour (and so Blend) answer system colours with GetSysColor. Call once at start-up.
void UseSystemColours();

} // namespace qs
