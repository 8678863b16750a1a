// TSkinTab: tab and page controls painted from the skin's Tabs image and page frame.
#include <windows.h>

#include <commctrl.h>
#include <windowsx.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "skin/controls/centred_label.h"
#include "skin/controls/skin_tabs.h"
#include "skin/core/form_skinner_base.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "skin/res/win/bitmap_ops.h"
#include "toolkit/controls/tab_ctrls.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinTab::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TSkinTab>("TSkinTab", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

// Frames of the Tabs image: 1 a tab, 2 the selected tab.
constexpr int kTabFrames = 5;
// The page frame's margins when the Tabs object carries it.
constexpr RECT kBorderMargins{4, 5, 4, 4};

void drawCloseBox(HDC dc, const TBox& b) {
    const POINT outline[] = {
        {b.Left, b.Top}, {b.Right, b.Top}, {b.Right, b.Bottom}, {b.Left, b.Bottom}, {b.Left, b.Top}};
    Polyline(dc, outline, 5);
    MoveToEx(dc, b.Left, b.Top, nullptr);
    LineTo(dc, b.Right, b.Bottom);
    MoveToEx(dc, b.Left, b.Bottom, nullptr);
    LineTo(dc, b.Right, b.Top);
}

} // namespace

namespace {

std::wstring wideText(const wchar_t* text) {
    return text;
}
std::wstring wideText(const char* text) {
    return AnsiToWide(text);
}

template <class TItem, class TChar>
TTabItem fetchTabItem(HWND tabs, int index, UINT msg, LRESULT(WINAPI* send)(HWND, UINT, WPARAM, LPARAM)) {
    TChar text[kTabTextLength] = {};
    TItem item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE | TCIF_STATE;
    item.pszText = text;
    item.cchTextMax = kTabTextLength;
    item.iImage = -1;
    send(tabs, msg, WPARAM(index), reinterpret_cast<LPARAM>(&item));
    return TTabItem{wideText(text), item.iImage};
}

} // namespace

TTabItem FetchTabItem(HWND tabs, int index, bool unicode) {
    if (unicode) return fetchTabItem<TCITEMW, wchar_t>(tabs, index, TCM_GETITEMW, SendMessageW);
    return fetchTabItem<TCITEMA, char>(tabs, index, TCM_GETITEMA, SendMessageA);
}

TCentredLabel TabLabel(HWND tabs) {
    TCentredLabel label;
    label.Images = HIMAGELIST(SendMessageA(tabs, TCM_GETIMAGELIST, 0, 0));
    label.Enabled = IsWindowEnabled(tabs);
    label.RightToLeft = GetWindowLongPtrA(tabs, GWL_EXSTYLE) & WS_EX_RTLREADING;
    return label;
}

void PaintWindowlessChildren(TControl* control, HDC dc, const RECT& update) {
    auto* parent = dynamic_cast<TWinControl*>(control);
    if (!parent) return;
    for (TControl* c : std::vector<TControl*>(parent->Controls())) {
        RECT r = c->BoundsRect(), both{};
        if (dynamic_cast<TWinControl*>(c) || !c->Visible() || !IntersectRect(&both, &r, &update)) continue;
        win::SaveDCGuard saved(dc);
        OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
        IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
        c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
    }
}

HWND SkinTabArrows(TSkinControl& host, TSkinUpDown*& upDown) {
    if (!host.Handle) return nullptr;
    HWND arrows = FindWindowExA(host.Handle, nullptr, UPDOWN_CLASSA, nullptr);
    if (!arrows) return nullptr;
    if (!upDown && SendMessageA(arrows, SKM_ISSKINNED, 0, 0) != 1) {
        auto* skinner = new TSkinUpDown(nullptr);
        skinner->AttachToWindow(arrows, host.SkinData, host.SkinForm, host.Canvas);
        if (skinner->Attached) {
            upDown = skinner;
            host.FreeNotification(skinner);
        } else {
            delete skinner;
        }
    }
    return (GetWindowLongPtrA(arrows, GWL_STYLE) & WS_VISIBLE) ? arrows : nullptr;
}

void ReleaseTabArrows(TSkinControl& host, TSkinUpDown*& upDown) {
    if (TSkinUpDown* arrows = std::exchange(upDown, nullptr)) {
        host.RemoveFreeNotification(arrows);
        arrows->Release();
    }
}

