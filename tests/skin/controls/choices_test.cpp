// Check boxes and radio buttons: the glyph frame for each state, the strips for self-drawing
// controls, and plain windows that keep their own painting under the skin's glyph.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/controls/skin_choices.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/radio_button.h"
#include "toolkit/controls/radio_group.h"
#include "toolkit/core/strings.h"
#include "toolkit/graphics/canvas.h"

using namespace qs::test;

TEST(ChoiceFrames, CheckBoxFramesIncludingTheTwelveFrameStrip) {
    TCheckFacts f;
    EXPECT_EQ(CheckBoxFrame(f), 1);
    f.Checked = true;
    EXPECT_EQ(CheckBoxFrame(f), 2);
    f.Disabled = true;
    EXPECT_EQ(CheckBoxFrame(f), 4);
    f.Frames = 12;
    EXPECT_EQ(CheckBoxFrame(f), 8) << "checked and disabled";
    f.Disabled = false;
    EXPECT_EQ(CheckBoxFrame(f), 5) << "checked";
    f.Indeterminate = true;
    EXPECT_EQ(CheckBoxFrame(f), 9) << "mixed";
    f.Disabled = true;
    EXPECT_EQ(CheckBoxFrame(f), 12) << "mixed and disabled";
}

TEST(ChoiceFrames, PropertiesOfTheControlOverrideTheWindowState) {
    TCheckFacts f;
    f.Checked = true;
    f.HasState = true;
    f.State = "cbUnchecked";
    EXPECT_EQ(CheckBoxFrame(f), 1) << "\"uncheck\" before \"check\"";
    f.State = "cbGrayed";
    EXPECT_EQ(CheckBoxFrame(f), 4);
    f = TCheckFacts{};
    f.HasChecked = true;
    f.CheckedProperty = true;
    EXPECT_EQ(CheckBoxFrame(f), 2);
    // Data-aware: the last BM_SETCHECK wins, an indeterminate one shows frame 4.
    f = TCheckFacts{};
    f.HasDataField = true;
    f.LastCheck = BST_INDETERMINATE + 1;
    EXPECT_EQ(CheckBoxFrame(f), 4);
    f.LastCheck = BST_CHECKED + 1;
    EXPECT_EQ(CheckBoxFrame(f), 2);
    f.HasDataBinding = true;
    EXPECT_EQ(CheckBoxFrame(f), 1);
}

TEST(ChoiceFrames, RadioFramesIncludingTheEightFrameStrip) {
    TRadioFacts f;
    f.Disabled = true;
    EXPECT_EQ(RadioButtonFrame(f), 3);
    f.Frames = 8;
    EXPECT_EQ(RadioButtonFrame(f), 4) << "unchecked and disabled";
    f.Checked = true;
    EXPECT_EQ(RadioButtonFrame(f), 8);
    f.HasChecked = true;
    f.CheckedProperty = false;
    f.Disabled = false;
    EXPECT_EQ(RadioButtonFrame(f), 1) << "the control's Checked over the window's";
}

TEST(ChoiceFrames, AFrameTheStripLacksKeepsTheCheckState) {
    EXPECT_EQ(FitChoiceFrame(4, 2), 2) << "checked and disabled on a two-frame strip: checked";
    EXPECT_EQ(FitChoiceFrame(3, 2), 1);
    EXPECT_EQ(FitChoiceFrame(4, 3), 2);
    EXPECT_EQ(FitChoiceFrame(3, 3), 3);
    EXPECT_EQ(FitChoiceFrame(2, 1), 1) << "a single frame is all there is";
    EXPECT_EQ(FitChoiceFrame(0, 4), 1);
    TCheckFacts f;
    f.Checked = true;
    f.Disabled = true;
    f.Frames = 6;
    EXPECT_EQ(FitChoiceFrame(CheckBoxFrame(f), f.Frames), 4) << "a strip that has the frame keeps it";
    // Self-drawing controls get the same fallback in their strips; a missing mixed frame stays blank.
    EXPECT_EQ(GlyphStripCells(gsCheckNine, 2), (std::vector<int>{0, 1, -1, 0, 1, -1, 0, 1, -1}));
    EXPECT_EQ(GlyphStripCells(gsRadioSix, 3), (std::vector<int>{0, 1, 0, 1, 2, 1}));
}

