// Status bars, headers and list views read from a form resource: what their windows show, the
// events the user's input and the owner-drawn panel raise, and a written text that reads back.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/controls/header_ctrl.h"
#include "toolkit/controls/list_view.h"
#include "toolkit/controls/status_bar.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/resource/form_resource.h"

using namespace qs::test;

namespace {

class TTestContainerForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestContainerForm(TComponent* owner) : TForm(owner) {}
    void Header1SectionClick(TCustomHeaderControl*, THeaderSection* section) {
        sectionClicks.push_back(section->Index());
    }
    void List1SelectItem(TObject*, TListItem* item, bool selected) {
        selections.push_back(selected ? item->Index() : -1 - item->Index());
    }
    void Status1DrawPanel(TStatusBar*, TStatusPanel* panel, const RECT& r) {
        drawnPanels.push_back(panel->Index());
        drawnRects.push_back(r);
    }
    template <class C> C* Find(const char* name) { return dynamic_cast<C*>(FindComponent(name)); }

    std::vector<int> sectionClicks, selections, drawnPanels;
    std::vector<RECT> drawnRects;
};

const TClassInfo& TTestContainerForm::StaticClass() {
    using F = TTestContainerForm;
    static const TClassInfo& info =
        TClassBuilder<F>("TTestContainerForm", &TForm::StaticClass())
            .Creatable()
            .Method<void(TCustomHeaderControl*, THeaderSection*)>("Header1SectionClick",
                                                                  &F::Header1SectionClick)
            .Method<void(TObject*, TListItem*, bool)>("List1SelectItem", &F::List1SelectItem)
            .Method<void(TStatusBar*, TStatusPanel*, const RECT&)>("Status1DrawPanel", &F::Status1DrawPanel)
            .Build();
    return info;
}

TResourceNesting FormNesting(TCustomForm* form) {
    TResourceNesting nesting;
    nesting.adopt = [form](TComponent* child, TComponent* parent) { form->SetChildParent(child, parent); };
    nesting.parentOf = [](const TComponent* child) -> TComponent* {
        auto* c = dynamic_cast<const TControl*>(child);
        return c ? c->Parent() : nullptr;
    };
    return nesting;
}

std::string partText(HWND bar, int part) {
    char text[128] = {};
    SendMessageA(bar, SB_GETTEXTA, WPARAM(part), reinterpret_cast<LPARAM>(text));
    return text;
}

std::string listText(HWND list, int item, int sub) {
    char text[128] = {};
    LVITEMA lv{};
    lv.iSubItem = sub;
    lv.pszText = text;
    lv.cchTextMax = sizeof text;
    SendMessageA(list, LVM_GETITEMTEXTA, WPARAM(item), reinterpret_cast<LPARAM>(&lv));
    return text;
}

class ContainerControls : public ::testing::Test {
  protected:
    void SetUp() override {
        TTestContainerForm::StaticClass();
        form = NewForm<TTestContainerForm>(nullptr);
        header = form->Find<THeaderControl>("Header1");
        list = form->Find<TListView>("List1");
        status = form->Find<TStatusBar>("Status1");
        simple = form->Find<TStatusBar>("Status2");
        ASSERT_TRUE(header && list && status && simple);
    }
    void TearDown() override { delete form; }
    void Show() {
        form->Show();
        SetForegroundWindow(form->Handle());
        PumpFor(30);
    }

    TTestContainerForm* form = nullptr;
    THeaderControl* header = nullptr;
    TListView* list = nullptr;
    TStatusBar* status = nullptr;
    TStatusBar* simple = nullptr;
};

} // namespace

TEST_F(ContainerControls, WindowsShowWhatTheFormTextSays) {
    EXPECT_EQ(WindowClassName(status->Handle()), "TStatusBar");
    EXPECT_EQ(WindowClassName(header->Handle()), "THeaderControl");
    EXPECT_EQ(WindowClassName(list->Handle()), "TListView");
    EXPECT_TRUE(header->InheritsFrom("TCustomHeaderControl"));
    EXPECT_TRUE(list->InheritsFrom("TCustomListView"));

    HWND bar = status->Handle();
    ASSERT_EQ(SendMessageA(bar, SB_GETPARTS, 0, 0), 3);
    EXPECT_FALSE(SendMessageA(bar, SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(partText(bar, 0), "Ready");
    EXPECT_EQ(partText(bar, 1), "\tMid") << "centred";
    EXPECT_EQ(HIWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 1, 0)) & SBT_POPOUT, SBT_POPOUT) << "raised";
    EXPECT_EQ(HIWORD(SendMessageA(bar, SB_GETTEXTLENGTHA, 2, 0)) & SBT_OWNERDRAW, SBT_OWNERDRAW);
    int edges[3] = {};
    SendMessageA(bar, SB_GETPARTS, 3, reinterpret_cast<LPARAM>(edges));
    EXPECT_EQ(edges[0], 100);
    EXPECT_EQ(edges[1], 220);
    EXPECT_EQ(edges[2], -1) << "the last panel takes the rest";
    EXPECT_TRUE(HasStyle(bar, SBARS_SIZEGRIP));
    EXPECT_TRUE(SendMessageA(simple->Handle(), SB_ISSIMPLE, 0, 0));
    EXPECT_EQ(partText(simple->Handle(), 0), "Simple") << "a simple bar answers for any part";
    EXPECT_FALSE(HasStyle(simple->Handle(), SBARS_SIZEGRIP));

    ASSERT_EQ(SendMessageA(header->Handle(), HDM_GETITEMCOUNT, 0, 0), 2);
    RECT second{};
    SendMessageA(header->Handle(), HDM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&second));
    EXPECT_EQ(second.left, 120);
    EXPECT_EQ(second.right, 200);
    EXPECT_EQ(header->Sections()->Items(1)->Left(), 120);

    HWND lv = list->Handle();
    EXPECT_TRUE(HasStyle(lv, LVS_REPORT));
    EXPECT_FALSE(HasStyle(lv, LVS_EDITLABELS)) << "read only";
    EXPECT_TRUE(SendMessageA(lv, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0) & LVS_EX_FULLROWSELECT);
    ASSERT_EQ(SendMessageA(lv, LVM_GETITEMCOUNT, 0, 0), 2);
    EXPECT_EQ(listText(lv, 1, 0), "two.png");
    EXPECT_EQ(listText(lv, 1, 1), "30 KB");
    HWND columns = HWND(SendMessageA(lv, LVM_GETHEADER, 0, 0));
    EXPECT_EQ(SendMessageA(columns, HDM_GETITEMCOUNT, 0, 0), 2);
}

