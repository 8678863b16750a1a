// The gallery's control pages in-process: each opens as an MDI child of the frame from --page,
// with the named controls the skinning tests look for, in the states they expect, every one of
// them in sight at the gallery's first size.
#include <windows.h>

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "gallery/page_lists.h"
#include "gallery/page_ranges.h"
#include "gallery/pages.h"
#include "skin/core/skin_manager.h"
#include "tests/support/toolkit_loop.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/bit_btn.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/date_time.h"
#include "toolkit/controls/edit_ctrls.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/group_box.h"
#include "toolkit/controls/header_ctrl.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/controls/media_player.h"
#include "toolkit/controls/memo.h"
#include "toolkit/controls/radio_group.h"
#include "toolkit/controls/range_ctrls.h"
#include "toolkit/controls/scroll_ctrls.h"
#include "toolkit/controls/speed_button.h"
#include "toolkit/controls/status_bar.h"
#include "toolkit/controls/tab_ctrls.h"
#include "toolkit/controls/tab_set.h"
#include "toolkit/controls/timer.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/handles.h"

using namespace qs::test;

namespace {

// The bar's range is longer than its page: there is more to scroll to.
bool BarHasMoreThanAPage(HWND window, int bar) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_RANGE | SIF_PAGE;
    return GetScrollInfo(window, bar, &info) && info.nMax - info.nMin + 1 > int(info.nPage);
}

bool HasStyle(TWinControl* control, DWORD style) {
    return (GetWindowLongA(control->Handle(), GWL_STYLE) & style) == style;
}

// The page's direct children, of class C.
template <class C> std::vector<C*> ChildrenOf(TCustomForm* page) {
    std::vector<C*> found;
    for (TControl* c : page->Controls())
        if (auto* typed = dynamic_cast<C*>(c)) found.push_back(typed);
    return found;
}

class GalleryPages : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterGalleryClasses(); }
    void SetUp() override {
        Application->Initialize();
        frame = NewForm<TGalleryForm>(nullptr);
    }
    void TearDown() override {
        delete frame;
        FreeSkinManager();
    }
    // Starts the frame as `--page name` does (with `--shot` when `shot`); the page is its only
    // child.
    TCustomForm* open(const std::string& name, bool shot = false) {
        GalleryOptions options;
        options.page = name;
        if (shot) options.shotFile = L"never-taken.png";
        std::string error;
        EXPECT_TRUE(frame->Start(options, {}, error)) << error;
        if (frame->MDIChildCount() != 1) return nullptr;
        return frame->MDIChildren(0);
    }
    template <class C> C* find(const char* name) {
        auto* c = dynamic_cast<C*>(page->FindComponent(name));
        EXPECT_NE(c, nullptr) << name;
        return c;
    }
    TGalleryForm* frame = nullptr;
    TCustomForm* page = nullptr;
};

TEST_F(GalleryPages, EveryPageIsNamedOnTheCommandLine) {
    EXPECT_EQ(GalleryPageNames(), (std::vector<std::string>{"Buttons", "Choices", "Lists", "Ranges", "Tabs",
                                                            "Text", "Containers", "Media"}));
    EXPECT_EQ(FindGalleryPage("buttons"), nullptr);
}

TEST_F(GalleryPages, ButtonsPageHoldsPushBitAndSpeedButtons) {
    page = open("Buttons");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->FormStyle(), fsMDIChild);
    EXPECT_EQ(page->Caption(), "Buttons");
    EXPECT_EQ(find<TButton>("ButtonNormal")->Caption(), "Normal");
    EXPECT_TRUE(find<TButton>("ButtonDefault")->Default());
    EXPECT_FALSE(find<TButton>("ButtonDisabled")->Enabled());
    EXPECT_NE(find<TButton>("ButtonTwoLines")->Caption().find("||"), std::string::npos);

    std::set<TButtonLayout> layouts;
    for (const char* side : {"Left", "Right", "Top", "Bottom"})
        for (int cells = 1; cells <= 3; ++cells) {
            const std::string name = std::string("BitBtn") + side + std::to_string(cells);
            auto* b = find<TBitBtn>(name.c_str());
            ASSERT_NE(b, nullptr);
            EXPECT_TRUE(b->Enabled());
            EXPECT_EQ(b->NumGlyphs(), cells) << name;
            EXPECT_EQ(b->Glyph()->Width(), 16 * cells) << name;
            layouts.insert(b->Layout());
        }
    EXPECT_EQ(layouts.size(), 4u);
    for (const char* name :
         {"BitBtnDisabled1", "BitBtnDisabled2", "BitBtnDisabled3", "BitBtnDisabledBottom1"}) {
        auto* b = find<TBitBtn>(name);
        ASSERT_NE(b, nullptr);
        EXPECT_FALSE(b->Enabled()) << name;
        EXPECT_FALSE(b->Glyph()->Empty()) << name;
    }

    EXPECT_TRUE(find<TSpeedButton>("SpeedFlat")->Flat());
    EXPECT_FALSE(find<TSpeedButton>("SpeedRaised")->Flat());
    auto* first = find<TSpeedButton>("SpeedGroup1");
    EXPECT_TRUE(first->Down());
    for (const char* name : {"SpeedGroup2", "SpeedGroup3"}) {
        EXPECT_EQ(find<TSpeedButton>(name)->GroupIndex(), first->GroupIndex());
        EXPECT_FALSE(find<TSpeedButton>(name)->Down());
    }
}

