// The media player's button kinds, cells and glyph shapes.
#include "toolkit/controls/media_buttons.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr const char* kNames[kMediaButtonKinds] = {"btPlay", "btPause", "btStop",   "btNext", "btPrev",
                                                   "btStep", "btBack",  "btRecord", "btEject"};
constexpr const char* kGlyphNames[kMediaButtonKinds] = {"MPPLAY", "MPPAUSE", "MPSTOP",   "MPNEXT", "MPPREV",
                                                        "MPSTEP", "MPBACK",  "MPRECORD", "MPEJECT"};
constexpr uint32_t kColours[kMediaButtonKinds] = {0x00A000, 0xE0C000, 0xC00000, 0x0000C0, 0x0000C0,
                                                  0x0000C0, 0x0000C0, 0xE00000, 0x008080};

bool inBox(int x, int y, int left, int top, int right, int bottom) {
    return x >= left && x <= right && y >= top && y <= bottom;
}

// A triangle whose base is the column `base` from top to bottom and whose tip is at column `tip`.
bool inTriangle(int x, int y, int base, int tip, int top, int bottom) {
    if (x < std::min(base, tip) || x > std::max(base, tip) || y < top || y > bottom) return false;
    const double half = (bottom - top) / 2.0, middle = (top + bottom) / 2.0;
    const double reach = half * double(std::abs(tip - x)) / double(std::abs(tip - base));
    return std::fabs(y - middle) <= reach + 0.25;
}

// The same with the base a row and the tip above it.
bool inUpTriangle(int x, int y, int left, int right, int tip, int base) {
    if (y < tip || y > base || x < left || x > right) return false;
    const double half = (right - left) / 2.0, middle = (left + right) / 2.0;
    return std::fabs(x - middle) <= half * double(y - tip) / double(base - tip) + 0.25;
}

} // namespace

const char* MediaButtonName(int kind) {
    return kind >= 0 && kind < kMediaButtonKinds ? kNames[kind] : "";
}

const char* MediaGlyphName(int kind) {
    return kind >= 0 && kind < kMediaButtonKinds ? kGlyphNames[kind] : "";
}

int MediaButtonCount(TMPBtnSet visible) {
    int n = 0;
    for (int k = 0; k < kMediaButtonKinds; ++k)
        n += HasMediaButton(visible, k);
    return n;
}

int MediaButtonWidth(TMPBtnSet visible, int barWidth) {
    const int n = MediaButtonCount(visible);
    return n > 0 && barWidth > 0 ? barWidth / n : 0;
}

int MediaButtonLeft(TMPBtnSet visible, int barWidth, int kind) {
    if (!HasMediaButton(visible, kind)) return -1;
    const int w = MediaButtonWidth(visible, barWidth);
    int x = 0;
    for (int k = 0; k < kind; ++k)
        if (HasMediaButton(visible, k)) x += w;
    return x;
}

int MediaButtonAt(TMPBtnSet visible, int barWidth, int x) {
    const int w = MediaButtonWidth(visible, barWidth);
    if (w <= 0) return kNoMediaButton;
    int s = 0;
    for (int k = 0; k < kMediaButtonKinds; ++k) {
        if (!HasMediaButton(visible, k)) continue;
        if (x >= s && x <= s + w) return k;
        s += w;
    }
    return kNoMediaButton;
}

bool MediaGlyphPixel(int kind, int x, int y) {
    switch (TMPBtnType(kind)) {
    case TMPBtnType::btPlay: return inTriangle(x, y, 5, 11, 1, 10);
    case TMPBtnType::btPause: return inBox(x, y, 4, 2, 6, 9) || inBox(x, y, 9, 2, 11, 9);
    case TMPBtnType::btStop: return inBox(x, y, 4, 2, 11, 9);
    case TMPBtnType::btNext: return inTriangle(x, y, 3, 9, 1, 10) || inBox(x, y, 10, 1, 12, 10);
    case TMPBtnType::btPrev: return inBox(x, y, 3, 1, 5, 10) || inTriangle(x, y, 12, 6, 1, 10);
    case TMPBtnType::btStep: return inTriangle(x, y, 2, 7, 2, 9) || inTriangle(x, y, 8, 13, 2, 9);
    case TMPBtnType::btBack: return inTriangle(x, y, 7, 2, 2, 9) || inTriangle(x, y, 13, 8, 2, 9);
    case TMPBtnType::btRecord: {
        const double dx = x - 7.5, dy = y - 5.5;
        return dx * dx + dy * dy <= 4.6 * 4.6;
    }
    case TMPBtnType::btEject: return inUpTriangle(x, y, 3, 12, 1, 6) || inBox(x, y, 3, 8, 12, 9);
    }
    return false;
}

uint32_t MediaGlyphColour(int kind) {
    return kind >= 0 && kind < kMediaButtonKinds ? kColours[kind] : 0;
}
