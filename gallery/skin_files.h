// Skins from files: read by their wide names and checked before the skin component takes them,
// so a file the engine does not accept leaves the gallery's skin as it was.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TSkinData;

// The file's bytes; false with the reason when it cannot be read.
bool ReadSkinFile(const std::wstring& path, std::vector<uint8_t>& bytes, std::string& error);
// Makes `bytes` (a compressed skin, as a .skin file holds it) the skin's and applies it. False
// with the reason, the skin unchanged, when the engine does not accept them.
bool UseSkinBytes(TSkinData& skin, const std::vector<uint8_t>& bytes, std::string& error);
// The same, with the skin's windows repainted at once rather than when the manager's refresh
// comes, and held from painting meanwhile: nothing shows between the old skin and the new.
bool SwapSkinBytes(TSkinData& skin, const std::vector<uint8_t>& bytes, std::string& error);
// Why the engine would not take `bytes`; empty when it would.
std::string SkinBytesProblem(const std::vector<uint8_t>& bytes);
