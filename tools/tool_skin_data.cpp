// Skin files into the skin model: the reader checks the archive first so its message can be
// reported, and the loader then runs with that message captured rather than shown in a box.
#include "tools/tool_skin_data.h"

#include "skin/core/skin_data.h"
#include "skin/res/skin_reader.h"
#include "tools/tool_files.h"
#include "tools/tool_skin.h"

namespace qs::tools {

bool LoadSkinFile(const std::string& path, TSkinData& skin, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadFileBytes(path, bytes, error)) return false;
    TSkinReader reader;
    if (!ReadSkin(bytes, reader, error)) {
        error = path + ": " + error;
        return false;
    }
    struct Restore {
        TSkinMessageSink previous;
        ~Restore() { SetSkinMessageSink(std::move(previous)); }
    } restore{SetSkinMessageSink([](const std::string&) {})};
    skin.SkinStream().Clear();
    skin.SkinStream().Write(bytes.data(), bytes.size());
    if (!skin.LoadSkin()) {
        error = path + ": the skin model could not be built from it";
        return false;
    }
    return true;
}

} // namespace qs::tools
