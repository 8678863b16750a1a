// Any text as a skin description: every look-up answers without fault.
#include <cstddef>
#include <cstdint>

#include "skin/res/quick_ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    qs::TQuickIni ini;
    ini.LoadFromMemory(data, size);
    std::vector<std::string> sections;
    ini.ReadSections(&sections);
    for (const std::string& s : sections) {
        ini.ReadString(s, "Image", "");
        ini.ReadInteger(s, "Frame", 0);
        ini.SectionIndex(s);
    }
    for (const std::string& line : ini.Lines()) {
        int32_t v;
        qs::ParseIniInteger(line, v);
    }
    return 0;
}