TEST_F(ContainerControls, ChangesInCodeReachTheWindows) {
    status->Panels()->Items(0)->SetText("Busy");
    EXPECT_EQ(partText(status->Handle(), 0), "Busy");
    status->Panels()->Delete(2);
    EXPECT_EQ(SendMessageA(status->Handle(), SB_GETPARTS, 0, 0), 2);
    status->Panels()->Clear();
    EXPECT_TRUE(SendMessageA(status->Handle(), SB_ISSIMPLE, 0, 0)) << "no panels: the simple text";
    header->Sections()->Add()->SetText("Date");
    EXPECT_EQ(SendMessageA(header->Handle(), HDM_GETITEMCOUNT, 0, 0), 3);
    TListItem* item = list->Items()->Add();
    item->SetCaption("three.png");
    item->SubItems()->Add("7 KB");
    EXPECT_EQ(listText(list->Handle(), 2, 1), "7 KB");
    list->SetItemIndex(1);
    EXPECT_EQ(list->ItemIndex(), 1);
    list->Items()->Delete(0);
    EXPECT_EQ(listText(list->Handle(), 0, 0), "two.png");
    EXPECT_EQ(list->ItemIndex(), 1) << "the selection stays on its index while rebuilt";
}

TEST_F(ContainerControls, TheUsersClicksAndTheOwnerDrawnPanelRaiseTheEvents) {
    Show();
    EXPECT_EQ(form->drawnPanels, std::vector<int>{2}) << "only the owner-drawn panel";
    ASSERT_FALSE(form->drawnRects.empty());
    RECT part{};
    SendMessageA(status->Handle(), SB_GETRECT, 2, reinterpret_cast<LPARAM>(&part));
    EXPECT_EQ(form->drawnRects[0].left, part.left);

    POINT size{150, 10};
    ClientToScreen(header->Handle(), &size);
    MouseClickAt(size.x, size.y);
    EXPECT_TRUE(PumpUntil([&] { return !form->sectionClicks.empty(); }));
    EXPECT_EQ(form->sectionClicks, std::vector<int>{1});

    RECT row{};
    row.left = LVIR_BOUNDS;
    SendMessageA(list->Handle(), LVM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&row));
    POINT at{row.left + 150, (row.top + row.bottom) / 2};
    ClientToScreen(list->Handle(), &at);
    MouseClickAt(at.x, at.y);
    EXPECT_TRUE(PumpUntil([&] { return list->ItemIndex() == 1; }));
    ASSERT_FALSE(form->selections.empty());
    EXPECT_EQ(form->selections.back(), 1) << "a click beside the caption selects the row";
    MouseMoveTo(5, 5);
}

TEST_F(ContainerControls, WrittenTextReadsBackToTheSameControls) {
    const std::string text = WriteComponentText(form, nullptr, FormNesting(form));
    EXPECT_NE(text.find("Style = psOwnerDraw"), std::string::npos);
    EXPECT_NE(text.find("SubItems.Text"), std::string::npos);
    auto* copy = new TTestContainerForm(nullptr);
    ReadComponentText(copy, text, {}, FormNesting(copy));
    auto* bar = copy->Find<TStatusBar>("Status1");
    ASSERT_EQ(bar->Panels()->Count(), 3);
    EXPECT_EQ(bar->Panels()->Items(1)->Alignment(), taCenter);
    EXPECT_EQ(bar->Panels()->Items(1)->Bevel(), pbRaised);
    EXPECT_TRUE(copy->Find<TStatusBar>("Status2")->SimplePanel());
    EXPECT_EQ(copy->Find<THeaderControl>("Header1")->Sections()->Items(1)->Alignment(), taRightJustify);
    auto* view = copy->Find<TListView>("List1");
    EXPECT_EQ(view->ViewStyle(), vsReport);
    EXPECT_TRUE(view->RowSelect());
    ASSERT_EQ(view->Items()->Count(), 2);
    EXPECT_EQ(view->Items()->Items(0)->SubItems()->Strings(0), "12 KB");
    EXPECT_EQ(WriteComponentText(copy, nullptr, FormNesting(copy)), text);
    delete copy;
}
