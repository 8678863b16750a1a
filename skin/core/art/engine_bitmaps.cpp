// Draws the engine's built-in bitmap resources at build time:
//   kaleidomenu.bmp  64 x 16, 1 bit: the system menu's restore, maximise, minimise and close glyphs
//   track.bmp        16 x 4: the track-bar channel used when a skin has none
//   trackvert.bmp    4 x 16: the same, upright
//   EN_MPPLAY.bmp ... CL_MPEJECT.bmp  the media player's glyphs, enabled, disabled and coloured for
//                    each button kind, on olive (the colour the panel leaves out)
// Usage: engine_bitmaps OUT_DIR
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "toolkit/controls/media_buttons.h"
#include "toolkit/graphics/bmp_encode.h"

namespace {

// Black strokes on white; each glyph is a 16 x 16 cell of x ranges per row.
struct Span {
    int y, x0, x1;
};
const std::vector<Span> kGlyphs[4] = {
    // restore
    {{4, 5, 12},
     {5, 5, 12},
     {6, 5, 5},
     {6, 12, 12},
     {7, 3, 10},
     {7, 12, 12},
     {8, 3, 10},
     {8, 12, 12},
     {9, 3, 3},
     {9, 10, 12},
     {10, 3, 3},
     {10, 10, 10},
     {11, 3, 3},
     {11, 10, 10},
     {12, 3, 10}},
    // maximise
    {{3, 3, 12},
     {4, 3, 12},
     {5, 3, 3},
     {5, 12, 12},
     {6, 3, 3},
     {6, 12, 12},
     {7, 3, 3},
     {7, 12, 12},
     {8, 3, 3},
     {8, 12, 12},
     {9, 3, 3},
     {9, 12, 12},
     {10, 3, 3},
     {10, 12, 12},
     {11, 3, 3},
     {11, 12, 12},
     {12, 3, 12}},
    // minimise
    {{7, 5, 11}, {8, 5, 11}},
    // close
    {{4, 3, 4},
     {4, 10, 11},
     {5, 3, 5},
     {5, 9, 11},
     {6, 4, 6},
     {6, 8, 10},
     {7, 5, 9},
     {8, 6, 8},
     {9, 5, 9},
     {10, 4, 6},
     {10, 8, 10},
     {11, 3, 5},
     {11, 9, 11},
     {12, 3, 4},
     {12, 10, 11}},
};

std::vector<uint8_t> kaleidoMenu() {
    BmpImage img;
    img.width = 64;
    img.height = 16;
    img.bitsPerPixel = 1;
    img.palette = {0x000000, 0xFFFFFF}; // index 0 black strokes, 1 white background
    img.pixels.assign(img.Stride() * size_t(img.height), 0xFF);
    for (int g = 0; g < 4; ++g)
        for (const Span& s : kGlyphs[g])
            for (int x = 16 * g + s.x0; x <= 16 * g + s.x1; ++x)
                img.Row(s.y)[x / 8] &= uint8_t(~(0x80 >> (x % 8)));
    return EncodeBmp(img);
}

// A sunken channel: shadow above, dark line, light line, highlight below.
const uint32_t kChannel[4] = {0xA0A0A0, 0x696969, 0xE3E3E3, 0xFFFFFF};

std::vector<uint8_t> track(bool upright) {
    BmpImage img;
    img.width = upright ? 4 : 16;
    img.height = upright ? 16 : 4;
    img.bitsPerPixel = 24;
    img.pixels.assign(img.Stride() * size_t(img.height), 0);
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x) {
            const int along = upright ? y : x, across = upright ? x : y;
            uint32_t c = kChannel[across];
            // Rounded-off ends: the first and last pixel along the channel are a step darker.
            if ((along == 0 || along == (upright ? img.height : img.width) - 1) && across > 0)
                c = kChannel[across - 1];
            uint8_t* p = img.Row(y) + 3 * x;
            p[0] = uint8_t(c);
            p[1] = uint8_t(c >> 8);
            p[2] = uint8_t(c >> 16);
        }
    return EncodeBmp(img);
}

// The media glyphs' background, left out when they are drawn.
constexpr uint32_t kOlive = 0x808000;
constexpr uint32_t kGlyphBlack = 0x000000, kGlyphShadow = 0x808080, kGlyphHighlight = 0xFFFFFF;
enum GlyphLook { glEnabled, glDisabled, glColoured };

std::vector<uint8_t> mediaGlyph(int kind, GlyphLook look) {
    BmpImage img;
    img.width = kMediaGlyphWidth;
    img.height = kMediaGlyphHeight;
    img.bitsPerPixel = 24;
    img.pixels.assign(img.Stride() * size_t(img.height), 0);
    auto put = [&img](int x, int y, uint32_t c) {
        if (x < 0 || y < 0 || x >= img.width || y >= img.height) return;
        uint8_t* p = img.Row(y) + 3 * x;
        p[0] = uint8_t(c);
        p[1] = uint8_t(c >> 8);
        p[2] = uint8_t(c >> 16);
    };
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            put(x, y, kOlive);
    // Disabled: embossed, a highlight one pixel down and right under the shadow-grey shape.
    if (look == glDisabled)
        for (int y = 0; y < img.height; ++y)
            for (int x = 0; x < img.width; ++x)
                if (MediaGlyphPixel(kind, x, y)) put(x + 1, y + 1, kGlyphHighlight);
    const uint32_t ink = look == glColoured   ? MediaGlyphColour(kind)
                         : look == glDisabled ? kGlyphShadow
                                              : kGlyphBlack;
    for (int y = 0; y < img.height; ++y)
        for (int x = 0; x < img.width; ++x)
            if (MediaGlyphPixel(kind, x, y)) put(x, y, ink);
    return EncodeBmp(img);
}

bool write(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fprintf(argc == 2 ? stdout : stderr, "usage: engine_bitmaps OUT_DIR\n");
        return argc == 2 ? 0 : 2;
    }
    const std::string dir = argv[1];
    if (!write(dir + "/kaleidomenu.bmp", kaleidoMenu()) || !write(dir + "/track.bmp", track(false)) ||
        !write(dir + "/trackvert.bmp", track(true))) {
        std::fprintf(stderr, "engine_bitmaps: cannot write to %s\n", dir.c_str());
        return 1;
    }
    const struct {
        const char* prefix;
        GlyphLook look;
    } looks[] = {{"EN", glEnabled}, {"DI", glDisabled}, {"CL", glColoured}};
    for (const auto& l : looks)
        for (int k = 0; k < kMediaButtonKinds; ++k) {
            const std::string name = std::string(l.prefix) + "_" + MediaGlyphName(k) + ".bmp";
            if (!write(dir + "/" + name, mediaGlyph(k, l.look))) {
                std::fprintf(stderr, "engine_bitmaps: cannot write to %s\n", dir.c_str());
                return 1;
            }
        }
    return 0;
}