TEST(GlyphStrips, NineCellsFromFourFramesLeaveTheMixedCellsBlank) {
    auto skin = LoadControlSkin();
    TBitmap strip;
    ASSERT_TRUE(BuildGlyphStrip(gsCheckNine, skin->Buttons->CheckButton, 4, strip));
    ASSERT_EQ(strip.Width(), 9 * kGlyphSize);
    const int expected[9] = {0, 1, -1, 0, 1, -1, 2, 3, -1};
    for (int cell = 0; cell < 9; ++cell) {
        const uint32_t got = Pixel(strip, cell * kGlyphSize + 5, 5);
        EXPECT_EQ(got, expected[cell] < 0 ? kMagentaKey : kGlyph[expected[cell]]) << "cell " << cell;
    }
    TBitmap five;
    auto fiveFrames = LoadControlSkin(ControlSkinOptions{5, 4, true});
    ASSERT_TRUE(BuildGlyphStrip(gsCheckNine, fiveFrames->Buttons->CheckButton, 5, five));
    EXPECT_EQ(Pixel(five, 2 * kGlyphSize + 5, 5), kGlyph[4]);
    TBitmap none;
    TBitmap empty;
    EXPECT_FALSE(BuildGlyphStrip(gsRadioSix, empty, 4, none));
}

TEST(PlainChoices, APlainCheckBoxKeepsItsCaptionAndGetsTheSkinsGlyph) {
    auto skin = LoadControlSkin();
    HWND parent = PlainParent();
    HWND check = ChildWindow(parent, "button", BS_AUTOCHECKBOX, "Plain", RECT{10, 10, 150, 30}, 7);
    {
        SkinnedWindow s(*skin, parent);
        auto* skinner = dynamic_cast<TSkinCheckBox*>(s.Skinner->ChildSkinnerOf(check));
        ASSERT_NE(skinner, nullptr);
        EXPECT_FALSE(skinner->Skinned) << "a plain window paints itself";
        InvalidateRect(check, nullptr, TRUE);
        UpdateWindow(check);
        Pixels px = CaptureClient(check);
        EXPECT_EQ(px.at(5, 10) & 0xFFFFFF, kGlyph[0]) << "unchecked glyph over the native one";
        SendMessageA(check, BM_SETCHECK, BST_CHECKED, 0);
        PumpFor(20);
        px = CaptureClient(check);
        EXPECT_EQ(px.at(5, 10) & 0xFFFFFF, kGlyph[1]);
        int ink = 0;
        for (int x = kGlyphSize + 4; x < 140; ++x)
            for (int y = 0; y < 20; ++y)
                ink += (px.at(x, y) & 0xFFFFFF) == 0;
        EXPECT_GT(ink, 10) << "the window's own caption";
    }
    DestroyWindow(parent);
}

namespace {

// A toolkit form with its check boxes and radio buttons, skinned.
class ToolkitChoices : public SkinnedFormTest {
  protected:
    template <class C> C* Add(const char* caption, int top) {
        auto* c = new C(form.get());
        c->SetParent(form.get());
        c->SetBounds(10, top, 150, 20);
        c->SetCaption(caption);
        return c;
    }
    TSkinChoiceButton* SkinnerOf(TControl* c) { return dynamic_cast<TSkinChoiceButton*>(ChildSkinner(c)); }
    // The glyph colour drawn now (the glyph sits at the left, vertically centred).
    uint32_t Glyph(TControl* c) {
        auto bmp = Canvas24(150, 20);
        SkinnerOf(c)->DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, 150, 20});
        return Pixel(*bmp, 5, 10);
    }
};

} // namespace

