// The skinned menu bar: building its items from the window's menu, laying them out, painting
// the band and single items, and finding items by point and accelerator.
#include "skin/form/menu_bar.h"

#include <algorithm>
#include <cwctype>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/controls/menus.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TMenuBtn::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TMenuBtn>("TMenuBtn", &TNCObject::StaticClass()).Build();
    return info;
}

namespace {

// Menu texts are read into buffers of this size.
constexpr int kMenuText = 80;
// Where the first item starts without a MenuBar record, and in a band too narrow for the record's.
constexpr int kPlainStart = 6, kNarrowStart = 12;
constexpr UINT kMeasureCaption = DT_CALCRECT | DT_NOCLIP;
constexpr UINT kCentredCaption = DT_CENTER | DT_SINGLELINE | DT_EXPANDTABS;

std::wstring wide(const char* ansi) {
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi, -1, nullptr, 0);
    std::wstring out(size_t(std::max(1, n)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi, -1, out.data(), n);
    out.resize(out.size() - 1);
    return out;
}

std::wstring wide(const std::string& ansi) {
    return wide(ansi.c_str());
}

int startOffset(const TSkinData& skin, int bandWidth, bool rightToLeft) {
    if (!skin.MenuBar) return kPlainStart;
    const int s = rightToLeft ? skin.MenuBar->RightWidth + 8 : skin.MenuBar->LeftWidth + 4;
    return bandWidth < s ? kNarrowStart : s;
}

int captionWidth(HDC dc, const std::wstring& caption) {
    if (caption.empty()) return 0;
    RECT r{0, 0, 0, 0};
    DrawTextW(dc, caption.c_str(), int(caption.size()), &r, kMeasureCaption);
    const int w = RectWidth(r);
    return w > 0 ? w + 10 : 0;
}

} // namespace

std::vector<RECT> LayoutMenuBar(HDC dc, HFONT font, SIZE band, const TSkinData& skin,
                                const std::vector<TMenuBarItemFace>& items, bool rightToLeft,
                                int rightLimit) {
    std::vector<RECT> rects(items.size(), RECT{});
    if (band.cx <= 0 || band.cy <= 0) return rects;
    win::SelectGuard selected(dc, font);
    const int s = startOffset(skin, band.cx, rightToLeft);
    int x = rightToLeft ? (rightLimit >= 0 ? rightLimit : band.cx - s) : s;
    for (size_t i = 0; i < items.size(); ++i) {
        if (!items[i].Visible) continue;
        const int w = captionWidth(dc, items[i].Caption);
        if (rightToLeft) {
            rects[i] = RECT{x - w, 0, x, band.cy - 1};
            x -= w;
        } else {
            rects[i] = RECT{x, 0, x + w, band.cy - 1};
            x += w;
        }
    }
    return rects;
}

void DrawMenuBarItem(HDC dc, const RECT& rect, TSkinData& skin, const TMenuBarItemFace& face, int mouseState,
                     HFONT font) {
    if (!face.Visible || RectWidth(rect) <= 0) return;
    win::SaveDCGuard saved(dc);
    if (mouseState == msPressed || mouseState == msHot) {
        win::BrushHandle frame(CreateSolidBrush(ColorToRGB(skin.Colour(scButtonHilight))));
        FrameRect(dc, &rect, frame.Get());
    }
    SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    // A disabled caption ends in the system's shadow colour, whatever the skin's.
    SetTextColor(dc, face.Enabled ? ColorToRGB(skin.Colour(scMenuBarText)) : GetSysColor(COLOR_BTNSHADOW));
    RECT measured = rect;
    DrawTextW(dc, face.Caption.c_str(), int(face.Caption.size()), &measured,
              kCentredCaption | kMeasureCaption);
    const int dx = (RectWidth(rect) - RectWidth(measured)) / 2,
              dy = (RectHeight(rect) - RectHeight(measured)) / 2;
    RECT placed{rect.left + dx, rect.top + dy, rect.left + dx + RectWidth(measured),
                rect.top + dy + RectHeight(measured)};
    DrawTextW(dc, face.Caption.c_str(), int(face.Caption.size()), &placed, kCentredCaption);
}

void DrawMenuBarBackground(HDC dc, SIZE band, TSkinData& skin, bool active) {
    const RECT all{0, 0, band.cx, band.cy};
    if (!skin.MenuBar || skin.MenuBar->Bitmap.Empty()) {
        win::BrushHandle fill(CreateSolidBrush(ColorToRGB(skin.Colour(scMenubar))));
        FillRect(dc, &all, fill.Get());
        return;
    }
    TDataSkinObject& bar = *skin.MenuBar;
    const int frame = active ? 1 : 2;
    if (bar.Tile == 1)
        DrawSkinObject(dc, all, bar.Bitmap, true, false, false, 2, frame, bar.Margins());
    else
        DrawSkinStrip(dc, all, bar.Bitmap, true, false, 2, frame, bar.Margins());
}

