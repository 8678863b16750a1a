// The form skinner's owner-drawn menus: toolkit popup and main menus switched to the skin's
// measuring and drawing (and back), WM_MEASUREITEM and WM_DRAWITEM for items known only by their
// menu handle, and the owner-drawn popup that replaces the system menu.
#include <algorithm>
#include <functional>
#include <string>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/menu_item_painter.h"
#include "skin/form/win_skin_form.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"

namespace {

// Our handlers carry this name, so switching off clears ours and leaves a program's own.
constexpr char kSkinHandler[] = "TWinSkinForm.SkinMenuItem";
// The popup that stands in for the system menu.
constexpr int kSystemPopupTag = 33333;
// Images of the system-menu glyph list.
enum : int { giRestore = 0, giMaximize = 1, giMinimize = 2, giClose = 3 };
// System commands have identifiers from here on; toolkit items below.
constexpr UINT kFirstSystemCommand = 0x1000;
// Menu strings are read into buffers of this size.
constexpr int kMenuText = 80;

std::wstring wide(const std::string& ansi) {
    if (ansi.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), nullptr, 0);
    std::wstring out(size_t(std::max(0, n)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, ansi.data(), int(ansi.size()), out.data(), n);
    return out;
}

template <class Event> bool ours(const Event& e) {
    return e.fn && e.methodName == kSkinHandler;
}

// The face of a toolkit item.
TMenuItemFace faceOf(const TMenuItem& item, bool selected) {
    TMenuItemFace f;
    f.Caption = wide(item.Caption());
    f.ShortCut = wide(ShortCutToText(item.ShortCut()));
    f.Enabled = item.Enabled();
    f.Checked = item.Checked();
    f.Default = item.Default();
    f.Radio = item.RadioItem();
    f.RightToLeft = item.IsRightToLeft();
    f.Selected = selected;
    f.ImageIndex = item.ImageIndex();
    if (TMenu* menu = item.GetParentMenu()) f.Images = menu->Images();
    return f;
}

// The face of an item known only by its menu and identifier.
TMenuItemFace faceOf(HMENU menu, UINT id, bool selected) {
    TMenuItemFace f;
    char text[kMenuText] = {};
    GetMenuStringA(menu, id, text, kMenuText, MF_BYCOMMAND);
    f.Caption = text[0] ? wide(text) : std::wstring(L"-");
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_STATE | MIIM_FTYPE;
    if (GetMenuItemInfoA(menu, id, FALSE, &info)) {
        f.Enabled = !(info.fState & (MFS_GRAYED | MFS_DISABLED));
        f.Checked = info.fState & MFS_CHECKED;
        f.Radio = info.fType & MFT_RADIOCHECK;
        f.Default = info.fState & MFS_DEFAULT;
        if (info.fType & MFT_SEPARATOR) f.Caption = L"-";
    }
    f.Selected = selected;
    return f;
}

// The piece of the open menu window behind an item of `menu`.
TMenuItemBackdrop backdropOf(HMENU menu) {
    TMenuItemBackdrop b;
    if (!SkinManager) return b;
    SkinManager->AssignMenuToPopup(menu);
    if (TPopupSkinner* popup = SkinManager->FindPopupByMenu(menu)) {
        b.Image = popup->Background();
        b.Offset = popup->ClientOffset();
    }
    return b;
}

void forEachItem(TMenuItem* item, int depth, const std::function<void(TMenuItem*, int)>& visit) {
    for (TMenuItem* child : item->Items()) {
        visit(child, depth);
        forEachItem(child, depth + 1, visit);
    }
}

} // namespace

TMenuDrawItemEvent TWinSkinForm::skinDrawHandler() {
    TMenuDrawItemEvent e(
        [this](TObject* s, TCanvas* c, const RECT& r, bool sel) { DrawMenuItem(s, c, r, sel); });
    e.methodName = kSkinHandler;
    return e;
}

TMenuMeasureItemEvent TWinSkinForm::skinMeasureHandler(bool mainMenu) {
    TMenuMeasureItemEvent e;
    if (mainMenu)
        e.fn = [this](TObject* s, TCanvas* c, int& w, int& h) { MeasureMainMenuItem(s, c, w, h); };
    else
        e.fn = [this](TObject* s, TCanvas* c, int& w, int& h) { MeasureMenuItem(s, c, w, h); };
    e.methodName = kSkinHandler;
    return e;
}

