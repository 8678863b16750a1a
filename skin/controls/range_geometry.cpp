// Range-control arithmetic.
#include "skin/controls/range_geometry.h"

#include <algorithm>
#include <cstdint>

#include "skin/paint/face_state.h"

int UpDownFrame(TArrowKind kind, int state) {
    const int frame = state + 4 * int(kind);
    return kind == akLeft || kind == akRight ? frame - 8 : frame;
}

std::array<TArrowButton, 2> UpDownButtons(const TUpDownFacts& f) {
    std::array<TArrowButton, 2> buttons;
    int cursor = 0, half = 0;
    if (f.Horizontal) {
        half = f.Width / 2;
        cursor = f.CursorX;
        buttons[0] = {TBox{0, 0, half, f.Height}, akLeft};
        buttons[1] = {TBox{half, 0, f.Width, f.Height}, akRight};
    } else {
        half = f.Height / 2;
        cursor = f.CursorY;
        buttons[0] = {TBox{0, 0, f.Width, half}, akUp};
        buttons[1] = {TBox{0, half, f.Width, f.Height}, akDown};
    }
    TFaceState state;
    state.Enabled = f.Enabled;
    state.Pressed = f.Pressed;
    state.Hot = f.Hot;
    const int underCursor = cursor < half ? 0 : 1;
    for (int i = 0; i < 2; ++i) {
        TFaceState s = state;
        if (i != underCursor) s.Pressed = s.Hot = false;
        buttons[size_t(i)].State = FaceFrame(s, kArrowButtonState, 4);
    }
    return buttons;
}

TBox KeepInsideEditFrame(TBox box, const TBox& ud, const TBox& edit) {
    constexpr int kClear = 3;
    if (ud.Top - edit.Top < kClear) box.Top += kClear - (ud.Top - edit.Top);
    if (edit.Bottom - ud.Bottom < kClear) box.Bottom -= kClear - (edit.Bottom - ud.Bottom);
    if (edit.Right - ud.Right < kClear) box.Right -= kClear - (edit.Right - ud.Right);
    return box;
}

TBox SwapAxes(const TBox& b) {
    return TBox{b.Top, b.Left, b.Bottom, b.Right};
}

int ChannelOffset(int extent, int image) {
    return image < extent ? (extent - image) / 2 : 0;
}

std::array<TSlice, 3> ChannelSlices(const TBox& c, int w, int h, int first, int last, bool vertical) {
    if (vertical) {
        const int x = c.Left + ChannelOffset(c.Width(), w);
        return {TSlice{TBox{x, c.Top, x + w, c.Top + first}, TBox{0, 0, w, first}},
                TSlice{TBox{x, c.Top + first, x + w, c.Bottom - last}, TBox{0, first, w, h - last}},
                TSlice{TBox{x, c.Bottom - last, x + w, c.Bottom}, TBox{0, h - last, w, h}}};
    }
    const int y = c.Top + ChannelOffset(c.Height(), h);
    return {TSlice{TBox{c.Left, y, c.Left + first, y + h}, TBox{0, 0, first, h}},
            TSlice{TBox{c.Left + first, y, c.Right - last, y + h}, TBox{first, 0, w - last, h}},
            TSlice{TBox{c.Right - last, y, c.Right, y + h}, TBox{w - last, 0, w, h}}};
}

namespace {

// a * b / c rounded half away from zero, for c != 0 and a * b within 64 bits.
int64_t mulDiv64(int64_t a, int64_t b, int64_t c) {
    const int64_t product = a * b;
    const bool negative = (product < 0) != (c < 0);
    const int64_t n = product < 0 ? -product : product, d = c < 0 ? -c : c;
    const int64_t q = (n + d / 2) / d;
    return negative ? -q : q;
}

} // namespace

int MulDivRound(int a, int b, int c) {
    if (c == 0) return -1;
    const int64_t q = mulDiv64(a, b, c);
    return q > INT32_MAX || q < INT32_MIN ? -1 : int(q);
}

int StretchedFill(int width, int pos, int lo, int hi) {
    if (hi <= lo || width <= 0) return 0;
    const int64_t fill = mulDiv64(width, int64_t(pos) - lo, int64_t(hi) - lo);
    return int(std::clamp<int64_t>(fill, 0, width));
}

int ChunkFill(int width, int pos, int hi) {
    if (hi <= 0 || pos <= 0 || width <= 0) return 0;
    return std::clamp(MulDivRound(width, pos, hi), 0, width);
}