TEST_F(ToolkitChoices, TwelveFrameCheckStripByState) {
    MakeForm(ControlSkinOptions{12, 8, true});
    auto* check = Add<TCheckBox>("Check", 10);
    check->SetAllowGrayed(true);
    auto* radio = Add<TRadioButton>("Radio", 40);
    Skin();
    ASSERT_NE(SkinnerOf(check), nullptr);
    EXPECT_TRUE(SkinnerOf(check)->Skinned);
    EXPECT_EQ(Glyph(check), kGlyph[0]);
    check->SetChecked(true);
    EXPECT_EQ(Glyph(check), kGlyph[4]) << "checked: 5";
    check->SetEnabled(false);
    EXPECT_EQ(Glyph(check), kGlyph[7]) << "checked and disabled: 8";
    check->SetState(cbGrayed);
    EXPECT_EQ(Glyph(check), kGlyph[11]) << "mixed and disabled: 12";

    radio->SetEnabled(false);
    EXPECT_EQ(Glyph(radio), kGlyph[3]) << "an 8-frame radio, unchecked and disabled: 4";
}

TEST_F(ToolkitChoices, WithoutACheckImageTheSystemPaints) {
    MakeForm(ControlSkinOptions{0, 4, true});
    auto* check = Add<TCheckBox>("Native", 10);
    Skin();
    ASSERT_NE(SkinnerOf(check), nullptr);
    EXPECT_FALSE(SkinnerOf(check)->Skinned);
    InvalidateRect(check->Handle(), nullptr, TRUE);
    UpdateWindow(check->Handle());
    const Pixels px = CaptureClient(check->Handle());
    for (uint32_t g : kGlyph)
        EXPECT_NE(px.at(5, 10) & 0xFFFFFF, g);
}

TEST_F(ToolkitChoices, TheFocusRectangleOnlyWhereTheSystemDrawsNoneOfItsOwn) {
    MakeForm();
    auto* check = Add<TCheckBox>("Focus", 10);
    auto* other = Add<TCheckBox>("Other", 40);
    Skin();
    auto draw = [&] {
        auto bmp = Canvas24(150, 20);
        SkinnerOf(check)->DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, 150, 20});
        return bmp;
    };
    other->SetFocus();
    auto unfocused = draw();
    check->SetFocus();
    auto focused = draw();
    int differ = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 150; ++x)
            differ += Pixel(*unfocused, x, y) != Pixel(*focused, x, y);
    if (LOBYTE(LOWORD(GetVersion())) == 6)
        EXPECT_EQ(differ, 0);
    else
        EXPECT_GT(differ, 0);
}

TEST_F(ToolkitChoices, ARadioGroupsButtonsAreSkinnedUnlessTheGroupIsExcluded) {
    MakeForm();
    auto* group = new TRadioGroup(form.get());
    group->SetParent(form.get());
    group->SetBounds(10, 10, 150, 100);
    group->Items()->SetText("One\r\nTwo\r\n");
    auto* excluded = new TRadioGroup(form.get());
    excluded->SetParent(form.get());
    excluded->SetBounds(170, 10, 150, 100);
    excluded->Items()->SetText("Three\r\nFour\r\n");
    excluded->SetTag(99);
    Skin();
    ASSERT_EQ(group->ControlCount(), 2);
    for (TControl* c : group->Controls())
        EXPECT_NE(dynamic_cast<TSkinRadioButton*>(SkinnerOf(c)), nullptr);
    for (TControl* c : excluded->Controls()) {
        EXPECT_EQ(skinned->Skinner->ChildSkinnerOf(c), nullptr);
        EXPECT_EQ(c->Tag(), 99) << "the group's exclusion passed on";
    }
}

TEST_F(ToolkitChoices, ASkinSwitchBringsTheGlyphsOfTheNewSkin) {
    MakeForm(ControlSkinOptions{0, 4, true});
    auto* check = Add<TCheckBox>("Switch", 10);
    Skin();
    ASSERT_FALSE(SkinnerOf(check)->Skinned);
    const auto bytes = ControlSkin().Compressed();
    skin->SkinStream().Clear();
    skin->SkinStream().Write(bytes.data(), bytes.size());
    ASSERT_TRUE(skin->LoadSkin());
    skinned->Skinner->Reskin();
    EXPECT_TRUE(SkinnerOf(check)->Skinned);
    EXPECT_EQ(Glyph(check), kGlyph[0]);
}

