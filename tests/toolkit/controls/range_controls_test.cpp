// Track bars, up-downs and progress bars read from a form resource: their windows' ranges and
// positions, the user's clicks, an up-down keeping its associate's text, and both orientations.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <vector>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/controls/memo.h"
#include "toolkit/controls/range_ctrls.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"

namespace {

class TTestRangeForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestRangeForm(TComponent* owner) : TForm(owner) {}
    void Track1Change(TObject*) { trackChanges.push_back(Find<TTrackBar>("Track1")->Position()); }
    void UpDown1Click(TObject*, TUDBtnType button) { clicks.push_back(button); }
    template <class C> C* Find(const char* name) { return dynamic_cast<C*>(FindComponent(name)); }

    std::vector<int> trackChanges;
    std::vector<TUDBtnType> clicks;
};

const TClassInfo& TTestRangeForm::StaticClass() {
    using F = TTestRangeForm;
    static const TClassInfo& info = TClassBuilder<F>("TTestRangeForm", &TForm::StaticClass())
                                        .Creatable()
                                        .Method<void(TObject*)>("Track1Change", &F::Track1Change)
                                        .Method<void(TObject*, TUDBtnType)>("UpDown1Click", &F::UpDown1Click)
                                        .Build();
    return info;
}

class RangeControls : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TTestRangeForm>(nullptr);
        track = form->Find<TTrackBar>("Track1");
        vtrack = form->Find<TTrackBar>("Track2");
        count = form->Find<TMemo>("Count1");
        updown = form->Find<TUpDown>("UpDown1");
        hupdown = form->Find<TUpDown>("UpDown2");
        progress = form->Find<TProgressBar>("Progress1");
        vprogress = form->Find<TProgressBar>("Progress2");
        ASSERT_TRUE(track && vtrack && count && updown && hupdown && progress && vprogress);
    }
    void TearDown() override { delete form; }

    void show() {
        form->Show();
        qs::test::PumpFor(50);
    }
    void clickAt(TWinControl* c, int x, int y) {
        POINT at = c->ClientToScreen({x, y});
        qs::test::MouseClickAt(at.x, at.y);
    }
    LRESULT send(TWinControl* c, UINT msg, WPARAM w = 0, LPARAM l = 0) {
        return SendMessageA(c->Handle(), msg, w, l);
    }

    TTestRangeForm* form = nullptr;
    TTrackBar *track = nullptr, *vtrack = nullptr;
    TMemo* count = nullptr;
    TUpDown *updown = nullptr, *hupdown = nullptr;
    TProgressBar *progress = nullptr, *vprogress = nullptr;
};

TEST_F(RangeControls, TrackBarsFromFormTextReachTheirWindows) {
    EXPECT_EQ(qs::test::WindowClassName(track->Handle()), "TTrackBar");
    EXPECT_EQ(send(track, TBM_GETRANGEMAX), 20);
    EXPECT_EQ(send(track, TBM_GETPOS), 5);
    EXPECT_EQ(send(track, TBM_GETPAGESIZE), 4);
    EXPECT_TRUE(qs::test::HasStyle(track->Handle(), TBS_AUTOTICKS));
    EXPECT_FALSE(qs::test::HasStyle(track->Handle(), TBS_VERT));
    // Ticks every 5 positions of 0..20: the three inner ones.
    EXPECT_EQ(send(track, TBM_GETNUMTICS), 5);

    EXPECT_TRUE(qs::test::HasStyle(vtrack->Handle(), TBS_VERT | TBS_NOTICKS));
    EXPECT_EQ(send(vtrack, TBM_GETRANGEMIN), -10);
    EXPECT_EQ(vtrack->Position(), 0);
    EXPECT_TRUE(form->trackChanges.empty());
}

TEST_F(RangeControls, TrackBarFollowsKeysAndClicksAndCode) {
    show();
    track->SetFocus();
    qs::test::KeyPress(VK_RIGHT);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return track->Position() == 6; }));
    qs::test::KeyPress(VK_NEXT);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return track->Position() == 10; }));
    // A click on the channel beyond the thumb moves a page that way.
    RECT channel{};
    send(track, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&channel));
    clickAt(track, channel.right - 4, (channel.top + channel.bottom) / 2);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return track->Position() == 14; }));
    EXPECT_EQ(form->trackChanges, (std::vector<int>{6, 10, 14}));

    track->SetPosition(99);
    EXPECT_EQ(track->Position(), 20);
    EXPECT_EQ(send(track, TBM_GETPOS), 20);
    vtrack->SetFocus();
    qs::test::KeyPress(VK_DOWN);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return vtrack->Position() == 1; }));
}

