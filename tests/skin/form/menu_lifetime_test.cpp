// What a program does while a menu of the skinned bar is open: an item's OnClick or an action
// update changes the menu, the form is unskinned or its window destroyed. The bar keeps its
// items until the menu closes and is freed only afterwards; the handlers the form skinner gives
// menu items go when it lets go, and a program's own come back.
#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/menu_item_painter.h"
#include "skin/form/win_skin_form.h"
#include "tests/skin/core/test_skin.h"
#include "tests/support/menu_watch.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/actions.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/controls/register.h"
#include "toolkit/core/class_builder.h"

namespace {

class TLifetimeForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TLifetimeForm(TComponent* owner) : TForm(owner) {}
};

} // namespace

const TClassInfo& TLifetimeForm::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TLifetimeForm>("TLifetimeForm", &TForm::StaticClass()).Creatable().Build();
    return info;
}

namespace {

std::unique_ptr<TSkinData> LifetimeSkin() {
    qs::test::TestSkin t;
    t.ini =
        "[Personality]\r\nTop=t.bmp\r\nLeft=s.bmp\r\nRight=s.bmp\r\nBottom=b.bmp\r\nTopTrans=0\r\n"
        "LeftTrans=0\r\nRightTrans=0\r\nBottomTrans=0\r\nmenuBar=bar.bmp\r\nTileMenu=1\r\n"
        "[MenuItem]\r\nImage=item.bmp\r\nLeftWidth=6\r\nRightWidth=5\r\nTopHeight=0\r\nBottomHeight=0\r\n";
    t.Bmp("t.bmp", 40, 22, 0x204060).Bmp("s.bmp", 4, 40, 0x204060).Bmp("b.bmp", 40, 4, 0x204060);
    t.Bmp("bar.bmp", 30, 40, 0xE0E0E0).Bmp("item.bmp", 100, 24, 0x808080);
    auto skin = std::make_unique<TSkinData>(nullptr);
    const auto bytes = t.Compressed();
    skin->SkinStream().Write(bytes.data(), bytes.size());
    EXPECT_TRUE(skin->LoadSkin());
    return skin;
}

TMenuItem* addItem(TMenu& menu, TMenuItem* parent, const std::string& caption) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    (parent ? parent : menu.Items())->Add(item);
    return item;
}

bool ownerDrawn(HMENU menu, int position) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE;
    return GetMenuItemInfoA(menu, UINT(position), TRUE, &info) && (info.fType & MFT_OWNERDRAW);
}

// What the timer runs inside the menu loop, once.
std::function<void()> pending;

void CALLBACK runPending(HWND, UINT, UINT_PTR, DWORD) {
    if (!pending || !qs::test::VisibleMenuWindow()) return;
    std::function<void()> run = std::exchange(pending, nullptr);
    run();
}

// Runs `act` once from a thread timer inside the menu loop that `open` starts.
void InsideTheLoop(const std::function<void()>& open, std::function<void()> act, qs::test::MenuWatch w = {}) {
    pending = std::move(act);
    // A pointer move away from the menu keeps the watch waiting, so the menu stays open for `act`.
    if (w.moveTo.x < 0) w.moveTo = POINT{5, 700};
    const UINT_PTR timer = SetTimer(nullptr, 0, 150, runPending);
    qs::test::WatchMenus(open, std::move(w));
    KillTimer(nullptr, timer);
    pending = nullptr;
}

class MenuLifetime : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterControlClasses();
        Application->Initialize();
        skin = LifetimeSkin();
        form.reset(NewForm<TLifetimeForm>(nullptr));
        form->SetBounds(60, 60, 420, 260);
        menu = new TMainMenu(form.get());
        file = addItem(*menu, nullptr, "&File");
        one = addItem(*menu, file, "One");
        addItem(*menu, file, "Two");
        edit = addItem(*menu, nullptr, "&Edit");
        addItem(*menu, edit, "Cut");
        form->SetMenu(menu);
        form->Show();
        SetForegroundWindow(form->Handle());
        qs::test::PumpFor(30);
    }
    void Skin() {
        skinner = std::make_unique<TWinSkinForm>(form->Handle(), "");
        skinner->SkinForm(skin.get(), form.get());
        SendMessageA(form->Handle(), SKM_SKINFORM, 0, kSkinFormSignature);
        qs::test::PumpFor(50);
    }
    void TearDown() override {
        skinner.reset();
        form.reset();
    }
    TWinSkinMenu& bar() { return *skinner->MenuBarSkinner; }
    LPARAM barPoint(int index) {
        const RECT& r = bar().Items[size_t(index)]->Rect;
        RECT wr{};
        GetWindowRect(form->Handle(), &wr);
        return MAKELPARAM(wr.left + (r.left + r.right) / 2, wr.top + (r.top + r.bottom) / 2);
    }

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TLifetimeForm> form;
    std::unique_ptr<TWinSkinForm> skinner;
    TMainMenu* menu = nullptr;
    TMenuItem *file = nullptr, *one = nullptr, *edit = nullptr;
};

