// A window of the test with a known picture, for reading back what a capture or the screen shows.
#pragma once

#include <windows.h>

#include <cstdint>

namespace qs::test {

// A borderless window filled with cells of cellWidth x cellHeight pixels, each of its own colour
// (ColourAt). Shown and painted when the constructor returns.
class PatternWindow {
  public:
    PatternWindow(const RECT& bounds, int cellWidth, int cellHeight, bool topmost);
    ~PatternWindow();
    PatternWindow(const PatternWindow&) = delete;
    PatternWindow& operator=(const PatternWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    // The colour (0xRRGGBB) at a point of the window's client area.
    uint32_t ColourAt(int x, int y) const;

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    static COLORREF cellColour(int x, int y);

    HWND hwnd_ = nullptr;
    int cellWidth_, cellHeight_;
};

} // namespace qs::test
