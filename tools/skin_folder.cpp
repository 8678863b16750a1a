// Packing a skin folder.
#include "tools/skin_folder.h"

#include <algorithm>
#include <fstream>
#include <iterator>

#include "skin/res/skin_archive_writer.h"

namespace qs::tools {

namespace fs = std::filesystem;

namespace {

std::string lowerExtension(const fs::path& p) {
    std::string ext = p.extension().string();
    for (char& c : ext)
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext;
}

// As UTF-8 for messages: a wide Windows name need not fit the ANSI code page.
std::string shown(const fs::path& p) {
    const std::u8string text = p.u8string();
    return std::string(text.begin(), text.end());
}

bool readMember(const fs::path& path, TSkinMember& member, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = "cannot open " + shown(path);
        return false;
    }
    member.name = path.filename().string();
    member.data.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = "cannot read " + shown(path);
        return false;
    }
    return true;
}

bool packFolder(const fs::path& dir, std::vector<uint8_t>& packed, std::string& error, int32_t version,
                std::vector<std::string>* skipped) {
    std::error_code ec;
    if (!fs::is_directory(dir, ec)) {
        error = shown(dir) + " is not a folder";
        return false;
    }
    std::vector<fs::path> inis, bmps;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
        if (!it->is_regular_file(ec)) continue;
        const std::string ext = lowerExtension(it->path());
        if (ext == ".ini")
            inis.push_back(it->path());
        else if (ext == ".bmp")
            bmps.push_back(it->path());
        else if (skipped)
            skipped->push_back(shown(it->path().filename()));
    }
    if (ec) {
        error = "cannot list " + shown(dir);
        return false;
    }
    if (inis.size() != 1) {
        error = shown(dir) + " holds " + std::to_string(inis.size()) + " ini files; exactly one is needed";
        return false;
    }
    std::sort(bmps.begin(), bmps.end());
    std::vector<fs::path> paths = {inis[0]};
    paths.insert(paths.end(), bmps.begin(), bmps.end());
    std::vector<TSkinMember> members(paths.size());
    for (size_t i = 0; i < paths.size(); ++i)
        if (!readMember(paths[i], members[i], error)) return false;
    packed = WriteCompressedSkin(members, version);
    return true;
}

} // namespace

bool PackSkinFolder(const fs::path& dir, std::vector<uint8_t>& packed, std::string& error, int32_t version,
                    std::vector<std::string>* skipped) {
    // Too many members, a name the ANSI code page cannot hold, a file too large for memory.
    try {
        return packFolder(dir, packed, error, version, skipped);
    } catch (const std::exception& e) {
        error = shown(dir) + ": " + e.what();
        return false;
    }
}

} // namespace qs::tools