// What a see-through button shows: the panel's background drawn at the button's place.
TEST_F(GalleryPages, TheSeeThroughButtonSitsOnAPatternedPanel) {
    page = open("Buttons");
    ASSERT_NE(page, nullptr);
    auto* panel = find<TPanel>("PanelPattern");
    auto* button = find<TButton>("ButtonSeeThrough");
    ASSERT_TRUE(panel && button);
    EXPECT_EQ(button->Parent(), panel);
    EXPECT_EQ(button->Tag(), 5555);

    win::MemoryDC dc(nullptr);
    win::BitmapHandle bitmap(CreateBitmap(16, 16, 1, 32, nullptr));
    win::SelectGuard selected(dc.Get(), bitmap.Get());
    SetViewportOrgEx(dc.Get(), -button->Left(), -button->Top(), nullptr);
    panel->Perform(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.Get()), PRF_CLIENT | PRF_ERASEBKGND);
    std::set<COLORREF> colours;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x)
            colours.insert(GetPixel(dc.Get(), button->Left() + x, button->Top() + y));
    EXPECT_GE(colours.size(), 2u);
}

TEST_F(GalleryPages, ChoicesPageHoldsCheckBoxesRadioButtonsAndGroups) {
    page = open("Choices");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->FormStyle(), fsMDIChild);
    EXPECT_TRUE(find<TCheckBox>("CheckChecked")->Checked());
    EXPECT_EQ(find<TCheckBox>("CheckUnchecked")->State(), cbUnchecked);
    auto* grayed = find<TCheckBox>("CheckGrayed");
    EXPECT_TRUE(grayed->AllowGrayed());
    EXPECT_EQ(SendMessageA(grayed->Handle(), BM_GETCHECK, 0, 0), BST_INDETERMINATE);
    auto* disabled = find<TCheckBox>("CheckDisabled");
    EXPECT_FALSE(disabled->Enabled());
    EXPECT_TRUE(disabled->Checked());
    auto* left = find<TCheckBox>("CheckLeftText");
    EXPECT_TRUE(GetWindowLongA(left->Handle(), GWL_STYLE) & BS_LEFTTEXT);
    EXPECT_EQ(find<TCheckBox>("CheckStandard99")->Tag(), 99);

    EXPECT_TRUE(find<TRadioButton>("RadioOne")->Checked());
    EXPECT_FALSE(find<TRadioButton>("RadioTwo")->Checked());
    EXPECT_FALSE(find<TRadioButton>("RadioDisabled")->Enabled());

    auto* box = find<TGroupBox>("GroupBox1");
    EXPECT_GE(box->ControlCount(), 3);
    for (TControl* c : box->Controls()) {
        if (auto* w = dynamic_cast<TWinControl*>(c)) {
            EXPECT_EQ(GetParent(w->Handle()), box->Handle());
        }
    }
    auto* group = find<TRadioGroup>("RadioGroup1");
    EXPECT_EQ(group->Items()->Count(), 3);
    EXPECT_EQ(group->ItemIndex(), 1);
    EXPECT_TRUE(group->Buttons()[1]->Checked());
}

// Nothing to scroll to or to uncover: each control lies in its page's client area, and the page
// in the frame's MDI client area at the frame's first size.
TEST_F(GalleryPages, EveryControlOfEveryPageShowsAtTheFirstSize) {
    for (const std::string& name : GalleryPageNames()) {
        SCOPED_TRACE(name);
        delete frame;
        frame = NewForm<TGalleryForm>(nullptr);
        page = open(name);
        ASSERT_NE(page, nullptr);
        RECT area{}, window{};
        GetWindowRect(frame->ClientHandle(), &area);
        GetWindowRect(page->Handle(), &window);
        EXPECT_GE(window.left, area.left);
        EXPECT_GE(window.top, area.top);
        EXPECT_LE(window.right, area.right);
        EXPECT_LE(window.bottom, area.bottom);
        EXPECT_GE(page->ControlCount(), 5);
        for (TControl* c : page->Controls()) {
            SCOPED_TRACE(c->Name());
            EXPECT_TRUE(c->Visible());
            EXPECT_GE(c->Left(), 0);
            EXPECT_GE(c->Top(), 0);
            EXPECT_LE(c->Left() + c->Width(), page->ClientWidth());
            EXPECT_LE(c->Top() + c->Height(), page->ClientHeight());
        }
    }
}

