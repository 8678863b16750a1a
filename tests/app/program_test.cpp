// The capture program end to end: its own process, driven through real keyboard input, window
// messages of the shell, and what a person sees on screen and the clipboard.
#include <windows.h>

#include <shellapi.h>

#include <gtest/gtest.h>

#include <algorithm>

#include "app/app_texts.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "tests/app/program_texts.h"
#include "tests/support/bundled_skin_data.h"
#include "tests/support/clipboard_holder.h"
#include "tests/support/pattern_window.h"
#include "tests/support/skin_faces.h"
#include "tests/support/wintest.h"

using namespace qs::test;

namespace {

constexpr UINT kTrayNotify = WM_USER + 100;

// Whether the program's tray icon (window, id 1) exists: only then can it be modified.
bool TrayIconPresent(HWND mainWindow) {
    NOTIFYICONDATAA nid{};
    nid.cbSize = NOTIFYICONDATAA_V2_SIZE;
    nid.hWnd = mainWindow;
    nid.uID = 1;
    nid.uFlags = NIF_TIP;
    lstrcpyA(nid.szTip, "Quillshot");
    return Shell_NotifyIconA(NIM_MODIFY, &nid);
}

// Whether another program may take the hotkey (it is released at once).
bool HotkeyFree(UINT mods, UINT vk) {
    if (!RegisterHotKey(nullptr, 0x2001, mods, vk)) return false;
    UnregisterHotKey(nullptr, 0x2001);
    return true;
}

HWND StartedInstructions(const RunningProgram& p) {
    return p.WaitForWindow("TForm3", text::kInstructions, 8000, true);
}

// Closes the instructions dialog with its button, as a user would.
void DismissInstructions(const RunningProgram& p) {
    HWND dialog = StartedInstructions(p);
    ASSERT_TRUE(dialog);
    PumpFor(300);
    EXPECT_EQ(SendMessageA(dialog, SKM_ISSKINNED, 0, 0), 1) << "drawn from the program's skin";
    HWND ok = FindWindowExA(dialog, nullptr, "TButton", text::kOk);
    ASSERT_TRUE(ok);
    PostMessageA(ok, BM_CLICK, 0, 0);
    EXPECT_EQ(WaitForWindowGone(dialog, 5000), nullptr);
}

HWND VisiblePopupMenu(const RunningProgram& p, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    do {
        if (HWND menu = p.WaitForWindow("#32768", nullptr, 50, true)) return menu;
        PumpFor(20);
    } while (GetTickCount() - start < timeoutMs);
    return nullptr;
}

// Opens the tray menu as the shell does on a right click and picks an item with the keyboard:
// from no selection, Down reaches the first item and Up the last; the separator is skipped.
bool ChooseFromTrayMenu(const RunningProgram& p, HWND mainWindow, WORD key, int presses) {
    PostMessageA(mainWindow, kTrayNotify, 1, WM_RBUTTONDOWN);
    if (!VisiblePopupMenu(p, 5000)) return false;
    PumpFor(100);
    for (int i = 0; i < presses; ++i) {
        KeyPress(key);
        PumpFor(30);
    }
    KeyPress(VK_RETURN);
    return true;
}

// Picks "关闭" from the tray menu.
HWND AskToClose(const RunningProgram& p, HWND mainWindow) {
    if (!ChooseFromTrayMenu(p, mainWindow, VK_UP, 1)) return nullptr;
    return p.WaitForWindow("#32770", text::kConfirm, 5000, true);
}

void ClickCentre(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    MouseClickAt((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

bool WaitForClipboardChange(DWORD since, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    while (GetClipboardSequenceNumber() == since) {
        if (GetTickCount() - start > timeoutMs) return false;
        PumpFor(20);
    }
    PumpFor(300);
    return true;
}

} // namespace

TEST(Program, ASecondStartSaysItIsAlreadyRunningAndEnds) {
    RunningQuillshot first;
    ASSERT_TRUE(StartedInstructions(first));
    RunningQuillshot second;
    HWND box = second.WaitForWindow("#32770", "", 8000, true);
    ASSERT_TRUE(box) << "the already-running message with an empty caption";
    char message[128] = {};
    GetDlgItemTextA(box, 0xFFFF, message, sizeof message);
    EXPECT_STREQ(message, text::kAlreadyRunning);
    EXPECT_EQ(second.WaitForWindow("TForm3", nullptr, 200), nullptr) << "nothing else was started";
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    DWORD code = 1;
    EXPECT_TRUE(second.WaitForExit(5000, &code));
    EXPECT_TRUE(first.Running());
}

TEST(Program, StartupTakesTheHotkeysAndTheTrayThenShowsTheInstructions) {
    ASSERT_TRUE(HotkeyFree(0, VK_SNAPSHOT));
    RunningQuillshot p;
    HWND dialog = StartedInstructions(p);
    ASSERT_TRUE(dialog);
    // By the time the dialog shows, both hotkeys and the icon are in place.
    EXPECT_FALSE(HotkeyFree(0, VK_SNAPSHOT));
    EXPECT_EQ(GetLastError(), DWORD(ERROR_HOTKEY_ALREADY_REGISTERED));
    EXPECT_FALSE(HotkeyFree(MOD_CONTROL | MOD_ALT, 'C'));
    HWND main = p.WaitForWindow("TForm1", "Quillshot");
    ASSERT_TRUE(main);
    EXPECT_FALSE(IsWindowVisible(main)) << "the main form is never shown";
    EXPECT_TRUE(TrayIconPresent(main));

    RECT client;
    GetClientRect(dialog, &client);
    EXPECT_EQ(client.right, 336);
    EXPECT_EQ(client.bottom, 224);
    HWND panel = FindWindowExA(dialog, nullptr, "TPanel", nullptr);
    ASSERT_TRUE(panel);
    RECT pr;
    GetWindowRect(panel, &pr);
    MapWindowPoints(HWND_DESKTOP, dialog, reinterpret_cast<POINT*>(&pr), 2);
    EXPECT_EQ(pr.left, 8);
    EXPECT_EQ(pr.top, 8);
    EXPECT_EQ(pr.right - pr.left, 321);
    EXPECT_EQ(pr.bottom - pr.top, 161);
    HWND ok = FindWindowExA(dialog, nullptr, "TButton", text::kOk);
    ASSERT_TRUE(ok);
    RECT br;
    GetWindowRect(ok, &br);
    EXPECT_EQ(br.right - br.left, 75);
    EXPECT_EQ(br.bottom - br.top, 25);
    SaveImage(ScreenshotPath("instructions.png"), CaptureScreen());
}

TEST(Program, BothHotkeysPutTheWholePrimaryScreenOnTheClipboard) {
    RunningQuillshot p;
    DismissInstructions(p);
    const PatternWindow pattern(RECT{120, 90, 420, 290}, 10, 10, true);
    const int W = GetSystemMetrics(SM_CXSCREEN), H = GetSystemMetrics(SM_CYSCREEN);
    struct Press {
        const char* name;
        void (*press)();
    } presses[] = {{"Print Screen", [] { KeyPress(VK_SNAPSHOT); }}, {"Ctrl+Alt+C", [] {
                                                                         KeyChord({VK_CONTROL, VK_MENU, 'C'});
                                                                     }}};
    for (const Press& press : presses) {
        SCOPED_TRACE(press.name);
        const DWORD seq = GetClipboardSequenceNumber();
        press.press();
        ASSERT_TRUE(WaitForClipboardChange(seq, 5000));
        std::optional<Pixels> clip = ReadClipboardBitmap();
        ASSERT_TRUE(clip);
        ASSERT_EQ(clip->width, W);
        ASSERT_EQ(clip->height, H);
        // Wine's taskbar redraws its buttons on its own: compare everything above it.
        RECT work{0, 0, W, H};
        RECT bar{};
        if (HWND taskbar = FindWindowA("Shell_TrayWnd", nullptr); taskbar && GetWindowRect(taskbar, &bar))
            work.bottom = std::min<LONG>(work.bottom, bar.top);
        Pixels screen = CaptureScreen();
        size_t differing = 0;
        for (int y = work.top; y < work.bottom; ++y)
            for (int x = work.left; x < work.right; ++x)
                differing += screen.at(x, y) != clip->at(x, y);
        EXPECT_EQ(differing, 0u) << "the clipboard holds what the screen shows";
        EXPECT_EQ(clip->at(125, 95), pattern.ColourAt(5, 5));
        EXPECT_EQ(clip->at(120 + 45, 90 + 25), pattern.ColourAt(45, 25));
    }
}

// The handler runs the whole capture before a sent message returns, so the clipboard tells at once.
TEST(Program, AHotkeyIsJudgedByItsKeyAndModifiersNotItsIdentifier) {
    RunningQuillshot p;
    DismissInstructions(p);
    HWND main = p.WaitForWindow("TForm1", "Quillshot");
    ASSERT_TRUE(main);
    struct Hotkey {
        WPARAM id;
        UINT mods, vk;
        bool captures;
    } hotkeys[] = {{7, MOD_CONTROL | MOD_ALT, 'C', true},    {0xBFFF, 0, VK_SNAPSHOT, true},
                   {116, MOD_SHIFT, VK_SNAPSHOT, true},      {116, MOD_CONTROL, 'C', false},
                   {115, MOD_CONTROL | MOD_ALT, 'D', false}, {115, 0, 'C', false}};
    for (const Hotkey& h : hotkeys) {
        SCOPED_TRACE(testing::Message() << "id " << h.id << ", modifiers " << h.mods << ", key " << h.vk);
        const DWORD seq = GetClipboardSequenceNumber();
        DWORD_PTR result = 0;
        ASSERT_TRUE(SendMessageTimeoutA(main, WM_HOTKEY, h.id, MAKELPARAM(h.mods, h.vk), SMTO_NORMAL, 10000,
                                        &result));
        EXPECT_EQ(GetClipboardSequenceNumber() != seq, h.captures);
    }
}

// Another program holds the clipboard longer than the capture waits for it. The about box is up,
// so the capture's modal loop has a window to disable.
TEST(Program, ACaptureTheClipboardRefusesSaysSoOnceAndLeavesTheProgramUsable) {
    RunningQuillshot p;
    DismissInstructions(p);
    HWND main = p.WaitForWindow("TForm1", "Quillshot");
    ASSERT_TRUE(main);
    ASSERT_TRUE(ChooseFromTrayMenu(p, main, VK_DOWN, 2));
    HWND about = p.WaitForWindow("Tfrm_about", text::kAbout, 5000, true);
    ASSERT_TRUE(about);
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Holding());
        KeyPress(VK_SNAPSHOT);
        HWND box = p.WaitForWindow("#32770", nullptr, 8000, true);
        ASSERT_TRUE(box) << "the user is told";
        char message[256] = {};
        GetDlgItemTextA(box, 0xFFFF, message, sizeof message);
        EXPECT_STREQ(message, app_text::kClipboardBusy);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
        EXPECT_EQ(WaitForWindowGone(box, 5000), nullptr);
        EXPECT_EQ(p.WaitForWindow("#32770", nullptr, 1000, true), nullptr) << "one message only";
    }
    EXPECT_TRUE(IsWindowEnabled(about)) << "the capture's modal loop is over";
    EXPECT_EQ(p.CountWindows("TForm4"), 1) << "only the capture form made at start-up is left";

    const DWORD seq = GetClipboardSequenceNumber();
    KeyPress(VK_SNAPSHOT);
    ASSERT_TRUE(WaitForClipboardChange(seq, 5000)) << "the next capture works";
    std::optional<Pixels> clip = ReadClipboardBitmap();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->width, GetSystemMetrics(SM_CXSCREEN));
    EXPECT_TRUE(IsWindowEnabled(about));
}

