// The icon-and-caption label of tabs and other painters.
#include "skin/controls/centred_label.h"

#include <algorithm>

#include "skin/core/skin_control.h"
#include "toolkit/handles.h"

TPlainFont::TPlainFont(HDC dc, HFONT font) {
    LOGFONTW lf{};
    if (!GetObjectW(font ? font : GetCurrentObject(dc, OBJ_FONT), sizeof lf, &lf)) return;
    lf.lfWeight = FW_NORMAL;
    lf.lfItalic = FALSE;
    lf.lfUnderline = FALSE;
    font_.Reset(CreateFontIndirectW(&lf));
    if (!font_) return;
    dc_ = dc;
    old_ = SelectObject(dc, font_.Get());
}

TPlainFont::~TPlainFont() {
    if (dc_) SelectObject(dc_, old_);
}

void DrawCentredLabel(HDC dc, const RECT& box, const TCentredLabel& label) {
    const int qw = box.right - box.left, qh = box.bottom - box.top;
    int cx = 0, cy = 0;
    const bool icon =
        label.Images && label.ImageIndex != -1 && ImageList_GetIconSize(label.Images, &cx, &cy) && cx < qw;
    if (!icon) cx = 0;
    TPlainFont plain(dc);
    int tw = 0, th = 0;
    if (!label.Caption.empty()) {
        RECT measured = box;
        if (cx) measured.right += cx + 2;
        DrawSkinText(dc, label.Caption, measured, label.TextFormat | DT_CALCRECT | DT_NOCLIP);
        tw = measured.right - measured.left;
        th = measured.bottom - measured.top;
    }
    const int x = LabelStart(label.Alignment, qw, tw, cx);
    // The icon is centred by its width: tab icons are square.
    if (icon)
        ImageList_Draw(label.Images, label.ImageIndex, dc, box.left + x, box.top + (qh - cx) / 2,
                       ILD_TRANSPARENT);
    if (label.Caption.empty()) return;
    RECT text{box.left + x + cx, box.top + (qh - th) / 2, 0, 0};
    text.right = text.left + tw;
    text.bottom = text.top + th;
    text.left = std::max(text.left, box.left);
    text.right = std::min(text.right, box.right);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    win::SelectGuard clear(dc, GetStockObject(NULL_BRUSH));
    const COLORREF oldColour = label.Enabled ? CLR_INVALID : SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    DrawSkinText(dc, label.Caption, text, label.TextFormat | (label.RightToLeft ? DT_RTLREADING : 0));
    if (oldColour != CLR_INVALID) SetTextColor(dc, oldColour);
    SetBkMode(dc, oldMode);
}
