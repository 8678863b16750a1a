// Menus: the HMENU built from items, command dispatch by identifier, owner-draw events, the menu
// bar of a form, and a popup opened for real.
#include <gtest/gtest.h>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"

namespace {

std::string menuText(HMENU menu, UINT pos) {
    char text[128] = {};
    GetMenuStringA(menu, pos, text, sizeof text, MF_BYPOSITION);
    return text;
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
    EXPECT_EQ(menuText(h, 0), "&Open"); // automatic accelerators by default
    EXPECT_EQ(GetMenuItemID(h, 0), open->Command());
    EXPECT_EQ(GetMenuState(h, 1, MF_BYPOSITION) & MF_SEPARATOR, UINT(MF_SEPARATOR));
    EXPECT_EQ(GetSubMenu(h, 2), sub->Handle());
    EXPECT_EQ(deep->Parent()->Handle(), GetSubMenu(h, 2));
    popup->SetAutoHotkeys(maManual);
    open->SetEnabled(false);
    open->SetChecked(true);
    open->SetShortCut(MakeShortCut('C', ssCtrl | ssAlt));
    h = popup->Handle(); // rebuilt after the changes
    EXPECT_EQ(menuText(h, 0), "Open\tCtrl+Alt+C");
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
    EXPECT_EQ(menuText(GetMenu(form->Handle()), 0), "&Fichier");
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

} // namespace
