// The capture program in-process over many hotkey captures, tray-menu openings and skin switches:
// handle counts stay flat and the private bytes settle. The test command runs a short soak;
// scripts/soak.sh asks for the long one (QS_SOAK_CAPTURES, QS_SOAK_MENUS, QS_SOAK_SWITCHES).
#include <gtest/gtest.h>

#include "app/program_classes.h"
#include "app/unit_capscr.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/res/skin_store.h"
#include "tests/support/menu_watch.h"
#include "tests/support/soak_meter.h"
#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"

using namespace qs::test;

namespace {

void CALLBACK CloseInstructions(HWND, UINT, UINT_PTR, DWORD) {
    if (HWND dialog = FindWindowA("TForm3", nullptr); dialog && IsWindowVisible(dialog))
        PostMessageA(dialog, WM_CLOSE, 0, 0);
}

void CALLBACK CloseOpenMenu(HWND, UINT, UINT_PTR, DWORD) {
    if (VisibleMenuWindow()) EndMenu();
}

class ProgramSoak : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        RegisterProgramClasses();
        Application->Initialize();
        const UINT_PTR closer = SetTimer(nullptr, 0, 100, CloseInstructions);
        Application->CreateForm(program); // returns once the instructions dialog is closed
        KillTimer(nullptr, closer);
        RunToolkitUntil([] { return false; }, 400); // the skin requests of start-up
    }
    static void TearDownTestSuite() {
        delete program;
        program = nullptr;
    }

    // Print Screen and Ctrl+Alt+C in turn, as typed; true once the clipboard has the capture.
    static bool capture(int n) {
        const DWORD seq = GetClipboardSequenceNumber();
        if (n % 2 == 0)
            KeyPress(VK_SNAPSHOT);
        else
            KeyChord({VK_CONTROL, VK_MENU, 'C'});
        return RunToolkitUntil([seq] { return GetClipboardSequenceNumber() != seq; }, 5000);
    }
    // The tray menu, as the shell's right click opens it; the send returns once it is closed.
    static void openTrayMenu() {
        const UINT_PTR closer = SetTimer(nullptr, 0, 10, CloseOpenMenu);
        SendMessageA(program->Handle(), WM_TRAYNOTIFY, 1, WM_RBUTTONDOWN);
        KillTimer(nullptr, closer);
    }
    static void switchSkin(int n) {
        const int skins = program->SkinStore1->Store()->Count();
        program->SkinData1->LoadFromStore(program->SkinStore1, n % skins);
        SkinManager->ExecuteRequest();
        RunToolkitUntil([] { return false; }, 10);
    }

    static inline TForm1* program = nullptr;
};

} // namespace

TEST_F(ProgramSoak, HotkeyCapturesLeaveNothingBehind) {
    ASSERT_TRUE(program);
    for (int n = 0; n < 4; ++n)
        ASSERT_TRUE(capture(n)) << "warm-up capture " << n;
    const int captures = SoakCount("QS_SOAK_CAPTURES", 20);
    SoakMeter meter("hotkey captures", captures);
    int missed = 0;
    for (int n = 1; n <= captures; ++n) {
        missed += !capture(n);
        meter.Step(n);
    }
    EXPECT_EQ(missed, 0) << "every key press put a capture on the clipboard";
    EXPECT_EQ(meter.Growth(), "");
}

TEST_F(ProgramSoak, TrayMenuOpeningsLeaveNothingBehind) {
    ASSERT_TRUE(program);
    for (int n = 0; n < 4; ++n)
        openTrayMenu();
    const int menus = SoakCount("QS_SOAK_MENUS", 40);
    SoakMeter meter("tray menus", menus);
    for (int n = 1; n <= menus; ++n) {
        openTrayMenu();
        meter.Step(n);
    }
    EXPECT_EQ(VisibleMenuWindow(), nullptr);
    EXPECT_EQ(meter.Growth(), "");
}

// Each skin is drawn once in the tray menu before the next one comes.
TEST_F(ProgramSoak, SkinSwitchesLeaveNothingBehind) {
    ASSERT_TRUE(program);
    const int skins = program->SkinStore1->Store()->Count();
    ASSERT_GT(skins, 1);
    // Two rounds of warm-up: the heap settles on the largest skins' blocks.
    for (int n = 1; n <= 2 * skins; ++n) {
        switchSkin(n);
        openTrayMenu();
    }
    // Whole rounds, so the same skin is loaded at both ends.
    const int switches = (SoakCount("QS_SOAK_SWITCHES", 22) + skins - 1) / skins * skins;
    SoakMeter meter("skin switches", switches);
    for (int n = 1; n <= switches; ++n) {
        switchSkin(n);
        openTrayMenu();
        meter.Step(n);
    }
    EXPECT_EQ(meter.Growth(), "");
}
