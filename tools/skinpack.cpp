// skinpack: a folder with one ini file and its BMP files becomes a compressed skin, the ini first;
// --counted writes it as a form stores a skin component's SkinStream (an int32 byte count first).
#include "skin/res/skin_archive_writer.h"
#include "tools/skin_tools.h"
#include "tools/tool_files.h"

#include <algorithm>
#include <filesystem>
#include <ostream>

namespace qs::tools {

namespace {

const char kUsage[] = "usage: skinpack DIR OUT [--version N] [--counted]\n"
                      "  packs DIR's one .ini file and its .bmp files into the compressed skin OUT\n"
                      "  (version 20000, 30000, 40000, 50000, 60000 or 70000; default 70000);\n"
                      "  --counted puts the byte count first, as a form stores a SkinStream\n";

std::string LowerExtension(const std::filesystem::path& p) {
    std::string ext = p.extension().string();
    for (char& c : ext)
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext;
}

} // namespace

int RunSkinPack(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--help") {
        out << kUsage;
        return 0;
    }
    int32_t version = kSkinCurrentVersion;
    bool counted = false;
    for (size_t i = 2; i < args.size(); ++i) {
        if (args[i] == "--counted") {
            counted = true;
        } else if (args[i] == "--version" && i + 1 < args.size()) {
            const std::string& text = args[++i];
            try {
                size_t used = 0;
                version = int32_t(std::stol(text, &used));
                if (used != text.size()) version = 0;
            } catch (const std::exception&) {
                version = 0;
            }
            if (SkinSkippedBlockSize(version) < 0) {
                err << "skinpack: unknown archive version " << text << '\n' << kUsage;
                return 2;
            }
        } else {
            err << kUsage;
            return 2;
        }
    }
    if (args.size() < 2) {
        err << kUsage;
        return 2;
    }

    namespace fs = std::filesystem;
    std::error_code ec;
    if (!fs::is_directory(args[0], ec)) {
        err << "skinpack: " << args[0] << " is not a folder\n";
        return 1;
    }
    std::vector<fs::path> inis, bmps;
    for (const fs::directory_entry& e : fs::directory_iterator(args[0], ec)) {
        if (!e.is_regular_file()) continue;
        const std::string ext = LowerExtension(e.path());
        if (ext == ".ini") {
            inis.push_back(e.path());
        } else if (ext == ".bmp") {
            bmps.push_back(e.path());
        } else {
            err << "skinpack: skipping " << e.path().filename().string() << '\n';
        }
    }
    if (ec) {
        err << "skinpack: cannot list " << args[0] << '\n';
        return 1;
    }
    if (inis.size() != 1) {
        err << "skinpack: " << args[0] << " holds " << inis.size() << " ini files; exactly one is needed\n";
        return 1;
    }
    std::sort(bmps.begin(), bmps.end());

    std::vector<fs::path> paths = {inis[0]};
    paths.insert(paths.end(), bmps.begin(), bmps.end());
    std::vector<TSkinMember> members(paths.size());
    std::string error;
    for (size_t i = 0; i < paths.size(); ++i) {
        members[i].name = paths[i].filename().string();
        if (!ReadFileBytes(paths[i].string(), members[i].data, error)) {
            err << "skinpack: " << error << '\n';
            return 1;
        }
    }
    std::vector<uint8_t> skin;
    try {
        skin = WriteCompressedSkin(members, version);
        if (counted) {
            const uint32_t n = uint32_t(skin.size());
            skin.insert(skin.begin(), {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)});
        }
    } catch (const std::exception& e) {
        err << "skinpack: " << e.what() << '\n';
        return 1;
    }
    if (!WriteFileBytes(args[1], skin, error)) {
        err << "skinpack: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace qs::tools