void DrawMenuBar(HDC dc, SIZE band, TSkinData& skin, const std::vector<TMenuBarItemFace>& items,
                 const std::vector<RECT>& rects, bool active, HFONT font) {
    DrawMenuBarBackground(dc, band, skin, active);
    for (size_t i = 0; i < items.size() && i < rects.size(); ++i)
        DrawMenuBarItem(dc, rects[i], skin, items[i], msNormal, font);
}

wchar_t MenuAccelerator(const std::wstring& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i)
        if (caption[i] == L'&') {
            if (caption[i + 1] != L'&') return wchar_t(std::towlower(caption[i + 1]));
            ++i; // "&&" is a literal ampersand
        }
    return 0;
}

TMenuBarItemFace TMenuBtn::Face() const {
    TMenuBarItemFace f;
    f.Caption = Caption;
    f.Enabled = ItemEnabled;
    f.Visible = Visible;
    return f;
}

void TMenuBtn::Paint() {
    if (!IsWindow(Form->Handle) || Bar->Background.Empty()) return;
    win::WindowDC dc = win::WindowDC::Frame(Form->Handle);
    if (!dc) return;
    // The item's column of the clean band, then its frame and caption.
    const RECT& bar = Bar->BarRect;
    BitBlt(dc.Get(), Rect.left, bar.top, RectWidth(Rect), RectHeight(bar), Bar->Background.Canvas().Handle(),
           Rect.left - bar.left, 0, SRCCOPY);
    DrawMenuBarItem(dc.Get(), Rect, *Form->SkinData, Face(), MouseState, MenuFont());
}

TWinSkinMenu::TWinSkinMenu(TWinSkinForm& form, TSkinData& skin, TMainMenu* menu)
    : Menu(menu), form_(form), skin_(skin) {}

TWinSkinMenu::~TWinSkinMenu() = default;

bool TWinSkinMenu::RightToLeft() const {
    return Menu ? Menu->IsRightToLeft() : form_.RightToLeft;
}

bool TWinSkinMenu::BuildItems() {
    return build(GetMenu(form_.Handle), false);
}

bool TWinSkinMenu::RebuildFromMdiMenu() {
    const bool built = build(GetMenu(form_.Handle), true);
    if (built) LayoutItems();
    return built;
}

bool TWinSkinMenu::build(HMENU menu, bool mdi) {
    if (!menu) return false;
    MenuHandle = menu;
    if (form_.Form && !Menu) return false;
    if (form_.HotObject && dynamic_cast<TMenuBtn*>(form_.HotObject)) form_.HotObject = nullptr;
    // An action update below may change the menu again: what it changes is read here anyway.
    building_ = true;
    struct Done {
        bool& flag;
        ~Done() { flag = false; }
    } done{building_};
    Items.clear();
    const int count = GetMenuItemCount(menu);
    // A menu without items keeps the system's menu bar.
    if (count <= 0) return false;
    for (int i = 0; i < count; ++i) {
        char text[kMenuText] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_TYPE;
        info.dwTypeData = text;
        info.cch = kMenuText - 1;
        if (!GetMenuItemInfoA(menu, UINT(i), TRUE, &info)) continue;
        auto b = std::make_unique<TMenuBtn>(&form_, this);
        b->Index = int(Items.size());
        b->SubMenu = info.hSubMenu;
        b->ItemEnabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        b->Visible = true;
        b->Command = info.wID;
        // Owner-drawn and separator items carry no text in the handle.
        if (!(info.fType & (MFT_OWNERDRAW | MFT_SEPARATOR | MFT_BITMAP))) b->Caption = wide(text);
        TMenuItem* item = nullptr;
        if (Menu && (!mdi || b->Caption.empty())) {
            item = info.hSubMenu ? Menu->FindItemByHandle(info.hSubMenu) : nullptr;
            if (!item) item = Menu->FindItem(info.wID);
        }
        if (item) {
            item->UpdateAction();
            b->Caption = wide(item->Caption());
            b->ItemEnabled = item->Enabled();
            b->Item = item;
            b->SubMenu = item->Count() > 0 ? item->Handle() : nullptr;
            if (mdi) b->Command = item->Command();
        }
        Items.push_back(std::move(b));
    }
    SetMenu(form_.Handle, nullptr);
    return true;
}

SIZE TWinSkinMenu::bandSize() const {
    return SIZE{form_.FrameWidth - form_.BorderLeft - form_.BorderRight, form_.MenuHeight};
}

std::vector<TMenuBarItemFace> TWinSkinMenu::faces() const {
    std::vector<TMenuBarItemFace> f;
    f.reserve(Items.size());
    for (const auto& b : Items)
        f.push_back(b->Face());
    return f;
}