TEST_F(RangeControls, TrackBarTurnedOverIsMadeVerticalWithItsRange) {
    track->SetOrientation(trVertical);
    EXPECT_TRUE(qs::test::HasStyle(track->Handle(), TBS_VERT));
    EXPECT_EQ(track->Width(), 40);
    EXPECT_EQ(track->Height(), 200);
    EXPECT_EQ(send(track, TBM_GETRANGEMAX), 20);
    EXPECT_EQ(send(track, TBM_GETPOS), 5);
    track->SetTickStyle(tsNone);
    EXPECT_TRUE(qs::test::HasStyle(track->Handle(), TBS_NOTICKS));
}

TEST_F(RangeControls, UpDownKeepsItsAssociatesTextAndSitsBesideIt) {
    EXPECT_EQ(qs::test::WindowClassName(updown->Handle()), "TUpDown");
    EXPECT_EQ(count->Text(), "4");
    EXPECT_EQ(updown->Left(), count->Left() + count->Width());
    EXPECT_EQ(updown->Height(), count->Height());
    EXPECT_EQ(LOWORD(send(updown, UDM_GETRANGE)), 5);
    EXPECT_EQ(HIWORD(send(updown, UDM_GETRANGE)), 1);
    EXPECT_TRUE(qs::test::HasStyle(updown->Handle(), UDS_WRAP));

    show();
    const int w = updown->Width(), h = updown->Height();
    clickAt(updown, w / 2, h / 4);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return form->clicks.size() == 1; }));
    EXPECT_EQ(updown->Position(), 5);
    EXPECT_EQ(count->Text(), "5");
    // Past Max it wraps to Min.
    clickAt(updown, w / 2, h / 4);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return form->clicks.size() == 2; }));
    EXPECT_EQ(count->Text(), "1");
    clickAt(updown, w / 2, h * 3 / 4);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return form->clicks.size() == 3; }));
    EXPECT_EQ(count->Text(), "5");
    EXPECT_EQ(form->clicks, (std::vector<TUDBtnType>{btNext, btNext, btPrev}));

    updown->SetPosition(2);
    EXPECT_EQ(count->Text(), "2");
    EXPECT_EQ(send(updown, UDM_GETPOS32), 2);
    EXPECT_EQ(form->clicks.size(), 3u) << "a position set in code is no click";
    delete count;
    EXPECT_EQ(updown->Associate(), nullptr);
    updown->SetPosition(3);
}

TEST_F(RangeControls, HorizontalUpDownStepsByItsIncrement) {
    EXPECT_TRUE(qs::test::HasStyle(hupdown->Handle(), UDS_HORZ));
    EXPECT_EQ(GetEnumPropName(hupdown, "Orientation"), "udHorizontal");
    show();
    clickAt(hupdown, hupdown->Width() * 3 / 4, hupdown->Height() / 2);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return hupdown->Position() == 10; }));
    clickAt(hupdown, hupdown->Width() / 4, hupdown->Height() / 2);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return hupdown->Position() == 0; }));
    // Without wrapping the low end holds.
    clickAt(hupdown, hupdown->Width() / 4, hupdown->Height() / 2);
    qs::test::PumpFor(100);
    EXPECT_EQ(hupdown->Position(), 0);
    EXPECT_EQ(send(hupdown, UDM_GETPOS32), 0);
}

TEST_F(RangeControls, ProgressBarsRangePositionAndSteps) {
    EXPECT_EQ(qs::test::WindowClassName(progress->Handle()), "TProgressBar");
    EXPECT_EQ(send(progress, PBM_GETPOS), 60);
    EXPECT_EQ(send(progress, PBM_GETRANGE, TRUE), 10);
    EXPECT_EQ(send(progress, PBM_GETRANGE, FALSE), 110);
    progress->StepIt();
    EXPECT_EQ(progress->Position(), 90);
    progress->StepIt();
    // 120 is past 110: it starts over from Min with the 10 left over.
    EXPECT_EQ(progress->Position(), 20);
    EXPECT_EQ(send(progress, PBM_GETPOS), 20);
    progress->SetPosition(500);
    EXPECT_EQ(send(progress, PBM_GETPOS), 110);
    progress->SetMin(200); // Max follows
    EXPECT_EQ(progress->Position(), 200);

    EXPECT_TRUE(qs::test::HasStyle(vprogress->Handle(), PBS_VERTICAL | PBS_SMOOTH));
    vprogress->SetPosition(30);
    vprogress->SetOrientation(pbHorizontal);
    EXPECT_FALSE(qs::test::HasStyle(vprogress->Handle(), PBS_VERTICAL));
    EXPECT_EQ(vprogress->Width(), 120);
    EXPECT_EQ(send(vprogress, PBM_GETPOS), 30);
}

} // namespace
