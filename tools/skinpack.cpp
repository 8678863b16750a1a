// skinpack DIR OUT [--version N] [--counted]: a folder with one ini file and its BMP files
// becomes a compressed skin, the ini listed first; --counted writes it as a skin component
// stores it with a form (an int32 byte count first).
#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "skin/res/skin_archive_writer.h"
#include "skin/res/skin_reader.h"
#include "tools/tool_io.h"

namespace fs = std::filesystem;

namespace {
constexpr char kUsage[] = "usage: skinpack DIR OUT [--version N] [--counted]\n"
                          "  Packs the ini file and the BMP files of DIR into the compressed skin OUT.\n"
                          "  N is the archive version (default 70000). --counted puts the byte count\n"
                          "  first, as a form stores a skin component's SkinStream.\n";
}

int main(int argc, char** argv) {
    std::vector<std::string> args(argv + 1, argv + argc);
    if (!args.empty() && (args[0] == "--help" || args[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    bool counted = false;
    if (!args.empty() && args.back() == "--counted") {
        counted = true;
        args.pop_back();
    }
    int32_t version = qs::kSkinCurrentVersion;
    if (args.size() == 4 && args[2] == "--version") {
        char* end = nullptr;
        const long v = std::strtol(args[3].c_str(), &end, 10);
        if (!end || *end || v <= 0 || v > 0x7FFFFFFF)
            return tools::Fail("skinpack", "bad version '" + args[3] + "'");
        version = int32_t(v);
        args.resize(2);
    }
    if (args.size() != 2) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::error_code ec;
    if (!fs::is_directory(args[0], ec)) return tools::Fail("skinpack", "'" + args[0] + "' is not a folder");
    std::vector<fs::path> inis, images;
    for (const auto& entry : fs::directory_iterator(args[0], ec)) {
        if (!entry.is_regular_file()) continue;
        const std::string ext = qs::AsciiLower(entry.path().extension().string());
        if (ext == ".ini") inis.push_back(entry.path());
        if (ext == ".bmp") images.push_back(entry.path());
    }
    if (inis.size() != 1)
        return tools::Fail("skinpack", "'" + args[0] + "' must hold exactly one ini file, it holds " +
                                           std::to_string(inis.size()));
    std::sort(images.begin(), images.end());
    std::vector<qs::TSkinMember> members;
    for (const fs::path& p : {inis.front()})
        members.push_back({p.filename().string(), {}});
    for (const fs::path& p : images)
        members.push_back({p.filename().string(), {}});
    std::vector<fs::path> paths = {inis.front()};
    paths.insert(paths.end(), images.begin(), images.end());
    for (size_t i = 0; i < members.size(); ++i)
        if (!tools::ReadFile(paths[i].string(), members[i].data))
            return tools::Fail("skinpack", "cannot read '" + paths[i].string() + "'");
    try {
        std::vector<uint8_t> skin = qs::WriteCompressedSkin(members, version);
        if (counted) {
            const uint32_t n = uint32_t(skin.size());
            skin.insert(skin.begin(), {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)});
        }
        if (!tools::WriteFile(args[1], skin))
            return tools::Fail("skinpack", "cannot write '" + args[1] + "'");
    } catch (const std::exception& e) {
        return tools::Fail("skinpack", e.what());
    }
    return 0;
}