void TWinSkinMenu::LayoutItems() {
    const SIZE band = bandSize();
    win::MemoryDC measure(nullptr);
    const std::vector<RECT> rects =
        LayoutMenuBar(measure.Get(), MenuFont(), band, skin_, faces(), RightToLeft());
    for (size_t i = 0; i < Items.size(); ++i) {
        RECT r = rects[i];
        if (RectWidth(r) > 0) OffsetRect(&r, form_.BorderLeft, form_.CaptionHeight);
        Items[i]->Rect = r;
    }
}

void TWinSkinMenu::PaintBar(HDC dc, const RECT& band) {
    const SIZE size{RectWidth(band), RectHeight(band)};
    if (size.cx <= 0 || size.cy <= 0) return;
    TBitmap& scratch = ScratchBitmap();
    if (scratch.Width() != size.cx || scratch.Height() != size.cy) scratch.SetSize(size.cx, size.cy);
    HDC sdc = scratch.Canvas().Handle();
    DrawMenuBarBackground(sdc, size, skin_, form_.Active);
    BarRect = band;
    Background.SetPixelFormat(pf24bit);
    Background.SetSize(size.cx, size.cy);
    BitBlt(Background.Canvas().Handle(), 0, 0, size.cx, size.cy, sdc, 0, 0, SRCCOPY);
    Painting = true;
    const std::vector<TMenuBarItemFace> f = faces();
    const bool childButtons = form_.ActiveMdiChildMaximized();
    int rightLimit = -1;
    if (childButtons && RightToLeft()) {
        // The child's buttons sit at the right end: a right-to-left bar stops 5 pixels before them.
        rightLimit = startLimit(size.cx);
    }
    const std::vector<RECT> rects = LayoutMenuBar(sdc, MenuFont(), size, skin_, f, RightToLeft(), rightLimit);
    for (size_t i = 0; i < Items.size(); ++i) {
        DrawMenuBarItem(sdc, rects[i], skin_, f[i], msNormal, MenuFont());
        RECT r = rects[i];
        if (RectWidth(r) > 0) OffsetRect(&r, band.left, band.top);
        Items[i]->Rect = r;
    }
    Painting = false;
    if (childButtons) {
        // The maximised MDI child's minimise, restore and close buttons, on the band.
        for (const auto& b : form_.CaptionButtons) {
            if (b->ButtonData->Visibility != cvMenuBand || !b->Place.Image || b->Place.Image->Empty())
                continue;
            RECT r = b->Rect;
            OffsetRect(&r, -band.left, -band.top);
            DrawSkinFrame(sdc, r, *b->Place.Image, true, b->Place.Frames, 1);
        }
        if (SkinManager && !SkinManager->MdiMaximized()) SkinManager->SetMdiMaximized(true);
    }
    BitBlt(dc, band.left, band.top, size.cx, size.cy, sdc, 0, 0, SRCCOPY);
}

int TWinSkinMenu::startLimit(int bandWidth) const {
    int limit = bandWidth - startOffset(skin_, bandWidth, true);
    for (const auto& b : form_.CaptionButtons)
        if (b->ButtonData->Visibility == cvMenuBand && b->Visible && b->Place.Placed)
            limit = std::min(limit, int(b->Rect.left - form_.BorderLeft) - 5);
    return limit;
}

TMenuBtn* TWinSkinMenu::ItemAt(POINT p) const {
    for (const auto& b : Items)
        if (!b->Caption.empty() && PtInRect(&b->Rect, p)) return b.get();
    return nullptr;
}

TMenuBtn* TWinSkinMenu::FirstOpenable(size_t from) const {
    for (size_t i = from; i < Items.size(); ++i) {
        const TMenuBtn& b = *Items[i];
        if (b.SubMenu && b.ItemEnabled && b.Visible && !b.Caption.empty()) return Items[i].get();
    }
    return nullptr;
}

void TWinSkinMenu::MenuChanged() {
    if (building_) return;
    if (Tracking()) {
        rebuildPending_ = true;
        if (form_.CurrentPopup) MakeMenuOwnerDrawn(form_.CurrentPopup);
        // The window must not show the system's bar meanwhile.
        if (GetMenu(form_.Handle)) SetMenu(form_.Handle, nullptr);
        return;
    }
    rebuild();
}

void TWinSkinMenu::rebuild() {
    rebuildPending_ = false;
    if (!GetMenu(form_.Handle) && MenuHandle && IsMenu(MenuHandle))
        build(MenuHandle, false);
    else
        BuildItems();
}

TMenuBtn* TWinSkinMenu::FindAccelerator(wchar_t key) const {
    const wchar_t wanted = wchar_t(std::towlower(key));
    for (const auto& b : Items)
        if (b->ItemEnabled && b->Visible && MenuAccelerator(b->Caption) == wanted) return b.get();
    return nullptr;
}
