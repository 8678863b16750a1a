// The instructions and about dialogs drawn from bundled skins, in-process; each look is saved as a
// screenshot for the README.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "app/program_classes.h"
#include "app/ufrm_about.h"
#include "app/unit_option.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "tests/support/bundled_skins.h"
#include "tests/support/image_file.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/graphics/colors.h"

using namespace qs::test;

namespace {

// The skin component as the main form holds it: registered with the manager, then switched.
class ProgramSkin {
  public:
    ProgramSkin() {
        RegisterProgramClasses();
        skin_ = std::make_unique<TSkinData>(nullptr);
    }
    bool Use(const std::string& id) {
        const std::vector<uint8_t>& bytes = BundledSkinBytes(id);
        skin_->SkinStream().Clear();
        skin_->SkinStream().Write(bytes.data(), bytes.size());
        if (!skin_->LoadSkin()) return false;
        if (!started_) {
            skin_->Loaded();
            skin_->SetActive(true);
            started_ = true;
        }
        skin_->ApplySkin();
        return true;
    }
    TSkinData& Data() { return *skin_; }

  private:
    std::unique_ptr<TSkinData> skin_;
    bool started_ = false;
};

// Shows the form, waits past the manager's scheduled request, and returns its screen pixels.
template <class F> Pixels ShowSkinned(const std::string& shot) {
    std::unique_ptr<F> form(NewForm<F>(Application));
    form->Show();
    const HWND h = form->Handle();
    SetForegroundWindow(h);
    PumpFor(500);
    EXPECT_TRUE(SendMessageA(h, SKM_ISSKINNED, 0, 0)) << shot;
    RECT r{};
    GetWindowRect(h, &r);
    const Pixels px = CaptureScreen(r);
    SaveImage(ScreenshotPath(shot), px);
    // The top-left corner is cut when the skin's frame corner is magenta; either way the caption's
    // middle shows the skin's caption band, not the system's caption colour.
    const uint32_t systemCaption = ColorToRGB(TColor(clActiveCaption));
    EXPECT_NE(px.at(px.width / 2, 3) & 0xFFFFFF,
              (systemCaption & 0xFF) << 16 | (systemCaption & 0xFF00) | (systemCaption >> 16 & 0xFF))
        << shot;
    return px;
}

} // namespace

TEST(SkinnedDialogs, InstructionsAndAboutAreDrawnFromEachSkin) {
    ProgramSkin skin;
    Pixels previous;
    for (const char* id : {"item9", "item1", "item2"}) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(skin.Use(id));
        const Pixels instructions = ShowSkinned<TForm3>(std::string("instructions-") + id + ".png");
        ShowSkinned<Tfrm_about>(std::string("about-") + id + ".png");
        if (previous.width == instructions.width && previous.height == instructions.height) {
            EXPECT_NE(previous.data, instructions.data) << "each skin has a look of its own";
        }
        previous = instructions;
    }
}

TEST(SkinnedDialogs, TheInstructionsPanelTakesTheSkinsFace) {
    ProgramSkin skin;
    for (const char* id : {"item9", "item1"}) {
        SCOPED_TRACE(id);
        ASSERT_TRUE(skin.Use(id));
        std::unique_ptr<TForm3> form(NewForm<TForm3>(Application));
        form->Show();
        SetForegroundWindow(form->Handle());
        PumpFor(500);
        auto* panel = dynamic_cast<TPanel*>(form->FindComponent("Panel1"));
        ASSERT_NE(panel, nullptr);
        const TColor face = skin.Data().Colour(scButtonFace);
        EXPECT_EQ(panel->Color(), face);
        // Inside both bevels, beside the label.
        const Pixels px = CaptureClient(panel->Handle());
        const uint32_t rgb = ColorToRGB(face);
        EXPECT_EQ(px.at(6, 6) & 0xFFFFFF, (rgb & 0xFF) << 16 | (rgb & 0xFF00) | (rgb >> 16 & 0xFF));
    }
}
