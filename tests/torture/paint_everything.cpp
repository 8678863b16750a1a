#include "tests/torture/paint_everything.h"

#include <algorithm>
#include <functional>
#include <set>
#include <utility>
#include <vector>

#include "skin/core/skin_manager.h"
#include "skin/form/nc_objects.h"
#include "skin/form/win_skin_form.h"
#include "tests/support/menu_watch.h"
#include "tests/support/toolkit_loop.h"
#include "toolkit/handles.h"

namespace qs::test {

namespace {

TWinSkinForm* skinnerOf(HWND window) {
    return SkinManager ? dynamic_cast<TWinSkinForm*>(SkinManager->FindFormSkinner(window)) : nullptr;
}

// What the window's own timers and posted messages do with the new state happens too.
void settle() {
    RunToolkitUntil([] { return false; }, 5);
}

LPARAM screenPoint(HWND window, POINT framePoint) {
    RECT r{};
    GetWindowRect(window, &r);
    return MAKELPARAM(r.left + framePoint.x, r.top + framePoint.y);
}

// A menu's modal loop runs our steps from a thread timer, one a tick while a menu shows, then
// ends the menu. Keys are posted to the menu window, where the loop reads them.
using MenuStep = std::function<void(HWND menu)>;
struct MenuSteps {
    std::vector<MenuStep> steps;
    size_t next = 0;
    int idle = 0;
};
MenuSteps* g_menuSteps = nullptr;

void CALLBACK menuTick(HWND, UINT, UINT_PTR, DWORD) {
    MenuSteps& s = *g_menuSteps;
    HWND menu = VisibleMenuWindow();
    if (!menu) {
        // A menu that never shows still ends, whatever keeps the loop going.
        if (++s.idle > 50) EndMenu();
        return;
    }
    if (s.next < s.steps.size())
        s.steps[s.next++](menu);
    else
        EndMenu();
}

// True when a menu showed and every step ran in it.
bool runMenu(const std::function<void()>& open, std::vector<MenuStep> steps) {
    MenuSteps state{std::move(steps)};
    MenuSteps* outer = std::exchange(g_menuSteps, &state);
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, menuTick);
    open();
    KillTimer(nullptr, timer);
    g_menuSteps = outer;
    return state.next == state.steps.size();
}

void paintMenu(HWND menu) {
    PaintNow(menu);
}
void printMenu(HWND menu) {
    PrintNow(menu);
}
MenuStep pressKey(WPARAM key) {
    return [key](HWND menu) { PostMessageA(menu, WM_KEYDOWN, key, 0); };
}

} // namespace

void PaintNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void PaintFrameNow(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN | RDW_UPDATENOW);
}

void PrintNow(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    win::WindowDC screen = win::WindowDC::Screen();
    win::MemoryDC dc(screen.Get());
    win::BitmapHandle bitmap(
        CreateCompatibleBitmap(screen.Get(), std::max(1L, r.right - r.left), std::max(1L, r.bottom - r.top)));
    win::SelectGuard keep(dc.Get(), bitmap.Get());
    PrintWindow(window, dc.Get(), 0);
}

void PaintFrameStates(HWND frame, HWND mdiClient, HWND page) {
    SetForegroundWindow(frame);
    SendMessageA(frame, WM_NCACTIVATE, TRUE, 0);
    PaintNow(frame);
    // The other states change the frame; the pages are painted again where their layout changes.
    SendMessageA(frame, WM_NCACTIVATE, FALSE, 0);
    PaintFrameNow(frame);
    PrintNow(frame);
    SendMessageA(frame, WM_NCACTIVATE, TRUE, 0);
    ShowWindow(frame, SW_MAXIMIZE);
    settle();
    PaintNow(frame);
    if (page) {
        SendMessageA(mdiClient, WM_MDIMAXIMIZE, WPARAM(page), 0);
        settle();
        PaintFrameNow(frame);
        SendMessageA(mdiClient, WM_MDIRESTORE, WPARAM(page), 0);
        settle();
    }
    ShowWindow(frame, SW_MINIMIZE);
    settle();
    PaintFrameNow(frame);
    ShowWindow(frame, SW_RESTORE);
    settle();
    SetForegroundWindow(frame);
    PaintFrameNow(frame);
}

void PaintCaptionObjects(HWND frame) {
    TWinSkinForm* f = skinnerOf(frame);
    if (!f || !f->FrameSkinned) return;
    RECT r{};
    GetWindowRect(frame, &r);
    const int width = r.right - r.left;
    const std::vector<int> rows = {f->CaptionHeight / 2, f->CaptionHeight + f->MenuHeight / 2};
    // A free point of the caption, where the pointer goes to leave an object.
    POINT away{-1, -1};
    std::vector<POINT> objects;
    std::set<TNCObject*> seen;
    for (int y : rows) {
        for (int x = 0; x < width; x += 3) {
            TNCObject* o = f->ObjectAt({x, y});
            if (!o && y == rows[0] && away.x < 0 && x > width / 3) away = {x, y};
            if (o && seen.insert(o).second) objects.push_back({x, y});
        }
    }
    for (POINT p : objects) {
        // The skinner may have gone with a repaint that unskinned the frame.
        f = skinnerOf(frame);
        if (!f) return;
        SendMessageA(frame, WM_NCMOUSEMOVE, HTCAPTION, screenPoint(frame, p));
        f->HoverTick();
        f->PaintFrame(nullptr);
        // Only caption buttons are pressed: a menu-bar item would open its menu.
        if (f->ButtonAt(p)) {
            SendMessageA(frame, WM_NCLBUTTONDOWN, HTCAPTION, screenPoint(frame, p));
            if (TWinSkinForm* still = skinnerOf(frame)) still->PaintFrame(nullptr);
        }
        if (away.x >= 0) SendMessageA(frame, WM_NCMOUSEMOVE, HTCAPTION, screenPoint(frame, away));
        if (away.x >= 0) SendMessageA(frame, WM_NCLBUTTONUP, HTCAPTION, screenPoint(frame, away));
    }
    if (TWinSkinForm* last = skinnerOf(frame)) {
        last->HideHint();
        last->PaintFrame(nullptr);
    }
}

bool PaintTrayMenu(HWND owner, HMENU menu) {
    return runMenu(
        [&] {
            SetForegroundWindow(owner);
            TrackPopupMenuEx(menu, TPM_RETURNCMD | TPM_RIGHTBUTTON, 40, 40, owner, nullptr);
            PostMessageA(owner, WM_NULL, 0, 0);
        },
        {pressKey(VK_DOWN), paintMenu, printMenu});
}

bool PaintBarMenus(HWND frame) {
    return runMenu([&] { SendMessageA(frame, WM_SYSCOMMAND, SC_KEYMENU, 'f'); },
                   {pressKey(VK_DOWN), pressKey(VK_RIGHT), paintMenu});
}

} // namespace qs::test