TEST_F(ToolkitChoices, ThePushedStateTheSystemRedrawsShowsTheSkinsGlyph) {
    MakeForm();
    auto* check = Add<TCheckBox>("Pushed", 10);
    auto* radio = Add<TRadioButton>("Pushed", 40);
    check->SetChecked(true);
    Skin();
    for (TControl* c : {static_cast<TControl*>(check), static_cast<TControl*>(radio)}) {
        HWND h = static_cast<TWinControl*>(c)->Handle();
        const uint32_t expected = c == check ? kGlyph[1] : kGlyph[0];
        for (WPARAM pushed : {1, 0}) {
            SendMessageA(h, BM_SETSTATE, pushed, 0);
            PumpFor(30);
            EXPECT_EQ(CaptureClient(h).at(5, 10) & 0xFFFFFF, expected)
                << c->ClassName() << " pushed " << pushed;
        }
    }
    // A real press held on the box, then dragged off it: the system pushes and releases it.
    RECT r{};
    GetWindowRect(check->Handle(), &r);
    MouseMoveTo(r.left + 5, r.top + 10);
    MouseButtonAt(r.left + 5, r.top + 10, true, true);
    PumpFor(50);
    EXPECT_EQ(CaptureClient(check->Handle()).at(5, 10) & 0xFFFFFF, kGlyph[1]) << "held";
    MouseMoveTo(r.left + 5, r.bottom + 40);
    PumpFor(50);
    EXPECT_EQ(CaptureClient(check->Handle()).at(5, 10) & 0xFFFFFF, kGlyph[1]) << "dragged off";
    MouseButtonAt(r.left + 5, r.bottom + 40, true, false);
    MouseMoveTo(700, 600); // away from the windows later tests make
}

TEST(PlainChoices, ThePushedStateTheSystemRedrawsShowsTheSkinsGlyph) {
    HWND parent = PlainParent();
    HWND check = ChildWindow(parent, "button", BS_AUTOCHECKBOX, "Plain", RECT{10, 10, 150, 30}, 7);
    HWND radio = ChildWindow(parent, "button", BS_AUTORADIOBUTTON, "Plain", RECT{10, 40, 150, 60}, 8);
    auto skin = LoadControlSkin();
    {
        SkinnedWindow s(*skin, parent);
        for (HWND h : {check, radio}) {
            for (WPARAM pushed : {1, 0}) {
                SendMessageA(h, BM_SETSTATE, pushed, 0);
                PumpFor(30);
                EXPECT_EQ(CaptureClient(h).at(5, 10) & 0xFFFFFF, kGlyph[0])
                    << (h == check) << " pushed " << pushed;
            }
        }
    }
    DestroyWindow(parent);
}

TEST(PlainChoices, TheSkinsTransparentOptionHoldsFromTheAttach) {
    HWND parent = PlainParent();
    HWND check = ChildWindow(parent, "button", BS_AUTOCHECKBOX, "Plain", RECT{10, 10, 150, 30}, 7);
    HWND radio = ChildWindow(parent, "button", BS_AUTORADIOBUTTON, "Plain", RECT{10, 40, 150, 60}, 8);
    auto skin = LoadControlSkin();
    skin->SetOptions(skin->Options() | SetOf(xoTransparent));
    {
        SkinnedWindow s(*skin, parent);
        for (HWND h : {check, radio}) {
            auto* skinner = dynamic_cast<TSkinChoiceButton*>(s.Skinner->ChildSkinnerOf(h));
            ASSERT_NE(skinner, nullptr);
            EXPECT_TRUE(skinner->Transparent);
        }
    }
    DestroyWindow(parent);
}

TEST_F(ToolkitChoices, ADisabledCheckedBoxOnATwoFrameStripLooksChecked) {
    MakeForm(ControlSkinOptions{2, 2, true});
    auto* check = Add<TCheckBox>("Checked", 10);
    auto* radio = Add<TRadioButton>("Checked", 40);
    auto* plain = Add<TCheckBox>("Unchecked", 70);
    Skin();
    check->SetChecked(true);
    radio->SetChecked(true);
    for (TControl* c :
         {static_cast<TControl*>(check), static_cast<TControl*>(radio), static_cast<TControl*>(plain)})
        c->SetEnabled(false);
    EXPECT_EQ(Glyph(check), kGlyph[1]);
    EXPECT_EQ(Glyph(radio), kGlyph[1]);
    EXPECT_EQ(Glyph(plain), kGlyph[0]);
}
