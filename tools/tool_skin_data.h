// Loading a skin file into a TSkinData for the drawing tools, with the reason when it fails.
#pragma once

#include <string>

class TSkinData;

namespace qs::tools {

// The file holds a compressed skin archive, as a skin component's SkinStream does.
bool LoadSkinFile(const std::string& path, TSkinData& skin, std::string& error);

} // namespace qs::tools