TEST_F(MenuLifetime, AnOnClickThatAddsASubItemKeepsTheBarAndTheNewEntryIsOwnerDrawn) {
    Skin();
    ASSERT_TRUE(skinner->MenuBarSkinner);
    int added = 0;
    file->OnClick = TNotifyEvent([&](TObject*) { addItem(*menu, file, "Added " + std::to_string(++added)); });
    for (bool byKey : {false, true}) {
        const TMenuBtn* before = bar().Items[0].get();
        bool sameItems = false, entryOwnerDrawn = false;
        qs::test::MenuWatch w;
        w.look = [&](HWND) {
            sameItems = skinner->MenuBarSkinner && bar().Items[0].get() == before;
            const HMENU sub = file->Handle();
            entryOwnerDrawn = ownerDrawn(sub, GetMenuItemCount(sub) - 1);
        };
        const std::vector<HMENU> shown = qs::test::WatchMenus(
            [&] {
                if (byKey)
                    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_KEYMENU, 'f');
                else
                    SendMessageA(form->Handle(), SKM_MENUBARCLICK, 0, barPoint(0));
            },
            w);
        qs::test::PumpFor(30);
        ASSERT_FALSE(shown.empty()) << byKey;
        EXPECT_EQ(shown.front(), file->Handle()) << byKey;
        EXPECT_EQ(file->Count(), 3 + int(byKey)) << "the click came inside the menu loop";
        EXPECT_TRUE(sameItems) << "the bar keeps its items while their menu is open " << byKey;
        EXPECT_TRUE(entryOwnerDrawn) << "the added entry is drawn by the skin like the rest " << byKey;
        ASSERT_EQ(bar().Items.size(), 2u);
        EXPECT_EQ(bar().Items[0]->Item, file);
        EXPECT_FALSE(skinner->TrackingMenu);
    }
}

TEST_F(MenuLifetime, AnActionUpdateThatRenamesATopItemIsShownOnceTheMenuCloses) {
    Skin();
    TAction action(form.get());
    action.SetCaption("One");
    action.OnUpdate = TNotifyEvent([&](TObject*) { file->SetCaption("&Fichier"); });
    one->SetAction(&action);
    const TMenuBtn* before = bar().Items[0].get();
    bool sameItems = false;
    qs::test::MenuWatch w;
    w.look = [&](HWND) { sameItems = bar().Items[0].get() == before && bar().Items[0]->Caption == L"&File"; };
    const std::vector<HMENU> shown = qs::test::WatchMenus([&] { bar().OpenItem(bar().Items[0].get()); }, w);
    ASSERT_FALSE(shown.empty());
    EXPECT_EQ(shown.front(), file->Handle()) << "the menu opens below the item, renamed or not";
    EXPECT_TRUE(sameItems);
    ASSERT_EQ(bar().Items.size(), 2u);
    EXPECT_EQ(bar().Items[0]->Caption, L"&Fichier") << "rebuilt when the menu closed";
    one->SetAction(nullptr);
}

TEST_F(MenuLifetime, UnskinningFromInsideAnOpenMenuEndsItAndFreesTheBarAfterwards) {
    Skin();
    DWORD unskinnedAt = 0;
    InsideTheLoop([&] { bar().OpenItem(bar().Items[0].get()); },
                  [&] {
                      skinner->Unskin();
                      unskinnedAt = GetTickCount();
                  });
    const DWORD closedAt = GetTickCount();
    ASSERT_NE(unskinnedAt, 0u);
    EXPECT_LT(closedAt - unskinnedAt, 1000u) << "unskinning ends the open menu";
    EXPECT_FALSE(skinner->MenuBarSkinner);
    EXPECT_FALSE(skinner->TrackingMenu);
    EXPECT_EQ(GetMenu(form->Handle()), menu->Handle()) << "the window has its menu back";
    // The form goes on working as an unskinned one: its menu still changes.
    addItem(*menu, edit, "Paste");
    qs::test::PumpFor(30);
    EXPECT_EQ(GetMenuItemCount(edit->Handle()), 2);
}