TEST_F(GalleryPages, ListsPageHoldsScrollingTextListsABoxAndBars) {
    page = open("Lists");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(page->Caption(), "Lists");
    auto* memo = find<TMemo>("MemoLong");
    ASSERT_NE(memo, nullptr);
    EXPECT_EQ(memo->ScrollBars(), ssBoth);
    EXPECT_FALSE(memo->WordWrap());
    EXPECT_TRUE(BarHasMoreThanAPage(memo->Handle(), SB_VERT));
    EXPECT_TRUE(BarHasMoreThanAPage(memo->Handle(), SB_HORZ));

    auto* list = find<TListBox>("ListWide");
    ASSERT_NE(list, nullptr);
    EXPECT_TRUE(HasStyle(list, WS_HSCROLL | WS_VSCROLL));
    EXPECT_TRUE(BarHasMoreThanAPage(list->Handle(), SB_VERT));
    EXPECT_TRUE(BarHasMoreThanAPage(list->Handle(), SB_HORZ));

    auto* box = find<TScrollBox>("ScrollBox1");
    ASSERT_NE(box, nullptr);
    EXPECT_TRUE(box->HorzScrollBar()->IsScrollBarVisible());
    EXPECT_TRUE(box->VertScrollBar()->IsScrollBarVisible());

    std::set<TScrollBarKind> enabledKinds;
    int disabled = 0;
    for (TScrollBar* bar : ChildrenOf<TScrollBar>(page)) {
        EXPECT_EQ(HasStyle(bar, SBS_VERT), bar->Kind() == sbVertical) << bar->Name();
        EXPECT_EQ(IsWindowEnabled(bar->Handle()) != FALSE, bar->Enabled()) << bar->Name();
        if (bar->Enabled())
            enabledKinds.insert(bar->Kind());
        else
            ++disabled;
    }
    EXPECT_EQ(enabledKinds.size(), 2u);
    EXPECT_GE(disabled, 1);
}

