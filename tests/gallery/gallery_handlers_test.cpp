// What the gallery's own handlers do while the skin engine is on the stack: the Find dialog (a
// modeless plain dialog that its procedure destroys on OK and Cancel) opens with Ctrl+F, is
// skinned, takes its keys from the toolkit loop and closes cleanly many times; Recent skins is
// refilled by File's OnClick as File opens, and its entries switch the skin.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "gallery/wide_text.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "tests/support/bundled_skins.h"
#include "tests/support/menu_watch.h"
#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"

using namespace qs::test;

namespace {

class GalleryHandlers : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterGalleryClasses(); }
    void SetUp() override {
        Application->Initialize();
        form = NewForm<TGalleryForm>(nullptr);
        std::string error;
        ASSERT_TRUE(form->Start(GalleryOptions{}, {}, error)) << error;
        form->Show();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(RunToolkitUntil([&] { return skinned(form->Handle()); }, 5000));
        PumpFor(100);
    }
    void TearDown() override {
        delete form;
        FreeSkinManager();
    }
    static bool skinned(HWND window) { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1; }
    HWND dialog() const { return form->FindDialog().Handle(); }

    // Ctrl+F with the frame active; the dialog once it and its OK button are skinned.
    HWND openFind() {
        SetForegroundWindow(form->Handle());
        RunToolkitUntil([&] { return GetActiveWindow() == form->Handle(); }, 2000);
        KeyChord({VK_CONTROL, 'F'});
        const bool ready = RunToolkitUntil(
            [&] { return dialog() && skinned(dialog()) && skinned(GetDlgItem(dialog(), IDOK)); }, 5000);
        EXPECT_TRUE(ready) << "the Find dialog opened, skinned";
        return ready ? dialog() : nullptr;
    }
    bool closed(HWND find) {
        return RunToolkitUntil([&] { return !IsWindow(find) && !dialog(); }, 5000);
    }
    void clickOk(HWND find) {
        RECT ok{};
        GetWindowRect(GetDlgItem(find, IDOK), &ok);
        RunToolkitUntil([] { return false; }, 50); // the skinned face painted
        MouseClickAt((ok.left + ok.right) / 2, (ok.top + ok.bottom) / 2);
    }
    std::vector<std::string> recentCaptions() const {
        std::vector<std::string> out;
        for (TMenuItem* item : form->RecentSkins1->Items())
            out.push_back(item->Caption());
        return out;
    }
    void choose(TMenuItem* item) {
        SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
        RunToolkitUntil([] { return false; }, 50);
    }
    TGalleryForm* form = nullptr;
};

BOOL CALLBACK countVisibleDialog(HWND h, LPARAM counter) {
    char cls[16] = {};
    GetClassNameA(h, cls, sizeof cls);
    if (std::string(cls) == "#32770" && IsWindowVisible(h)) ++*reinterpret_cast<DWORD*>(counter);
    return TRUE;
}

