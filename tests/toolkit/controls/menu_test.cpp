// Menus: the HMENU built from items and kept up to date in place, radio groups, right-to-left
// menus, command dispatch by identifier and by shortcut, owner-draw events and images beside
// system-drawn text, the menu bar of a form, and popups opened for real.
#include <gtest/gtest.h>

#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/graphics/image_list.h"

namespace {

MENUITEMINFOA entry(HMENU menu, UINT pos) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_BITMAP | MIIM_ID;
    GetMenuItemInfoA(menu, pos, TRUE, &mii);
    return mii;
}

// Opens a popup for real and returns the menu window's screen rectangle, read while it shows.
RECT OpenedPopupRect(TPopupMenu* popup, TCustomForm* form, int x, int y) {
    RECT shown{};
    auto closer = qs::test::CloseNextPopupMenu([&](HWND menu) { GetWindowRect(menu, &shown); });
    SetForegroundWindow(form->Handle());
    popup->Popup(x, y);
    return shown;
}

TMenuItem* addItem(TMenu* menu, TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(menu->Owner());
    item->SetCaption(caption);
    (parent ? parent : menu->Items())->Add(item);
    return item;
}

class Menus : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TPlainForm>(nullptr);
        popup = new TPopupMenu(form);
        open = addItem(popup, nullptr, "Open");
        addItem(popup, nullptr, "-");
        sub = addItem(popup, nullptr, "More");
        deep = addItem(popup, sub, "Deep");
        open->OnClick = TNotifyEvent([this](TObject*) { ++openClicks; });
    }
    void TearDown() override { delete form; }
    TPlainForm* form = nullptr;
    TPopupMenu* popup = nullptr;
    TMenuItem *open = nullptr, *sub = nullptr, *deep = nullptr;
    int openClicks = 0;
};