TEST_F(GalleryPages, MediaPageHoldsAPlayerWithHiddenAndDisabledButtonsAndNamesTheClickedOne) {
    page = open("Media");
    ASSERT_NE(page, nullptr);
    auto* player = find<TMediaPlayer>("Player");
    auto* clicked = find<TLabel>("ClickedLabel");
    ASSERT_TRUE(player && clicked);
    EXPECT_LT(MediaButtonCount(player->VisibleButtons()), kMediaButtonKinds);
    EXPECT_NE(player->EnabledButtons() & player->VisibleButtons(), player->VisibleButtons())
        << "one disabled";
    const RECT pause = player->ButtonRect(TMPBtnType::btPause);
    const LPARAM at = MAKELPARAM((pause.left + pause.right) / 2, 10);
    SendMessageA(player->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(player->Handle(), WM_LBUTTONUP, 0, at);
    EXPECT_EQ(clicked->Caption(), "Clicked: btPause");
}

TEST_F(GalleryPages, RangesPageHoldsTrackBarsUpDownsAndProgressBarsBothWays) {
    page = open("Ranges");
    ASSERT_NE(page, nullptr);
    std::set<TTrackBarOrientation> tracks;
    for (TTrackBar* t : ChildrenOf<TTrackBar>(page)) {
        EXPECT_EQ(HasStyle(t, TBS_VERT), t->Orientation() == trVertical) << t->Name();
        tracks.insert(t->Orientation());
    }
    EXPECT_EQ(tracks.size(), 2u);

    std::set<TUDOrientation> upDowns;
    for (TUpDown* u : ChildrenOf<TUpDown>(page))
        upDowns.insert(u->Orientation());
    EXPECT_EQ(upDowns.size(), 2u);
    auto* count = find<TUpDown>("UpDownCount");
    auto* text = find<TMemo>("CountText");
    ASSERT_TRUE(count && text);
    EXPECT_EQ(count->Associate(), text);
    EXPECT_EQ(count->Left(), text->Left() + text->Width());
    char shown[16] = {};
    GetWindowTextA(text->Handle(), shown, sizeof shown);
    EXPECT_STREQ(shown, std::to_string(count->Position()).c_str());

    std::set<std::pair<TProgressBarOrientation, bool>> kinds;
    for (TProgressBar* b : ChildrenOf<TProgressBar>(page)) {
        EXPECT_EQ(HasStyle(b, PBS_VERTICAL), b->Orientation() == pbVertical) << b->Name();
        kinds.insert({b->Orientation(), b->Smooth()});
    }
    EXPECT_EQ(kinds.size(), 4u) << "each orientation, smooth and in chunks";
}

// Left alone the animated bars move; under --shot they stand at one place, so every screenshot
// of the page is the same.
TEST_F(GalleryPages, RangesPageAnimatesItsBars) {
    page = open("Ranges");
    ASSERT_NE(page, nullptr);
    auto* bar = find<TProgressBar>("ProgressAnimated");
    auto* vertical = find<TProgressBar>("ProgressVertAnimated");
    ASSERT_TRUE(bar && vertical);
    EXPECT_TRUE(find<TTimer>("AnimateTimer")->Running());
    const int first = bar->Position(), firstVertical = vertical->Position();
    EXPECT_TRUE(RunToolkitUntil(
        [&] { return bar->Position() != first && vertical->Position() != firstVertical; }, 3000));
}

TEST_F(GalleryPages, RangesPageHoldsStillForAScreenshot) {
    page = open("Ranges", true);
    ASSERT_NE(page, nullptr);
    auto* bar = find<TProgressBar>("ProgressAnimated");
    auto* vertical = find<TProgressBar>("ProgressVertAnimated");
    ASSERT_TRUE(bar && vertical);
    EXPECT_FALSE(find<TTimer>("AnimateTimer")->Running());
    RunToolkitUntil([] { return false; }, 400);
    for (TProgressBar* b : {bar, vertical}) {
        EXPECT_EQ(b->Position(), TRangesPage::kStillPosition) << b->Name();
        EXPECT_EQ(SendMessageA(b->Handle(), PBM_GETPOS, 0, 0), TRangesPage::kStillPosition) << b->Name();
    }
}

TEST_F(GalleryPages, RangesPageTrackAndProgressBarsAreSkinned) {
    page = open("Ranges");
    ASSERT_NE(page, nullptr);
    frame->Show();
    auto* track = find<TTrackBar>("TrackHorz");
    auto* progress = find<TProgressBar>("ProgressChunked");
    ASSERT_TRUE(track && progress);
    auto skinned = [](TWinControl* c) { return SendMessageA(c->Handle(), SKM_ISSKINNED, 0, 0) == 1; };
    EXPECT_TRUE(RunToolkitUntil([&] { return skinned(track) && skinned(progress); }, 5000));
}

TEST_F(GalleryPages, TabsPageHoldsPageControlsOnEverySideATabControlAndATabSet) {
    page = open("Tabs");
    ASSERT_NE(page, nullptr);
    std::set<TTabPosition> sides;
    for (TPageControl* pc : ChildrenOf<TPageControl>(page)) {
        EXPECT_GE(pc->PageCount(), 2) << pc->Name();
        EXPECT_NE(pc->ActivePage(), nullptr) << pc->Name();
        sides.insert(pc->TabPosition());
    }
    EXPECT_EQ(sides.size(), 4u);
    EXPECT_EQ(find<TPageControl>("PagesLeft")->TabPosition(), tpLeft);
    EXPECT_EQ(find<TPageControl>("PagesRight")->TabPosition(), tpRight);
    EXPECT_EQ(find<TPageControl>("PagesBottom")->TabPosition(), tpBottom);
    EXPECT_EQ(find<TButton>("LeftButton")->Parent()->Parent(), find<TPageControl>("PagesLeft"));

    // More tabs than fit: the tab control shows its scroll arrows.
    auto* many = find<TPageControl>("PagesMany");
    ASSERT_NE(many, nullptr);
    EXPECT_FALSE(many->MultiLine());
    EXPECT_GE(many->PageCount(), 8);
    HWND arrows = FindWindowExA(many->Handle(), nullptr, UPDOWN_CLASSA, nullptr);
    ASSERT_NE(arrows, nullptr);
    EXPECT_TRUE(GetWindowLongA(arrows, GWL_STYLE) & WS_VISIBLE);

    EXPECT_EQ(find<TPageControl>("PagesClose")->Tag(), 7777);
    auto* buttons = find<TPageControl>("PagesButtons");
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->Style(), tsButtons);
    EXPECT_TRUE(HasStyle(buttons, TCS_BUTTONS));

    auto* tabs = find<TTabControl>("TabControl1");
    ASSERT_NE(tabs, nullptr);
    EXPECT_EQ(tabs->Tabs()->Count(), 3);
    EXPECT_EQ(tabs->TabIndex(), 1);
    EXPECT_EQ(tabs->ControlCount(), 1);
    auto* set = find<TTabSet>("TabSet1");
    ASSERT_NE(set, nullptr);
    EXPECT_EQ(set->VisibleTabs(), set->Tabs()->Count()) << "every tab of the set fits";
    EXPECT_EQ(set->Top(), tabs->Top() + tabs->Height()) << "hangs from the tab control";
}

} // namespace

