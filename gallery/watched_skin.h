// The skin a watched PATH holds, rebuilt in memory after each save: a skin folder is packed, a
// packed skin read, a theme generated. One function chooses by PATH's kind.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum TWatchedKind { wkPackedSkin, wkFolder, wkTheme };

TWatchedKind WatchedKind(const std::wstring& path);
// PATH's skin as compressed skin bytes; false with the reason when it cannot be made.
bool BuildWatchedSkin(const std::wstring& path, std::vector<uint8_t>& packed, std::string& error);
// What to tell the author about a skin the engine refused: its first problem, led by `name`.
std::string FirstProblem(const std::vector<uint8_t>& packed, const std::string& name);
