// The gallery's main form in-process: what its menu bar and popup menu hold, the skin choice,
// the menus' direction, its MDI windows, the popup on a right click and the about box.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "gallery/gallery_icons.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/res/skin_store.h"
#include "tests/support/image_file.h"
#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/timer.h"
#include "toolkit/graphics/image_list.h"

using namespace qs::test;

namespace {

struct Entry {
    std::string text;
    UINT type = 0, state = 0;
    HMENU sub = nullptr;
};

std::vector<Entry> Entries(HMENU menu) {
    std::vector<Entry> entries;
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char text[128] = {};
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_SUBMENU | MIIM_STRING;
        mii.dwTypeData = text;
        mii.cch = sizeof text;
        GetMenuItemInfoA(menu, UINT(i), TRUE, &mii);
        entries.push_back({text, mii.fType, mii.fState, mii.hSubMenu});
    }
    return entries;
}

std::vector<std::string> Texts(HMENU menu) {
    std::vector<std::string> texts;
    for (const Entry& e : Entries(menu))
        texts.push_back(e.text);
    return texts;
}

class GalleryForm : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterGalleryClasses(); }
    void SetUp() override {
        form = NewForm<TGalleryForm>(nullptr);
        std::string error;
        ASSERT_TRUE(form->Start(GalleryOptions{}, {}, error)) << error;
        bar = form->MainMenu1->Handle();
    }
    void TearDown() override { delete form; }
    HMENU subMenu(const char* caption) {
        for (const Entry& e : Entries(bar))
            if (e.text == caption) return e.sub;
        return nullptr;
    }
    TGalleryForm* form = nullptr;
    HMENU bar = nullptr;
};

TEST_F(GalleryForm, TheMenuBarHoldsFileSkinViewWindowAndHelp) {
    EXPECT_EQ(Texts(bar), (std::vector<std::string>{"&File", "&Skin", "&View", "&Window", "&Help"}));
    const std::vector<Entry> file = Entries(subMenu("&File"));
    ASSERT_EQ(file.size(), 9u);
    EXPECT_EQ(file[0].text, "&New window\tCtrl+N");
    EXPECT_EQ(file[1].text, "&Open skin...\tCtrl+O");
    EXPECT_EQ(file[2].text, "&Recent skins");
    EXPECT_EQ(file[2].sub, form->RecentSkins1->Handle());
    EXPECT_EQ(file[3].text, "&Find...\tCtrl+F");
    EXPECT_EQ(file[4].text, "Choose &colour...");
    EXPECT_EQ(file[5].text, "&Message box...");
    EXPECT_TRUE(file[6].type & MFT_SEPARATOR);
    EXPECT_EQ(file[7].text, "&Print");
    EXPECT_TRUE(file[7].state & MFS_GRAYED);
    EXPECT_EQ(file[8].text, "E&xit");
    EXPECT_EQ(Texts(subMenu("&Help")), std::vector<std::string>{"&About Skin Gallery..."});

    // View: icons beside the text, a checked item, a sub-menu inside a sub-menu.
    const std::vector<Entry> view = Entries(subMenu("&View"));
    ASSERT_GE(view.size(), 6u);
    EXPECT_EQ(form->ImageList1->Count(), int(giCount));
    MENUITEMINFOA refresh{};
    refresh.cbSize = sizeof refresh;
    refresh.fMask = MIIM_BITMAP;
    GetMenuItemInfoA(subMenu("&View"), 0, TRUE, &refresh);
    EXPECT_EQ(refresh.hbmpItem, HBMMENU_CALLBACK);
    EXPECT_EQ(view[0].text, "&Refresh\tF5");
    EXPECT_TRUE(view[2].state & MFS_CHECKED);
    HMENU layout = view.back().sub;
    ASSERT_TRUE(layout);
    HMENU direction = Entries(layout).back().sub;
    ASSERT_TRUE(direction);
    EXPECT_EQ(Texts(direction), (std::vector<std::string>{"&Left to right", "&Right to left"}));

    // Window: the frame's window menu, whose actions wait for a child.
    EXPECT_EQ(form->WindowMenu()->Handle(), subMenu("&Window"));
    EXPECT_EQ(Texts(subMenu("&Window")),
              (std::vector<std::string>{"&New window\tCtrl+N", "&Cascade", "&Tile"}));
    SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(subMenu("&Window")), 3);
    EXPECT_TRUE(Entries(subMenu("&Window"))[1].state & MFS_GRAYED);
}

