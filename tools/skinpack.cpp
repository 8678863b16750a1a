// skinpack: a folder with one ini file and its BMP files becomes a compressed skin, the ini first;
// --counted writes it as a form stores a skin component's SkinStream (an int32 byte count first).
#include "skin/res/skin_archive_writer.h"
#include "tools/skin_folder.h"
#include "tools/skin_tools.h"
#include "tools/tool_files.h"

#include <ostream>

namespace qs::tools {

namespace {

const char kUsage[] = "usage: skinpack DIR OUT [--version N] [--counted]\n"
                      "  packs DIR's one .ini file and its .bmp files into the compressed skin OUT\n"
                      "  (version 20000, 30000, 40000, 50000, 60000 or 70000; default 70000);\n"
                      "  --counted puts the byte count first, as a form stores a SkinStream\n";

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

    std::vector<uint8_t> skin;
    std::vector<std::string> skipped;
    std::string error;
    const bool packed = PackSkinFolder(args[0], skin, error, version, &skipped);
    for (const std::string& name : skipped)
        err << "skinpack: skipping " << name << '\n';
    if (!packed) {
        err << "skinpack: " << error << '\n';
        return 1;
    }
    if (counted) {
        const uint32_t n = uint32_t(skin.size());
        skin.insert(skin.begin(), {uint8_t(n), uint8_t(n >> 8), uint8_t(n >> 16), uint8_t(n >> 24)});
    }
    if (!WriteFileBytes(args[1], skin, error)) {
        err << "skinpack: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace qs::tools
