// skinunpack SKIN DIR: writes every member of a compressed skin to DIR under its lower-cased
// name, printing "version N" and then each member's name and size in directory order.
#include <cstdio>
#include <filesystem>

#include "skin/res/skin_reader.h"
#include "tools/tool_io.h"

namespace {
constexpr char kUsage[] = "usage: skinunpack SKIN DIR\n"
                          "  Writes every member of the compressed skin SKIN into the folder DIR.\n";
}

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 3) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::vector<uint8_t> skin;
    if (!tools::ReadFile(argv[1], skin))
        return tools::Fail("skinunpack", std::string("cannot read '") + argv[1] + "'");
    std::string message;
    qs::SetSkinMessageSink([&](const std::string& text) { message = text; });
    qs::TSkinReader reader;
    if (!reader.ReadArchive(skin))
        return tools::Fail("skinunpack", std::string("'") + argv[1] + "' is not a skin this reader accepts" +
                                             (message.empty() ? "" : ": " + message));
    std::error_code ec;
    std::filesystem::create_directories(argv[2], ec);
    std::printf("version %d\n", int(reader.Version()));
    for (int i = 0; i < reader.Count(); ++i) {
        const std::string& name = reader.Names()[size_t(i)];
        std::vector<uint8_t> data;
        reader.GetMember(name, data);
        // Member names come from the file: never let one leave DIR.
        const std::string file = std::filesystem::path(name).filename().string();
        if (!file.empty() && file != "." && file != ".." &&
            !tools::WriteFile((std::filesystem::path(argv[2]) / file).string(), data))
            return tools::Fail("skinunpack", "cannot write '" + file + "'");
        std::printf("%s %d\n", name.c_str(), int(reader.Sizes()[size_t(i)]));
    }
    return 0;
}
