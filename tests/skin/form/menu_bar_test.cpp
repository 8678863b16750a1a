// The skinned menu bar on live windows under Wine: the band replaces the window's menu, items are
// laid out from the start offset, opened by click, accelerator and F10, and the arrow keys and the
// mouse move along the bar while a menu is open. Thread timers look from inside the menu loops.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <vector>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/menu_bar.h"
#include "skin/form/win_skin_form.h"
#include "tests/skin/core/test_skin.h"
#include "tests/skin/paint/pixel_helpers.h"
#include "tests/support/menu_watch.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/menus.h"

using qs::test::Pixels;

namespace {

// What a thread timer runs inside a menu loop.
std::function<void()> timerAction;
void CALLBACK runTimerAction(HWND, UINT, UINT_PTR, DWORD) {
    if (timerAction) timerAction();
}

std::unique_ptr<TSkinData> BarSkin(bool withMenuBar = true) {
    qs::test::TestSkin t;
    t.ini = "[Personality]\r\nTop=t.bmp\r\nLeft=s.bmp\r\nRight=s.bmp\r\nBottom=b.bmp\r\nTopTrans="
            "0\r\nLeftTrans=0\r\n"
            "RightTrans=0\r\nBottomTrans=0\r\n";
    if (withMenuBar) t.ini += "menuBar=bar.bmp\r\nTileMenu=1\r\nTileLeftMenu=7\r\nTileRightMenu=5\r\n";
    t.ini += "[Colours]\r\nMenuBarText=1 2 3\r\nButtonHilight=250 0 0\r\nButtonShadow=0 0 250\r\n";
    t.Bmp("t.bmp", 40, 22, 0x204060).Bmp("s.bmp", 4, 40, 0x204060).Bmp("b.bmp", 40, 4, 0x204060);
    t.Bmp("bar.bmp", 30, 40, [](int, int y) { return y < 20 ? 0xE0E0E0u : 0xA0A0A0u; });
    auto skin = std::make_unique<TSkinData>(nullptr);
    const auto bytes = t.Compressed();
    skin->SkinStream().Write(bytes.data(), bytes.size());
    EXPECT_TRUE(skin->LoadSkin());
    return skin;
}

std::vector<UINT>& commands() {
    static std::vector<UINT> seen;
    return seen;
}

LRESULT CALLBACK barWindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    if (msg == WM_COMMAND) commands().push_back(LOWORD(w));
    return DefWindowProcA(h, msg, w, l);
}

struct BarWindow {
    std::unique_ptr<TSkinData> skin;
    HWND hwnd = nullptr;
    HMENU menu = nullptr, file = nullptr, edit = nullptr, help = nullptr, locked = nullptr;
    std::unique_ptr<TWinSkinForm> skinner;

    explicit BarWindow(bool withItems = true, DWORD exStyle = 0) : skin(BarSkin()) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = barWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QsMenuBarTest";
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&wc);
        menu = CreateMenu();
        if (withItems) {
            file = submenu("&File", 101);
            edit = submenu("&Edit", 201);
            AppendMenuA(menu, MF_STRING, 300, ""); // an empty caption takes no room
            locked = submenu("&Locked", 401);
            EnableMenuItem(menu, 3, MF_BYPOSITION | MF_GRAYED);
            help = submenu("&Help", 501);
        }
        hwnd = CreateWindowExA(exStyle, wc.lpszClassName, "bar", WS_OVERLAPPEDWINDOW, 60, 60, 420, 240,
                               nullptr, menu, wc.hInstance, nullptr);
        ShowWindow(hwnd, SW_SHOW);
        SetForegroundWindow(hwnd);
        qs::test::PumpFor(30);
        skinner = std::make_unique<TWinSkinForm>(hwnd, "");
        skinner->SkinWindow(skin.get());
        SendMessageA(hwnd, SKM_SKINFORM, 0, kSkinFormSignature);
        qs::test::PumpFor(60);
        commands().clear();
    }
    ~BarWindow() {
        skinner.reset();
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
    }
    HMENU submenu(const char* caption, UINT firstId) {
        HMENU sub = CreatePopupMenu();
        AppendMenuA(sub, MF_STRING, firstId, "One");
        AppendMenuA(sub, MF_STRING, firstId + 1, "Two");
        AppendMenuA(menu, MF_POPUP, UINT_PTR(sub), caption);
        return sub;
    }
    TWinSkinMenu& bar() { return *skinner->MenuBarSkinner; }
    POINT screenCentre(int index) {
        const RECT& r = bar().Items[size_t(index)]->Rect;
        RECT wr{};
        GetWindowRect(hwnd, &wr);
        return POINT{wr.left + (r.left + r.right) / 2, wr.top + (r.top + r.bottom) / 2};
    }
};

