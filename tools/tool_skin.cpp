// Skin reading for the tools, with the reader's message captured instead of printed.
#include "tools/tool_skin.h"

namespace qs::tools {

bool ReadSkin(const std::vector<uint8_t>& bytes, TSkinReader& reader, std::string& error) {
    std::string message;
    struct Restore {
        TSkinMessageSink previous;
        ~Restore() { SetSkinMessageSink(std::move(previous)); }
    } restore{SetSkinMessageSink([&](const std::string& text) { message = text; })};
    if (reader.ReadArchive(bytes)) return true;
    for (char& c : message)
        c = c == '\r' ? ' ' : c;
    error = "not a skin this reader accepts" + (message.empty() ? std::string() : ": " + message);
    return false;
}

} // namespace qs::tools
