// Any bytes as a skin: the reader accepts or refuses, and every member it lists can be copied out.
#include <cstddef>
#include <cstdint>

#include "skin/res/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (qs::SetSkinMessageSink([](const std::string&) {}), true);
    (void)quiet;
    qs::TSkinReader reader;
    if (!reader.ReadArchive(data, size)) return 0;
    std::vector<uint8_t> member;
    for (const std::string& name : reader.Names())
        reader.GetMember(name, member);
    reader.FindMember(".ini", member);
    return 0;
}