TEST_F(GalleryForm, TheSkinMenuChoosesAmongTheElevenBundledSkins) {
    const std::vector<Entry> skins = Entries(subMenu("&Skin"));
    ASSERT_EQ(skins.size(), 11u);
    EXPECT_EQ(skins[0].text, "&Classic (the form's own)");
    EXPECT_EQ(skins[10].text, "&9 Aurora");
    for (size_t i = 0; i < skins.size(); ++i) {
        EXPECT_TRUE(skins[i].type & MFT_RADIOCHECK) << i;
        EXPECT_EQ(bool(skins[i].state & MFS_CHECKED), i == 10) << i; // stored skin 9 by default
    }
    const std::vector<uint8_t> own = form->SkinData1->SkinStream().Bytes();
    EXPECT_EQ(own, form->SkinStore1->Store()->Items(9)->DataStream().Bytes());

    form->Skin1->Item(3)->Click(); // "&2 Sandstone"
    EXPECT_EQ(form->SkinData1->SkinStream().Bytes(),
              form->SkinStore1->Store()->Items(2)->DataStream().Bytes());
    EXPECT_TRUE(Entries(subMenu("&Skin"))[3].state & MFS_CHECKED);
    EXPECT_FALSE(Entries(subMenu("&Skin"))[10].state & MFS_CHECKED);
    EXPECT_FALSE(form->SkinData1->SkinPending());

    form->Skin1->Item(0)->Click(); // the form's own
    EXPECT_NE(form->SkinData1->SkinStream().Bytes(),
              form->SkinStore1->Store()->Items(2)->DataStream().Bytes());
    EXPECT_FALSE(form->SkinData1->SkinPending());
    EXPECT_TRUE(Entries(subMenu("&Skin"))[0].state & MFS_CHECKED);

    // A skin file in use leaves no stored skin checked; one the engine refuses changes nothing.
    std::string error;
    EXPECT_FALSE(form->UseSkinFile({1, 2, 3}, error));
    EXPECT_FALSE(error.empty());
    EXPECT_TRUE(Entries(subMenu("&Skin"))[0].state & MFS_CHECKED);
    ASSERT_TRUE(form->UseSkinFile(form->SkinStore1->Store()->Items(4)->DataStream().Bytes(), error)) << error;
    for (const Entry& e : Entries(subMenu("&Skin")))
        EXPECT_FALSE(e.state & MFS_CHECKED) << e.text;
}

TEST_F(GalleryForm, ThePopupMenuHoldsIconsADefaultItemAShortcutAndASeparator) {
    const std::vector<Entry> popup = Entries(form->PopupMenu1->Handle());
    ASSERT_EQ(popup.size(), 5u);
    EXPECT_EQ(popup[0].text, "&New window\tCtrl+N");
    EXPECT_TRUE(popup[0].state & MFS_DEFAULT);
    EXPECT_EQ(popup[2].text, "&Refresh\tF5");
    EXPECT_TRUE(popup[3].type & MFT_SEPARATOR);
    EXPECT_EQ(form->PopupMenu1->Images(), form->ImageList1);
    EXPECT_GE(form->PopupMenu1->Items()->Item(0)->ImageIndex(), 0);
    EXPECT_EQ(form->PopupMenu(), form->PopupMenu1);
}

TEST_F(GalleryForm, RightToLeftTurnsBothMenusAround) {
    form->SetRightToLeft(true);
    EXPECT_TRUE(form->MainMenu1->IsRightToLeft());
    EXPECT_TRUE(form->PopupMenu1->IsRightToLeft());
    EXPECT_TRUE(Entries(bar)[0].type & MFT_RIGHTORDER);
    EXPECT_TRUE(Entries(form->PopupMenu1->Handle())[0].type & MFT_RIGHTORDER);
    EXPECT_TRUE(form->RightToLeft1->Checked());
    form->LeftToRight1->Click();
    EXPECT_FALSE(form->MainMenu1->IsRightToLeft());
    EXPECT_FALSE(form->PopupMenu1->IsRightToLeft());
    EXPECT_FALSE(form->RightToLeft1->Checked());
}

