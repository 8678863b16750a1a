// The gallery's menus as the skin draws them: the bar takes the frame's menu, Alt+F opens File
// and the arrows walk the bar, right-to-left menus mirror it, unskinning gives everything its own
// menus back; screenshots of an open bar menu in two skins.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "skin/res/skin_store.h"
#include "tests/support/image_file.h"
#include "tests/support/menu_watch.h"
#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/graphics/pixels32.h"
#include "toolkit/handles.h"

using namespace qs::test;

namespace {

Pixels ScreenRect(const RECT& r) {
    win::WindowDC screen = win::WindowDC::Screen();
    Pixels px(r.right - r.left, r.bottom - r.top);
    std::vector<uint32_t> read = win::ReadPixels32(screen.Get(), r.left, r.top, px.width, px.height);
    if (!read.empty()) px.data = std::move(read);
    return px;
}

class GalleryMenus : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterGalleryClasses(); }
    void SetUp() override {
        Application->Initialize();
        form = NewForm<TGalleryForm>(nullptr);
        std::string error;
        ASSERT_TRUE(form->Start(GalleryOptions{}, {}, error)) << error;
        form->Show();
        SetForegroundWindow(form->Handle());
        ASSERT_TRUE(RunToolkitUntil([&] { return skinner() && skinner()->State == fsSkinned; }, 5000));
        SetForegroundWindow(form->Handle());
        PumpFor(100);
    }
    void TearDown() override {
        delete form;
        // Each test starts as the program does: with no skin manager yet.
        FreeSkinManager();
    }
    TWinSkinForm* skinner() const {
        return SkinManager ? dynamic_cast<TWinSkinForm*>(SkinManager->FindFormSkinner(form->Handle()))
                           : nullptr;
    }
    HMENU subMenu(int index) const { return form->MainMenu1->Items()->Item(index)->Handle(); }
    TGalleryForm* form = nullptr;
};

TEST_F(GalleryMenus, TheBarTakesTheMenuAndTheKeysWalkIt) {
    TWinSkinForm* f = skinner();
    ASSERT_TRUE(f->MenuBarSkinner);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    ASSERT_EQ(f->MenuBarSkinner->Items.size(), 5u);
    EXPECT_EQ(f->MenuBarSkinner->Items[0]->Caption, L"&File");

    // Alt+F opens File; Right goes to Skin, Left back to File, Left again wraps to Help.
    const std::vector<HMENU> shown =
        WatchMenus([&] { SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f'); },
                   {{VK_RIGHT, VK_LEFT, VK_LEFT}});
    ASSERT_EQ(shown.size(), 4u);
    EXPECT_EQ(shown[0], subMenu(0));
    EXPECT_EQ(shown[1], subMenu(1));
    EXPECT_EQ(shown[2], subMenu(0));
    EXPECT_EQ(shown[3], subMenu(4));
}

TEST_F(GalleryMenus, RightToLeftMenusLayOutFromTheRight) {
    form->SetRightToLeft(true);
    ASSERT_TRUE(RunToolkitUntil([&] { return skinner() && skinner()->MenuBarSkinner; }, 3000));
    TWinSkinForm* f = skinner();
    skinner()->PaintFrame(nullptr);
    const auto& items = f->MenuBarSkinner->Items;
    ASSERT_GE(items.size(), 2u);
    EXPECT_GT(items[0]->Rect.left, items[1]->Rect.left) << "File at the right end";
    // The keys swap: Left goes on to the next item.
    const std::vector<HMENU> shown =
        WatchMenus([&] { SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f'); }, {{VK_LEFT}});
    ASSERT_EQ(shown.size(), 2u);
    EXPECT_EQ(shown[1], subMenu(1));
}

TEST_F(GalleryMenus, UnskinningGivesTheWindowAndTheToolkitTheirMenusBack) {
    form->SkinData1->SetActive(false);
    ASSERT_TRUE(RunToolkitUntil([&] { return skinner() == nullptr; }, 3000));
    EXPECT_EQ(GetMenu(form->Handle()), form->MainMenu1->Handle());
    EXPECT_FALSE(form->MainMenu1->OwnerDraw());
    EXPECT_FALSE(form->PopupMenu1->OwnerDraw());
}

TEST_F(GalleryMenus, ScreenshotsOfAnOpenBarMenu) {
    for (int store : {9, 1}) {
        form->SelectStoredSkin(store);
        ASSERT_TRUE(RunToolkitUntil([&] { return skinner() && skinner()->State == fsSkinned; }, 3000));
        RunToolkitUntil([] { return false; }, 400); // the skin switch's repaint
        Pixels shot;
        bool activeAndEnabled = false;
        MenuWatch watch;
        watch.look = [&](HWND menu) {
            // Taken from the active, enabled window, as a user sees it.
            activeAndEnabled = GetForegroundWindow() == form->Handle() && IsWindowEnabled(form->Handle());
            RECT frame{}, open{};
            GetWindowRect(form->Handle(), &frame);
            GetWindowRect(menu, &open);
            RECT both{};
            UnionRect(&both, &frame, &open);
            both.bottom = std::min(both.bottom, frame.top + 260);
            shot = ScreenRect(both);
        };
        WatchMenus([&] { SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'v'); }, watch);
        ASSERT_FALSE(shot.empty());
        EXPECT_TRUE(activeAndEnabled);
        EXPECT_TRUE(SaveImage(ScreenshotPath("gallery-menu-item" + std::to_string(store) + ".png"), shot));
    }
}

} // namespace
