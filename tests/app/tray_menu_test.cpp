// The tray menu of the program, opened in-process as the shell's right click opens it: its window
// shows skin 9's MenuBackground (frame strips included) and its items the MenuItem faces over
// their piece of that background. A thread timer looks at the menu from inside its modal loop.
#include <gtest/gtest.h>

#include <memory>

#include "app/program_classes.h"
#include "app/unit_capscr.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/paint/skin_paint.h"
#include "tests/skin/paint/pixel_helpers.h"
#include "tests/support/bundled_skin_data.h"
#include "tests/support/menu_watch.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/menus.h"
#include "toolkit/graphics/pixels32.h"
#include "toolkit/handles.h"

using namespace qs::test;

namespace {

constexpr UINT kTrayNotify = WM_USER + 100;
constexpr uint32_t kMagenta = 0xFF00FF;

// What the screen shows of the window, read without pumping: a nested message loop here would
// take messages the menu's own loop waits for.
Pixels ShownWindow(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    win::WindowDC screen = win::WindowDC::Screen();
    Pixels px(r.right - r.left, r.bottom - r.top);
    std::vector<uint32_t> read = win::ReadPixels32(screen.Get(), r.left, r.top, px.width, px.height);
    if (!read.empty()) px.data = std::move(read);
    return px;
}

struct Look {
    int frameDiffering = -1, framePixels = 0;
    int idleItemDiffering = -1, selectedItemDiffering = -1, itemPixels = 0;
    int ticks = 0;
    bool pressedDown = false;
};
Look look;
TSkinData* skin9 = nullptr;
TForm1* program = nullptr;

void CALLBACK CloseInstructions(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND dialog = FindWindowA("TForm3", nullptr); dialog && IsWindowVisible(dialog))
        PostMessageA(dialog, WM_CLOSE, 0, 0);
}

// Pixels of the right end of item 0 that differ from MenuItem frame `frame` over the background.
int ItemDiffering(HWND menuWindow, const RECT& window, TBitmap& background, int frame) {
    RECT item{};
    const HMENU shownMenu = HMENU(SendMessageA(menuWindow, MN_GETHMENU, 0, 0));
    if (!GetMenuItemRect(Application->Handle(), shownMenu, 0, &item)) return -1;
    // Screen coordinates on Windows; this Wine gives them relative to the menu window.
    if (item.left >= window.left && item.top >= window.top) OffsetRect(&item, -window.left, -window.top);
    TDataSkinObject& face = *skin9->MenuItem;
    const RECT size{0, 0, item.right - item.left, item.bottom - item.top};
    const std::unique_ptr<TBitmap> piece =
        BuildSkinBitmap(size, face.Bitmap, face.Margins(), false, face.Tile == 1, 5, frame);
    if (!piece) return -1;
    const Pixels shown = ShownWindow(menuWindow);
    int differing = 0;
    look.itemPixels = 0;
    // The last ten columns hold neither text nor shortcut.
    for (int y = item.top; y < item.bottom; ++y)
        for (int x = item.right - 10; x < item.right; ++x) {
            uint32_t want = PixelAt(*piece, x - item.left, y - item.top);
            if (want == kMagenta) want = PixelAt(background, x, y);
            ++look.itemPixels;
            if (shown.at(x, y) != want) ++differing;
        }
    return differing;
}

void CALLBACK LookAtMenu(HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = VisibleMenuWindow();
    if (!menu) return;
    if (++look.ticks > 60) {
        EndMenu();
        return;
    }
    RECT r{};
    GetWindowRect(menu, &r);
    const int w = r.right - r.left, h = r.bottom - r.top;
    TDataSkinObject& back = *skin9->MenuBackground;
    const std::unique_ptr<TBitmap> expected =
        BuildSkinBitmap(RECT{0, 0, w, h}, back.Bitmap, back.Margins(), false, back.Tile == 1, 1, 1);
    if (!look.pressedDown) {
        const Pixels shown = ShownWindow(menu);
        int differing = 0, compared = 0;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (x < 3 || y < 3 || x >= w - 3 || y >= h - 3) {
                    ++compared;
                    if (shown.at(x, y) != PixelAt(*expected, x, y)) ++differing;
                }
        look.framePixels = compared;
        look.frameDiffering = differing;
        look.idleItemDiffering = ItemDiffering(menu, r, *expected, 1);
        if (look.frameDiffering == 0 && look.idleItemDiffering == 0) {
            look.pressedDown = true;
            PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0); // the first item, as the keyboard selects it
        }
        return;
    }
    look.selectedItemDiffering = ItemDiffering(menu, r, *expected, 4);
    if (look.selectedItemDiffering == 0) {
        SaveImage(ScreenshotPath("tray-menu-item9.png"), ShownWindow(menu));
        EndMenu();
    }
}

void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (VisibleMenuWindow()) EndMenu();
}

} // namespace

TEST(TrayMenu, ItsWindowAndItemsAreDrawnFromTheStoredSkinAndLeaveNothingBehind) {
    RegisterProgramClasses();
    Application->Initialize();
    const std::unique_ptr<TSkinData> nine = LoadBundledSkin("item9");
    skin9 = nine.get();
    ASSERT_TRUE(skin9->MenuBackground && skin9->MenuItem);

    const UINT_PTR closer = SetTimer(nullptr, 0, 100, CloseInstructions);
    Application->CreateForm(program); // returns once the instructions dialog is closed
    KillTimer(nullptr, closer);
    ASSERT_TRUE(program);
    PumpFor(400); // the skin requests of start-up

    const UINT_PTR looker = SetTimer(nullptr, 0, 100, LookAtMenu);
    SendMessageA(program->Handle(), kTrayNotify, 1, WM_RBUTTONDOWN); // returns when the menu closes
    KillTimer(nullptr, looker);

    EXPECT_GT(look.framePixels, 400);
    EXPECT_EQ(look.frameDiffering, 0) << "the 3-pixel frame is MenuBackground's";
    EXPECT_GT(look.itemPixels, 100);
    EXPECT_EQ(look.idleItemDiffering, 0) << "frame 1 over the background piece";
    EXPECT_EQ(look.selectedItemDiffering, 0) << "frame 4 once selected";

    // Opened and closed again and again, the skinned menu leaves nothing behind.
    const UINT_PTR closer2 = SetTimer(nullptr, 0, 10, CloseOpenMenu);
    SendMessageA(program->Handle(), kTrayNotify, 1, WM_RBUTTONDOWN);
    const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
    for (int i = 0; i < 200; ++i)
        SendMessageA(program->Handle(), kTrayNotify, 1, WM_RBUTTONDOWN);
    KillTimer(nullptr, closer2);
    EXPECT_LE(GdiObjectCount(), gdi + 4);
    EXPECT_LE(UserObjectCount(), user + 4);
    delete program;
}
