// Check boxes, radio buttons and radio groups: the state a click leaves, the window's mark kept
// in step both ways, exclusivity within a parent, and a radio group's buttons and layout.
#include <gtest/gtest.h>

#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/core/prop_access.h"

namespace {

LRESULT MarkOf(TWinControl* c) {
    return SendMessageA(c->Handle(), BM_GETCHECK, 0, 0);
}

void UserClick(TWinControl* c) {
    SendMessageA(c->Handle(), BM_CLICK, 0, 0);
}

class Choices : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TPlainForm>(nullptr);
        form->SetBounds(100, 100, 400, 300);
    }
    void TearDown() override { delete form; }
    template <class C> C* add(TWinControl* parent, int top) {
        auto* c = new C(form);
        c->SetParent(parent);
        c->SetBounds(8, top, 120, 20);
        return c;
    }
    TPlainForm* form = nullptr;
};

TEST_F(Choices, CheckBoxClicksCycleThroughGrayedOnlyWhenAllowed) {
    auto* box = add<TCheckBox>(form, 8);
    int clicks = 0;
    box->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });

    const TCheckBoxState twoState[] = {cbChecked, cbUnchecked, cbChecked};
    for (TCheckBoxState expected : twoState) {
        UserClick(box);
        EXPECT_EQ(box->State(), expected);
        EXPECT_EQ(MarkOf(box), LRESULT(expected));
    }
    EXPECT_EQ(clicks, 3);

    box->SetAllowGrayed(true);
    const TCheckBoxState threeState[] = {cbGrayed, cbUnchecked, cbChecked, cbGrayed};
    for (TCheckBoxState expected : threeState) {
        UserClick(box);
        EXPECT_EQ(box->State(), expected);
        EXPECT_EQ(MarkOf(box), LRESULT(expected));
    }
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(clicks, 7);
}

