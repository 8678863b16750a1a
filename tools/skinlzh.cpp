// skinlzh: the raw LZH codec on any file (compressed = int32 size + bit stream).
#include "skin/res/lzh_codec.h"
#include "tools/skin_tools.h"
#include "tools/tool_files.h"

#include <ostream>

namespace qs::tools {

namespace {
const char kUsage[] = "usage: skinlzh c IN OUT   compress IN into OUT\n"
                      "       skinlzh d IN OUT   decompress IN into OUT\n";
}

int RunSkinLzh(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--help") {
        out << kUsage;
        return 0;
    }
    if (args.size() != 3 || (args[0] != "c" && args[0] != "d")) {
        err << kUsage;
        return 2;
    }
    std::vector<uint8_t> input, output;
    std::string error;
    if (!ReadFileBytes(args[1], input, error)) {
        err << "skinlzh: " << error << '\n';
        return 1;
    }
    if (args[0] == "c") {
        if (input.size() > size_t(kLzhMaxTextSize)) {
            err << "skinlzh: " << args[1] << " is larger than " << kLzhMaxTextSize << " bytes\n";
            return 1;
        }
        output = LzhCompress(input);
    } else {
        switch (LzhDecompress(input.data(), input.size(), output)) {
        case TLzhStatus::lsOk: break;
        case TLzhStatus::lsNoHeader:
            err << "skinlzh: " << args[1] << " is too short for a size field\n";
            return 1;
        case TLzhStatus::lsSizeTooLarge:
            err << "skinlzh: " << args[1] << " claims more than " << kLzhMaxTextSize << " bytes\n";
            return 1;
        case TLzhStatus::lsTruncated: err << "skinlzh: " << args[1] << " is truncated or damaged\n"; return 1;
        }
    }
    if (!WriteFileBytes(args[2], output, error)) {
        err << "skinlzh: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace qs::tools