DWORD findDialogsOfThisThread() {
    DWORD count = 0;
    EnumThreadWindows(GetCurrentThreadId(), countVisibleDialog, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST_F(GalleryHandlers, FindIsASkinnedPlainDialogWhoseKeysWorkAndOnlyOneOpens) {
    HWND find = openFind();
    ASSERT_TRUE(find);
    char cls[16] = {};
    GetClassNameA(find, cls, sizeof cls);
    EXPECT_STREQ(cls, "#32770");
    EXPECT_EQ(GetWindow(find, GW_OWNER), form->Handle());
    EXPECT_EQ(SendMessageA(GetDlgItem(find, IDCANCEL), SKM_ISSKINNED, 0, 0), 1);

    // Tab goes from the text to OK only when the loop gives the dialog its keys.
    ASSERT_TRUE(RunToolkitUntil([&] { return GetFocus() == GetDlgItem(find, 100); }, 2000));
    KeyPress(VK_TAB);
    EXPECT_TRUE(RunToolkitUntil([&] { return GetFocus() == GetDlgItem(find, IDOK); }, 2000));

    // A second Ctrl+F from the frame brings the same dialog back.
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(RunToolkitUntil([&] { return GetActiveWindow() == form->Handle(); }, 2000));
    KeyChord({VK_CONTROL, 'F'});
    EXPECT_TRUE(RunToolkitUntil([&] { return GetActiveWindow() == find; }, 2000));
    EXPECT_EQ(dialog(), find);
    EXPECT_EQ(findDialogsOfThisThread(), 1u);

    KeyPress(VK_ESCAPE);
    EXPECT_TRUE(closed(find)) << "Esc cancels";
}

TEST_F(GalleryHandlers, EnterInFindActivatesTheWindowWhoseCaptionHoldsTheText) {
    form->NewWindow();
    form->NewWindow();
    ASSERT_TRUE(RunToolkitUntil([&] { return form->ActiveMDIChild() != nullptr; }, 2000));
    ASSERT_EQ(form->ActiveMDIChild()->Caption(), "Window 2");
    HWND find = openFind();
    ASSERT_TRUE(find);
    ASSERT_TRUE(RunToolkitUntil([&] { return GetFocus() == GetDlgItem(find, 100); }, 2000));
    KeyPress('1');
    ASSERT_TRUE(RunToolkitUntil([&] { return GetWindowTextLengthA(GetDlgItem(find, 100)) == 1; }, 2000));
    KeyPress(VK_RETURN);
    ASSERT_TRUE(closed(find)) << "Enter is OK";
    EXPECT_EQ(form->ActiveMDIChild()->Caption(), "Window 1");
}

TEST_F(GalleryHandlers, FindClosesByItsOwnOkClickAndByEscManyTimesLeavingNothingBehind) {
    HWND warmUp = openFind();
    ASSERT_TRUE(warmUp);
    KeyPress(VK_ESCAPE);
    ASSERT_TRUE(closed(warmUp));
    RunToolkitUntil([] { return false; }, 100);
    const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
    for (int i = 0; i < 20; ++i) {
        HWND find = openFind();
        ASSERT_TRUE(find) << "round " << i;
        clickOk(find);
        ASSERT_TRUE(closed(find)) << "OK clicked, round " << i;
        find = openFind();
        ASSERT_TRUE(find) << "round " << i;
        KeyPress(VK_ESCAPE);
        ASSERT_TRUE(closed(find)) << "Esc, round " << i;
    }
    RunToolkitUntil([] { return false; }, 100);
    const DWORD gdiAfter = GdiObjectCount(), userAfter = UserObjectCount();
    std::printf("20 rounds of Find closed by OK and by Esc: GDI %lu -> %lu, USER %lu -> %lu\n", gdi, gdiAfter,
                user, userAfter);
    EXPECT_LE(gdiAfter, gdi + 4);
    EXPECT_LE(userAfter, user + 4);
}

TEST_F(GalleryHandlers, RecentSkinsListsOpenedFilesFirstThenTheBundledOnes) {
    std::vector<std::string> bundled;
    for (TMenuItem* item : form->Skin1->Items())
        bundled.push_back(item->Caption());
    ASSERT_EQ(bundled.size(), 11u);
    EXPECT_EQ(recentCaptions(), bundled);

    const std::wstring dir = Wide(BundledSkinsDir());
    const std::wstring amber = dir + L"\\item8.skin", ocean = dir + L"\\item5.skin";
    std::string error;
    ASSERT_TRUE(form->OpenSkinFile(ocean, error)) << error;
    ASSERT_TRUE(form->OpenSkinFile(amber, error)) << error;
    ASSERT_TRUE(form->OpenSkinFile(ocean, error)) << error;
    EXPECT_FALSE(form->OpenSkinFile(dir + L"\\no such.skin", error));
    EXPECT_EQ(form->RecentSkinFiles(), (std::vector<std::wstring>{ocean, amber}));

    // File opens through the skinned bar; its OnClick refills the list before it shows, and R
    // opens the list itself.
    MenuWatch watch;
    watch.keys = {'R'};
    int listed = -1;
    watch.look = [&](HWND menu) { listed = GetMenuItemCount(HMENU(SendMessageA(menu, MN_GETHMENU, 0, 0))); };
    const std::vector<HMENU> shown =
        WatchMenus([&] { SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f'); }, watch);
    RunToolkitUntil([] { return false; }, 100);
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], form->RecentSkins1->Handle());
    EXPECT_EQ(listed, 14);
    std::vector<std::string> expected{"item5.skin", "item8.skin", "-"};
    expected.insert(expected.end(), bundled.begin(), bundled.end());
    EXPECT_EQ(recentCaptions(), expected);

    // Choosing entries: a bundled skin checks its Skin item; a file makes its skin the form's.
    choose(form->RecentSkins1->Item(3 + 2)); // "1 Midnight"
    EXPECT_TRUE(form->Skin1->Item(2)->Checked());
    EXPECT_EQ(form->SkinData1->SkinStream().Bytes(), BundledSkinBytes("item1"));
    choose(form->RecentSkins1->Item(1)); // item8.skin
    EXPECT_EQ(form->SkinData1->SkinStream().Bytes(), BundledSkinBytes("item8"));
    EXPECT_FALSE(form->Skin1->Item(2)->Checked());
    EXPECT_EQ(form->RecentSkinFiles().front(), amber);
    EXPECT_TRUE(RunToolkitUntil([&] { return skinned(form->Handle()); }, 3000));
}

} // namespace
