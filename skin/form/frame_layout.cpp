// Frame geometry: border widths from the border images, caption-button visibility and places,
// and the caption text's rectangle.
#include "skin/form/frame_layout.h"

#include <algorithm>

#include "skin/core/skin_data.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

namespace {

// One of the two conditions of a caption button's visibility; `second` selects the Visibility1
// meaning, `first` is the first condition's result.
bool visibilityCondition(int value, bool second, bool first, const TDataSkinSysButton& d,
                         const TFrameFacts& f) {
    const bool maxBox = f.BorderIcons & biMaxBox, minBox = f.BorderIcons & biMinBox;
    const bool help = f.BorderIcons & biHelpBox, sysMenu = f.BorderIcons & biSysMenuBox;
    const bool maximized = f.WindowState == swMaximized;
    switch (value) {
    case cvAlways: return true;
    case cvMaximized: return maximized;
    case cvNotMaximized: return !maximized;
    case cvActive: return f.Active;
    case cvInactive: return !f.Active;
    case cvMinOrMaxBox:
    case cvMinOrMaxBoxAlt: return second ? (minBox || maxBox) : ((minBox || maxBox) && sysMenu);
    case cvNoMaxBox: return !maxBox;
    case cvNoMinBox: return !minBox;
    case cvHelpOnly: return second ? help : (help && !minBox && !maxBox);
    case cvMenuBand: return second ? first : f.MenuBandButtons;
    case cvDialogFrame: return !second && !f.IsDialog && f.BorderKind == bkDialog;
    default:
        if (value >= cvFirstOnlyFrom && value <= cvFirstOnlyTo) return !second;
        if (value >= cvAskWindowFrom && value <= cvAskWindowTo)
            return !second && f.AskVisible && f.AskVisible(value, d.Action);
        // cvNever and anything unknown: hidden (skins use -1 to hide a button).
        return false;
    }
}

// The horizontal offset of the measured text within the caption by the title's alignment.
int textOffset(const TDataSkinTitle& title, bool rightToLeft, int capW, int textW, int rightButtons) {
    if (!rightToLeft) {
        switch (title.TextAlignment) {
        case txLeft: return title.LeftWidth;
        case txCentre: return (capW - textW) / 2;
        case txRight: return capW - title.RightWidth - textW;
        default: return 0;
        }
    }
    switch (title.TextAlignment) {
    case txLeft: return capW - rightButtons - textW;
    case txCentre: return (capW - textW - rightButtons) / 2;
    case txRight: return title.LeftWidth;
    default: return 0;
    }
}

void layoutCaptionText(TFrameLayout& l, const TFrameFacts& f, const TDataSkinTitle& title, HDC dc,
                       HFONT font) {
    const RECT cap = l.Caption;
    int rightButtons = 0;
    for (const TCaptionButtonPlace& b : l.Buttons)
        if (b.Data->Align == caRightEdge && b.Image && !b.Image->Empty() && b.Visible)
            rightButtons = std::max(rightButtons, int(b.Data->Xcoord));

    RECT r = cap;
    {
        win::SelectGuard selected(dc, font);
        DrawTextW(dc, l.Text.c_str(), int(l.Text.size()), &r, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
    }
    r.right += title.TXTBackleft + title.TXTBackRight;
    const int dx = textOffset(title, f.RightToLeft, RectWidth(cap), RectWidth(r), rightButtons);
    const int dy = (RectHeight(cap) - RectHeight(r)) / 2 + title.TopHeight / 2;
    OffsetRect(&r, dx, dy);
    if (f.RightToLeft && dx < 1) r.left = title.LeftWidth;
    if (!f.RightToLeft) {
        if (f.Popup) {
            if (rightButtons > 5 && r.right > cap.right - rightButtons - 5)
                r.right = cap.right - rightButtons - 5;
        } else if (r.right > cap.right - title.RightWidth) {
            r.right = cap.right - title.RightWidth;
        }
    } else {
        OffsetRect(&r, 10, 0);
    }
    // Dialog frames show no icon, so their text starts further left.
    if (f.BorderKind == bkDialog && title.TextAlignment == txLeft) r.left -= 16;
    l.CaptionTextRect = r;
    l.TextRect = RECT{r.left + title.TXTBackleft, r.top, r.right - title.TXTBackRight, r.bottom};
    l.TextFormat = DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS;
    if (f.RightToLeft) l.TextFormat |= DT_RIGHT | DT_RTLREADING;
}

RECT placeButton(const TCaptionButtonPlace& b, const TFrameLayout& l, const TSkinData& skin) {
    const TDataSkinSysButton& d = *b.Data;
    const int w = b.Image->Width() / b.Frames, h = b.Image->Height();
    int x = 0, y = d.Ycoord;
    switch (d.Align) {
    case caLeftEdge: x = d.Xcoord; break;
    case caRightEdge: x = l.Width - d.Xcoord; break;
    case caBeforeText:
    case caBeforeTextAlt: x = l.CaptionTextRect.left - w - d.Xcoord; break;
    case caAfterText:
    case caAfterTextAlt: x = l.CaptionTextRect.right + d.Xcoord; break;
    case caMenuBand: {
        const int menuLeft = skin.MenuBar ? skin.MenuBar->LeftWidth : 0;
        x = l.Width - d.Xcoord - l.Metrics.BorderRight - menuLeft;
        y = l.Metrics.CaptionHeight + (l.MenuHeight - h) / 2;
        break;
    }
    default: y = 0; break;
    }
    return RECT{x, y, x + w, y + h};
}

} // namespace

TFrameMetrics FrameMetrics(const TSkinData& skin, int borderKind) {
    TFrameMetrics m;
    const TSkinBorders& b = skin.Borders;
    if (borderKind == bkNoCaption || !b.Top) return m;
    // Top and bottom frames are stacked, left and right side by side.
    m.CaptionHeight = b.Top->Bitmap.Height() / b.Top->Frames();
    m.BorderLeft = b.Left->Bitmap.Width() / b.Left->Frames();
    m.BorderRight = b.Right->Bitmap.Width() / b.Right->Frames();
    m.BorderBottom = b.Bottom->Bitmap.Height() / b.Bottom->Frames();
    return m;
}

bool CaptionButtonVisible(const TDataSkinSysButton& d, const TFrameFacts& f, bool& enabled) {
    const bool maxBox = f.BorderIcons & biMaxBox, minBox = f.BorderIcons & biMinBox;
    const bool sysMenu = f.BorderIcons & biSysMenuBox;
    const bool first = visibilityCondition(d.Visibility, false, false, d, f);
    bool visible = first && visibilityCondition(d.Visibility1, true, first, d, f);
    if (IsCloseAction(d.Action) && !sysMenu) visible = false;
    if (d.Action == acMaximize) enabled = maxBox && sysMenu;
    if (d.Action == acMinimize) enabled = minBox && sysMenu;
    if (IsSystemMenuAction(d.Action) && f.BorderKind == bkDialog) visible = false;
    return visible;
}

TFrameLayout LayoutFrame(const TFrameFacts& f, const TSkinData& skin, HDC measureDC, HFONT captionFont) {
    TFrameLayout l;
    const int W = f.Width, H = f.Height;
    l.Width = W;
    l.Height = H;
    l.Metrics = FrameMetrics(skin, f.BorderKind);
    const TFrameMetrics& m = l.Metrics;
    l.MenuHeight = f.BorderKind == bkNoCaption ? 0 : f.MenuHeight;
    l.Active = f.Active;
    l.RightToLeft = f.RightToLeft;
    l.Minimized = f.WindowState == swMinimized;
    l.Left = RECT{0, 0, m.BorderLeft, H};
    l.Right = RECT{W - m.BorderRight, 0, W, H};
    l.Bottom = RECT{m.BorderLeft, H - m.BorderBottom, W - m.BorderRight, H};
    l.Band = RECT{0, 0, W, l.Minimized ? H : m.CaptionHeight};
    l.Caption = l.Minimized ? RECT{0, 0, W, m.CaptionHeight}
                            : RECT{m.BorderLeft, 0, W - m.BorderRight, m.CaptionHeight};
    l.MenuBand = RECT{m.BorderLeft, m.CaptionHeight, W - m.BorderRight, m.CaptionHeight + l.MenuHeight};
    l.Text = kCaptionPrefix + f.Text + kCaptionSuffix;

    for (const auto& record : skin.SysButtons) {
        TCaptionButtonPlace b;
        b.Data = record.get();
        b.Image = &record->Bitmap;
        b.Frames = record->Frames();
        if (IsIconAction(record->Action)) {
            if (record->Bitmap.Empty() && f.IconImage) b.Image = f.IconImage;
            b.Frames = 1;
        }
        b.Visible = CaptionButtonVisible(*record, f, b.Enabled);
        l.Buttons.push_back(b);
    }
    layoutCaptionText(l, f, *skin.Title, measureDC, captionFont);
    for (TCaptionButtonPlace& b : l.Buttons) {
        b.Placed = b.Visible && !b.Image->Empty();
        if (b.Placed) b.Rect = placeButton(b, l, skin);
    }
    return l;
}
