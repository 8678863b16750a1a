// skinrender: one frame of one skin record drawn at a given size with the engine's nine-slice
// primitive, written as a 24-bit BMP.
#include "skin/core/skin_data.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/core/stream.h"
#include "tools/skin_slots.h"
#include "tools/skin_tools_win.h"
#include "tools/tool_files.h"
#include "tools/tool_skin_data.h"

#include <charconv>
#include <ostream>

namespace qs::tools {

namespace {

constexpr int kMaxSide = 8192;

std::string usage() {
    return "usage: skinrender SKIN SLOT W H FRAME OUT.bmp [--vertical] [--tile] [--transparent RRGGBB]\n"
           "  draws frame FRAME (1 = first) of the record SLOT at W x H pixels (1.." +
           std::to_string(kMaxSide) +
           ") with the record's margins\n"
           "  --vertical            the image's frames are stacked top to bottom (default: side by side)\n"
           "  --tile                tile the centre instead of stretching it\n"
           "  --transparent RRGGBB  draw over a background of that colour, leaving magenta pixels unpainted\n"
           "SLOT is one of:\n" +
           SkinSlotList(96, "  ");
}

bool parseInt(const std::string& text, int& value) {
    const char* end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    return ec == std::errc() && ptr == end && !text.empty();
}

bool parseColour(const std::string& text, COLORREF& colour) {
    if (text.size() != 6) return false;
    unsigned value = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + 6, value, 16);
    if (ec != std::errc() || ptr != text.data() + 6) return false;
    colour = RGB((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF);
    return true;
}

struct TRenderRequest {
    std::string skin, slot, out;
    int width = 0, height = 0, frame = 0;
    bool vertical = false, tile = false, transparent = false;
    COLORREF background = 0;
};

// Empty text when the arguments are well formed, else what is wrong with them.
std::string parseArgs(const Args& args, TRenderRequest& r) {
    std::vector<std::string> positional;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--vertical") {
            r.vertical = true;
        } else if (a == "--tile") {
            r.tile = true;
        } else if (a == "--transparent") {
            if (i + 1 >= args.size() || !parseColour(args[i + 1], r.background))
                return "--transparent needs a colour of six hex digits RRGGBB";
            r.transparent = true;
            ++i;
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            return "unknown option " + a;
        } else {
            positional.push_back(a);
        }
    }
    if (positional.size() != 6) return "expected 6 arguments, got " + std::to_string(positional.size());
    r.skin = positional[0];
    r.slot = positional[1];
    r.out = positional[5];
    if (!parseInt(positional[2], r.width) || !parseInt(positional[3], r.height) || r.width < 1 ||
        r.height < 1 || r.width > kMaxSide || r.height > kMaxSide)
        return "W and H must be whole numbers from 1 to " + std::to_string(kMaxSide) + ", not " +
               positional[2] + " x " + positional[3];
    if (!parseInt(positional[4], r.frame) || r.frame < 1)
        return "FRAME must be a number from 1, not " + positional[4];
    return {};
}

} // namespace

int RunSkinRender(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && args[0] == "--help") {
        out << usage();
        return 0;
    }
    TRenderRequest r;
    if (const std::string problem = parseArgs(args, r); !problem.empty()) {
        err << "skinrender: " << problem << '\n' << usage();
        return 2;
    }
    TSkinData skin(nullptr);
    std::string error;
    if (!LoadSkinFile(r.skin, skin, error)) {
        err << "skinrender: " << error << '\n';
        return 1;
    }
    TSkinPiece piece;
    switch (FindSkinPiece(skin, r.slot, piece)) {
    case TSlotLookup::Found: break;
    case TSlotLookup::Unknown:
        err << "skinrender: unknown slot \"" << r.slot << "\"\nSLOT is one of:\n" << SkinSlotList(96, "  ");
        return 2;
    case TSlotLookup::Absent: err << "skinrender: " << r.skin << " has no " << r.slot << " image\n"; return 1;
    }
    if (r.frame > piece.frames) {
        err << "skinrender: " << piece.name << " has " << piece.frames << " frame(s); frame " << r.frame
            << " does not exist\n";
        return 1;
    }
    const int along = r.vertical ? piece.image->Height() : piece.image->Width();
    if (along / piece.frames == 0) {
        err << "skinrender: the " << piece.image->Width() << " x " << piece.image->Height() << " image of "
            << piece.name << " is too small for " << piece.frames << " frames\n";
        return 1;
    }

    TBitmap result(r.width, r.height, pf24bit);
    HDC dc = result.Canvas().Handle();
    const RECT all{0, 0, r.width, r.height};
    if (r.transparent) {
        win::BrushHandle brush(CreateSolidBrush(r.background));
        FillRect(dc, &all, brush.Get());
    }
    DrawSkinObject(dc, all, *piece.image, r.vertical, r.tile, r.transparent, piece.frames, r.frame,
                   piece.margins);
    GdiFlush();
    TMemoryStream bmp;
    result.SaveToStream(bmp);
    if (!WriteFileBytes(r.out, bmp.Bytes(), error)) {
        err << "skinrender: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace qs::tools
