// An icon and a caption placed side by side in a box, left, centred or right: tab captions, and
// the labels of other painters that show an image-list icon beside a text.
#pragma once

#include <windows.h>

#include <commctrl.h>

#include <string>

#include "skin/controls/tab_geometry.h"
#include "toolkit/handles.h"

// The DC's font (or `font`, selected) without bold, italic or underline while it lives.
class TPlainFont {
  public:
    explicit TPlainFont(HDC dc, HFONT font = nullptr);
    ~TPlainFont();
    TPlainFont(const TPlainFont&) = delete;
    TPlainFont& operator=(const TPlainFont&) = delete;

  private:
    win::FontHandle font_;
    HDC dc_ = nullptr;
    HGDIOBJ old_ = nullptr;
};

struct TCentredLabel {
    std::wstring Caption;
    // No icon without an image list, with index -1, or when the icon is not narrower than the box.
    HIMAGELIST Images = nullptr;
    int ImageIndex = -1;
    TLabelAlignment Alignment = laCentre;
    // A disabled caption shows in the system shadow colour, whatever the DC's text colour.
    bool Enabled = true;
    bool RightToLeft = false;
    // How the caption is measured and drawn.
    UINT TextFormat = DT_WORDBREAK | DT_EXPANDTABS | DT_END_ELLIPSIS;
};

// Draws the label into `box` in the DC's font made plain and its text colour, the caption's
// background left as it is.
void DrawCentredLabel(HDC dc, const RECT& box, const TCentredLabel& label);
