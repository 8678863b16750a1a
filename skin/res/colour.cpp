// Blending and saturation on packed colours, and the system-colour resolver seam.
#include "skin/res/colour.h"

namespace qs {

namespace {

// COLOR_SCROLLBAR .. COLOR_MENUBAR of the classic Windows scheme.
constexpr int32_t kClassicScheme[] = {0xC8D0D4, 0xA56E3A, 0x6A240A, 0x808080, 0xC8D0D4, 0xFFFFFF, 0x000000,
                                      0x000000, 0x000000, 0xFFFFFF, 0xC8D0D4, 0xC8D0D4, 0x808080, 0x6A240A,
                                      0xFFFFFF, 0xC8D0D4, 0x808080, 0x808080, 0x000000, 0xC8D0D4, 0xFFFFFF,
                                      0x404040, 0xC8D0D4, 0x000000, 0xE1FFFF, 0xB5B5B5, 0x800000, 0xF0CAA6,
                                      0xC0C0C0, 0x6A240A, 0xC8D0D4};

int32_t ClassicScheme(int index) {
    return index < int(sizeof kClassicScheme / sizeof kClassicScheme[0]) ? kClassicScheme[index] : 0;
}

TSysColourResolver g_resolver = ClassicScheme;

} // namespace

TSysColourResolver SetSysColourResolver(TSysColourResolver resolver) {
    const TSysColourResolver previous = g_resolver;
    g_resolver = resolver ? resolver : ClassicScheme;
    return previous;
}

int32_t ResolveColour(int32_t colour) {
    return colour < 0 ? g_resolver(colour & 0xFF) : colour;
}

int32_t Blend(int32_t c1, int32_t c2, int32_t w) {
    const uint32_t a = uint32_t(ResolveColour(c1)), b = uint32_t(ResolveColour(c2));
    const int64_t base = w < 100 ? 100 : 1000;
    const int64_t d = base - w, half = base / 2;
    auto mix = [&](uint32_t ca, uint32_t cb) {
        return uint32_t((int64_t(cb) * d + int64_t(ca) * w + half) / base) & 0xFF;
    };
    const uint32_t red = mix(a & 0xFF, b & 0xFF);
    const uint32_t green = mix(a >> 8 & 0xFF, b >> 8 & 0xFF);
    const uint32_t blue = mix(a >> 16, b >> 16);
    return int32_t(red | green << 8 | blue << 16);
}

int32_t ColorSaturation(int32_t colour) {
    const int r = colour & 0xFF, g = colour >> 8 & 0xFF, b = colour >> 16 & 0xFF;
    if (r < 160 && g < 160 && b < 160) return 200;
    const int mx = r > g ? (r > b ? r : b) : (g > b ? g : b);
    const int mn = r < g ? (r < b ? r : b) : (g < b ? g : b);
    // (mx - mn) / mx * 255 rounded half to even, in exact integers.
    const int n = (mx - mn) * 255;
    const int q = n / mx, twice = 2 * (n % mx);
    return twice > mx || (twice == mx && (q & 1)) ? q + 1 : q;
}

} // namespace qs