TEST_F(GalleryForm, NewWindowsAreMdiChildrenListedInTheWindowMenu) {
    EXPECT_EQ(form->FormStyle(), fsMDIForm);
    form->Show();
    form->NewWindow();
    form->NewWindow();
    ASSERT_EQ(form->MDIChildCount(), 2);
    EXPECT_EQ(form->ActiveMDIChild()->Caption(), "Window 2");
    const std::vector<std::string> window = Texts(form->WindowMenu()->Handle());
    EXPECT_NE(std::find_if(window.begin(), window.end(),
                           [](const std::string& t) { return t.find("Window 1") != std::string::npos; }),
              window.end());
    SendMessageA(form->Handle(), WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(form->WindowMenu()->Handle()), 3);
    EXPECT_FALSE(Entries(form->WindowMenu()->Handle())[1].state & MFS_GRAYED); // Cascade has children now
}

// View > Skinned off and on again: the open MDI children are skinned again with the frame.
TEST_F(GalleryForm, SkinnedOffAndOnAgainSkinsTheChildWindowsToo) {
    form->Show();
    HWND child = form->NewWindow()->Handle();
    auto skinned = [](HWND window) { return SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1; };
    ASSERT_TRUE(RunToolkitUntil([&] { return skinned(form->Handle()) && skinned(child); }, 5000));
    form->SkinnedClick(nullptr);
    SkinManager->ExecuteRequest();
    EXPECT_TRUE(RunToolkitUntil([&] { return !skinned(form->Handle()) && !skinned(child); }, 5000));
    form->SkinnedClick(nullptr);
    SkinManager->ExecuteRequest();
    EXPECT_TRUE(RunToolkitUntil([&] { return skinned(form->Handle()); }, 5000));
    EXPECT_TRUE(RunToolkitUntil([&] { return skinned(child); }, 5000)) << "the MDI child stayed unskinned";
}

TEST_F(GalleryForm, ARightClickInTheClientAreaOpensThePopupMenu) {
    form->Show();
    SetForegroundWindow(form->Handle());
    ASSERT_TRUE(RunToolkitUntil([&] { return IsWindowVisible(form->Handle()); }));
    RECT client{};
    GetWindowRect(form->ClientHandle(), &client);
    int popups = 0;
    Pixels shown;
    form->PopupMenu1->OnPopup = TNotifyEvent([&](TObject*) { ++popups; });
    auto closer = CloseNextPopupMenu([&](HWND menu) { shown = CaptureWindow(menu); });
    MouseClickAt((client.left + client.right) / 2, (client.top + client.bottom) / 2, false);
    ASSERT_TRUE(RunToolkitUntil([&] { return popups == 1 && !shown.empty(); }, 5000));
    SaveImage(ScreenshotPath("gallery-popup.png"), shown);
    EXPECT_EQ(form->PopupMenu1->PopupComponent(), form);
}

TEST_F(GalleryForm, TheAboutBoxIsModalAndClosesWithItsButton) {
    form->Show();
    bool seen = false;
    auto* timer = new TTimer(form);
    timer->SetInterval(100);
    timer->OnTimer = TNotifyEvent([&](TObject*) {
        HWND box = FindWindowA("TGalleryAbout", "About Skin Gallery");
        if (!box || !IsWindowVisible(box)) return;
        timer->SetEnabled(false);
        seen = !IsWindowEnabled(form->Handle());
        PostMessageA(FindWindowExA(box, nullptr, "TButton", "OK"), BM_CLICK, 0, 0);
    });
    timer->SetEnabled(true);
    auto* about = dynamic_cast<TMenuItem*>(form->FindComponent("About1"));
    ASSERT_TRUE(about);
    about->Click();
    EXPECT_TRUE(seen);
    EXPECT_EQ(FindWindowA("TGalleryAbout", nullptr), nullptr);
}

} // namespace
