// The small hint window that names a hovered caption button ("Close", "Maximize", ...).
#pragma once

#include <windows.h>

#include <string>

#include "toolkit/handles.h"

class TCaptionHint {
  public:
    TCaptionHint() = default;
    ~TCaptionHint();
    TCaptionHint(const TCaptionHint&) = delete;
    TCaptionHint& operator=(const TCaptionHint&) = delete;

    // The rectangle (at the origin) the text needs, wrapped at maxWidth pixels.
    RECT CalcHintRect(int maxWidth, const std::string& text);
    // Shows the hint at r (screen coordinates) without activating it.
    void ActivateHint(const RECT& r, const std::string& text);
    void ReleaseHandle(); // hides it
    HWND Handle() const { return hwnd_; }

    bool HintShowing = false;

  private:
    HWND ensureWindow();
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
    void paint(HWND hwnd);
    HFONT font();

    HWND hwnd_ = nullptr;
    std::string text_;
    win::FontHandle font_;
};
