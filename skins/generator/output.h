// Writing a generated skin to a folder, and the preview sheet of all its images.
#pragma once

#include "skins/generator/skin.h"

#include <string>

namespace qs::skingen {

// Writes "<id>.ini" and every image into dir (which must exist). False when a file cannot be written.
bool WriteSkin(const Skin& skin, const Theme& theme, const std::string& dir, std::string* error);
// All images side by side in rows, magenta kept, on a neutral background, with a simple mock window.
Image PreviewSheet(const Skin& skin, const Theme& theme);

} // namespace qs::skingen
