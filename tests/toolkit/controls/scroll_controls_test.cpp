// Scroll bars, memos, list boxes and scroll boxes read from a form resource: what reaches their
// windows, what the user's clicks and typing change, and a written text that reads back.
#include <gtest/gtest.h>

#include <vector>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/list_box.h"
#include "toolkit/controls/memo.h"
#include "toolkit/controls/scroll_ctrls.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/resource/form_resource.h"

namespace {

TResourceNesting FormNesting(TCustomForm* form) {
    TResourceNesting nesting;
    nesting.adopt = [form](TComponent* child, TComponent* parent) { form->SetChildParent(child, parent); };
    nesting.parentOf = [](const TComponent* child) -> TComponent* {
        auto* c = dynamic_cast<const TControl*>(child);
        return c ? c->Parent() : nullptr;
    };
    return nesting;
}

class TTestScrollForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestScrollForm(TComponent* owner) : TForm(owner) {}
    void HorzBarChange(TObject*) { changes.push_back(Find<TScrollBar>("HorzBar")->Position()); }
    void HorzBarScroll(TObject*, TScrollCode code, int& pos) {
        codes.push_back(code);
        if (clampScrollTo >= 0 && pos > clampScrollTo) pos = clampScrollTo;
    }
    void Memo1Change(TObject*) { ++memoChanges; }
    void List1Click(TObject*) { ++listClicks; }
    template <class C> C* Find(const char* name) { return dynamic_cast<C*>(FindComponent(name)); }

    std::vector<int> changes;
    std::vector<TScrollCode> codes;
    int clampScrollTo = -1;
    int memoChanges = 0, listClicks = 0;
};

const TClassInfo& TTestScrollForm::StaticClass() {
    using F = TTestScrollForm;
    static const TClassInfo& info =
        TClassBuilder<F>("TTestScrollForm", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*)>("HorzBarChange", &F::HorzBarChange)
            .Method<void(TObject*, TScrollCode, int&)>("HorzBarScroll", &F::HorzBarScroll)
            .Method<void(TObject*)>("Memo1Change", &F::Memo1Change)
            .Method<void(TObject*)>("List1Click", &F::List1Click)
            .Build();
    return info;
}

SCROLLINFO scrollInfo(HWND hwnd, int bar) {
    SCROLLINFO si{};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    GetScrollInfo(hwnd, bar, &si);
    return si;
}

class ScrollControls : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TTestScrollForm>(nullptr);
        horz = form->Find<TScrollBar>("HorzBar");
        vert = form->Find<TScrollBar>("VertBar");
        memo = form->Find<TMemo>("Memo1");
        list = form->Find<TListBox>("List1");
        box = form->Find<TScrollBox>("Box1");
        ASSERT_TRUE(horz && vert && memo && list && box);
    }
    void TearDown() override { delete form; }

    void show() {
        form->Show();
        qs::test::PumpFor(50);
    }
    // Clicks at a point of a control's client area, with the real pointer.
    void clickAt(TWinControl* c, int x, int y) {
        POINT at = c->ClientToScreen({x, y});
        qs::test::MouseClickAt(at.x, at.y);
    }
    // A press and release queued together: a scroll bar tracks a press in a loop of its own that
    // returns only at the release, so nothing may wait in between.
    void tapAt(TWinControl* c, int x, int y) {
        POINT at = c->ClientToScreen({x, y});
        qs::test::MouseMoveTo(at.x, at.y);
        qs::test::MouseButtonAt(at.x, at.y, true, true);
        qs::test::MouseButtonAt(at.x, at.y, true, false);
    }

    TTestScrollForm* form = nullptr;
    TScrollBar *horz = nullptr, *vert = nullptr;
    TMemo* memo = nullptr;
    TListBox* list = nullptr;
    TScrollBox* box = nullptr;
};

