// skininfo SKIN|--ini FILE [--sections | SECTION KEY [--int DEFAULT | --default TEXT]]: answers
// as the skin description's parser would.
#include <cstdio>
#include <cstdlib>

#include "skin/res/quick_ini.h"
#include "skin/res/skin_reader.h"
#include "tools/tool_io.h"

namespace {
constexpr char kUsage[] =
    "usage: skininfo SKIN|--ini FILE [--sections | SECTION KEY [--int DEFAULT | --default TEXT]]\n"
    "  --sections        one section name per line\n"
    "  SECTION KEY       the string value (empty unless --default gives one)\n"
    "  --int DEFAULT     the value as an integer, DEFAULT when it is none\n";
int usage() {
    std::fputs(kUsage, stderr);
    return 2;
}
} // namespace

int main(int argc, char** argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    if (!a.empty() && (a[0] == "--help" || a[0] == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    bool plainIni = false;
    if (!a.empty() && a[0] == "--ini") {
        plainIni = true;
        a.erase(a.begin());
    }
    if (a.size() < 2) return usage();
    std::vector<uint8_t> bytes;
    if (!tools::ReadFile(a[0], bytes)) return tools::Fail("skininfo", "cannot read '" + a[0] + "'");
    std::vector<uint8_t> text = bytes;
    if (!plainIni) {
        std::string message;
        qs::SetSkinMessageSink([&](const std::string& t) { message = t; });
        qs::TSkinReader reader;
        if (!reader.ReadArchive(bytes))
            return tools::Fail("skininfo", "'" + a[0] + "' is not a skin this reader accepts" +
                                               (message.empty() ? "" : ": " + message));
        reader.FindMember(".ini", text);
    }
    qs::TQuickIni ini;
    ini.LoadFromMemory(text.data(), text.size());
    if (a.size() == 2 && a[1] == "--sections") {
        std::vector<std::string> sections;
        ini.ReadSections(&sections);
        for (const std::string& s : sections)
            std::printf("%s\n", s.c_str());
        return 0;
    }
    if (a.size() == 3) {
        const std::string v = ini.ReadString(a[1], a[2], "");
        std::fwrite(v.data(), 1, v.size(), stdout);
        std::fputc('\n', stdout);
        return 0;
    }
    if (a.size() == 5 && a[3] == "--default") {
        const std::string v = ini.ReadString(a[1], a[2], a[4]);
        std::fwrite(v.data(), 1, v.size(), stdout);
        std::fputc('\n', stdout);
        return 0;
    }
    if (a.size() == 5 && a[3] == "--int") {
        int32_t def = 0;
        if (!qs::ParseIniInteger(a[4], def)) return tools::Fail("skininfo", "bad default '" + a[4] + "'");
        std::printf("%d\n", int(ini.ReadInteger(a[1], a[2], def)));
        return 0;
    }
    return usage();
}
