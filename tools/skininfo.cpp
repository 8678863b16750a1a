// skininfo: answers ini look-ups exactly as TQuickIni does, from a skin's description or a plain ini.
#include "skin/res/quick_ini.h"
#include "skin/res/skin_reader.h"
#include "tools/skin_tools.h"
#include "tools/tool_files.h"
#include "tools/tool_skin.h"

#include <ostream>

namespace qs::tools {

namespace {

const char kUsage[] =
    "usage: skininfo SKIN|--ini FILE [--sections | SECTION KEY [--int DEFAULT | --default TEXT]]\n"
    "  --sections          one section name per line (the default)\n"
    "  SECTION KEY         the string value (default empty, or TEXT)\n"
    "  --int DEFAULT       the value as an integer, DEFAULT when it is none\n";

bool ParseDecimal(const std::string& text, int32_t& value) {
    return !text.empty() && text.find_first_of("$xX") == std::string::npos && ParseIniInteger(text, value);
}

} // namespace

int RunSkinInfo(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--help") {
        out << kUsage;
        return 0;
    }
    size_t at = 0;
    bool plainIni = false;
    if (!args.empty() && args[0] == "--ini") {
        plainIni = true;
        ++at;
    }
    if (at >= args.size()) {
        err << kUsage;
        return 2;
    }
    const std::string file = args[at++];
    const Args query(args.begin() + long(at), args.end());
    const bool sections = query.empty() || (query.size() == 1 && query[0] == "--sections");
    const bool asInt = query.size() == 4 && query[2] == "--int";
    const bool withDefault = query.size() == 4 && query[2] == "--default";
    int32_t intDefault = 0;
    if (!sections && query.size() != 2 && !asInt && !withDefault) {
        err << kUsage;
        return 2;
    }
    if (asInt && !ParseDecimal(query[3], intDefault)) {
        err << "skininfo: --int needs a decimal int32 default, not \"" << query[3] << "\"\n";
        return 2;
    }

    std::vector<uint8_t> bytes;
    std::string error;
    if (!ReadFileBytes(file, bytes, error)) {
        err << "skininfo: " << error << '\n';
        return 1;
    }
    if (!plainIni) {
        TSkinReader reader;
        if (!ReadSkin(bytes, reader, error)) {
            err << "skininfo: " << file << ": " << error << '\n';
            return 1;
        }
        if (reader.FindMember(".ini", bytes).empty()) {
            err << "skininfo: " << file << " has no ini member\n";
            return 1;
        }
    }
    TQuickIni ini;
    ini.LoadFromMemory(bytes.data(), bytes.size());

    if (sections) {
        std::vector<std::string> names;
        ini.ReadSections(&names);
        for (const std::string& n : names)
            out << n << '\n';
    } else if (asInt) {
        out << ini.ReadInteger(query[0], query[1], intDefault) << '\n';
    } else {
        out << ini.ReadString(query[0], query[1], withDefault ? query[3] : std::string()) << '\n';
    }
    return 0;
}

} // namespace qs::tools
