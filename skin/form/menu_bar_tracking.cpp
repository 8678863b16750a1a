// Opening a menu-bar item's submenu, and moving along the bar while one is open: a thread
// message-filter hook sees the menu's modal loop; the arrow keys and the mouse over another bar
// item end the open menu and open that item's instead. One menu is open at a time, so the
// tracking state is the process's.
#include <algorithm>
#include <vector>

#include "skin/core/skin_manager.h"
#include "skin/form/menu_bar.h"
#include "skin/form/win_skin_form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/handles.h"

namespace {

struct TTracking {
    TWinSkinMenu* bar = nullptr;
    TWinSkinForm* form = nullptr;
    int openIndex = -1;
    int nextIndex = -1; // the item to open once the open menu has closed
    POINT lastPoint{};
    bool first = false;
    win::HookHandle hook;
};
TTracking tracking;

// Opens `target` once the open menu has closed.
void switchTo(int target) {
    if (target < 0 || target == tracking.openIndex) return;
    tracking.nextIndex = target;
    EndMenu();
}

// The next item along the bar (wrapping round) that has a menu to show: the keys pass by items
// with an empty caption, hidden or disabled ones.
int neighbour(int step) {
    const auto& items = tracking.bar->Items;
    const int n = int(items.size());
    for (int k = 1; k < n; ++k) {
        const int i = ((tracking.openIndex + step * k) % n + n) % n;
        const TMenuBtn& b = *items[size_t(i)];
        if (b.SubMenu && b.ItemEnabled && b.Visible && !b.Caption.empty()) return i;
    }
    return -1;
}

// The menus of this thread that show now: the bar's own and any cascade opened from it.
std::vector<HMENU> openMenus() {
    std::vector<HMENU> menus;
    for (HWND h = FindWindowExA(nullptr, nullptr, "#32768", nullptr); h;
         h = FindWindowExA(nullptr, h, "#32768", nullptr))
        if (IsWindowVisible(h) && GetWindowThreadProcessId(h, nullptr) == GetCurrentThreadId())
            if (const HMENU m = HMENU(SendMessageA(h, MN_GETHMENU, 0, 0))) menus.push_back(m);
    return menus;
}

// The open submenu reached by the selected item of `menu`, if any.
bool opensOneOf(HMENU menu, const std::vector<HMENU>& menus) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i)
        if (GetMenuState(menu, UINT(i), MF_BYPOSITION) & MF_HILITE) {
            const HMENU sub = GetSubMenu(menu, i);
            return sub && std::find(menus.begin(), menus.end(), sub) != menus.end();
        }
    return false;
}

// Keys typed at the keyboard come to the focused window, not to the menu: which menu they act
// on is the deepest one open.
void onKey(WPARAM key) {
    const std::vector<HMENU> open = openMenus();
    if (key == VK_LEFT) {
        // In a cascade Left closes it; on the bar's own menu it moves along the bar.
        if (open.size() > 1) return;
        switchTo(neighbour(-1));
        return;
    }
    HMENU deepest = nullptr;
    for (HMENU m : open)
        if (!opensOneOf(m, open)) deepest = m;
    // On an item with a submenu Right opens it.
    const int count = deepest ? GetMenuItemCount(deepest) : 0;
    for (int i = 0; i < count; ++i)
        if ((GetMenuState(deepest, UINT(i), MF_BYPOSITION) & MF_HILITE) && GetSubMenu(deepest, i)) return;
    switchTo(neighbour(+1));
}

LRESULT CALLBACK filterProc(int code, WPARAM wParam, LPARAM lParam) {
    auto* msg = reinterpret_cast<MSG*>(lParam);
    if (code == MSGF_MENU && msg && tracking.bar && tracking.bar->RightToLeft() &&
        msg->message == WM_KEYDOWN) {
        // A right-to-left bar runs the other way.
        if (msg->wParam == VK_LEFT)
            msg->wParam = VK_RIGHT;
        else if (msg->wParam == VK_RIGHT)
            msg->wParam = VK_LEFT;
    }
    const LRESULT next = CallNextHookEx(tracking.hook.Get(), code, wParam, lParam);
    if (next != 0 || code != MSGF_MENU || !msg || !tracking.bar) return next;
    try {
        if (tracking.first) {
            tracking.first = false;
            // The first item is selected when the menu opens.
            PostMessageA(msg->hwnd, WM_KEYDOWN, VK_DOWN, 0);
        }
        switch (msg->message) {
        case WM_KEYDOWN:
            if (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT) onKey(msg->wParam);
            break;
        case WM_SYSKEYUP:
            if (msg->wParam == VK_MENU) tracking.form->TrackingMenu = false;
            break;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            if (msg->pt.x != tracking.lastPoint.x || msg->pt.y != tracking.lastPoint.y) {
                tracking.lastPoint = msg->pt;
                if (TMenuBtn* target = tracking.bar->ItemAt(tracking.form->ScreenToFrame(msg->pt)))
                    switchTo(target->Index);
            }
            break;
        default: break;
        }
    } catch (...) {
        // Moving along the bar is a convenience; the open menu goes on as the system runs it.
    }
    return next;
}

} // namespace