TEST_F(Choices, CheckBoxStateFollowsAMarkSetFromOutsideAndTheWindowFollowsState) {
    auto* box = add<TCheckBox>(form, 8);
    SendMessageA(box->Handle(), BM_SETCHECK, BST_INDETERMINATE, 0);
    EXPECT_EQ(box->State(), cbGrayed);
    EXPECT_EQ(GetEnumPropName(box, "State"), "cbGrayed");
    SendMessageA(box->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(box->Checked());

    box->SetChecked(false);
    EXPECT_EQ(MarkOf(box), BST_UNCHECKED);
    // A window made after the state was set starts with it.
    auto* late = new TCheckBox(form);
    late->SetState(cbGrayed);
    late->SetParent(form);
    EXPECT_EQ(MarkOf(late), BST_INDETERMINATE);
}

TEST_F(Choices, LeftJustifiedCaptionIsTheLeftTextStyleBeforeAndAfterCreation) {
    auto style = [](TWinControl* c) { return GetWindowLongA(c->Handle(), GWL_STYLE); };
    auto* box = new TCheckBox(form);
    box->SetAlignment(taLeftJustify);
    box->SetParent(form);
    EXPECT_TRUE(style(box) & BS_LEFTTEXT);
    EXPECT_EQ(style(box) & BS_TYPEMASK, BS_3STATE);
    box->SetAlignment(taRightJustify);
    EXPECT_FALSE(style(box) & BS_LEFTTEXT);
    // Centred is not a side: it reads as the right.
    box->SetAlignment(taCenter);
    EXPECT_EQ(box->Alignment(), taRightJustify);

    auto* radio = add<TRadioButton>(form, 40);
    radio->SetAlignment(taLeftJustify);
    EXPECT_TRUE(style(radio) & BS_LEFTTEXT);
    EXPECT_EQ(style(radio) & BS_TYPEMASK, BS_RADIOBUTTON);
}

TEST_F(Choices, CheckingARadioButtonClearsOnlyItsSiblings) {
    auto* one = add<TRadioButton>(form, 8);
    auto* two = add<TRadioButton>(form, 30);
    auto* three = add<TRadioButton>(form, 52);
    auto* group = add<TGroupBox>(form, 80);
    group->SetBounds(8, 80, 200, 80);
    auto* elsewhere = add<TRadioButton>(group, 20);
    elsewhere->SetChecked(true);
    int twoClicks = 0;
    two->OnClick = TNotifyEvent([&](TObject*) { ++twoClicks; });

    one->SetChecked(true);
    UserClick(two);
    EXPECT_TRUE(two->Checked());
    EXPECT_EQ(twoClicks, 1);
    EXPECT_FALSE(one->Checked());
    EXPECT_EQ(MarkOf(one), BST_UNCHECKED);
    EXPECT_EQ(MarkOf(two), BST_CHECKED);
    EXPECT_TRUE(elsewhere->Checked());

    // A mark set on the window from outside clears the siblings as well.
    SendMessageA(three->Handle(), BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(three->Checked());
    EXPECT_FALSE(two->Checked());
    EXPECT_EQ(MarkOf(two), BST_UNCHECKED);
    // Clicking the checked one again changes nothing.
    UserClick(three);
    EXPECT_TRUE(three->Checked());
    EXPECT_EQ(twoClicks, 1);
}

TEST_F(Choices, GroupBoxChildrenAreChildWindowsOfIt) {
    auto* group = add<TGroupBox>(form, 8);
    group->SetCaption("Group");
    auto* inside = add<TCheckBox>(group, 20);
    EXPECT_EQ(GetParent(inside->Handle()), group->Handle());
    char name[64] = {};
    GetClassNameA(group->Handle(), name, sizeof name);
    EXPECT_STREQ(name, "TGroupBox");
}

class RadioGroup : public Choices {
  protected:
    void SetUp() override {
        Choices::SetUp();
        group = new TRadioGroup(form);
        group->SetParent(form);
        group->SetBounds(8, 8, 210, 130);
        for (const char* item : {"A", "B", "C", "D"})
            group->Items()->Add(item);
    }
    TRadioGroup* group = nullptr;
};

TEST_F(RadioGroup, ItemsBecomeRadioButtonChildWindowsOfTheGroup) {
    ASSERT_EQ(group->Buttons().size(), 4u);
    for (size_t i = 0; i < 4; ++i) {
        TRadioButton* b = group->Buttons()[i];
        EXPECT_EQ(b->Parent(), group);
        EXPECT_EQ(GetParent(b->Handle()), group->Handle());
        EXPECT_EQ(b->Caption(), group->Items()->Strings(int(i)));
    }
    group->Items()->Delete(0);
    ASSERT_EQ(group->Buttons().size(), 3u);
    EXPECT_EQ(group->Buttons()[0]->Caption(), "B");
    EXPECT_EQ(group->ControlCount(), 3);
}

TEST_F(RadioGroup, ItemIndexAndTheCheckedButtonFollowEachOther) {
    int clicks = 0;
    group->OnClick = TNotifyEvent([&](TObject*) { ++clicks; });
    EXPECT_EQ(group->ItemIndex(), -1);
    group->SetItemIndex(2);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_EQ(group->Buttons()[i]->Checked(), i == 2) << i;
    EXPECT_EQ(MarkOf(group->Buttons()[2]), BST_CHECKED);

    UserClick(group->Buttons()[0]);
    EXPECT_EQ(group->ItemIndex(), 0);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(group->Buttons()[2]->Checked());

    group->SetItemIndex(9);
    EXPECT_EQ(group->ItemIndex(), -1);
    for (TRadioButton* b : group->Buttons())
        EXPECT_FALSE(b->Checked());
    // Losing the checked line loses the index.
    group->SetItemIndex(3);
    group->Items()->Delete(3);
    EXPECT_EQ(group->ItemIndex(), -1);
}

TEST_F(RadioGroup, ColumnsFillTopToBottomThenLeftToRight) {
    group->SetColumns(2);
    const auto& b = group->Buttons();
    EXPECT_EQ(b[0]->Left(), b[1]->Left());
    EXPECT_EQ(b[2]->Left(), b[3]->Left());
    EXPECT_GT(b[2]->Left(), b[0]->Left() + b[0]->Width() - 1);
    EXPECT_EQ(b[2]->Top(), b[0]->Top());
    EXPECT_GT(b[1]->Top(), b[0]->Top());
    // Everything stays inside the group.
    for (TRadioButton* r : b) {
        EXPECT_LE(r->Left() + r->Width(), group->Width());
        EXPECT_LE(r->Top() + r->Height(), group->Height());
    }
    group->SetColumns(1);
    EXPECT_EQ(b[3]->Left(), b[0]->Left());
    EXPECT_GT(b[3]->Top(), b[2]->Top());
}

TEST_F(RadioGroup, DisablingTheGroupDisablesItsButtons) {
    group->SetEnabled(false);
    for (TRadioButton* b : group->Buttons())
        EXPECT_FALSE(IsWindowEnabled(b->Handle()));
    group->Items()->Add("E");
    EXPECT_FALSE(group->Buttons().back()->Enabled());
}

} // namespace
