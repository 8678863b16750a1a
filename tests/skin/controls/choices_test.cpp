// Check boxes and radio buttons: the glyph frame for each state, the strips for self-drawing
// controls, and plain windows that keep their own painting under the skin's glyph.
#include <gtest/gtest.h>

#include <memory>

#include "skin/controls/skin_choices.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
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
