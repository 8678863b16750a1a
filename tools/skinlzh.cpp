// skinlzh c|d IN OUT: the skin codec on any file (compressed: int32 size, then the bit stream).
#include <cstdio>

#include "skin/res/lzh_codec.h"
#include "tools/tool_io.h"

namespace {
constexpr char kUsage[] = "usage: skinlzh c IN OUT   compress IN into OUT\n"
                          "       skinlzh d IN OUT   decompress IN into OUT\n";
}

int main(int argc, char** argv) {
    if (argc == 2 && (std::string(argv[1]) == "--help" || std::string(argv[1]) == "-h")) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (argc != 4 || (std::string(argv[1]) != "c" && std::string(argv[1]) != "d")) {
        std::fputs(kUsage, stderr);
        return 2;
    }
    std::vector<uint8_t> in;
    if (!tools::ReadFile(argv[2], in))
        return tools::Fail("skinlzh", std::string("cannot read '") + argv[2] + "'");
    std::vector<uint8_t> out;
    if (std::string(argv[1]) == "c") {
        if (in.size() > size_t(qs::kLzhMaxTextSize))
            return tools::Fail("skinlzh", "input too large for the format");
        out = qs::LzhCompress(in);
    } else {
        switch (qs::LzhDecompress(in.data(), in.size(), out)) {
        case qs::TLzhStatus::lsOk: break;
        case qs::TLzhStatus::lsNoHeader:
            return tools::Fail("skinlzh", "input is shorter than its size field");
        case qs::TLzhStatus::lsSizeTooLarge: return tools::Fail("skinlzh", "stored size is beyond any skin");
        case qs::TLzhStatus::lsTruncated: return tools::Fail("skinlzh", "input ends before its stored size");
        }
    }
    if (!tools::WriteFile(argv[3], out))
        return tools::Fail("skinlzh", std::string("cannot write '") + argv[3] + "'");
    return 0;
}
