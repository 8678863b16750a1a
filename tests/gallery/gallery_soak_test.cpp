// The gallery's control pages over many lives and many skin switches: every life is skinned with
// its child controls, and nothing of GDI or USER is left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

// A page and one control of it that has a skinner of its own while the page is skinned.
struct SoakPage {
    const char* Name;
    const char* Probe;
    // The skinners a life of the page has at least.
    size_t Skinners = 4;
};

const SoakPage kPages[] = {
    {"Buttons", "ButtonNormal"},  {"Choices", "CheckChecked"}, {"Lists", "MemoLong"},
    {"Ranges", "ProgressSmooth"}, {"Tabs", "PagesTop"},        {"Text", "ComboList"},
    {"Containers", "ListFiles"},  {"Media", "Player", 2},
};

// The test command's run is short: a handle lost per life or per switch still shows many times
// over the allowance. scripts/soak.sh asks for the long run (QS_SOAK_LIVES, QS_SOAK_SWITCHES).
int soakCount(const char* variable, int fallback) {
    const char* value = std::getenv(variable);
    const int n = value ? std::atoi(value) : 0;
    return n > 0 ? n : fallback;
}
const int kLives = soakCount("QS_SOAK_LIVES", 100);
const int kSwitches = soakCount("QS_SOAK_SWITCHES", 50);

class PageSoak : public ::testing::Test {
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
    static HWND probe(TCustomForm* page, const SoakPage& p) {
        auto* control = dynamic_cast<TWinControl*>(page->FindComponent(p.Probe));
        return control ? control->Handle() : nullptr;
    }
    // Opens the page and waits until its probe control has its skinner.
    TCustomForm* openPage(const SoakPage& p) {
        TCustomForm* page = FindGalleryPage(p.Name)->open(frame);
        const bool ready =
            RunToolkitUntil([&] { return SendMessageA(probe(page, p), SKM_ISSKINNED, 0, 0) == 1; }, 5000);
        EXPECT_TRUE(ready) << p.Name << " page: " << p.Probe << " was not skinned";
        return page;
    }
    TGalleryForm* frame = nullptr;
};

} // namespace

TEST_F(PageSoak, ManyLivesOfEachPageLeaveNoObjectsBehind) {
    for (const SoakPage& p : kPages) {
        SCOPED_TRACE(p.Name);
        for (int i = 0; i < 5; ++i)
            delete openPage(p);
        RunToolkitUntil([] { return false; }, 100);
        const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
        size_t skinners = 0;
        for (int i = 0; i < kLives; ++i) {
            TCustomForm* page = openPage(p);
            if (i % 100 == 0) {
                TWinSkinForm* f = skinned(page->Handle());
                ASSERT_NE(f, nullptr);
                // Every life skins the same controls.
                if (i == 0) skinners = f->ChildSkinners.size();
                EXPECT_EQ(f->ChildSkinners.size(), skinners);
                EXPECT_GE(skinners, p.Skinners);
            }
            delete page;
        }
        RunToolkitUntil([] { return false; }, 100);
        const DWORD gdiAfter = GdiObjectCount(), userAfter = UserObjectCount();
        std::printf("%s: %d page lives, %zu skinners each: GDI %lu -> %lu, USER %lu -> %lu\n", p.Name, kLives,
                    skinners, gdi, gdiAfter, user, userAfter);
        EXPECT_LE(gdiAfter, gdi + 4);
        EXPECT_LE(userAfter, user + 4);
    }
}

TEST_F(PageSoak, ManySkinSwitchesWithEveryPageOpen) {
    std::vector<TCustomForm*> pages;
    for (const SoakPage& p : kPages)
        pages.push_back(openPage(p));
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
    // Whole rounds, so the same skin is loaded at both counts.
    const int switches = (kSwitches / skins + 1) * skins;
    for (int n = 0; n < switches; ++n) {
        switchTo(n);
        if (n % 50 == 0) {
            for (size_t i = 0; i < pages.size(); ++i)
                EXPECT_EQ(SendMessageA(probe(pages[i], kPages[i]), SKM_ISSKINNED, 0, 0), 1) << kPages[i].Name;
        }
    }
    const DWORD gdiAfter = GdiObjectCount(), userAfter = UserObjectCount();
    std::printf("%d skin switches with %zu pages open: GDI %lu -> %lu, USER %lu -> %lu\n", switches,
                pages.size(), gdi, gdiAfter, user, userAfter);
    EXPECT_LE(gdiAfter, gdi + 4);
    EXPECT_LE(userAfter, user + 4);
    for (TCustomForm* page : pages)
        delete page;
}
