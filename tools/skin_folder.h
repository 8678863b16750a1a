// A skin folder (one .ini file and its BMP files, as skinunpack leaves it) packed into a compressed
// skin: the one packing rule, shared by skinpack and the gallery's watch mode.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "skin/res/skin_archive_format.h"

namespace qs::tools {

// The folder's .ini file first, then its .bmp files in name order, compressed as `version`.
// Other files are left out and named in `skipped` when given. False with the reason when the
// folder cannot be listed or read, or holds other than exactly one .ini file.
bool PackSkinFolder(const std::filesystem::path& dir, std::vector<uint8_t>& packed, std::string& error,
                    int32_t version = kSkinCurrentVersion, std::vector<std::string>* skipped = nullptr);

} // namespace qs::tools