TEST(Program, TheTrayMenuOpensOnlyOnTheRightButtonAtTheCursor) {
    RunningQuillshot p;
    DismissInstructions(p);
    HWND main = p.WaitForWindow("TForm1", "Quillshot");
    ASSERT_TRUE(main);
    SetCursorPos(300, 400);
    PostMessageA(main, kTrayNotify, 1, WM_LBUTTONDOWN);
    PostMessageA(main, kTrayNotify, 1, WM_LBUTTONUP);
    PostMessageA(main, kTrayNotify, 1, WM_LBUTTONDBLCLK);
    PostMessageA(main, kTrayNotify, 1, WM_MOUSEMOVE);
    EXPECT_EQ(VisiblePopupMenu(p, 500), nullptr);

    PostMessageA(main, kTrayNotify, 1, WM_RBUTTONDOWN);
    HWND menu = VisiblePopupMenu(p, 5000);
    ASSERT_TRUE(menu);
    RECT r;
    GetWindowRect(menu, &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(r.top, 400);
    KeyPress(VK_ESCAPE);
    EXPECT_EQ(WaitForWindowGone(menu, 3000), nullptr);
}

// Menu handles do not cross processes here, so the items are told apart by what choosing them opens.
TEST(Program, TheTrayMenuHoldsInstructionsAboutASeparatorAndClose) {
    RunningQuillshot p;
    DismissInstructions(p);
    HWND main = p.WaitForWindow("TForm1", "Quillshot");
    ASSERT_TRUE(main);
    struct Choice {
        int downs;
        const char* cls;
        const char* caption;
    } choices[] = {
        {1, "TForm3", text::kInstructions}, {2, "Tfrm_about", text::kAbout}, {3, "#32770", text::kConfirm}};
    for (const Choice& c : choices) {
        SCOPED_TRACE(c.downs);
        ASSERT_TRUE(ChooseFromTrayMenu(p, main, VK_DOWN, c.downs));
        HWND opened = p.WaitForWindow(c.cls, c.caption, 5000, true);
        ASSERT_TRUE(opened);
        PumpFor(300);
        EXPECT_EQ(SendMessageA(opened, SKM_ISSKINNED, 0, 0), 1) << "drawn from the program's skin";
        PostMessageA(opened, WM_COMMAND, IDNO, 0); // the confirmation: No
        if (std::string(c.cls) != "#32770") PostMessageA(opened, WM_CLOSE, 0, 0);
        EXPECT_EQ(WaitForWindowGone(opened, 5000), nullptr);
    }
    EXPECT_TRUE(p.Running());
}

TEST(Program, ClosingAsksFirstAndOnlyYesEndsTheProgram) {
    RunningQuillshot p;
    DismissInstructions(p);
    HWND main = p.WaitForWindow("TForm1", "Quillshot");
    ASSERT_TRUE(main);

    HWND box = AskToClose(p, main);
    ASSERT_TRUE(box) << "the confirmation";
    PostMessageA(box, WM_COMMAND, IDNO, 0);
    EXPECT_EQ(WaitForWindowGone(box, 5000), nullptr);
    PumpFor(300);
    EXPECT_TRUE(p.Running());
    EXPECT_TRUE(TrayIconPresent(main));
    EXPECT_FALSE(HotkeyFree(0, VK_SNAPSHOT));

    box = AskToClose(p, main);
    ASSERT_TRUE(box);
    PostMessageA(box, WM_COMMAND, IDYES, 0);
    EXPECT_TRUE(p.WaitForExit(5000));
    EXPECT_FALSE(TrayIconPresent(main));
    EXPECT_TRUE(HotkeyFree(0, VK_SNAPSHOT)) << "another program can take the keys now";
    EXPECT_TRUE(HotkeyFree(MOD_CONTROL | MOD_ALT, 'C'));
}

TEST(Program, TheDialogsButtonsAreDrawnFromTheSkinAndWorkByMouseAndKeyboard) {
    const std::unique_ptr<TSkinData> skin = LoadBundledSkin("item9");
    ASSERT_FALSE(skin->Buttons->Bitmap.Empty());
    RunningQuillshot p;
    HWND dialog = StartedInstructions(p);
    ASSERT_TRUE(dialog);
    PumpFor(500);
    HWND ok = FindWindowExA(dialog, nullptr, "TButton", text::kOk);
    ASSERT_TRUE(ok);
    EXPECT_TRUE(DrawnFromSkin(ok, *skin)) << "the instructions' button";
    ClickCentre(ok);
    EXPECT_EQ(WaitForWindowGone(dialog, 5000), nullptr) << "closed by the mouse";

    HWND main = p.WaitForWindow("TForm1", "Quillshot");
    ASSERT_TRUE(main);
    ASSERT_TRUE(ChooseFromTrayMenu(p, main, VK_DOWN, 2));
    HWND about = p.WaitForWindow("Tfrm_about", text::kAbout, 5000, true);
    ASSERT_TRUE(about);
    PumpFor(500);
    HWND aboutOk = FindWindowExA(about, nullptr, "TButton", nullptr);
    ASSERT_TRUE(aboutOk);
    EXPECT_TRUE(DrawnFromSkin(aboutOk, *skin)) << "the about dialog's button";
    // The dialog's only tab stop has the focus from the start.
    KeyPress(VK_SPACE);
    EXPECT_EQ(WaitForWindowGone(about, 5000), nullptr) << "closed by the keyboard";

    HWND box = AskToClose(p, main);
    ASSERT_TRUE(box);
    PumpFor(500);
    HWND yes = GetDlgItem(box, IDYES), no = GetDlgItem(box, IDNO);
    ASSERT_TRUE(yes && no);
    EXPECT_TRUE(DrawnFromSkin(yes, *skin)) << "the confirmation's Yes";
    EXPECT_TRUE(DrawnFromSkin(no, *skin)) << "the confirmation's No";
    KeyPress(VK_TAB);
    PumpFor(100);
    KeyPress(VK_SPACE);
    EXPECT_EQ(WaitForWindowGone(box, 5000), nullptr);
    PumpFor(300);
    EXPECT_TRUE(p.Running()) << "No, chosen with the keyboard";

    box = AskToClose(p, main);
    ASSERT_TRUE(box);
    PumpFor(500);
    ClickCentre(GetDlgItem(box, IDYES));
    EXPECT_TRUE(p.WaitForExit(5000)) << "Yes, clicked";
}
