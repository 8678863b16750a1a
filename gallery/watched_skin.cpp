// Rebuilding a watched skin.
#include "gallery/watched_skin.h"

#include <windows.h>

#include <filesystem>

#include "gallery/skin_files.h"
#include "gallery/wide_text.h"
#include "skins/generator/output.h"
#include "tools/skin_check.h"
#include "tools/skin_folder.h"

TWatchedKind WatchedKind(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) return wkFolder;
    const size_t dot = path.find_last_of(L'.');
    const bool theme = dot != std::wstring::npos && path.find_first_of(L"\\/", dot) == std::wstring::npos &&
                       CompareStringOrdinal(path.c_str() + dot, -1, L".theme", -1, TRUE) == CSTR_EQUAL;
    return theme ? wkTheme : wkPackedSkin;
}

bool BuildWatchedSkin(const std::wstring& path, std::vector<uint8_t>& packed, std::string& error) {
    switch (WatchedKind(path)) {
    case wkFolder: return qs::tools::PackSkinFolder(std::filesystem::path(path), packed, error);
    case wkTheme: {
        std::vector<uint8_t> text;
        if (!ReadSkinFile(path, text, error)) return false;
        // Named by the file alone: the skin's id, and what the theme's messages begin with.
        const std::string name = Utf8(std::filesystem::path(path).filename().wstring());
        return qs::skingen::PackedSkinFromTheme(std::string(text.begin(), text.end()), name, packed, error);
    }
    case wkPackedSkin: break;
    }
    return ReadSkinFile(path, packed, error);
}

std::string FirstProblem(const std::vector<uint8_t>& packed, const std::string& name) {
    for (const qs::tools::TCheckFinding& finding : qs::tools::CheckPackedSkin(packed, name))
        if (finding.error) return finding.Text();
    return {};
}
