// TSkinTabBtn: tab controls whose tabs are buttons, drawn with the skin's button faces.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/centred_label.h"
#include "skin/controls/skin_tabs.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinTabBtn::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinTabBtn>("TSkinTabBtn", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {
// Button faces: 1 normal, 2 pressed (the selected tab).
constexpr int kButtonFrames = 5;
} // namespace

bool TSkinTabBtn::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    if (m.Msg != WM_PAINT) return true;
    RECT client{};
    GetClientRect(Handle, &client);
    paintMessage(HDC(m.WParam), client);
    m.Result = 0;
    return false;
}

void TSkinTabBtn::DrawSkin(HDC dc, const RECT& rect) {
    TDataSkinButton* buttons = SkinData ? SkinData->Buttons.get() : nullptr;
    if (!buttons || buttons->Bitmap.Empty() || !Handle) return;
    RECT display = rect;
    SendMessageA(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const TBox r = BoxOfRect(rect);
    const TBox page = PageFrame(BoxOfRect(display), tabTop);
    const TBox s = TabStrip(r, page, tabTop);
    if (s.Width() <= 0 || s.Height() <= 0) return;
    TBitmap strip(s.Width(), s.Height(), pf24bit);
    HDC sdc = strip.Canvas().Handle();
    FillFace(sdc, RECT{0, 0, s.Width(), s.Height()});
    win::SelectGuard font(sdc, HFONT(SendMessageA(Handle, WM_GETFONT, 0, 0)));
    const int count = std::max(0, int(SendMessageA(Handle, TCM_GETITEMCOUNT, 0, 0)));
    const int selected = int(SendMessageA(Handle, TCM_GETCURFOCUS, 0, 0));
    TCentredLabel label = TabLabel(Handle);
    for (int i = 0; i < count; ++i) {
        const TTabItem item = FetchTabItem(Handle, i, IsUnicode);
        RECT window{};
        if (!SendMessageA(Handle, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&window))) continue;
        const RECT tab = RectOfBox(TabInStrip(BoxOfRect(window), tabTop, r, page, s.Width()));
        const bool down = i == selected;
        DrawSkinObject(sdc, tab, buttons->Bitmap, false, buttons->Tile, buttons->Trans, kButtonFrames,
                       down ? 2 : 1, buttons->Margins());
        TColor colour = clBlack;
        if (!down && buttons->HasNormalColour2) colour = buttons->NormalColour2;
        if (down && buttons->HasPressedColour2) colour = buttons->PressedColour2;
        SetTextColor(sdc, ColorToRGB(colour));
        label.Caption = item.Text;
        label.ImageIndex = item.Image;
        DrawCentredLabel(sdc, tab, label);
    }
    BitBlt(dc, s.Left, s.Top, s.Width(), s.Height(), sdc, 0, 0, SRCCOPY);
}