// The submenus that showed while `open` ran, with `keys` posted to each in turn.
std::vector<HMENU> watch(const std::function<void()>& open, std::vector<WPARAM> keys = {}, UINT every = 60) {
    qs::test::MenuWatch w;
    w.keys = std::move(keys);
    w.everyMs = every;
    const std::vector<HMENU> shown = qs::test::WatchMenus(open, w);
    qs::test::PumpFor(30);
    return shown;
}

int textWidth(const char* caption) {
    win::MemoryDC dc(nullptr);
    win::SelectGuard font(dc.Get(), MenuFont());
    RECT r{0, 0, 0, 0};
    DrawTextA(dc.Get(), caption, -1, &r, DT_CALCRECT | DT_NOCLIP);
    return r.right - r.left;
}

TEST(MenuBar, TakesTheMenuAndLaysItsItemsOutFromTheStartOffset) {
    BarWindow w;
    ASSERT_TRUE(w.skinner->MenuBarSkinner);
    EXPECT_EQ(GetMenu(w.hwnd), nullptr) << "the system no longer draws a menu bar";
    EXPECT_EQ(w.skinner->MenuHeight, GetSystemMetrics(SM_CYMENU));
    const auto& items = w.bar().Items;
    ASSERT_EQ(items.size(), 5u);
    const int left = w.skinner->BorderLeft + 7 + 4; // TileLeftMenu + 4
    EXPECT_EQ(items[0]->Rect.left, left);
    EXPECT_EQ(items[0]->Rect.right - items[0]->Rect.left, textWidth("&File") + 10);
    EXPECT_EQ(items[1]->Rect.left, items[0]->Rect.right);
    EXPECT_EQ(items[2]->Rect.right - items[2]->Rect.left, 0) << "an empty caption takes no width";
    EXPECT_EQ(items[3]->Rect.left, items[1]->Rect.right);
    EXPECT_EQ(items[0]->Rect.top, w.skinner->CaptionHeight);
    EXPECT_EQ(items[0]->Rect.bottom, w.skinner->CaptionHeight + w.skinner->MenuHeight - 1);
    EXPECT_NE(w.bar().ItemAt(POINT{items[2]->Rect.left, items[2]->Rect.top + 2}), items[2].get())
        << "nor can it be hit";
    // The client keeps its size: the band sits between caption and client.
    RECT client{};
    GetClientRect(w.hwnd, &client);
    POINT origin{0, 0};
    ClientToScreen(w.hwnd, &origin);
    RECT wr{};
    GetWindowRect(w.hwnd, &wr);
    EXPECT_EQ(origin.y - wr.top, w.skinner->CaptionHeight + w.skinner->MenuHeight);

    w.skinner->Unskin();
    EXPECT_EQ(GetMenu(w.hwnd), w.menu) << "unskinned, the window has its menu back";
}

TEST(MenuBar, AMenuWithoutItemsStaysTheSystems) {
    BarWindow w(false);
    EXPECT_FALSE(w.skinner->MenuBarSkinner);
    EXPECT_EQ(w.skinner->MenuHeight, 0);
    EXPECT_EQ(GetMenu(w.hwnd), w.menu);
}

TEST(MenuBar, ItemsAreDrawnAndFramedWhenHotADisabledOneInTheShadowColour) {
    BarWindow w;
    const RECT file = w.bar().Items[0]->Rect, locked = w.bar().Items[3]->Rect;
    Pixels frame = qs::test::CaptureWindowDC(w.hwnd);
    // Text is smoothed: count the pixels close to a colour.
    auto count = [&](const RECT& r, uint32_t colour) {
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const uint32_t p = frame.at(x, y);
                int d = 0;
                for (int shift : {0, 8, 16})
                    d += std::abs(int((p >> shift) & 0xFF) - int((colour >> shift) & 0xFF));
                if (d < 60) ++n;
            }
        return n;
    };
    // Smoothed text: the darkest pixel of each caption tells its colour.
    auto darkest = [&](const RECT& r) {
        uint32_t best = 0xFFFFFF;
        int bestSum = 3 * 255;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x) {
                const uint32_t p = frame.at(x, y);
                const int sum = int((p >> 16) & 0xFF) + int((p >> 8) & 0xFF) + int(p & 0xFF);
                if (sum < bestSum) {
                    bestSum = sum;
                    best = p;
                }
            }
        return best;
    };
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const uint32_t shadowRgb = uint32_t(GetRValue(shadow)) << 16 | GetGValue(shadow) << 8 | GetBValue(shadow);
    EXPECT_EQ(darkest(file), 0x010203u) << "the caption in MenuBarText";
    EXPECT_EQ(darkest(locked), shadowRgb) << "a disabled caption in the system's shadow colour";
    EXPECT_EQ(count(file, 0xFA0000), 0);

    const POINT c = w.screenCentre(0);
    qs::test::MouseMoveTo(c.x, c.y);
    EXPECT_TRUE(qs::test::PumpUntil([&] { return w.skinner->HotObject == w.bar().Items[0].get(); }));
    frame = qs::test::CaptureWindowDC(w.hwnd);
    EXPECT_EQ(frame.at(file.left, (file.top + file.bottom) / 2), 0xFA0000u) << "hot: framed in ButtonHilight";
    qs::test::MouseMoveTo(10, 700);
}

