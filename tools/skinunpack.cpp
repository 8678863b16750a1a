// skinunpack: every member of a skin into a folder, under the lower-cased name the reader holds,
// with a listing: "version N", then "name size" per member in directory order.
#include "skin/res/skin_reader.h"
#include "tools/skin_tools.h"
#include "tools/tool_files.h"
#include "tools/tool_skin.h"

#include <filesystem>
#include <ostream>
#include <set>

namespace qs::tools {

namespace {

const char kUsage[] = "usage: skinunpack SKIN DIR\n"
                      "  writes every member of the compressed skin SKIN into DIR and lists them\n";

// Names come from a downloaded file: only plain file names may become paths.
bool SafeFileName(const std::string& name) {
    return name != "." && name != ".." && name.find_first_of(std::string("/\\:\0", 4)) == std::string::npos;
}

} // namespace

int RunSkinUnpack(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--help") {
        out << kUsage;
        return 0;
    }
    if (args.size() != 2) {
        err << kUsage;
        return 2;
    }
    std::vector<uint8_t> skin;
    std::string error;
    if (!ReadFileBytes(args[0], skin, error)) {
        err << "skinunpack: " << error << '\n';
        return 1;
    }
    TSkinReader reader;
    if (!ReadSkin(skin, reader, error)) {
        err << "skinunpack: " << args[0] << ": " << error << '\n';
        return 1;
    }
    for (const std::string& name : reader.Names()) {
        if (!name.empty() && !SafeFileName(name)) {
            err << "skinunpack: refusing member name \"" << name << "\"\n";
            return 1;
        }
    }

    std::error_code ec;
    std::filesystem::create_directories(args[1], ec);
    out << "version " << reader.Version() << '\n';
    std::set<std::string> written;
    size_t offset = 0;
    const std::vector<uint8_t>& data = reader.MemberData();
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Names()[size_t(i)];
        const size_t size = size_t(reader.Sizes()[size_t(i)]);
        out << name << ' ' << size << '\n';
        // A repeated name is the earlier member to the reader, so only the first is written.
        if (!name.empty() && written.insert(name).second) {
            const std::vector<uint8_t> member(data.begin() + long(offset),
                                              data.begin() + long(offset + size));
            if (!WriteFileBytes((std::filesystem::path(args[1]) / name).string(), member, error)) {
                err << "skinunpack: " << error << '\n';
                return 1;
            }
        }
        offset += size;
    }
    return 0;
}

} // namespace qs::tools
