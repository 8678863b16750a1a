// skinpreview: a skin's contact sheet (every piece as the engine paints it) saved as PNG.
#include "skin/core/skin_data.h"
#include "toolkit/graphics/png_encode.h"
#include "tools/skin_sheet.h"
#include "tools/skin_tools_win.h"
#include "tools/tool_files.h"
#include "tools/tool_skin_data.h"

#include <ostream>

namespace qs::tools {

namespace {

const char kUsage[] =
    "usage: skinpreview SKIN OUT.png\n"
    "  draws the frame and caption (active and inactive), caption buttons, push buttons,\n"
    "  check and radio glyphs, scroll-bar parts, tabs, track bars, progress, menu items and\n"
    "  every other piece of SKIN frame by frame, and its colours, onto one labelled sheet\n";

std::string baseName(const std::string& path) {
    const size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::vector<uint32_t> pixelsOf(const TBitmap& bmp) {
    std::vector<uint32_t> px;
    px.reserve(size_t(bmp.Width()) * size_t(bmp.Height()));
    for (int y = 0; y < bmp.Height(); ++y) {
        const uint8_t* row = bmp.ScanLine(y);
        for (int x = 0; x < bmp.Width(); ++x)
            px.push_back(uint32_t(row[3 * x + 2]) << 16 | uint32_t(row[3 * x + 1]) << 8 | row[3 * x]);
    }
    return px;
}

} // namespace

int RunSkinPreview(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--help") {
        out << kUsage;
        return 0;
    }
    if (args.size() != 2 || args[0].compare(0, 2, "--") == 0) {
        err << kUsage;
        return 2;
    }
    TSkinData skin(nullptr);
    std::string error;
    if (!LoadSkinFile(args[0], skin, error)) {
        err << "skinpreview: " << error << '\n';
        return 1;
    }
    const std::unique_ptr<TBitmap> sheet = ComposeSkinSheet(skin, "Skin " + baseName(args[0]));
    const std::vector<uint32_t> px = pixelsOf(*sheet);
    if (!WriteFileBytes(args[1], EncodePng(sheet->Width(), sheet->Height(), px.data()), error)) {
        err << "skinpreview: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace qs::tools
