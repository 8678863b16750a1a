// A generated skin as files: the folder skinpack packs, the packed skin itself, and the preview sheet.
#pragma once

#include "skins/generator/skin.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qs::skingen {

struct SkinFile {
    std::string name;
    std::vector<uint8_t> bytes;
};

// The skin's files in the order skinpack packs a folder of them: "<id>.ini" first, then the images by name.
std::vector<SkinFile> SkinFiles(const Skin& skin, const Theme& theme);
// The compressed skin archive of those files, byte for byte what skinpack makes of their folder.
std::vector<uint8_t> PackSkin(const std::vector<SkinFile>& files);
// Writes the files into dir (which must exist). False when one cannot be written.
bool WriteSkinFiles(const std::vector<SkinFile>& files, const std::string& dir, std::string* error);

// A theme's text straight to its packed skin, for a gallery that reloads a theme as it is edited. The
// skin's id is themeFile's name without its folder and extension. False with "THEME:LINE: message" in error
// when the theme is refused.
bool PackedSkinFromTheme(const std::string& themeText, const std::string& themeFile,
                         std::vector<uint8_t>& packed, std::string& error);

// All images side by side in rows, magenta kept, on a neutral background, with a simple mock window.
Image PreviewSheet(const Skin& skin, const Theme& theme);

} // namespace qs::skingen