TSkinTab::~TSkinTab() {
    ReleaseTabArrows(*this, UpDown);
}

void TSkinTab::Notification(TComponent* component, TOperation operation) {
    TSkinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == UpDown) UpDown = nullptr;
}

void TSkinTab::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToControl(skinForm, skin, setColour, canvas);
    if (!Attached) return;
    attached();
    const auto* pages = dynamic_cast<const TPageControl*>(Control);
    CloseButtons = pages && pages->Tag() == kCloseBoxTag && Position == tabTop;
}

void TSkinTab::AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToWindow(window, skin, skinForm, canvas);
    if (Attached) attached();
}

void TSkinTab::attached() {
    Position = TabSideOfStyle(uint32_t(GetLong(Handle, GWL_STYLE)));
    prepareImages();
    SkinTabArrows(*this, UpDown);
    SkinEnabled = true;
    IsUnicode = IsWindowUnicode(Handle);
}

void TSkinTab::prepareImages() {
    TabImage.Clear();
    BorderImage.Clear();
    const TDataSkinBorder* tabs = SkinData ? SkinData->Tabs.get() : nullptr;
    if (!tabs) return;
    if (!tabs->Bitmap.Empty()) {
        CopyBitmap(tabs->Bitmap, TabImage);
        TabImage.SetPixelFormat(pf24bit);
        if (Position == tabBottom) qs::FlipVertical(TabImage);
    }
    const TBitmap* border = &tabs->Bitmap2;
    if (tabs->Style != 0) border = SkinData->TabPane ? &SkinData->TabPane->Bitmap : nullptr;
    if (!border || border->Empty()) return;
    CopyBitmap(*border, BorderImage);
    BorderImage.SetPixelFormat(pf24bit);
    switch (Position) {
    case tabBottom: qs::FlipVertical(BorderImage); break;
    case tabLeft: qs::RotateLeft(BorderImage); break;
    case tabRight: qs::RotateRight(BorderImage); break;
    case tabTop: break;
    }
}

void TSkinTab::SkinChanged() {
    // The images first, so that the repaint shows the new skin.
    prepareImages();
    TSkinControl::SkinChanged();
}

bool TSkinTab::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    switch (m.Msg) {
    case WM_PAINT: {
        RECT client{};
        GetClientRect(Handle, &client);
        if (!TabImage.Empty()) {
            paintMessage(HDC(m.WParam), client);
            m.Result = 0;
            return false;
        }
        // Without tab faces the control draws its own tabs; the page frame goes over them, on a
        // DC that leaves the pages alone.
        TMessageDepth::Scope scope(Depth());
        CallDefault(m);
        if (!scope.Alive()) return false;
        if (m.WParam) {
            paintMessage(HDC(m.WParam), client);
        } else if (win::WindowDC dc = win::WindowDC::Client(Handle)) {
            paintMessage(dc.Get(), client);
        }
        return false;
    }
    // A second box clicked soon after the first comes as a double click.
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!CloseButtons || !closeBoxClicked(m)) return true;
        m.Result = 0;
        return false;
    default: return true;
    }
}

bool TSkinTab::closeBoxClicked(const TMessage& m) {
    const POINT at{GET_X_LPARAM(m.LParam), GET_Y_LPARAM(m.LParam)};
    for (size_t i = 0; i < CloseRects.size(); ++i) {
        if (!PtInRect(&CloseRects[i], at)) continue;
        // Boxes do not overlap, and closing a page moves the tabs after it.
        closeTab(int(i));
        return true;
    }
    return false;
}

void TSkinTab::closeTab(int index) {
    auto* pages = dynamic_cast<TPageControl*>(Control);
    HWND form = SkinForm ? SkinForm->Handle : nullptr;
    TTabSheet* page = pages ? pages->PageOfTab(index) : nullptr;
    if (!page || !form) return;
    const auto pageExists = page->LifeToken();
    TMessageDepth::Scope scope(Depth());
    const LRESULT answer = SendMessageA(form, SKM_TABCLOSE, WPARAM(Handle), LPARAM(index));
    // The program's handler may have freed the page, the control or this skinner meanwhile.
    if (answer != 0 || !scope.Alive() || !*pageExists) return;
    RunProgramCode([page] { delete page; });
}

