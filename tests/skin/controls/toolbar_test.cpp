// Tool bars under a skinned form: the face frame for each button state, the handlers the form
// gives a bar (and takes back), and the faces on screen.
#include <gtest/gtest.h>

#include <memory>

#include "skin/form/toolbar_paint.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/graphics/canvas.h"

using namespace qs::test;

TEST(ToolbarFaces, FrameByButtonState) {
    EXPECT_EQ(ToolbarButtonFrame(0), 0);
    EXPECT_EQ(ToolbarButtonFrame(cdsSelected | cdsHot), 2);
    EXPECT_EQ(ToolbarButtonFrame(cdsHot), 4);
    EXPECT_EQ(ToolbarButtonFrame(cdsFocused), 4);
    EXPECT_EQ(ToolbarButtonFrame(cdsDefault), 1);
    EXPECT_EQ(ToolbarButtonFrame(cdsDefault | cdsDisabled), 0);
    EXPECT_EQ(ToolbarButtonFrame(cdsDefault | cdsGrayed), 0);
    EXPECT_EQ(ToolbarButtonFrame(cdsChecked), 0);
}

TEST(ToolbarFaces, TheBackgroundOnlyWhenTheSkinHasAnImageAndTheOptionsAllowIt) {
    auto skin = LoadControlSkin();
    auto bmp = Canvas24(40, 20);
    skin->Toolbar->Bitmap.SetSize(4, 4);
    PatBlt(skin->Toolbar->Bitmap.Canvas().Handle(), 0, 0, 4, 4, BLACKNESS);
    skin->SetOptions(skin->Options() | SetOf(xoToolbarBK));
    EXPECT_FALSE(PaintToolbarBackground(bmp->Canvas().Handle(), RECT{0, 0, 40, 20}, *skin));
    EXPECT_EQ(Pixel(*bmp, 20, 10), 0xFFFFFFu);
    skin->SetOptions(skin->Options() & ~SetOf(xoToolbarBK));
    EXPECT_TRUE(PaintToolbarBackground(bmp->Canvas().Handle(), RECT{0, 0, 40, 20}, *skin));
    EXPECT_EQ(Pixel(*bmp, 39, 19), 0u) << "stretched over the whole rectangle";
}

namespace {

class SkinnedToolbar : public ::testing::Test {
  protected:
    void SetUp() override {
        skin = LoadControlSkin();
        form = std::make_unique<TForm>(nullptr);
        form->SetBounds(60, 60, 360, 200);
        bar = new TToolBar(form.get());
        bar->SetParent(form.get());
        for (const char* caption : {"One", "Two", "Three"}) {
            auto* b = new TToolButton(form.get());
            b->SetCaption(caption);
            b->SetParent(bar);
        }
        form->Show();
        SetForegroundWindow(form->Handle());
        PumpFor(30);
    }
    void TearDown() override {
        skinned.reset();
        form.reset();
    }
    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TForm> form;
    TToolBar* bar = nullptr;
    std::unique_ptr<SkinnedWindow> skinned;
};

} // namespace

TEST_F(SkinnedToolbar, TheHotButtonShowsTheSkinsHotFaceAndUnskinningTakesTheHandlersBack) {
    skinned = std::make_unique<SkinnedWindow>(*skin, form->Handle(), form.get());
    EXPECT_TRUE(bar->Flat());
    ASSERT_TRUE(bar->OnCustomDraw);
    ASSERT_TRUE(bar->OnCustomDrawButton);

    TToolButton* two = bar->Buttons(1);
    const RECT r = two->BoundsRect();
    POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    ClientToScreen(bar->Handle(), &centre);
    MouseMoveTo(centre.x, centre.y);
    PumpUntil([&] {
        POINT probe{r.left + 1 + kFaceCorner + 2, r.top + 1 + kFaceCorner + 2};
        ClientToScreen(bar->Handle(), &probe);
        return (CaptureScreen(RECT{probe.x, probe.y, probe.x + 1, probe.y + 1}).at(0, 0) & 0xFFFFFF) ==
               kFace[3];
    });
    POINT probe{r.left + 1 + kFaceCorner + 2, r.top + 1 + kFaceCorner + 2};
    ClientToScreen(bar->Handle(), &probe);
    EXPECT_EQ(CaptureScreen(RECT{probe.x, probe.y, probe.x + 1, probe.y + 1}).at(0, 0) & 0xFFFFFF, kFace[3]);
    MouseMoveTo(10, 10);

    skinned->Skinner->Unskin();
    EXPECT_FALSE(bar->OnCustomDraw);
    EXPECT_FALSE(bar->OnCustomDrawButton);
}

TEST_F(SkinnedToolbar, ABarKeepsItsOwnHandlersAndTheOptionsCanRefuseTheFaces) {
    int own = 0;
    bar->OnCustomDrawButton =
        TTBCustomDrawBtnEvent([&](TToolBar*, TToolButton*, TCustomDrawState, bool&) { ++own; });
    skin->SetOptions(skin->Options() | SetOf(xoToolbarButton));
    skinned = std::make_unique<SkinnedWindow>(*skin, form->Handle(), form.get());
    ASSERT_TRUE(bar->OnCustomDraw) << "the background handler is still the form's";
    InvalidateRect(bar->Handle(), nullptr, TRUE);
    UpdateWindow(bar->Handle());
    EXPECT_GT(own, 0);
    skinned.reset();
    EXPECT_TRUE(bar->OnCustomDrawButton) << "the program's handler stays when the skinner goes";
    EXPECT_FALSE(bar->OnCustomDraw);
}
