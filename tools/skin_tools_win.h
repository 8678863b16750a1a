// The drawing tools, which need the Win32 engine (skin model and painting primitives); callable
// in-process like the portable ones: 0 success, 1 bad input, 2 bad usage.
#pragma once

#include "tools/skin_tools.h"

namespace qs::tools {

int RunSkinRender(const Args& args, std::ostream& out, std::ostream& err);
int RunSkinPreview(const Args& args, std::ostream& out, std::ostream& err);

} // namespace qs::tools