TEST(MenuBar, ClickingOpensTheSubmenuButADisabledItemOnlyPostsItsCommand) {
    BarWindow w;
    const std::vector<HMENU> shown = watch([&] { w.bar().OpenItem(w.bar().Items[1].get()); });
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), w.edit);
    EXPECT_FALSE(w.skinner->TrackingMenu);
    EXPECT_EQ(watch([&] { w.bar().OpenItem(w.bar().Items[3].get()); }).size(), 0u)
        << "a disabled item opens nothing";
    qs::test::PumpFor(30);
    EXPECT_NE(std::find(commands().begin(), commands().end(), LOWORD(w.bar().Items[3]->Command)),
              commands().end())
        << "but its command is posted";
}

TEST(MenuBar, AcceleratorsF10AndTheArrowKeysMoveAlongTheBar) {
    BarWindow w;
    // Alt+E opens Edit; Right passes the empty and the disabled item by to Help, then wraps to
    // File; Left from File goes back to Help.
    std::vector<HMENU> shown =
        watch([&] { SendMessageA(w.hwnd, WM_SYSCOMMAND, SC_KEYMENU, 'e'); }, {VK_RIGHT, VK_RIGHT, VK_LEFT});
    ASSERT_GE(shown.size(), 3u);
    EXPECT_EQ(shown[0], w.edit);
    EXPECT_EQ(shown.back(), w.help) << "Left from the first item reaches the last";
    EXPECT_NE(std::find(shown.begin(), shown.end(), w.file), shown.end()) << "Right from the last wraps";

    shown = watch([&] { SendMessageA(w.hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), w.file) << "F10 or Alt alone: the first item";

    // Alt+Space stays the system popup's; Alt+'-' goes to the system.
    EXPECT_EQ(watch([&] { SendMessageA(w.hwnd, WM_SYSCOMMAND, SC_KEYMENU, '-'); }).size(), 0u);
}

TEST(MenuBar, TheMouseOverAnotherItemSwitchesMenus) {
    BarWindow w;
    qs::test::MenuWatch move;
    move.moveTo = w.screenCentre(4);
    const std::vector<HMENU> shown =
        qs::test::WatchMenus([&] { w.bar().OpenItem(w.bar().Items[0].get()); }, move);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[0], w.file);
    EXPECT_EQ(shown[1], w.help);
    qs::test::MouseMoveTo(10, 700);
}

TEST(MenuBar, RightToLeftLaysOutFromTheRightAndSwapsTheArrows) {
    BarWindow w(true, WS_EX_LEFTSCROLLBAR);
    const auto& items = w.bar().Items;
    const int right = w.skinner->FrameWidth - w.skinner->BorderRight - (5 + 8); // TileRightMenu + 8
    EXPECT_EQ(items[0]->Rect.right, right);
    EXPECT_EQ(items[1]->Rect.right, items[0]->Rect.left);
    const std::vector<HMENU> shown =
        watch([&] { w.bar().OpenItem(items[0].get()); }, {VK_LEFT}); // Left goes to the next item
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[1], w.edit);
}

