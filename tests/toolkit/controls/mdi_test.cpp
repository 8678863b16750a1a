// MDI forms: the frame's client, children made through it and listed in the window menu,
// arranging them, a maximised child in the frame's menu bar, the MDI keys of the application's
// loop, and the frame as read from its form resource.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"

namespace {

std::vector<std::string> menuTexts(HMENU menu) {
    std::vector<std::string> texts;
    for (int i = 0; i < GetMenuItemCount(menu); ++i)
        texts.push_back(MenuText(menu, UINT(i)));
    return texts;
}

bool listed(HMENU menu, const std::string& caption) {
    for (const std::string& text : menuTexts(menu))
        if (text.find(caption) != std::string::npos) return true;
    return false;
}

RECT windowRect(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return r;
}

class Mdi : public ::testing::Test {
  protected:
    void SetUp() override {
        frame = NewForm<TTestMdiFrame>(nullptr);
        frame->Show();
    }
    void TearDown() override { delete frame; }
    TTestMdiChild* newChild() {
        frame->NewChild->Execute();
        return dynamic_cast<TTestMdiChild*>(frame->ActiveMDIChild());
    }
    TTestMdiFrame* frame = nullptr;
};

TEST_F(Mdi, TheFrameReadFromItsResourceMakesItsClientWithItsWindow) {
    EXPECT_EQ(frame->FormStyle(), fsMDIForm);
    EXPECT_EQ(frame->WindowMenu(), frame->Window1);
    HWND client = frame->ClientHandle();
    ASSERT_TRUE(client);
    EXPECT_TRUE(SameText(qs::test::WindowClassName(client), "MDIClient"));
    EXPECT_EQ(GetParent(client), frame->Handle());
    RECT clientArea{}, inFrame{};
    GetClientRect(frame->Handle(), &inFrame);
    GetWindowRect(client, &clientArea);
    EXPECT_EQ(clientArea.right - clientArea.left, inFrame.right);
    EXPECT_EQ(clientArea.bottom - clientArea.top, inFrame.bottom);
    // The nested action and the radio items came with the resource.
    EXPECT_EQ(frame->NewChild->ActionList(), frame->FindComponent("ActionList1"));
    auto* newItem = dynamic_cast<TMenuItem*>(frame->FindComponent("New1"));
    ASSERT_TRUE(newItem);
    EXPECT_EQ(newItem->Action(), frame->NewChild);
    EXPECT_EQ(newItem->Caption(), "&New child");
    auto* fancy = dynamic_cast<TMenuItem*>(frame->FindComponent("Fancy1"));
    auto* plain = dynamic_cast<TMenuItem*>(frame->FindComponent("Plain1"));
    ASSERT_TRUE(fancy && plain);
    EXPECT_TRUE(fancy->RadioItem() && fancy->AutoCheck() && fancy->Checked());
    EXPECT_EQ(fancy->GroupIndex(), 3);
    plain->SetAutoCheck(true);
    plain->Click();
    EXPECT_TRUE(plain->Checked());
    EXPECT_FALSE(fancy->Checked());
    EXPECT_EQ(frame->ClientHandle(), frame->ClientHandle()); // made once
    TPlainForm plainForm(nullptr);
    EXPECT_EQ(plainForm.ClientHandle(), nullptr);
    EXPECT_EQ(plainForm.MDIChildCount(), 0);
}

TEST_F(Mdi, ChildrenLiveInTheClientAndAreListedInTheWindowMenu) {
    TTestMdiChild* first = newChild();
    TTestMdiChild* second = newChild();
    ASSERT_TRUE(first && second);
    EXPECT_NE(first, second);
    EXPECT_EQ(GetParent(first->Handle()), frame->ClientHandle());
    EXPECT_TRUE(GetWindowLongA(first->Handle(), GWL_EXSTYLE) & WS_EX_MDICHILD);
    EXPECT_TRUE(IsWindowVisible(first->Handle()));
    EXPECT_EQ(first->MDIFrame(), frame);
    EXPECT_EQ(frame->MDIFrame(), nullptr);
    ASSERT_EQ(frame->MDIChildCount(), 2);
    EXPECT_EQ(frame->MDIChildren(0), second); // the active one first
    EXPECT_EQ(frame->MDIChildren(1), first);
    HMENU windowMenu = frame->Window1->Handle();
    EXPECT_TRUE(listed(windowMenu, "Child 1"));
    EXPECT_TRUE(listed(windowMenu, "Child 2"));

    // Choosing a child's window-menu entry activates it (the frame's default procedure does it).
    const std::vector<std::string> texts = menuTexts(windowMenu);
    for (int i = 0; i < int(texts.size()); ++i)
        if (texts[size_t(i)].find("Child 1") != std::string::npos)
            SendMessageA(frame->Handle(), WM_COMMAND, GetMenuItemID(windowMenu, i), 0);
    EXPECT_EQ(frame->ActiveMDIChild(), first);

    // The list survives the window menu's level being made again.
    auto* tile = new TMenuItem(frame);
    tile->SetCaption("&Tile");
    frame->Window1->Add(tile);
    windowMenu = frame->Window1->Handle();
    EXPECT_EQ(menuTexts(windowMenu).at(1), "&Tile");
    EXPECT_TRUE(listed(windowMenu, "Child 2"));
    frame->MainMenu1->SetBiDiMode(bdRightToLeft); // makes every level again
    EXPECT_TRUE(listed(frame->Window1->Handle(), "Child 1"));

    // A closed child is freed and leaves the list.
    SendMessageA(second->Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(qs::test::RunToolkitUntil([&] { return frame->MDIChildCount() == 1; }));
    EXPECT_FALSE(listed(frame->Window1->Handle(), "Child 2"));
    EXPECT_TRUE(listed(frame->Window1->Handle(), "Child 1"));
}

TEST_F(Mdi, CascadeAndTileArrangeTheChildren) {
    TTestMdiChild* first = newChild();
    TTestMdiChild* second = newChild();
    ASSERT_TRUE(first && second);
    frame->Tile();
    RECT a = windowRect(first->Handle()), b = windowRect(second->Handle()), both{};
    EXPECT_FALSE(IntersectRect(&both, &a, &b)) << "tiled children do not overlap";
    frame->Cascade();
    a = windowRect(first->Handle());
    b = windowRect(second->Handle());
    EXPECT_TRUE(IntersectRect(&both, &a, &b)) << "cascaded children overlap";
    EXPECT_NE(a.left, b.left);
    EXPECT_NE(a.top, b.top);
    EXPECT_EQ(a.right - a.left, b.right - b.left);
}

TEST_F(Mdi, AMaximisedChildMergesIntoTheFrameMenuBar) {
    TTestMdiChild* child = newChild();
    ASSERT_TRUE(child);
    HMENU bar = GetMenu(frame->Handle());
    ASSERT_EQ(bar, frame->MainMenu1->Handle());
    const int ours = GetMenuItemCount(bar);
    child->SetWindowState(wsMaximized);
    EXPECT_TRUE(IsZoomed(child->Handle()));
    EXPECT_EQ(child->WindowState(), wsMaximized);
    // The child's system menu before our items, its caption buttons after them.
    EXPECT_GT(GetMenuItemCount(bar), ours);
    EXPECT_EQ(GetSubMenu(bar, 1), frame->MainMenu1->Items()->Item(0)->Handle());
    char caption[128] = {};
    GetWindowTextA(frame->Handle(), caption, sizeof caption);
    EXPECT_NE(std::string(caption).find("Child 1"), std::string::npos);
    // Our items still change in place beside the merged entries.
    frame->Window1->SetCaption("&Windows");
    EXPECT_EQ(menuTexts(bar).at(2), "&Windows");
    child->SetWindowState(wsNormal);
    EXPECT_FALSE(IsZoomed(child->Handle()));
    EXPECT_EQ(GetMenuItemCount(bar), ours);
    // Maximised again, the frame goes with the child in it.
    child->SetWindowState(wsMaximized);
    delete frame;
    frame = nullptr;
}

TEST_F(Mdi, TheLoopGivesMdiKeysAndShortcutsToTheFrame) {
    PostMessageA(frame->ClientHandle(), WM_KEYDOWN, VK_F7, 0); // the action's shortcut
    Application->ProcessMessages();
    ASSERT_EQ(frame->MDIChildCount(), 1);
    TTestMdiChild* first = dynamic_cast<TTestMdiChild*>(frame->ActiveMDIChild());
    TTestMdiChild* second = newChild();
    ASSERT_EQ(frame->ActiveMDIChild(), second);
    SetForegroundWindow(frame->Handle());
    ASSERT_TRUE(qs::test::RunToolkitUntil([&] { return GetForegroundWindow() == frame->Handle(); }));
    qs::test::KeyChord({VK_CONTROL, VK_F6});
    EXPECT_TRUE(qs::test::RunToolkitUntil([&] { return frame->ActiveMDIChild() == first; }));
    qs::test::KeyChord({VK_CONTROL, VK_F4});
    EXPECT_TRUE(qs::test::RunToolkitUntil([&] { return frame->MDIChildCount() == 1; }));
    EXPECT_EQ(frame->ActiveMDIChild(), second);
}

TEST_F(Mdi, ChildrenNeedAFrameAndKeepTheirStyle) {
    auto* lonely = NewForm<TPlainForm>(nullptr);
    EXPECT_THROW(lonely->SetFormStyle(fsMDIForm), Exception); // its window exists already
    delete lonely;
    delete frame;
    frame = nullptr;
    auto* orphan = new TTestMdiChild(nullptr);
    EXPECT_THROW(orphan->AfterConstruction(), Exception);
    delete orphan;
}

} // namespace