TEST_F(ScrollControls, ScrollBarsFromFormTextReachTheirWindows) {
    EXPECT_EQ(qs::test::WindowClassName(horz->Handle()), "TScrollBar");
    EXPECT_FALSE(qs::test::HasStyle(horz->Handle(), SBS_VERT));
    SCROLLINFO h = scrollInfo(horz->Handle(), SB_CTL);
    EXPECT_EQ(h.nMin, 10);
    EXPECT_EQ(h.nMax, 60);
    EXPECT_EQ(h.nPos, 20);
    EXPECT_EQ(h.nPage, 0u);

    EXPECT_TRUE(qs::test::HasStyle(vert->Handle(), SBS_VERT));
    EXPECT_EQ(GetEnumPropName(vert, "Kind"), "sbVertical");
    // Position 190 with a page of 50 out of 0..200 stops where the thumb reaches the end.
    EXPECT_EQ(vert->Position(), 151);
    SCROLLINFO v = scrollInfo(vert->Handle(), SB_CTL);
    EXPECT_EQ(v.nPage, 50u);
    EXPECT_EQ(v.nPos, 151);
    EXPECT_TRUE(form->changes.empty()) << "loading is no change";
}

TEST_F(ScrollControls, ScrollBarParamsInCodeClampAndReportChangesOnce) {
    horz->SetPosition(1000);
    EXPECT_EQ(horz->Position(), 60);
    horz->SetMax(30);
    EXPECT_EQ(horz->Position(), 30);
    horz->SetPosition(30);
    horz->SetMin(40); // Max follows Min up
    EXPECT_EQ(horz->Max(), 40);
    EXPECT_EQ(scrollInfo(horz->Handle(), SB_CTL).nPos, 40);
    EXPECT_EQ(form->changes, (std::vector<int>{60, 30, 40}));
}

TEST_F(ScrollControls, ArrowAndPageClicksMoveThePosition) {
    show();
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    tapAt(horz, horz->Width() - arrow / 2, horz->Height() / 2);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return horz->Position() != 20; }));
    qs::test::PumpFor(100);
    EXPECT_EQ(horz->Position(), 23);
    EXPECT_EQ(scrollInfo(horz->Handle(), SB_CTL).nPos, 23);
    ASSERT_FALSE(form->codes.empty());
    EXPECT_EQ(form->codes.front(), scLineDown);

    tapAt(horz, arrow / 2, horz->Height() / 2);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return horz->Position() == 20; }));

    // The page area after the thumb, near the far arrow.
    tapAt(horz, horz->Width() - arrow - 3, horz->Height() / 2);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return horz->Position() != 20; }));
    qs::test::PumpFor(100);
    EXPECT_EQ(horz->Position(), 30);
    EXPECT_EQ(form->changes.front(), 23);

    // The vertical bar: the upper arrow goes back by SmallChange.
    tapAt(vert, vert->Width() / 2, arrow / 2);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return vert->Position() == 146; }));
}

TEST_F(ScrollControls, OnScrollMayChangeWhereTheBarGoes) {
    form->clampScrollTo = 21;
    SendMessageA(form->Handle(), WM_HSCROLL, SB_PAGEDOWN, reinterpret_cast<LPARAM>(horz->Handle()));
    EXPECT_EQ(horz->Position(), 21);
    SendMessageA(form->Handle(), WM_HSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(horz->Handle()));
    EXPECT_EQ(horz->Position(), 21);
    form->clampScrollTo = -1;
    SendMessageA(form->Handle(), WM_HSCROLL, SB_BOTTOM, reinterpret_cast<LPARAM>(horz->Handle()));
    EXPECT_EQ(horz->Position(), 60);
    SendMessageA(form->Handle(), WM_HSCROLL, SB_ENDSCROLL, reinterpret_cast<LPARAM>(horz->Handle()));
    EXPECT_EQ(horz->Position(), 60);
    EXPECT_EQ(form->codes, (std::vector<TScrollCode>{scPageDown, scBottom, scBottom, scEndScroll}));
}

TEST_F(ScrollControls, TurningABarOverMakesAVerticalWindowWithTheSameRange) {
    HWND before = horz->Handle();
    horz->SetKind(sbVertical);
    EXPECT_NE(horz->Handle(), before);
    EXPECT_TRUE(qs::test::HasStyle(horz->Handle(), SBS_VERT));
    EXPECT_EQ(horz->Width(), 17);
    EXPECT_EQ(horz->Height(), 200);
    SCROLLINFO si = scrollInfo(horz->Handle(), SB_CTL);
    EXPECT_EQ(si.nMin, 10);
    EXPECT_EQ(si.nPos, 20);
    SendMessageA(form->Handle(), WM_VSCROLL, SB_LINEDOWN, reinterpret_cast<LPARAM>(horz->Handle()));
    EXPECT_EQ(horz->Position(), 23);
}

