// Opening a menu-bar item's submenu, and moving along the bar while one is open: a thread
// message-filter hook sees the menu's modal loop; the arrow keys and the mouse over another bar
// item end the open menu and open that item's instead. One menu is open at a time, so the
// tracking state is the process's.
#include <algorithm>

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

// Marks every item of a submenu tree owner-drawn, keeping its text, so the form draws them.
void makeOwnerDrawn(HMENU menu) {
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
        if (info.hSubMenu) makeOwnerDrawn(info.hSubMenu);
    }
}

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

void onKey(WPARAM key, HWND menuWindow) {
    TWinSkinForm& form = *tracking.form;
    const HMENU shown = HMENU(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    if (key == VK_LEFT) {
        // In a nested submenu Left closes that submenu; on the bar's own it moves along the bar.
        if (shown && shown != form.CurrentPopup) return;
        switchTo(neighbour(-1));
    } else if (key == VK_RIGHT) {
        // On an item with a submenu Right opens it.
        const int count = shown ? GetMenuItemCount(shown) : 0;
        for (int i = 0; i < count; ++i)
            if ((GetMenuState(shown, UINT(i), MF_BYPOSITION) & MF_HILITE) && GetSubMenu(shown, i)) return;
        switchTo(neighbour(+1));
    }
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
            if (msg->wParam == VK_LEFT || msg->wParam == VK_RIGHT) onKey(msg->wParam, msg->hwnd);
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

bool TWinSkinMenu::OpenItem(TMenuBtn* item) {
    TWinSkinForm& form = *item->Form;
    while (item) {
        PostMessageA(form.Handle, WM_COMMAND, item->Command, 0);
        // The toolkit may have made the item's submenu anew since the bar was built.
        if (item->Item) item->SubMenu = item->Item->Count() > 0 ? item->Item->Handle() : nullptr;
        if (!item->SubMenu) return false;
        tracking.bar = this;
        tracking.form = &form;
        tracking.openIndex = item->Index;
        tracking.nextIndex = -1;
        makeOwnerDrawn(item->SubMenu);
        if (item->Item) item->Item->InitiateActions();
        form.TrackingMenu = true;
        GetWindowRect(form.Handle, &form.WindowRect);
        const bool rtl = RightToLeft();
        const int x = form.WindowRect.left + (rtl ? item->Rect.right : item->Rect.left);
        const int y = form.WindowRect.top + item->Rect.bottom;
        if (SkinManager) {
            SkinManager->SetMenuContext(mcMenuBar);
            SkinManager->SetMenuLoop(true);
        }
        form.CurrentPopup = item->SubMenu;
        tracking.first = true;
        GetCursorPos(&tracking.lastPoint);
        if (!tracking.hook)
            tracking.hook.Reset(SetWindowsHookExA(WH_MSGFILTER, filterProc, nullptr, GetCurrentThreadId()));
        UINT chosen = 0;
        if (item->ItemEnabled) {
            // The chosen command comes back here and is delivered as WM_COMMAND, on every platform.
            const UINT flags = TPM_RIGHTBUTTON | TPM_RETURNCMD | (rtl ? TPM_RIGHTALIGN : 0);
            chosen = UINT(TrackPopupMenu(item->SubMenu, flags, x, y, 0, form.Handle, nullptr));
        }
        tracking.hook.Reset();
        const int next = tracking.nextIndex;
        tracking = TTracking{};
        form.TrackingMenu = false;
        form.CurrentPopup = nullptr;
        if (item->MouseState != msNormal) {
            item->MouseState = msNormal;
            item->Paint();
        }
        if (form.HotObject == item) form.HotObject = nullptr;
        if (chosen) PostMessageA(form.Handle, WM_COMMAND, chosen, 0);
        if (next < 0 || next >= int(Items.size())) return true;
        item = Items[size_t(next)].get();
        form.HotObject = item;
        item->MouseState = msPressed;
        item->Paint();
    }
    return true;
}