void TWinSkinForm::SetPopupMenusOwnerDraw(TComponent* owner, bool on) {
    if (!owner || !SkinData || owner->ClassName() == "TwwRichEditForm") return;
    for (TComponent* c : owner->Components()) {
        if (dynamic_cast<TCustomForm*>(c)) {
            SetPopupMenusOwnerDraw(c, on);
            continue;
        }
        auto* popup = dynamic_cast<TPopupMenu*>(c);
        if (!popup || !InSet(SkinData->SkinControls(), xcPopupMenu) || popup->Tag() == SkinData->DisableTag())
            continue;
        popup->SetOwnerDraw(on);
        forEachItem(popup->Items(), 1, [&](TMenuItem* item, int) {
            if (!on) {
                MenuHandlers.GiveBack(item);
                return;
            }
            // The skin draws every item of a popup; a program's own measuring stays.
            const bool ownMeasure = item->OnMeasureItem.fn && !ours(item->OnMeasureItem);
            MenuHandlers.Install(item, skinDrawHandler(),
                                 ownMeasure ? TMenuMeasureItemEvent{} : skinMeasureHandler(false));
        });
    }
}

void TWinSkinForm::SetMainMenusOwnerDraw(TComponent* owner, bool on) {
    if (!owner || !SkinData || !InSet(SkinData->SkinControls(), xcMenuItem)) return;
    for (TComponent* c : owner->Components()) {
        auto* menu = dynamic_cast<TMainMenu*>(c);
        if (!menu) continue;
        menu->SetOwnerDraw(on);
        // Top-level items stay as they are: the menu bar draws them.
        for (TMenuItem* top : menu->Items()->Items())
            for (TMenuItem* item : top->Items())
                SetItemTreeOwnerDraw(item, on);
    }
}

void TWinSkinForm::SetItemTreeOwnerDraw(TMenuItem* item, bool on) {
    if (!item) return;
    auto apply = [&](TMenuItem* i) {
        if (!on)
            MenuHandlers.GiveBack(i);
        else if (!i->OnDrawItem.fn || ours(i->OnDrawItem))
            // An item a program draws itself is left to it.
            MenuHandlers.Install(i, skinDrawHandler(), skinMeasureHandler(true));
    };
    apply(item);
    forEachItem(item, 1, [&](TMenuItem* i, int) { apply(i); });
}

void TWinSkinForm::setMenusOwnerDraw(bool on) {
    if (!Control) return;
    SetPopupMenusOwnerDraw(Control, on);
    SetMainMenusOwnerDraw(Control, on);
}

// The toolkit has measured the item by then; the skin's glyph column and margin come on top.
void TWinSkinForm::MeasureMenuItem(TObject* sender, TCanvas*, int& width, int&) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !SkinData) return;
    const TMenu* menu = item->GetParentMenu();
    width += MenuItemExtraWidth(*SkinData, menu && menu->Images(), false);
}

void TWinSkinForm::MeasureMainMenuItem(TObject* sender, TCanvas*, int& width, int&) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !SkinData) return;
    const TMenu* menu = item->GetParentMenu();
    width += MenuItemExtraWidth(*SkinData, menu && menu->Images(), true);
}

void TWinSkinForm::DrawMenuItem(TObject* sender, TCanvas* canvas, const RECT& rect, bool selected) {
    auto* item = dynamic_cast<TMenuItem*>(sender);
    if (!item || !canvas || !SkinData) return;
    if (SkinManager) SkinManager->MarkPopupsForMenuBar();
    const HMENU parent = item->Parent() ? item->Parent()->Handle() : nullptr;
    const TMenuItemBackdrop backdrop = backdropOf(parent);
    DrawSkinMenuItem(canvas->Handle(), rect, *SkinData, faceOf(*item, selected), backdrop, MenuFont(), true);
}

void TWinSkinForm::DrawHandleMenuItem(HMENU menu, UINT id, HDC dc, const RECT& rect, bool selected) {
    if (!SkinData) return;
    DrawSkinMenuItem(dc, rect, *SkinData, faceOf(menu, id, selected), backdropOf(menu), MenuFont(), false);
}

// The toolkit's own measurement of a main-menu item, then the skin's room on top.
void TWinSkinForm::measureMainMenuItem(TMenuItem& item, MEASUREITEMSTRUCT& m) {
    win::WindowDC dc = win::WindowDC::Frame(Handle);
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    // The canvas selects its own font to measure: the menu font, the one the item is drawn in.
    canvas.Font().SetFromHandle(MenuFont());
    int w = int(m.itemWidth), h = int(m.itemHeight);
    if (MenuHandlers.MeasuresFor(&item)) {
        // Our own handler adds the skin's room below, once.
        TMenuMeasureItemEvent ourMeasure = std::move(item.OnMeasureItem);
        item.OnMeasureItem = {};
        item.MeasureItem(canvas, w, h);
        item.OnMeasureItem = std::move(ourMeasure);
    } else {
        item.MeasureItem(canvas, w, h);
    }
    canvas.SetHandle(nullptr);
    MeasureMainMenuItem(&item, &canvas, w, h);
    m.itemWidth = UINT(w);
    m.itemHeight = UINT(h);
}