void TSkinTab::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData || !Handle) return;
    // The window is made again when the program moves its tabs.
    const TTabSide side = TabSideOfStyle(uint32_t(GetLong(Handle, GWL_STYLE)));
    if (side != Position) {
        Position = side;
        prepareImages();
    }
    RECT display = rect;
    SendMessageA(Handle, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
    const TBox page = PageFrame(BoxOfRect(display), Position);
    const HWND arrows = SkinTabArrows(*this, UpDown);
    if (!TabImage.Empty() && SkinData->Tabs) drawStrip(dc, rect, page, arrows);
    drawPageFrame(dc, page);
    if (PaintChildren) PaintWindowlessChildren(Control, dc, rect);
}

TColor TSkinTab::stripColour() const {
    const TColor face = SkinData->Colour(scButtonFace);
    // The system's button face is the skin's while skinned: a dark skin gets no light strip.
    if (!Control || Control->Color() == clBtnFace) return face;
    return Control->Color();
}

void TSkinTab::drawStrip(HDC dc, const RECT& rect, const TBox& page, HWND arrows) {
    const TBox r = BoxOfRect(rect);
    const TBox s = TabStrip(r, page, Position);
    const TStripSize size = StripBitmapSize(s, Position);
    if (size.Width <= 0 || size.Height <= 0) return;
    Strip.SetPixelFormat(pf24bit);
    Strip.SetSize(size.Width, size.Height);
    {
        HDC sdc = Strip.Canvas().Handle();
        FillColour(sdc, RECT{0, 0, size.Width, size.Height}, stripColour());
        win::SelectGuard font(sdc, HFONT(SendMessageA(Handle, WM_GETFONT, 0, 0)));
        win::SelectGuard pen(sdc, GetStockObject(DC_PEN));
        const TDataSkinBorder& tabs = *SkinData->Tabs;
        const int count = std::max(0, int(SendMessageA(Handle, TCM_GETITEMCOUNT, 0, 0)));
        CloseRects.resize(size_t(count));
        const int selected = int(SendMessageA(Handle, TCM_GETCURFOCUS, 0, 0));
        TCentredLabel label = TabLabel(Handle);
        for (int i = 0; i < count; ++i) {
            const TTabItem item = FetchTabItem(Handle, i, IsUnicode);
            RECT window{};
            if (!SendMessageA(Handle, TCM_GETITEMRECT, WPARAM(i), reinterpret_cast<LPARAM>(&window)))
                continue;
            const TBox t = TabInStrip(BoxOfRect(window), Position, r, page, size.Width);
            const RECT tab = RectOfBox(t);
            DrawSkinObject(sdc, tab, TabImage, false, tabs.Tile, tabs.Trans, kTabFrames,
                           i == selected ? 2 : 1, tabs.Margins());
            const COLORREF text = ColorToRGB(i == selected ? tabs.MouseOverColour2 : tabs.NormalColour2);
            SetTextColor(sdc, text);
            if (CloseButtons) {
                // In the caption's colour, which the skin made to stand out on its tabs.
                SetDCPenColor(sdc, text);
                drawCloseBox(sdc, CloseBox(t));
                CloseRects[size_t(i)] = RectOfBox(CloseBox(t));
            }
            label.Caption = item.Text;
            label.ImageIndex = item.Image;
            DrawCentredLabel(sdc, tab, label);
        }
    }
    if (Position == tabRight) qs::RotateRight(Strip);
    if (Position == tabLeft) qs::RotateLeft(Strip);

    win::SaveDCGuard keep(dc);
    if (arrows) {
        // The arrows paint themselves.
        RECT a{};
        GetWindowRect(arrows, &a);
        MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&a), 2);
        ExcludeClipRect(dc, a.left, a.top, a.right, a.bottom);
    }
    BitBlt(dc, s.Left, s.Top, s.Width(), s.Height(), Strip.Canvas().Handle(), 0, 0, SRCCOPY);
}

void TSkinTab::drawPageFrame(HDC dc, const TBox& page) {
    if (BorderImage.Empty()) return;
    RECT margins = kBorderMargins;
    if (SkinData->Tabs && SkinData->Tabs->Style != 0) {
        if (!SkinData->TabPane) return;
        margins = SkinData->TabPane->Margins();
    }
    DrawSkinObject(dc, RectOfBox(page), BorderImage, false, false, false, 1, 1, margins);
}
