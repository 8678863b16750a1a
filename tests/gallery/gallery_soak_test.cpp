// The gallery's control pages over many lives and many skin switches: every life is skinned with
// its child controls, and nothing of GDI or USER is left behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "gallery/pages.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "skin/res/skin_store.h"
#include "tests/support/soak_meter.h"
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
// The heap is the plain one here, so the private bytes are the process's own.
const int kLives = SoakCount("QS_SOAK_LIVES", 20);
const int kSwitches = SoakCount("QS_SOAK_SWITCHES", 11);

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
        SoakMeter meter(std::string(p.Name) + " page lives", kLives);
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
            if (i + 1 == kLives) RunToolkitUntil([] { return false; }, 100);
            meter.Step(i + 1);
        }
        EXPECT_EQ(meter.Growth(), "");
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
    for (int n = 1; n <= skins; ++n)
        switchTo(n);
    // Whole rounds, so the same skin is loaded at both ends.
    const int switches = (kSwitches + skins - 1) / skins * skins;
    SoakMeter meter("skin switches with every page open", switches);
    for (int n = 1; n <= switches; ++n) {
        switchTo(n);
        if (n % 50 == 0 || n == switches) {
            for (size_t i = 0; i < pages.size(); ++i)
                EXPECT_EQ(SendMessageA(probe(pages[i], kPages[i]), SKM_ISSKINNED, 0, 0), 1) << kPages[i].Name;
        }
        meter.Step(n);
    }
    EXPECT_EQ(meter.Growth(), "");
    for (TCustomForm* page : pages)
        delete page;
}