void MakeMenuOwnerDrawn(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE | MIIM_SUBMENU;
        if (!GetMenuItemInfoA(menu, UINT(i), TRUE, &info)) continue;
        if (!(info.fType & MFT_OWNERDRAW)) {
            info.fMask = MIIM_FTYPE;
            info.fType |= MFT_OWNERDRAW;
            SetMenuItemInfoA(menu, UINT(i), TRUE, &info);
        }
        if (info.hSubMenu) MakeMenuOwnerDrawn(info.hSubMenu);
    }
}

void TWinSkinMenu::EndTracking() {
    if (tracking.bar == this) {
        tracking.bar = nullptr;
        tracking.form = nullptr;
        tracking.nextIndex = -1;
    }
    if (Tracking()) EndMenu();
}

void TWinSkinMenu::settle(TMenuBtn& item) {
    POINT cursor{};
    GetCursorPos(&cursor);
    const bool over = PtInRect(&item.Rect, form_.ScreenToFrame(cursor)) && item.Visible;
    item.MouseState = over ? msHot : msNormal;
    if (over)
        form_.HotObject = &item;
    else if (form_.HotObject == &item)
        form_.HotObject = nullptr;
    item.Paint();
}

bool TWinSkinMenu::OpenItem(TMenuBtn* item) {
    if (!item || item->Bar != this) return false;
    if (Tracking()) {
        // A click on the bar while one of its menus is open: that menu's loop moves there.
        if (tracking.bar == this) switchTo(item->Index);
        return true;
    }
    // The menu loop runs the program's code: it may rebuild the menu (that waits for the loop's
    // end), unskin the form or destroy the window (the bar is freed after the loop).
    TMessageDepth::Scope barScope(depth_);
    TMessageDepth::Scope formScope(form_.Depth());
    auto alive = [&] { return barScope.Alive() && formScope.Alive(); };
    TWinSkinForm& form = form_;
    bool opened = false;
    int index = item->Index;
    while (index >= 0 && index < int(Items.size())) {
        TMenuBtn& open = *Items[size_t(index)];
        PostMessageA(form.Handle, WM_COMMAND, open.Command, 0);
        // The toolkit may have made the item's submenu anew since the bar was built.
        if (open.Item) open.SubMenu = open.Item->Count() > 0 ? open.Item->Handle() : nullptr;
        if (!open.SubMenu) return opened;
        const HMENU sub = open.SubMenu;
        MakeMenuOwnerDrawn(sub);
        if (open.Item) open.Item->InitiateActions();
        if (!alive()) return true;
        tracking.bar = this;
        tracking.form = &form;
        tracking.openIndex = index;
        tracking.nextIndex = -1;
        form.TrackingMenu = true;
        GetWindowRect(form.Handle, &form.WindowRect);
        const bool rtl = RightToLeft();
        const int x = form.WindowRect.left + (rtl ? open.Rect.right : open.Rect.left);
        const int y = form.WindowRect.top + open.Rect.bottom;
        if (SkinManager) {
            SkinManager->SetMenuContext(mcMenuBar);
            SkinManager->SetMenuLoop(true);
        }
        form.CurrentPopup = sub;
        tracking.first = true;
        GetCursorPos(&tracking.lastPoint);
        if (!tracking.hook)
            tracking.hook.Reset(SetWindowsHookExA(WH_MSGFILTER, filterProc, nullptr, GetCurrentThreadId()));
        UINT chosen = 0;
        if (open.ItemEnabled) {
            opened = true;
            // The chosen command comes back here and is delivered as WM_COMMAND, on every platform.
            const UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD | (rtl ? TPM_RIGHTALIGN : 0);
            chosen = UINT(TrackPopupMenu(sub, flags, x, y, 0, form.Handle, nullptr));
        }
        // Nothing held before the loop is used after it: the items are looked up again.
        tracking.hook.Reset();
        const int next = tracking.nextIndex;
        tracking = TTracking{};
        if (!alive()) return true;
        form.TrackingMenu = false;
        form.CurrentPopup = nullptr;
        if (rebuildPending_) {
            rebuild();
            form.PaintFrame(nullptr);
        }
        if (index < int(Items.size())) settle(*Items[size_t(index)]);
        if (chosen) PostMessageA(form.Handle, WM_COMMAND, chosen, 0);
        if (next < 0 || next >= int(Items.size())) return true;
        index = next;
        TMenuBtn& following = *Items[size_t(index)];
        if (form.HotObject && form.HotObject != &following) {
            form.HotObject->MouseState = msNormal;
            form.HotObject->Paint();
        }
        form.HotObject = &following;
        following.MouseState = msPressed;
        following.Paint();
    }
    return opened;
}