TEST(MenuBar, KeysTypedInACascadeOpenAndCloseItInsteadOfMovingAlongTheBar) {
    BarWindow w;
    HMENU more = CreatePopupMenu();
    AppendMenuA(more, MF_STRING, 150, "Deep");
    InsertMenuA(w.file, 0, MF_BYPOSITION | MF_POPUP, UINT_PTR(more), "More");
    SetForegroundWindow(w.hwnd);
    qs::test::PumpFor(30);
    // File opens with More selected; Right opens the cascade, Left closes it again.
    qs::test::MenuWatch typed;
    typed.keys = {VK_RIGHT, VK_LEFT};
    typed.typeKeys = true;
    const std::vector<HMENU> shown =
        qs::test::WatchMenus([&] { w.bar().OpenItem(w.bar().Items[0].get()); }, typed);
    ASSERT_GE(shown.size(), 2u);
    EXPECT_EQ(shown[0], w.file);
    EXPECT_EQ(shown[1], more) << "Right on More opens its cascade";
    EXPECT_EQ(std::count(shown.begin(), shown.end(), w.edit), 0) << "nor does a key move along the bar";
    EXPECT_EQ(std::count(shown.begin(), shown.end(), w.help), 0);
    EXPECT_EQ(shown.back(), w.file) << "Left closes the cascade, File stays open";
}

TEST(MenuBar, OpeningSkipsWhatCannotOpenNeverNestsAndLeavesTheItemHot) {
    BarWindow w;
    EXPECT_FALSE(w.bar().OpenItem(nullptr));

    // F10 passes by a disabled item, one without a submenu, an empty caption and another
    // disabled one, to Help.
    w.bar().Items[0]->ItemEnabled = false;
    w.bar().Items[1]->SubMenu = nullptr;
    std::vector<HMENU> shown = watch([&] { SendMessageA(w.hwnd, WM_SYSCOMMAND, SC_KEYMENU, 0); });
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), w.help);
    w.bar().Items[0]->ItemEnabled = true;
    w.bar().Items[1]->SubMenu = w.edit;

    // A click on the bar arriving while File is open moves there; it does not open a second loop.
    qs::test::MenuWatch click;
    bool clicked = false;
    const POINT edit = w.screenCentre(1);
    click.moveTo = POINT{5, 700}; // keeps File open until the click
    timerAction = [&] {
        if (clicked || !qs::test::VisibleMenuWindow()) return;
        clicked = true;
        PostMessageA(w.hwnd, SKM_MENUBARCLICK, 0, MAKELPARAM(edit.x, edit.y));
    };
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, runTimerAction);
    shown = qs::test::WatchMenus([&] { w.bar().OpenItem(w.bar().Items[0].get()); }, click);
    KillTimer(nullptr, timer);
    timerAction = nullptr;
    ASSERT_TRUE(clicked);
    ASSERT_EQ(shown.size(), 2u) << "File is not open again under Edit";
    EXPECT_EQ(shown[0], w.file);
    EXPECT_EQ(shown[1], w.edit);
    EXPECT_FALSE(w.skinner->TrackingMenu);

    // Closed with the pointer still over it, the item stays hot.
    const POINT file = w.screenCentre(0);
    qs::test::MouseMoveTo(file.x, file.y);
    qs::test::PumpFor(30);
    watch([&] { w.bar().OpenItem(w.bar().Items[0].get()); });
    EXPECT_EQ(w.skinner->HotObject, w.bar().Items[0].get());
    EXPECT_EQ(w.bar().Items[0]->MouseState, msHot);
    qs::test::MouseMoveTo(10, 700);
}

TEST(MenuBar, OpeningAndClosingLeavesNoObjectsBehind) {
    BarWindow w;
    watch([&] { w.bar().OpenItem(w.bar().Items[0].get()); });
    const DWORD gdi = qs::test::GdiObjectCount(), user = qs::test::UserObjectCount();
    for (int i = 0; i < 200; ++i)
        watch([&] { w.bar().OpenItem(w.bar().Items[size_t(i % 2)].get()); }, {}, 15);
    EXPECT_LE(qs::test::GdiObjectCount(), gdi + 4);
    EXPECT_LE(qs::test::UserObjectCount(), user + 4);
}

} // namespace

namespace {

HWND mdiClient = nullptr;

LRESULT CALLBACK mdiFrameProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return DefFrameProcA(h, mdiClient, msg, w, l);
}
LRESULT CALLBACK mdiChildProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return DefMDIChildProcA(h, msg, w, l);
}