TEST_F(Menus, HandleMirrorsTheItems) {
    HMENU h = popup->Handle();
    ASSERT_EQ(GetMenuItemCount(h), 3);
    EXPECT_EQ(MenuText(h, 0), "&Open"); // automatic accelerators by default
    EXPECT_EQ(GetMenuItemID(h, 0), open->Command());
    EXPECT_EQ(GetMenuState(h, 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(GetSubMenu(h, 2), sub->Handle());
    EXPECT_EQ(deep->Parent()->Handle(), GetSubMenu(h, 2));
    popup->SetAutoHotkeys(maManual);
    open->SetEnabled(false);
    open->SetChecked(true);
    open->SetShortCut(MakeShortCut('C', ssCtrl | ssAlt));
    h = popup->Handle(); // rebuilt after the changes
    EXPECT_EQ(MenuText(h, 0), "Open\tCtrl+Alt+C");
    UINT state = GetMenuState(h, 0, MF_BYPOSITION);
    EXPECT_TRUE(state & MF_GRAYED);
    EXPECT_TRUE(state & MF_CHECKED);
    deep->SetVisible(false);
    EXPECT_EQ(GetMenuItemCount(GetSubMenu(popup->Handle(), 2)), 0);
}

TEST_F(Menus, ShortCutTextRoundTrips) {
    EXPECT_EQ(ShortCutToText(MakeShortCut(VK_F4, ssAlt)), "Alt+F4");
    EXPECT_EQ(ShortCutToText(MakeShortCut(VK_DELETE, ssShift | ssCtrl)), "Shift+Ctrl+Del");
    EXPECT_EQ(TextToShortCut("Ctrl+Alt+C"), MakeShortCut('C', ssCtrl | ssAlt));
    EXPECT_EQ(TextToShortCut("Nonsense"), scNone);
    EXPECT_EQ(ShortCutToText(scNone), "");
}

TEST_F(Menus, CommandsReachTheItemByIdentifier) {
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
    EXPECT_EQ(openClicks, 1);
    SendMessageA(Application->Handle(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
    EXPECT_EQ(openClicks, 2);
    open->SetEnabled(false);
    SendMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(open->Command(), 0), 0);
    EXPECT_EQ(openClicks, 2);
    EXPECT_EQ(popup->FindItem(deep->Command()), deep);
    UINT gone = deep->Command();
    delete deep;
    EXPECT_EQ(TMenuItem::FindByCommand(gone), nullptr);
    EXPECT_EQ(sub->Count(), 0);
}

TEST_F(Menus, OwnerDrawItemsAreMeasuredAndDrawnThroughTheirEvents) {
    popup->SetOwnerDraw(true);
    HMENU h = popup->Handle();
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STRING;
    char buffer[32] = {};
    mii.dwTypeData = buffer;
    mii.cch = sizeof buffer;
    GetMenuItemInfoA(h, 0, TRUE, &mii);
    EXPECT_TRUE(mii.fType & MFT_OWNERDRAW);
    EXPECT_STREQ(buffer, ""); // owner-drawn items carry no text

    int measured = 0, drawn = 0;
    bool lastSelected = false;
    open->OnMeasureItem = TMenuMeasureItemEvent([&](TObject*, TCanvas* c, int& w, int& h2) {
        ++measured;
        EXPECT_GT(w, 0); // the default measurement came first
        EXPECT_NE(c->Handle(), nullptr);
        w += 35;
        h2 = 30;
    });
    open->OnDrawItem = TMenuDrawItemEvent([&](TObject*, TCanvas* c, const RECT& r, bool selected) {
        ++drawn;
        lastSelected = selected;
        c->Brush().SetColor(clRed);
        c->FillRect(r);
    });
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, open->Command(), 0, 0, 0};
    EXPECT_TRUE(SendMessageA(form->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
    EXPECT_EQ(measured, 1);
    EXPECT_EQ(mis.itemHeight, 30u);

    win::MemoryDC mem(nullptr);
    win::BitmapHandle bmp(CreateBitmap(20, 10, 1, 32, nullptr));
    win::SelectGuard sel(mem.Get(), bmp.Get());
    DRAWITEMSTRUCT dis{ODT_MENU,
                       0,
                       open->Command(),
                       ODA_DRAWENTIRE,
                       ODS_SELECTED,
                       reinterpret_cast<HWND>(h),
                       mem.Get(),
                       {0, 0, 20, 10},
                       reinterpret_cast<ULONG_PTR>(open)};
    EXPECT_TRUE(SendMessageA(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis)));
    EXPECT_EQ(drawn, 1);
    EXPECT_TRUE(lastSelected);
    EXPECT_EQ(GetPixel(mem.Get(), 5, 5), RGB(255, 0, 0));
    // Without a handler the item draws itself in the system colours.
    open->OnDrawItem = {};
    dis.itemState = 0;
    SendMessageA(form->Handle(), WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(GetPixel(mem.Get(), 1, 1), GetSysColor(COLOR_MENU));
}

TEST_F(Menus, MainMenuIsAttachedAndRebuiltWithANotice) {
    auto* bar = new TMainMenu(form);
    TMenuItem* file = addItem(bar, nullptr, "File");
    addItem(bar, file, "Quit");
    form->SetMenu(bar);
    EXPECT_EQ(GetMenu(form->Handle()), bar->Handle());
    MessageSpy spy(form);
    file->SetCaption("Fichier");
    EXPECT_EQ(spy.Count(TKN_MENUCHANGED), 1);
    EXPECT_EQ(GetMenu(form->Handle()), bar->Handle());
    EXPECT_EQ(MenuText(GetMenu(form->Handle()), 0), "&Fichier");
    HWND hwnd = form->Handle();
    delete bar;
    EXPECT_EQ(GetMenu(hwnd), nullptr);
    EXPECT_EQ(form->Menu(), nullptr);
}

TEST_F(Menus, PopupOpensForRealAndTheChosenItemClicks) {
    popup->SetOwnerDraw(true);
    int measured = 0, drawn = 0;
    open->OnMeasureItem = TMenuMeasureItemEvent([&](TObject*, TCanvas*, int&, int&) { ++measured; });
    open->OnDrawItem = TMenuDrawItemEvent([&](TObject*, TCanvas*, const RECT&, bool) { ++drawn; });
    form->Show();
    qs::test::PumpFor(50);
    // Choose the first item with the keyboard once the menu is open.
    auto* timer = new TTimer(form);
    timer->SetInterval(200);
    timer->OnTimer = TNotifyEvent([&](TObject*) {
        timer->SetEnabled(false);
        qs::test::KeyPress(VK_DOWN);
        qs::test::KeyPress(VK_RETURN);
    });
    timer->SetEnabled(true);
    SetForegroundWindow(form->Handle());
    popup->Popup(200, 200);
    Application->ProcessMessages();
    EXPECT_EQ(openClicks, 1);
    EXPECT_GE(measured, 1);
    EXPECT_GE(drawn, 1);
}

TEST_F(Menus, ContextMenuMessageOpensTheControlsPopup) {
    int popups = 0;
    popup->OnPopup = TNotifyEvent([&](TObject*) { ++popups; });
    form->SetPopupMenu(popup);
    form->Show();
    auto* timer = new TTimer(form);
    timer->SetInterval(150);
    timer->OnTimer = TNotifyEvent([&](TObject*) {
        timer->SetEnabled(false);
        qs::test::KeyPress(VK_ESCAPE);
    });
    timer->SetEnabled(true);
    SendMessageA(form->Handle(), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(form->Handle()),
                 MAKELPARAM(150, 150));
    EXPECT_EQ(popups, 1);
    EXPECT_EQ(popup->PopupComponent(), form);
}

TEST_F(Menus, ChangesKeepTheHandlesAndLeaveEntriesOfOthersInPlace) {
    HMENU h = popup->Handle();
    HMENU subMenu = sub->Handle();
    open->SetCaption("Opened");
    EXPECT_EQ(popup->Handle(), h);
    EXPECT_EQ(sub->Handle(), subMenu);
    EXPECT_EQ(MenuText(h, 0), "&Opened");
    // An entry someone else appended (as the MDI client does to a window menu) stays after ours.
    AppendMenuA(subMenu, MF_STRING, 0xFF00, "Foreign");
    TMenuItem* deeper = addItem(popup, sub, "Deeper");
    deep->SetVisible(false);
    ASSERT_EQ(GetMenuItemCount(subMenu), 2);
    EXPECT_EQ(GetMenuItemID(subMenu, 0), deeper->Command());
    EXPECT_EQ(MenuText(subMenu, 1), "Foreign");
    // An item that gains its first sub-item gets a sub-menu, and loses it with its last one.
    TMenuItem* inner = addItem(popup, open, "Inner");
    ASSERT_NE(open->Handle(), nullptr);
    EXPECT_EQ(GetSubMenu(h, 0), open->Handle());
    delete inner;
    EXPECT_EQ(GetSubMenu(h, 0), nullptr);
    EXPECT_EQ(popup->Handle(), h);
}

TEST_F(Menus, ItemsAreFoundByTheirSubMenuHandle) {
    auto* other = new TPopupMenu(form);
    addItem(other, nullptr, "Elsewhere");
    EXPECT_EQ(popup->FindItemByHandle(sub->Handle()), sub);
    EXPECT_EQ(popup->FindItemByHandle(popup->Handle()), popup->Items());
    EXPECT_EQ(TMenuItem::FindByHandle(sub->Handle()), sub);
    EXPECT_EQ(other->FindItemByHandle(sub->Handle()), nullptr);
    EXPECT_EQ(popup->FindItemByHandle(nullptr), nullptr);
    EXPECT_EQ(popup->FindItemByHandle(other->Handle()), nullptr);
}

TEST_F(Menus, CheckingARadioItemUnchecksItsGroupAtItsLevelOnly) {
    auto radio = [&](TMenuItem* parent, const char* caption, int group) {
        TMenuItem* item = addItem(popup, parent, caption);
        item->SetRadioItem(true);
        item->SetGroupIndex(group);
        return item;
    };
    TMenuItem* a = radio(nullptr, "A", 1);
    TMenuItem* b = radio(nullptr, "B", 1);
    TMenuItem* other = radio(nullptr, "C", 2);
    TMenuItem* nested = radio(sub, "N", 1);
    open->SetGroupIndex(1); // same group, but not a radio item
    for (TMenuItem* item : {a, other, nested, open})
        item->SetChecked(true);
    b->SetChecked(true);
    EXPECT_FALSE(a->Checked());
    EXPECT_TRUE(b->Checked());
    EXPECT_TRUE(other->Checked());
    EXPECT_TRUE(nested->Checked());
    EXPECT_TRUE(open->Checked());

    HMENU h = popup->Handle();
    const MENUITEMINFOA entryA = entry(h, 3), entryB = entry(h, 4);
    EXPECT_TRUE(entryB.fType & MFT_RADIOCHECK);
    EXPECT_TRUE(entryB.fState & MFS_CHECKED);
    EXPECT_FALSE(entryA.fState & MFS_CHECKED);
    EXPECT_FALSE(entry(h, 0).fType & MFT_RADIOCHECK);
    // Making a checked item a radio item of a group with a checked member settles the group too.
    a->SetRadioItem(false);
    a->SetChecked(true);
    a->SetRadioItem(true);
    EXPECT_FALSE(b->Checked());
}

TEST_F(Menus, APlainDrawnRadioItemShowsABulletWhereACheckItemShowsAMark) {
    auto draw = [](TMenuItem* item) {
        win::MemoryDC mem(nullptr);
        win::BitmapHandle bmp(CreateBitmap(120, 24, 1, 32, nullptr));
        win::SelectGuard sel(mem.Get(), bmp.Get());
        TCanvas canvas;
        canvas.SetHandle(mem.Get());
        item->DrawPlain(canvas, {0, 0, 120, 24}, false);
        canvas.SetHandle(nullptr);
        std::vector<COLORREF> glyph;
        for (int y = 0; y < 24; ++y)
            for (int x = 0; x < 24; ++x)
                glyph.push_back(GetPixel(mem.Get(), x, y));
        return glyph;
    };
    open->SetChecked(true);
    const auto mark = draw(open);
    open->SetRadioItem(true);
    const auto bullet = draw(open);
    open->SetChecked(false);
    const auto empty = draw(open);
    EXPECT_NE(mark, bullet);
    EXPECT_NE(bullet, empty);
}

TEST_F(Menus, RightToLeftMenusOrderAndJustifyEveryEntryFromTheRight) {
    auto* bar = new TMainMenu(form);
    TMenuItem* file = addItem(bar, nullptr, "File");
    addItem(bar, file, "Quit");
    form->SetMenu(bar);
    HMENU barHandle = bar->Handle();
    constexpr UINT rtl = MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
    EXPECT_EQ(entry(barHandle, 0).fType & rtl, 0u);
    for (TMenu* menu : std::initializer_list<TMenu*>{bar, popup})
        menu->SetBiDiMode(bdRightToLeft);
    EXPECT_EQ(bar->Handle(), barHandle);
    EXPECT_EQ(GetMenu(form->Handle()), barHandle);
    EXPECT_EQ(entry(barHandle, 0).fType & rtl, rtl);
    EXPECT_EQ(entry(file->Handle(), 0).fType & rtl, rtl);
    for (UINT pos = 0; pos < 3; ++pos)
        EXPECT_EQ(entry(popup->Handle(), pos).fType & rtl, rtl) << pos;
    EXPECT_EQ(entry(sub->Handle(), 0).fType & rtl, rtl);
    EXPECT_TRUE(deep->IsRightToLeft());
    EXPECT_TRUE(file->IsRightToLeft());
    TMenuItem loose(nullptr);
    EXPECT_FALSE(loose.IsRightToLeft());
    popup->SetBiDiMode(bdLeftToRight);
    EXPECT_EQ(entry(popup->Handle(), 0).fType & rtl, 0u);
    EXPECT_FALSE(deep->IsRightToLeft());
}

TEST_F(Menus, ARightToLeftPopupOpensLeftwardsFromItsPoint) {
    form->Show();
    const RECT ltr = OpenedPopupRect(popup, form, 300, 300);
    EXPECT_EQ(ltr.left, 300);
    popup->SetBiDiMode(bdRightToLeft);
    const RECT rtl = OpenedPopupRect(popup, form, 300, 300);
    EXPECT_EQ(rtl.right, 300);
    EXPECT_LT(rtl.left, 300);
}

TEST_F(Menus, ImagesShowBesideSystemDrawnText) {
    auto* images = new TImageList(form);
    TBitmap red;
    red.SetSize(16, 16);
    red.Canvas().Brush().SetColor(clRed);
    red.Canvas().FillRect({0, 0, 16, 16});
    images->Add(red);
    popup->SetImages(images);
    open->SetImageIndex(0);
    HMENU h = popup->Handle();
    EXPECT_EQ(entry(h, 0).hbmpItem, HBMMENU_CALLBACK);
    EXPECT_EQ(entry(h, 2).hbmpItem, nullptr); // no image index
    MEASUREITEMSTRUCT mis{ODT_MENU, 0, open->Command(), 0, 0, reinterpret_cast<ULONG_PTR>(open)};
    EXPECT_TRUE(SendMessageA(Application->Handle(), WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis)));
    EXPECT_EQ(mis.itemWidth, 16u);
    EXPECT_EQ(mis.itemHeight, 16u);

    // The system asks for the image while it draws the open menu.
    form->Show();
    qs::test::Pixels shot;
    auto closer = qs::test::CloseNextPopupMenu([&](HWND menu) { shot = qs::test::CaptureWindow(menu); });
    SetForegroundWindow(form->Handle());
    popup->Popup(200, 200);
    int redPixels = 0;
    for (uint32_t px : shot.data)
        redPixels += (px & 0xFFFFFF) == 0xFF0000;
    EXPECT_GE(redPixels, 200);
}

TEST_F(Menus, AShortCutKeyClicksItsShownEnabledItemThroughTheLoop) {
    auto* bar = new TMainMenu(form);
    TMenuItem* file = addItem(bar, nullptr, "File");
    TMenuItem* run = addItem(bar, file, "Run");
    run->SetShortCut(MakeShortCut(VK_F7, 0));
    int runs = 0;
    run->OnClick = TNotifyEvent([&](TObject*) { ++runs; });
    form->SetMenu(bar);
    form->Show();
    // The loop handles the posted key before ProcessMessages returns.
    auto press = [&] {
        PostMessageA(form->Handle(), WM_KEYDOWN, VK_F7, 0);
        Application->ProcessMessages();
    };
    press();
    EXPECT_EQ(runs, 1);
    run->SetEnabled(false);
    press();
    run->SetEnabled(true);
    run->SetVisible(false);
    press();
    EXPECT_EQ(runs, 1);
    EXPECT_FALSE(bar->IsShortCut(scNone));
}

} // namespace