TEST_F(ScrollControls, MemoShowsItsLinesAndFollowsTyping) {
    HWND h = memo->Handle();
    EXPECT_EQ(qs::test::WindowClassName(h), "TMemo");
    EXPECT_EQ(qs::test::WindowTextOf(h), "First line\r\nSecond line");
    EXPECT_TRUE(qs::test::HasStyle(h, ES_MULTILINE | WS_VSCROLL));
    EXPECT_FALSE(qs::test::HasStyle(h, WS_HSCROLL));
    EXPECT_FALSE(qs::test::HasStyle(h, ES_AUTOHSCROLL)) << "WordWrap is on by default";

    // Typed text (a replaced selection sends EN_CHANGE, as typing does).
    const int end = GetWindowTextLengthA(h);
    SendMessageA(h, EM_SETSEL, WPARAM(end), end);
    SendMessageA(h, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("\r\nThird"));
    ASSERT_EQ(memo->Lines()->Count(), 3);
    EXPECT_EQ(memo->Lines()->Strings(2), "Third");
    EXPECT_EQ(form->memoChanges, 1);

    memo->Lines()->SetStrings(0, "One");
    EXPECT_EQ(qs::test::WindowTextOf(h), "One\r\nSecond line\r\nThird");
    SetWindowTextA(h, "Set\r\nfrom outside");
    EXPECT_EQ(memo->Lines()->Text(), "Set\r\nfrom outside\r\n");
}

TEST_F(ScrollControls, MemoBarsAndWrappingRemakeTheWindowKeepingTheText) {
    SendMessageA(memo->Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>("typed "));
    const std::string text = qs::test::WindowTextOf(memo->Handle());
    memo->SetScrollBars(ssBoth);
    EXPECT_TRUE(qs::test::HasStyle(memo->Handle(), WS_HSCROLL | WS_VSCROLL));
    memo->SetWordWrap(false);
    EXPECT_TRUE(qs::test::HasStyle(memo->Handle(), ES_AUTOHSCROLL));
    EXPECT_EQ(qs::test::WindowTextOf(memo->Handle()), text);
    memo->SetScrollBars(ssNone);
    EXPECT_FALSE(qs::test::HasStyle(memo->Handle(), WS_HSCROLL));
    EXPECT_FALSE(qs::test::HasStyle(memo->Handle(), WS_VSCROLL));
}

TEST(Memo, TextGivenBeforeItsWindowIsWhatTheWindowShows) {
    TMemo memo(nullptr);
    memo.SetText("42");
    EXPECT_EQ(memo.Lines()->Text(), "42\r\n");
    TForm form(nullptr);
    memo.SetParent(&form);
    EXPECT_EQ(qs::test::WindowTextOf(memo.Handle()), "42");
    memo.SetParent(nullptr);
}

TEST_F(ScrollControls, ListBoxItemsSelectionAndClicks) {
    HWND h = list->Handle();
    EXPECT_EQ(qs::test::WindowClassName(h), "TListBox");
    ASSERT_EQ(SendMessageA(h, LB_GETCOUNT, 0, 0), 3);
    char text[32] = {};
    SendMessageA(h, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Gamma");
    EXPECT_EQ(SendMessageA(h, LB_GETCURSEL, 0, 0), 1);
    EXPECT_FALSE(qs::test::HasStyle(h, WS_VSCROLL)) << "three lines fit";

    show();
    const int line = int(SendMessageA(h, LB_GETITEMHEIGHT, 0, 0));
    clickAt(list, 20, line * 2 + line / 2);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return form->listClicks == 1; }));
    EXPECT_EQ(list->ItemIndex(), 2);

    list->SetItemIndex(7);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(SendMessageA(h, LB_GETCURSEL, 0, 0), LB_ERR);
    for (int i = 0; i < 20; ++i)
        list->Items()->Add("Line " + std::to_string(i));
    EXPECT_EQ(SendMessageA(h, LB_GETCOUNT, 0, 0), 23);
    EXPECT_TRUE(qs::test::HasStyle(h, WS_VSCROLL)) << "a long list shows its bar";
    list->Items()->Clear();
    EXPECT_FALSE(qs::test::HasStyle(h, WS_VSCROLL));
    EXPECT_EQ(form->listClicks, 1) << "changes in code are no clicks";
}

