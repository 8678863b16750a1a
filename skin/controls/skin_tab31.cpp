// TSkinTab31: the tab set, its tabs hanging from the top edge, drawn from the flipped Tabs image.
#include <windows.h>

#include <algorithm>

#include "skin/controls/centred_label.h"
#include "skin/controls/skin_tabs.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "skin/res/win/bitmap_ops.h"
#include "toolkit/controls/tab_set.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinTab31::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinTab31>("TSkinTab31", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

constexpr int kTabFrames = 5;

} // namespace

void TSkinTab31::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool, TCanvas* canvas) {
    auto* tabSet = dynamic_cast<TTabSet*>(Owner());
    if (Attached || !tabSet) return;
    AttachToWindow(tabSet->Handle(), skin, skinForm, canvas);
    if (!Attached) return;
    Control = tabSet;
    prepareImage();
    // The tab set makes its arrows first of everything it owns.
    auto* arrows = tabSet->ComponentCount() > 0 ? dynamic_cast<TUpDown*>(tabSet->Components()[0]) : nullptr;
    if (!arrows) return;
    Scroller = arrows;
    if (arrows->HandleAllocated() && SendMessageA(arrows->Handle(), SKM_ISSKINNED, 0, 0) == 1) return;
    auto* upDown = new TSkinUpDown(arrows);
    upDown->Horizontal = true;
    upDown->AttachToControl(skinForm, skin, false, canvas);
    UpDown = upDown;
    FreeNotification(upDown);
}

void TSkinTab31::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == UpDown) UpDown = nullptr;
}

void TSkinTab31::prepareImage() {
    TabImage.Clear();
    const TDataSkinBorder* tabs = SkinData ? SkinData->Tabs.get() : nullptr;
    if (!tabs || tabs->Bitmap.Empty()) return;
    CopyBitmap(tabs->Bitmap, TabImage);
    qs::FlipVertical(TabImage);
}

void TSkinTab31::SkinChanged() {
    prepareImage();
    TSkinControl::SkinChanged();
}

bool TSkinTab31::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    switch (m.Msg) {
    case WM_PAINT: {
        // Painted first: the tab set then finds nothing left to update.
        RECT client{};
        GetClientRect(Handle, &client);
        paintMessage(HDC(m.WParam), client);
        return true;
    }
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return true;
    }
}

void TSkinTab31::AfterDefault(TMessage& m) {
    // Painted already; a window DC here would paint over the arrows.
    if (m.Msg != WM_PAINT) TSkinControl::AfterDefault(m);
}

void TSkinTab31::DrawSkin(HDC dc, const RECT& rect) {
    auto* tabSet = dynamic_cast<TTabSet*>(Control);
    const TDataSkinBorder* tabs = SkinData ? SkinData->Tabs.get() : nullptr;
    if (!tabSet || !tabs || TabImage.Empty()) return;
    const int w = RectWidth(rect), h = RectHeight(rect);
    if (w <= 0 || h <= 0) return;
    TBitmap work(w, h, pf24bit);
    HDC wdc = work.Canvas().Handle();
    FillFace(wdc, RECT{0, 0, w, h});
    TPlainFont font(wdc, tabSet->Font()->Handle());
    SetBkMode(wdc, TRANSPARENT);
    const bool arrowsShow = Scroller && Scroller->Visible();
    const int usable = w - tabSet->EndMargin();
    int x = tabSet->StartMargin();
    for (int i = std::max(0, tabSet->FirstIndex()); i < tabSet->Tabs()->Count(); ++i) {
        const std::wstring caption = AnsiToWide(tabSet->Tabs()->Strings(i));
        RECT text{};
        DrawSkinText(wdc, caption, text, DT_EXPANDTABS | DT_CALCRECT | DT_NOCLIP | DT_SINGLELINE);
        const int tw = RectWidth(text), th = RectHeight(text);
        // A tab that does not fit is left out; a shorter one after it may still fit.
        if (!TabSetTabFits(usable, x, tw, arrowsShow)) continue;
        const RECT tab{x, 0, x + tw + kTabSetPadding, h};
        const bool selected = i == tabSet->TabIndex();
        DrawSkinObject(wdc, tab, TabImage, false, tabs->Tile, tabs->Trans, kTabFrames, selected ? 2 : 1,
                       tabs->Margins());
        SetTextColor(wdc, ColorToRGB(selected ? tabs->MouseOverColour2 : tabs->NormalColour2));
        RECT place{tab.left + (RectWidth(tab) - tw) / 2, (h - th) / 2 - 1, 0, 0};
        place.right = place.left + tw;
        place.bottom = place.top + th;
        DrawSkinText(wdc, caption, place, DT_EXPANDTABS | DT_CENTER);
        x += tw + kTabSetPadding;
    }
    BitBlt(dc, rect.left, rect.top, w, h, wdc, 0, 0, SRCCOPY);
}
