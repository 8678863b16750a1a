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
// The first error the skin checker finds in a rebuilt skin ("FILE:LINE: error: message"), or, for
// a skin the checker passes, empty. `name` names the skin in findings about the archive itself.
std::string FirstProblem(const std::vector<uint8_t>& packed, const std::string& name);