TEST_F(ScrollControls, ScrollBoxRangesFollowItsChildren) {
    HWND h = box->Handle();
    TControl* panel = form->Find<TControl>("Inner1");
    TControl* button = form->Find<TControl>("Inner2");
    EXPECT_EQ(box->VertScrollBar()->Range(), 325);
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());
    SCROLLINFO v = scrollInfo(h, SB_VERT);
    EXPECT_EQ(v.nMax, 324);
    EXPECT_EQ(int(v.nPage), box->ClientHeight());

    // Children further right show the horizontal bar too, and narrow the vertical one's page.
    panel->SetWidth(400);
    EXPECT_TRUE(box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(scrollInfo(h, SB_HORZ).nMax, 409);
    EXPECT_EQ(int(scrollInfo(h, SB_VERT).nPage), box->ClientHeight());
    panel->SetWidth(100);
    EXPECT_FALSE(box->HorzScrollBar()->IsScrollBarVisible());

    SendMessageA(h, WM_VSCROLL, SB_LINEDOWN, 0);
    EXPECT_EQ(box->VertScrollBar()->Position(), 12);
    EXPECT_EQ(panel->Top(), -2);
    EXPECT_EQ(button->Top(), 288);
    RECT r;
    GetWindowRect(dynamic_cast<TWinControl*>(button)->Handle(), &r);
    MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.top, 288) << "the child's window moved with it";

    SendMessageA(h, WM_VSCROLL, SB_BOTTOM, 0);
    EXPECT_EQ(box->VertScrollBar()->Position(), 325 - box->ClientHeight());
    EXPECT_EQ(button->Top() + button->Height(), box->ClientHeight());
    EXPECT_EQ(scrollInfo(h, SB_VERT).nPos, box->VertScrollBar()->Position());

    // The far child gone: nothing left to scroll, the rest goes back where it was.
    delete button;
    EXPECT_FALSE(box->VertScrollBar()->IsScrollBarVisible());
    EXPECT_EQ(box->VertScrollBar()->Position(), 0);
    EXPECT_EQ(panel->Top(), 10);
}

TEST_F(ScrollControls, ScrollBoxScrollsAChildIntoView) {
    TControl* button = form->Find<TControl>("Inner2");
    box->ScrollInView(button);
    EXPECT_EQ(button->Top() + button->Height(), box->ClientHeight());
    box->ScrollInView(form->Find<TControl>("Inner1"));
    EXPECT_EQ(form->Find<TControl>("Inner1")->Top(), 0);
    box->VertScrollBar()->SetVisible(false);
    EXPECT_EQ(button->Top(), 300);
    EXPECT_FALSE(GetWindowLongA(box->Handle(), GWL_STYLE) & WS_VSCROLL);
}

TEST_F(ScrollControls, WrittenTextReadsBackToTheSameControls) {
    const std::string text = WriteComponentText(form, nullptr, FormNesting(form));
    EXPECT_NE(text.find("Kind = sbVertical"), std::string::npos);
    EXPECT_NE(text.find("VertScrollBar.Increment = 12"), std::string::npos);
    auto* copy = new TTestScrollForm(nullptr);
    ReadComponentText(copy, text, {}, FormNesting(copy));
    EXPECT_EQ(copy->Find<TScrollBar>("VertBar")->Position(), 151);
    EXPECT_EQ(copy->Find<TScrollBar>("HorzBar")->SmallChange(), 3);
    EXPECT_EQ(copy->Find<TMemo>("Memo1")->Lines()->Count(), 2);
    EXPECT_EQ(copy->Find<TMemo>("Memo1")->ScrollBars(), ssVertical);
    EXPECT_EQ(copy->Find<TListBox>("List1")->ItemIndex(), 1);
    EXPECT_EQ(copy->Find<TScrollBox>("Box1")->VertScrollBar()->Increment(), 12);
    EXPECT_EQ(WriteComponentText(copy, nullptr, FormNesting(copy)), text);
    delete copy;
}

} // namespace
