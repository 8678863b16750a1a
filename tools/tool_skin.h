// Reading a skin in a tool: the reader's own message (an unknown version) becomes part of the error.
#pragma once

#include "skin/res/skin_reader.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qs::tools {

// False with a reason in error when the reader does not accept the skin.
bool ReadSkin(const std::vector<uint8_t>& bytes, TSkinReader& reader, std::string& error);

} // namespace qs::tools