// MDICONTROLS: twelve 12 x 12 cells, four frames for each of minimise, restore and close.
std::unique_ptr<TSkinData> MdiSkin() {
    qs::test::TestSkin t;
    t.ini = "[Personality]\r\nTop=t.bmp\r\nLeft=s.bmp\r\nRight=s.bmp\r\nBottom=b.bmp\r\nTopTrans="
            "0\r\nLeftTrans=0\r\n"
            "RightTrans=0\r\nBottomTrans=0\r\nmenuBar=bar.bmp\r\nTileMenu=1\r\n[MDICONTROLS]\r\nImage=mdi."
            "bmp\r\n";
    t.Bmp("t.bmp", 40, 22, 0x204060).Bmp("s.bmp", 4, 40, 0x204060).Bmp("b.bmp", 40, 4, 0x204060);
    t.Bmp("bar.bmp", 30, 40, 0xE0E0E0);
    t.Bmp("mdi.bmp", 144, 12,
          [](int x, int) { return 0x100000u * uint32_t(x / 48 + 1) + uint32_t(x / 12 % 4); });
    auto skin = std::make_unique<TSkinData>(nullptr);
    const auto bytes = t.Compressed();
    skin->SkinStream().Write(bytes.data(), bytes.size());
    EXPECT_TRUE(skin->LoadSkin());
    return skin;
}

} // namespace

TEST(MenuBar, AMaximisedMdiChildsButtonsAreDrawnOnTheBandAndWork) {
    auto skin = MdiSkin();
    const HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA frameClass{}, childClass{};
    frameClass.lpfnWndProc = mdiFrameProc;
    frameClass.hInstance = inst;
    frameClass.lpszClassName = "QsMdiFrameTest";
    RegisterClassA(&frameClass);
    childClass.lpfnWndProc = mdiChildProc;
    childClass.hInstance = inst;
    childClass.lpszClassName = "QsMdiChildTest";
    RegisterClassA(&childClass);
    HMENU menu = CreateMenu(), window = CreatePopupMenu();
    AppendMenuA(window, MF_STRING, 10, "Cascade");
    AppendMenuA(menu, MF_POPUP, UINT_PTR(window), "&Window");
    HWND frame = CreateWindowExA(0, frameClass.lpszClassName, "mdi", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN,
                                 40, 40, 520, 360, nullptr, menu, inst, nullptr);
    CLIENTCREATESTRUCT ccs{window, 1000};
    mdiClient = CreateWindowExA(0, "MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 100,
                                100, frame, nullptr, inst, &ccs);
    ShowWindow(frame, SW_SHOW);
    SetForegroundWindow(frame);
    auto skinner = std::make_unique<TWinSkinForm>(frame, "");
    skinner->SkinWindow(skin.get());
    SendMessageA(frame, SKM_SKINFORM, 0, kSkinFormSignature);
    qs::test::PumpFor(50);
    ASSERT_EQ(skinner->MdiKind, mkFrame);
    ASSERT_TRUE(skinner->MenuBarSkinner);

    MDICREATESTRUCTA mcs{};
    mcs.szClass = childClass.lpszClassName;
    mcs.szTitle = "child";
    mcs.hOwner = inst;
    mcs.x = mcs.y = 10;
    mcs.cx = 200;
    mcs.cy = 120;
    HWND child = HWND(SendMessageA(mdiClient, WM_MDICREATE, 0, LPARAM(&mcs)));
    ASSERT_TRUE(child);
    SendMessageA(mdiClient, WM_MDIMAXIMIZE, WPARAM(child), 0);
    EXPECT_TRUE(qs::test::PumpUntil([&] { return IsZoomed(child) != FALSE; }));
    skinner->PaintFrame(nullptr);

    std::vector<TWinSysButton*> band;
    for (auto& b : skinner->CaptionButtons)
        if (b->ButtonData->Visibility == cvMenuBand) band.push_back(b.get());
    ASSERT_EQ(band.size(), 3u);
    const Pixels shown = qs::test::CaptureWindowDC(frame);
    for (size_t i = 0; i < 3; ++i) {
        const RECT& r = band[i]->Rect;
        EXPECT_TRUE(band[i]->Visible);
        EXPECT_GE(r.top, skinner->CaptionHeight) << "on the menu band";
        EXPECT_LE(r.bottom, skinner->CaptionHeight + skinner->MenuHeight);
        // Frame 1 of the button's own cells.
        EXPECT_EQ(shown.at(r.left + 4, r.top + 4), 0x100000u * uint32_t(i + 1)) << i;
    }
    // The restore button gives the child its normal size back.
    skinner->PerformAction(*band[1], POINT{0, 0});
    EXPECT_TRUE(qs::test::PumpUntil([&] { return !IsZoomed(child); }));
    skinner->PaintFrame(nullptr);
    EXPECT_FALSE(band[1]->Visible) << "the buttons leave with the maximised child";
    skinner->Detach();
    DestroyWindow(frame);
}