TEST_F(GalleryPages, TextPageHoldsEditsEveryComboStyleAndBothPickerKinds) {
    page = open("Text");
    ASSERT_NE(page, nullptr);
    EXPECT_EQ(find<TEdit>("EditBorder")->BorderStyle(), 1);
    EXPECT_EQ(find<TEdit>("EditFlat")->BorderStyle(), 0);
    EXPECT_EQ(find<TUpDown>("SpinUpDown")->Associate(), find<TEdit>("SpinEdit"));

    std::set<TComboBoxStyle> styles;
    for (TComboBox* c : ChildrenOf<TComboBox>(page))
        styles.insert(c->Style());
    EXPECT_EQ(styles.size(), 4u);
    auto* left = find<TComboBox>("ComboLeft");
    ASSERT_NE(left, nullptr);
    EXPECT_TRUE(GetWindowLongA(left->Handle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR);
    EXPECT_FALSE(find<TComboBox>("ComboDisabled")->Enabled());
    EXPECT_NE(find<TComboBoxEx>("ComboEx"), nullptr);

    std::set<TDateTimeKind> kinds;
    for (TDateTimePicker* p : ChildrenOf<TDateTimePicker>(page))
        kinds.insert(p->Kind());
    EXPECT_EQ(kinds.size(), 2u);
    EXPECT_EQ(find<TDateTimePicker>("PickerUpDown")->DateMode(), dmUpDown);
}

TEST_F(GalleryPages, TextPageControlsAreSkinned) {
    page = open("Text");
    ASSERT_NE(page, nullptr);
    frame->Show();
    std::vector<TWinControl*> controls{find<TEdit>("EditBorder"), find<TComboBox>("ComboList"),
                                       find<TComboBox>("ComboLeft"), find<TDateTimePicker>("PickerDate"),
                                       find<TDateTimePicker>("PickerTime")};
    auto skinned = [&] {
        for (TWinControl* c : controls)
            if (!c || SendMessageA(c->Handle(), SKM_ISSKINNED, 0, 0) != 1) return false;
        return true;
    };
    EXPECT_TRUE(RunToolkitUntil(skinned, 5000));
}

TEST(GalleryContainersPage, HoldsGroupsPanelsAHeaderAScrollingListAToolBarAndTwoStatusBars) {
    RegisterGalleryClasses();
    Application->Initialize();
    auto* frame = NewForm<TGalleryForm>(nullptr);
    GalleryOptions options;
    options.page = "Containers";
    std::string error;
    ASSERT_TRUE(frame->Start(options, {}, error)) << error;
    ASSERT_EQ(frame->MDIChildCount(), 1);
    TCustomForm* page = frame->MDIChildren(0);
    const auto find = [page](const char* name) { return dynamic_cast<TControl*>(page->FindComponent(name)); };
    EXPECT_TRUE(dynamic_cast<TGroupBox*>(find("GroupOptions")));
    EXPECT_TRUE(dynamic_cast<TPanel*>(find("PanelInGroup")));
    EXPECT_TRUE(dynamic_cast<TToolBar*>(find("ToolBar1")));
    EXPECT_EQ(dynamic_cast<THeaderControl*>(find("Header1"))->Sections()->Count(), 3);
    auto* list = dynamic_cast<TListView*>(find("ListFiles"));
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->ViewStyle(), vsReport);
    EXPECT_TRUE(BarHasMoreThanAPage(list->Handle(), SB_VERT)) << "enough rows for a scroll bar";
    auto* panels = dynamic_cast<TStatusBar*>(find("StatusPanels"));
    ASSERT_NE(panels, nullptr);
    EXPECT_EQ(panels->Panels()->Count(), 3);
    EXPECT_TRUE(panels->SizeGrip());
    EXPECT_TRUE(dynamic_cast<TStatusBar*>(find("StatusSimple"))->SimplePanel());
    delete frame;
    FreeSkinManager();
}