LRESULT TWinSkinForm::onMeasureItem(WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
    if (!m || m->CtlType != ODT_MENU || !SavedMenu || !SkinData)
        return passOn(WM_MEASUREITEM, wParam, lParam);
    TMenuItem* item = nullptr;
    if (Form && Form->Menu()) item = Form->Menu()->FindItem(m->itemID);
    if (item) {
        measureMainMenuItem(*item, *m);
        return TRUE;
    }
    if (Form && m->itemID > 0 && m->itemID < kFirstSystemCommand)
        return passOn(WM_MEASUREITEM, wParam, lParam);
    char text[kMenuText] = {};
    GetMenuStringA(CurrentPopup, m->itemID, text, kMenuText, MF_BYCOMMAND);
    win::WindowDC dc = win::WindowDC::Frame(Handle);
    SIZE extent{};
    {
        win::SelectGuard font(dc.Get(), MenuFont());
        GetTextExtentPoint32A(dc.Get(), text, int(strlen(text)), &extent);
    }
    const int margin = SkinData->MenuItem ? SkinData->MenuItem->LeftWidth : 0;
    m->itemWidth = UINT(extent.cx + 26 + margin);
    if (text[0])
        m->itemHeight += 4;
    else
        m->itemHeight = 8;
    if (!UseWideApi()) m->itemHeight += 4;
    return TRUE;
}

LRESULT TWinSkinForm::onDrawItem(WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
    if (!d || d->CtlType != ODT_MENU || !SavedMenu || !SkinData) return passOn(WM_DRAWITEM, wParam, lParam);
    const HMENU menu = HMENU(d->hwndItem);
    if (SkinManager) {
        SkinManager->AssignMenuToPopup(menu);
        SkinManager->MarkPopupsForMenuBar();
    }
    TMenuItem* item = nullptr;
    if (Form && Form->Menu()) item = Form->Menu()->FindItem(d->itemID);
    if (item) {
        TCanvas canvas;
        canvas.SetHandle(d->hDC);
        const bool selected = d->itemState & ODS_SELECTED;
        if (SkinData->MenuItem)
            DrawMenuItem(item, &canvas, d->rcItem, selected);
        else
            DrawPlainMenuItem(d->hDC, d->rcItem, *SkinData, faceOf(*item, selected), MenuFont());
        canvas.SetHandle(nullptr);
        return TRUE;
    }
    if (Form && d->itemID > 0 && d->itemID < kFirstSystemCommand) return passOn(WM_DRAWITEM, wParam, lParam);
    DrawHandleMenuItem(menu, d->itemID, d->hDC, d->rcItem, d->itemState & ODS_SELECTED);
    return TRUE;
}

TPopupMenu& TWinSkinForm::BuildSystemPopup() {
    SystemPopup = std::make_unique<TPopupMenu>(nullptr);
    TPopupMenu& popup = *SystemPopup;
    popup.SetTag(kSystemPopupTag);
    popup.SetOwnerDraw(true);
    if (SkinData) popup.SetImages(&SkinData->MenuGlyphs());
    HMENU system = SystemMenu && IsMenu(SystemMenu) ? SystemMenu : GetSystemMenu(Handle, FALSE);
    const int count = system ? GetMenuItemCount(system) : 0;
    for (int i = 0; i < count; ++i) {
        char text[kMenuText] = {};
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_STATE | MIIM_ID | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = kMenuText - 1;
        if (!GetMenuItemInfoA(system, UINT(i), TRUE, &info)) continue;
        auto* item = new TMenuItem(&popup);
        item->SetCaption(text[0] ? text : "-");
        item->SetTag(int(info.wID));
        bool enabled = true;
        int image = -1;
        switch (info.wID) {
        case SC_SIZE:
        case SC_MOVE: enabled = WindowState != swMaximized; break;
        case SC_MINIMIZE:
            image = giMinimize;
            enabled = WindowState != swMinimized && (BorderIcons & biMinBox);
            break;
        case SC_MAXIMIZE:
            image = giMaximize;
            enabled = WindowState != swMaximized && (BorderIcons & biMaxBox);
            break;
        case SC_CLOSE: image = giClose; break;
        case SC_RESTORE:
            image = giRestore;
            enabled = WindowState != swNormal;
            break;
        default: break;
        }
        if (info.fState == MFS_GRAYED) enabled = false;
        item->SetEnabled(enabled);
        item->SetImageIndex(image);
        item->SetChecked(info.fState & MFS_CHECKED);
        const HWND window = Handle;
        const UINT command = info.wID;
        item->OnClick =
            TNotifyEvent([window, command](TObject*) { PostMessageA(window, WM_SYSCOMMAND, command, 0); });
        item->OnDrawItem = TMenuDrawItemEvent(
            [this](TObject* s, TCanvas* c, const RECT& r, bool sel) { DrawMenuItem(s, c, r, sel); });
        item->OnMeasureItem = TMenuMeasureItemEvent(
            [this](TObject* s, TCanvas* c, int& w, int& h) { MeasureMenuItem(s, c, w, h); });
        popup.Items()->Add(item);
    }
    return popup;
}
