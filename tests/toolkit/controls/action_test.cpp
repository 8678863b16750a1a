// Actions: what a linked menu item shows and does, when OnUpdate runs (on demand and as a menu
// opens), and the links' life times.
#include <gtest/gtest.h>

#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"

namespace {

class Actions : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TPlainForm>(nullptr);
        list = new TActionList(form);
        run = new TAction(form);
        run->SetActionList(list);
        run->SetCaption("&Run");
        run->SetShortCut(MakeShortCut('R', ssCtrl));
        run->SetImageIndex(2);
        run->OnExecute = TNotifyEvent([this](TObject*) { ++executed; });
        popup = new TPopupMenu(form);
        popup->SetAutoHotkeys(maManual);
        item = addItem(popup->Items(), "placeholder");
        sub = addItem(popup->Items(), "More");
        inner = addItem(sub, "inner");
        item->SetAction(run);
    }
    void TearDown() override { delete form; }
    TMenuItem* addItem(TMenuItem* parent, const std::string& caption) {
        auto* i = new TMenuItem(form);
        i->SetCaption(caption);
        parent->Add(i);
        return i;
    }
    TPlainForm* form = nullptr;
    TActionList* list = nullptr;
    TAction* run = nullptr;
    TPopupMenu* popup = nullptr;
    TMenuItem *item = nullptr, *sub = nullptr, *inner = nullptr;
    int executed = 0;
};

TEST_F(Actions, TheItemShowsItsActionAndFollowsItsChanges) {
    EXPECT_EQ(item->Caption(), "&Run");
    EXPECT_EQ(item->ShortCut(), MakeShortCut('R', ssCtrl));
    EXPECT_EQ(item->ImageIndex(), 2);
    HMENU h = popup->Handle();
    EXPECT_EQ(MenuText(h, 0), "&Run\tCtrl+R");
    run->SetEnabled(false);
    run->SetChecked(true);
    EXPECT_FALSE(item->Enabled());
    UINT state = GetMenuState(h, 0, MF_BYPOSITION);
    EXPECT_TRUE(state & MF_GRAYED);
    EXPECT_TRUE(state & MF_CHECKED);
    run->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(h), 1); // only "More" is left
    run->SetVisible(true);
    run->SetCaption("&Go");
    EXPECT_EQ(MenuText(h, 0), "&Go\tCtrl+R");
    EXPECT_EQ(popup->Handle(), h);
}

TEST_F(Actions, ClickingExecutesTheActionUnlessTheItemHasItsOwnHandler) {
    item->Click();
    EXPECT_EQ(executed, 1);
    EXPECT_TRUE(run->Execute());
    EXPECT_EQ(executed, 2);
    // Execute brings the state up to date first: an action its update disables does not run.
    run->OnUpdate = TNotifyEvent([this](TObject*) { run->SetEnabled(false); });
    EXPECT_FALSE(run->Execute());
    EXPECT_EQ(executed, 2);
    run->OnUpdate = {};
    run->SetEnabled(true);
    int own = 0;
    item->OnClick = TNotifyEvent([&](TObject*) { ++own; });
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(item->Command(), 0), 0);
    EXPECT_EQ(own, 1);
    EXPECT_EQ(executed, 2);
}

TEST_F(Actions, OnUpdateRunsOnDemandAndForTheItemsOfAMenuThatOpens) {
    auto* other = new TAction(form);
    int runUpdates = 0, otherUpdates = 0;
    run->OnUpdate = TNotifyEvent([&](TObject*) {
        ++runUpdates;
        run->SetCaption("Run " + std::to_string(runUpdates));
    });
    other->OnUpdate = TNotifyEvent([&](TObject*) { ++otherUpdates; });
    inner->SetAction(other);
    EXPECT_TRUE(item->UpdateAction());
    EXPECT_FALSE(sub->UpdateAction()); // no action
    EXPECT_EQ(item->Caption(), "Run 1");

    // Only the items the opening HMENU lists are updated.
    SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(sub->Handle()), 1);
    EXPECT_EQ(otherUpdates, 1);
    EXPECT_EQ(runUpdates, 1);
    SendMessageA(Application->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->Handle()), 0);
    EXPECT_EQ(runUpdates, 2);

    // A popup opened for real shows what the update set, in the HMENU it opened.
    form->Show();
    std::string shownCaption;
    auto closer = qs::test::CloseNextPopupMenu([&](HWND) { shownCaption = MenuText(popup->Handle(), 0); });
    HMENU before = popup->Handle();
    SetForegroundWindow(form->Handle());
    popup->Popup(200, 200);
    EXPECT_EQ(runUpdates, 3);
    EXPECT_EQ(shownCaption, "Run 3\tCtrl+R");
    EXPECT_EQ(popup->Handle(), before);
}

TEST_F(Actions, TheItemWhoseSubMenuOpensIsClickedFirstAndMayRefillItsEntries) {
    auto* other = new TAction(form);
    int otherUpdates = 0;
    other->OnUpdate = TNotifyEvent([&](TObject*) { ++otherUpdates; });
    // "More" refills the sub-menu of its entry "inner", as a program refills a recent-files list.
    int opened = 0;
    sub->OnClick = TNotifyEvent([&](TObject*) {
        ++opened;
        inner->Clear();
        addItem(inner, "linked")->SetAction(other);
        addItem(inner, "plain" + std::to_string(opened));
    });
    HMENU more = sub->Handle();
    SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(more), 1);
    EXPECT_EQ(opened, 1);
    EXPECT_EQ(sub->Handle(), more) << "the opening menu keeps its handle";
    ASSERT_NE(inner->Handle(), nullptr);
    ASSERT_EQ(GetMenuItemCount(inner->Handle()), 2);
    EXPECT_EQ(MenuText(inner->Handle(), 1), "plain1");
    SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(more), 1);
    EXPECT_EQ(MenuText(inner->Handle(), 1), "plain2");
    SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(inner->Handle()), 1);
    EXPECT_EQ(otherUpdates, 1) << "the entry that is there now, not the freed one";
    // The menu's own top level is not an item anyone clicks.
    int rootClicks = 0;
    popup->Items()->OnClick = TNotifyEvent([&](TObject*) { ++rootClicks; });
    SendMessageA(Application->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup->Handle()), 0);
    EXPECT_EQ(rootClicks, 0);
    EXPECT_EQ(opened, 2);
}

TEST_F(Actions, LinksEndWithEitherSide) {
    auto* second = new TMenuItem(form);
    popup->Items()->Add(second);
    second->SetAction(run);
    delete item;
    run->SetCaption("Still fine"); // the freed item is no longer told
    EXPECT_EQ(second->Caption(), "Still fine");
    EXPECT_EQ(list->ActionCount(), 1);
    delete run;
    EXPECT_EQ(second->Action(), nullptr);
    EXPECT_EQ(list->ActionCount(), 0);
    second->Click(); // nothing to execute
    EXPECT_EQ(executed, 0);
    auto* orphan = new TAction(form);
    orphan->SetActionList(list);
    delete list;
    EXPECT_EQ(orphan->ActionList(), nullptr);
}

} // namespace
