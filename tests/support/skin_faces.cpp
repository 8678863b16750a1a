// A window's edge against the skin's button face.
#include "tests/support/skin_faces.h"

#include "skin/core/skin_data.h"
#include "skin/paint/skin_paint.h"
#include "tests/support/wintest.h"

namespace qs::test {

int FaceEdgeMismatches(HWND button, TSkinData& skin, int frame) {
    if (!skin.Buttons) return -1;
    RECT r{};
    GetWindowRect(button, &r);
    const Pixels shown = CaptureScreen(r);
    TDataSkinButton& b = *skin.Buttons;
    const auto piece = BuildSkinBitmap(RECT{0, 0, shown.width, shown.height}, b.Bitmap, b.Margins(), false,
                                       b.Tile != 0, b.Frames(), frame);
    if (!piece) return -1;
    HDC dc = piece->Canvas().Handle();
    int differ = 0;
    for (int y = 0; y < shown.height; ++y)
        for (int x = 0; x < shown.width; ++x) {
            if (x >= 1 && y >= 1 && x < shown.width - 1 && y < shown.height - 1) continue;
            const COLORREF c = GetPixel(dc, x, y);
            const uint32_t want = uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
            if (b.Trans && want == 0xFF00FF) continue;
            differ += (shown.at(x, y) & 0xFFFFFF) != want;
        }
    return differ;
}

bool DrawnFromSkin(HWND button, TSkinData& skin) {
    for (int frame = 1; frame <= 5; ++frame)
        if (FaceEdgeMismatches(button, skin, frame) == 0) return true;
    return false;
}

} // namespace qs::test
