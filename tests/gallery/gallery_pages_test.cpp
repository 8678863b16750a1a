// The gallery's control pages in-process: each opens as an MDI child of the frame from --page,
// with the named controls the skinning tests look for, in the states they expect.
#include <windows.h>

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "gallery/pages.h"
#include "toolkit/controls/bit_btn.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/radio_group.h"
#include "toolkit/controls/speed_button.h"
#include "toolkit/handles.h"

namespace {

class GalleryPages : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterGalleryClasses(); }
    void SetUp() override { frame = NewForm<TGalleryForm>(nullptr); }
    void TearDown() override { delete frame; }
    // Starts the frame as `--page name` does; the page is its only child.
    TCustomForm* open(const std::string& name) {
        GalleryOptions options;
        options.page = name;
        std::string error;
        EXPECT_TRUE(frame->Start(options, {}, error)) << error;
        if (frame->MDIChildCount() != 1) return nullptr;
        return frame->MDIChildren(0);
    }
    template <class C> C* find(const char* name) {
        auto* c = dynamic_cast<C*>(page->FindComponent(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    TGalleryForm* frame = nullptr;
    TCustomForm* page = nullptr;
};

TEST_F(GalleryPages, EveryPageIsNamedOnTheCommandLine) {
    EXPECT_EQ(GalleryPageNames(), (std::vector<std::string>{"Buttons", "Choices"}));
    EXPECT_EQ(FindGalleryPage("buttons"), nullptr);
}

TEST_F(GalleryPages, ButtonsPageHoldsPushBitAndSpeedButtons) {
    page = open("Buttons");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->FormStyle(), fsMDIChild);
    EXPECT_EQ(page->Caption(), "Buttons");
    EXPECT_EQ(find<TButton>("ButtonNormal")->Caption(), "Normal");
    EXPECT_TRUE(find<TButton>("ButtonDefault")->Default());
    EXPECT_FALSE(find<TButton>("ButtonDisabled")->Enabled());
    EXPECT_NE(find<TButton>("ButtonTwoLines")->Caption().find("||"), std::string::npos);

    std::set<TButtonLayout> layouts;
    for (const char* side : {"Left", "Right", "Top", "Bottom"})
        for (int cells = 1; cells <= 3; ++cells) {
            const std::string name = std::string("BitBtn") + side + std::to_string(cells);
            auto* b = find<TBitBtn>(name.c_str());
            ASSERT_NE(b, nullptr);
            EXPECT_TRUE(b->Enabled());
            EXPECT_EQ(b->NumGlyphs(), cells) << name;
            EXPECT_EQ(b->Glyph()->Width(), 16 * cells) << name;
            layouts.insert(b->Layout());
        }
    EXPECT_EQ(layouts.size(), 4u);
    for (const char* name :
         {"BitBtnDisabled1", "BitBtnDisabled2", "BitBtnDisabled3", "BitBtnDisabledBottom1"}) {
        auto* b = find<TBitBtn>(name);
        ASSERT_NE(b, nullptr);
        EXPECT_FALSE(b->Enabled()) << name;
        EXPECT_FALSE(b->Glyph()->Empty()) << name;
    }

    EXPECT_TRUE(find<TSpeedButton>("SpeedFlat")->Flat());
    EXPECT_FALSE(find<TSpeedButton>("SpeedRaised")->Flat());
    auto* first = find<TSpeedButton>("SpeedGroup1");
    EXPECT_TRUE(first->Down());
    for (const char* name : {"SpeedGroup2", "SpeedGroup3"}) {
        EXPECT_EQ(find<TSpeedButton>(name)->GroupIndex(), first->GroupIndex());
        EXPECT_FALSE(find<TSpeedButton>(name)->Down());
    }
}

// What a see-through button shows: the panel's background drawn at the button's place.
TEST_F(GalleryPages, TheSeeThroughButtonSitsOnAPatternedPanel) {
    page = open("Buttons");
    ASSERT_NE(page, nullptr);
    auto* panel = find<TPanel>("PanelPattern");
    auto* button = find<TButton>("ButtonSeeThrough");
    ASSERT_TRUE(panel && button);
    EXPECT_EQ(button->Parent(), panel);
    EXPECT_EQ(button->Tag(), 5555);

    win::MemoryDC dc(nullptr);
    win::BitmapHandle bitmap(CreateBitmap(16, 16, 1, 32, nullptr));
    win::SelectGuard selected(dc.Get(), bitmap.Get());
    SetViewportOrgEx(dc.Get(), -button->Left(), -button->Top(), nullptr);
    panel->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    std::set<COLORREF> colours;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            colours.insert(GetPixel(dc.Get(), button->Left() + x, button->Top() + y));
    EXPECT_GE(colours.size(), 2u);
}

TEST_F(GalleryPages, ChoicesPageHoldsCheckBoxesRadioButtonsAndGroups) {
    page = open("Choices");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->FormStyle(), fsMDIChild);
    EXPECT_TRUE(find<TCheckBox>("CheckChecked")->Checked());
    EXPECT_EQ(find<TCheckBox>("CheckUnchecked")->State(), cbUnchecked);
    auto* grayed = find<TCheckBox>("CheckGrayed");
    EXPECT_TRUE(grayed->AllowGrayed());
    EXPECT_EQ(SendMessageA(grayed->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    auto* disabled = find<TCheckBox>("CheckDisabled");
    EXPECT_FALSE(disabled->Enabled());
    EXPECT_TRUE(disabled->Checked());
    auto* left = find<TCheckBox>("CheckLeftText");
    EXPECT_TRUE(GetWindowLongA(left->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(find<TCheckBox>("CheckStandard99")->Tag(), 99);

    EXPECT_TRUE(find<TRadioButton>("RadioOne")->Checked());
    EXPECT_FALSE(find<TRadioButton>("RadioTwo")->Checked());
    EXPECT_FALSE(find<TRadioButton>("RadioDisabled")->Enabled());

    auto* box = find<TGroupBox>("GroupBox1");
    EXPECT_GE(box->ControlCount(), 3);
    for (TControl* c : box->Controls())
        if (auto* w = dynamic_cast<TWinControl*>(c)) EXPECT_EQ(GetParent(w->Handle()), box->Handle());
    auto* group = find<TRadioGroup>("RadioGroup1");
    EXPECT_EQ(group->Items()->Count(), 3);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons()[1]->Checked());
}

} // namespace
