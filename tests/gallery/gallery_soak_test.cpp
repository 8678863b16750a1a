// The gallery's Buttons page over many lives and many skin switches: every life is skinned with
// its child controls, and nothing of GDI or USER is left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>

#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "gallery/pages.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "skin/res/skin_store.h"
#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"

using namespace qs::test;

namespace {

class ButtonsPageSoak : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterGalleryClasses(); }
    void SetUp() override {
        Application->Initialize();
        frame = NewForm<TGalleryForm>(nullptr);
        std::string error;
        ASSERT_TRUE(frame->Start(GalleryOptions{}, {}, error)) << error;
        frame->Show();
        SetForegroundWindow(frame->Handle());
        ASSERT_TRUE(RunToolkitUntil([&] { return skinned(frame->Handle()) != nullptr; }, 5000));
    }
    void TearDown() override {
        delete frame;
        FreeSkinManager();
    }
    static TWinSkinForm* skinned(HWND window) {
        auto* f = SkinManager ? dynamic_cast<TWinSkinForm*>(SkinManager->FindFormSkinner(window)) : nullptr;
        return f && f->State == fsSkinned ? f : nullptr;
    }
    // Opens the page and waits until its controls have their skinners.
    TCustomForm* openPage() {
        TCustomForm* page = FindGalleryPage("Buttons")->open(frame);
        const bool ready = RunToolkitUntil(
            [&] {
                TWinSkinForm* f = skinned(page->Handle());
                return f && !f->ChildSkinners.empty();
            },
            5000);
        EXPECT_TRUE(ready);
        return page;
    }
    TGalleryForm* frame = nullptr;
};

} // namespace

TEST_F(ButtonsPageSoak, FiveHundredLivesLeaveNoObjectsBehind) {
    for (int i = 0; i < 5; ++i)
        delete openPage();
    RunToolkitUntil([] { return false; }, 100);
    const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
    for (int i = 0; i < 500; ++i) {
        TCustomForm* page = openPage();
        if (i % 100 == 0) {
            TWinSkinForm* f = skinned(page->Handle());
            ASSERT_NE(f, nullptr);
            EXPECT_GE(f->ChildSkinners.size(), 20u) << "push, bit and speed buttons";
        }
        delete page;
    }
    RunToolkitUntil([] { return false; }, 100);
    const DWORD gdiAfter = GdiObjectCount(), userAfter = UserObjectCount();
    std::printf("500 page lives: GDI %lu -> %lu, USER %lu -> %lu\n", gdi, gdiAfter, user, userAfter);
    EXPECT_LE(gdiAfter, gdi + 4);
    EXPECT_LE(userAfter, user + 4);
}

TEST_F(ButtonsPageSoak, TwoHundredSkinSwitchesWithThePageOpen) {
    TCustomForm* page = openPage();
    const int skins = frame->SkinStore1->Store()->Count();
    ASSERT_GT(skins, 1);
    auto switchTo = [&](int n) {
        frame->SelectStoredSkin(n % skins);
        SkinManager->ExecuteRequest();
        RunToolkitUntil([] { return false; }, 10);
    };
    for (int n = 0; n < skins; ++n)
        switchTo(n);
    const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
    HWND normal = dynamic_cast<TWinControl*>(page->FindComponent("ButtonNormal"))->Handle();
    // Whole rounds, so the same skin is loaded at both counts.
    const int switches = (200 / skins + 1) * skins;
    for (int n = 0; n < switches; ++n) {
        switchTo(n);
        if (n % 50 == 0) {
            EXPECT_EQ(SendMessageA(normal, SKM_ISSKINNED, 0, 0), 1);
        }
    }
    const DWORD gdiAfter = GdiObjectCount(), userAfter = UserObjectCount();
    std::printf("%d skin switches: GDI %lu -> %lu, USER %lu -> %lu\n", switches, gdi, gdiAfter, user,
                userAfter);
    EXPECT_LE(gdiAfter, gdi + 4);
    EXPECT_LE(userAfter, user + 4);
    delete page;
}
