// Whole-file reading and writing for the tools, reporting failures as text.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qs::tools {

// False (and a reason in error) when the file cannot be read or written completely.
bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error);
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error);

} // namespace qs::tools