TEST_F(MenuLifetime, AWindowDestroyedWithItsSkinnerFromInsideAnOpenMenu) {
    Skin();
    const HWND hwnd = form->Handle();
    bool destroyed = false;
    InsideTheLoop([&] { bar().OpenItem(bar().Items[0].get()); },
                  [&] {
                      skinner.reset();
                      form.reset();
                      destroyed = true;
                  });
    ASSERT_TRUE(destroyed);
    EXPECT_FALSE(IsWindow(hwnd));
    EXPECT_EQ(qs::test::VisibleMenuWindow(), nullptr);
}

TEST_F(MenuLifetime, AMenuThatGetsItsFirstItemsAfterSkinningGetsTheBar) {
    form->SetMenu(nullptr);
    auto* late = new TMainMenu(form.get());
    form->SetMenu(late);
    Skin();
    EXPECT_FALSE(skinner->MenuBarSkinner) << "no items yet";
    TMenuItem* view = addItem(*late, nullptr, "&View");
    addItem(*late, view, "Zoom");
    qs::test::PumpFor(30);
    ASSERT_TRUE(skinner->MenuBarSkinner);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr) << "the skinned bar, not the system's";
    EXPECT_EQ(skinner->MenuHeight, GetSystemMetrics(SM_CYMENU));
    ASSERT_EQ(bar().Items.size(), 1u);
    EXPECT_EQ(bar().Items[0]->Caption, L"&View");
}

TEST_F(MenuLifetime, BarMenuItemsAreMeasuredInTheMenuFont) {
    TMenuItem* wide = addItem(*menu, file, "Measured in the menu font WWW");
    Skin();
    MEASUREITEMSTRUCT m{};
    m.CtlType = ODT_MENU;
    m.itemID = wide->Command();
    ASSERT_TRUE(SendMessageA(form->Handle(), WM_MEASUREITEM, 0, LPARAM(&m)));
    win::MemoryDC dc(nullptr);
    win::SelectGuard font(dc.Get(), MenuFont());
    SIZE extent{};
    const std::string text = "Measured in the menu font WWW";
    GetTextExtentPoint32A(dc.Get(), text.c_str(), int(text.size()), &extent);
    const int plain = extent.cx + 8 + GetSystemMetrics(SM_CXMENUCHECK) + 6;
    EXPECT_EQ(int(m.itemWidth), plain + MenuItemExtraWidth(*skin, false, true));
}

TEST_F(MenuLifetime, AProgramsOwnHandlerOnADeepItemSurvivesSkinningOnAndOff) {
    TMenuItem* sub = addItem(*menu, file, "Sub");
    TMenuItem* deep = addItem(*menu, sub, "Deep");
    TMenuItem* gone = addItem(*menu, sub, "Gone");
    int programDrew = 0;
    deep->OnDrawItem = TMenuDrawItemEvent([&](TObject*, TCanvas*, const RECT&, bool) { ++programDrew; });
    skin->SetSkinControls(skin->SkinControls() | SetOf(xcMenuItem));
    Skin();
    // What child attachment does for a control's menu.
    skinner->SetItemTreeOwnerDraw(edit, true);
    EXPECT_TRUE(sub->OnDrawItem.fn) << "the skin draws the items without a handler of their own";
    EXPECT_TRUE(edit->Item(0)->OnDrawItem.fn);
    delete gone; // freed while it has our handlers: forgotten, not touched later

    TBitmap target(40, 20, pf24bit);
    TCanvas& canvas = target.Canvas();
    deep->DrawItem(canvas, RECT{0, 0, 40, 20}, false);
    EXPECT_EQ(programDrew, 1) << "a program's own drawing is left to it while skinned";

    skinner->Unskin();
    deep->DrawItem(canvas, RECT{0, 0, 40, 20}, false);
    EXPECT_EQ(programDrew, 2) << "and it has its handler after unskinning";
    EXPECT_FALSE(sub->OnDrawItem.fn);
    EXPECT_FALSE(sub->OnMeasureItem.fn);
    EXPECT_FALSE(edit->Item(0)->OnDrawItem.fn) << "the child-attachment switch is taken back too";
    EXPECT_EQ(skinner->MenuHandlers.Count(), 0u);

    // A skinner destroyed while skinned takes its handlers with it.
    auto other = std::make_unique<TWinSkinForm>(form->Handle(), "");
    other->SkinForm(skin.get(), form.get());
    other->SetItemTreeOwnerDraw(edit, true);
    ASSERT_TRUE(edit->Item(0)->OnDrawItem.fn);
    other.reset();
    EXPECT_FALSE(edit->Item(0)->OnDrawItem.fn);
    EXPECT_TRUE(deep->OnDrawItem.fn);
}

} // namespace
