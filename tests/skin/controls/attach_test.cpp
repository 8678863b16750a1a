// Which skinner each child control and plain child window gets, and attachment on live forms and
// dialogs: exclusions, order, and nothing skinned twice.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "skin/core/control_skinners.h"
#include "skin/core/skin_control.h"
#include "skin/form/attach_rules.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/radio_group.h"
#include "toolkit/controls/std_ctrls.h"
#include "toolkit/core/class_builder.h"

using namespace qs::test;
using K = TSkinnerKind;

namespace {

// Controls of another library, known to attachment by their class names only.
class TRzCheckBox : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    using TWinControl::TWinControl;
};
const TClassInfo& TRzCheckBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TRzCheckBox>("TRzCheckBox", &TWinControl::StaticClass()).Build();
    return info;
}
class TLMDGroupBox : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    using TWinControl::TWinControl;
};
const TClassInfo& TLMDGroupBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TLMDGroupBox>("TLMDGroupBox", &TWinControl::StaticClass()).Build();
    return info;
}

TAttachFacts factsWith(TSkinControlTypes controls, const std::vector<std::string>* skin3rd = nullptr) {
    TAttachFacts facts;
    facts.Controls = controls;
    facts.Skin3rd = skin3rd;
    return facts;
}

K windowKind(DWORD style, TSkinControlTypes controls = kDefaultSkinControls, const char* cls = "button") {
    return DecideWindow(cls, style, controls).SkinnerKind();
}

std::vector<K> kindsOf(const TFormSkinner& form) {
    std::vector<K> kinds;
    for (TSkinControl* s : form.ChildSkinners) {
        const std::string name = s->ClassName();
        K kind = K::None;
        for (int k = 1; k <= int(K::MediaPlayer); ++k)
            if (name == SkinnerClassName(K(k))) kind = K(k);
        kinds.push_back(kind);
    }
    return kinds;
}

} // namespace

TEST(AttachRules, PlainButtonWindowsByStyle) {
    EXPECT_EQ(windowKind(BS_PUSHBUTTON), K::Button);
    EXPECT_EQ(windowKind(BS_DEFPUSHBUTTON), K::Button);
    EXPECT_EQ(windowKind(BS_OWNERDRAW), K::None);
    EXPECT_EQ(windowKind(BS_GROUPBOX), K::None);
    EXPECT_EQ(windowKind(BS_PUSHBUTTON | BS_BITMAP), K::None);
    EXPECT_EQ(windowKind(BS_AUTORADIOBUTTON), K::RadioButton);
    EXPECT_EQ(windowKind(BS_RADIOBUTTON), K::RadioButton);
    for (DWORD check : {BS_CHECKBOX, BS_AUTOCHECKBOX, BS_3STATE, BS_AUTO3STATE})
        EXPECT_EQ(windowKind(check), K::CheckBox) << check;
    // A gate that fails leaves the window alone; it does not fall to the push-button row.
    EXPECT_EQ(windowKind(BS_AUTOCHECKBOX, kDefaultSkinControls & ~SetOf(xcCheckBox)), K::None);
    EXPECT_EQ(windowKind(BS_PUSHBUTTON, kDefaultSkinControls & ~SetOf(xcButton)), K::None);
    EXPECT_EQ(windowKind(BS_AUTOCHECKBOX, kDefaultSkinControls & ~SetOf(xcButton)), K::CheckBox);
}

TEST(AttachRules, OtherPlainWindowClasses) {
    EXPECT_EQ(windowKind(CBS_SIMPLE, kDefaultSkinControls, "ComboBox"), K::None);
    EXPECT_EQ(windowKind(CBS_DROPDOWNLIST, kDefaultSkinControls, "ComboBox"), K::ComboBox);
    EXPECT_EQ(windowKind(WS_TABSTOP, kDefaultSkinControls, "ScrollBar"), K::None);
    EXPECT_EQ(windowKind(SBS_SIZEGRIP, kDefaultSkinControls, "ScrollBar"), K::Sizer);
    EXPECT_EQ(windowKind(0, kDefaultSkinControls, "Edit"), K::Edit);
    EXPECT_EQ(windowKind(0, kDefaultSkinControls & ~SetOf(xcEdit), "Edit"), K::None);
    EXPECT_EQ(windowKind(0, kDefaultSkinControls, "SysTreeView32"), K::None);

    const TAttachDecision dialog = DecideWindow("#32770", 0, kDefaultSkinControls);
    ASSERT_EQ(dialog.Actions.size(), 2u);
    EXPECT_EQ(dialog.Actions[0].Step, TAttachStep::ChildWindows) << "children before the page itself";
    EXPECT_EQ(dialog.SkinnerKind(), K::BoxH);
    const TAttachDecision ex = DecideWindow("ComboBoxEx32", 0, kDefaultSkinControls);
    ASSERT_EQ(ex.Actions.size(), 1u);
    EXPECT_EQ(ex.Actions[0].Step, TAttachStep::FirstChildWindow);
    EXPECT_TRUE(DecideWindow("Static", 0, kDefaultSkinControls).Rule.empty());
}

TEST(AttachRules, Skin3rdEntriesMatchTheWholeClassNameIgnoringCase) {
    const std::vector<std::string> table = {"TRzButtonEdit=edit", "TLMDGroupBox=Groupbox", "TCustom=nil",
                                            "TLong=" + std::string(80, 'x')};
    EXPECT_EQ(Skin3rdKind(table, "tlmdgroupbox"), "groupbox");
    EXPECT_EQ(Skin3rdKind(table, "TRzButton"), "") << "a prefix of an entry's class is another class";
    EXPECT_EQ(Skin3rdKind(table, "TCustom"), "nil");
    EXPECT_EQ(Skin3rdKind(table, "TLong").size(), 50u);
}

TEST(AttachRules, ToolkitClassesByTableRow) {
    TForm form(nullptr);
    auto* button = new TButton(&form);
    auto* panel = new TPanel(&form);
    auto* rz = new TRzCheckBox(&form);
    const TAttachFacts all = factsWith(kDefaultSkinControls);

    EXPECT_EQ(DecideControl(*button, all).Rule, "row 37");
    EXPECT_EQ(DecideControl(*button, all).SkinnerKind(), K::Button);
    EXPECT_EQ(DecideControl(*button, factsWith(kDefaultSkinControls & ~SetOf(xcButton))).SkinnerKind(),
              K::None);

    const TAttachDecision p = DecideControl(*panel, all);
    EXPECT_EQ(p.Rule, "row 32");
    ASSERT_EQ(p.Actions.size(), 2u);
    EXPECT_EQ(p.Actions[0].Step, TAttachStep::Children);
    EXPECT_EQ(p.Actions[1].Plan.Kind, K::Box);
    EXPECT_TRUE(p.Actions[1].Plan.WithColour);

    const TAttachDecision r = DecideControl(*rz, all);
    EXPECT_EQ(r.Rule, "row 16");
    EXPECT_EQ(r.SkinnerKind(), K::ObjImage);
    EXPECT_EQ(r.Actions[0].Plan.Variant, 1);
}

TEST(AttachRules, ASkin3rdEntryDecidesAloneNilIncluded) {
    TForm form(nullptr);
    auto* button = new TButton(&form);
    auto* group = new TLMDGroupBox(&form);
    const std::vector<std::string> table = {"TButton=nil", "TLMDGroupBox=groupbox"};
    const TAttachDecision nil = DecideControl(*button, factsWith(kDefaultSkinControls, &table));
    EXPECT_EQ(nil.Rule, "skin3rd nil");
    EXPECT_TRUE(nil.Actions.empty());
    EXPECT_EQ(DecideControl(*group, factsWith(kDefaultSkinControls, &table)).SkinnerKind(), K::GroupBox);
    // Its gate missing: unskinned, not handed to the class table.
    EXPECT_TRUE(
        DecideControl(*group, factsWith(kDefaultSkinControls & ~SetOf(xcGroupBox), &table)).Actions.empty());
}

class Attachment : public ::testing::Test {
  protected:
    void SetUp() override { skin = LoadControlSkin(); }
    std::unique_ptr<TSkinData> skin;
};

TEST_F(Attachment, PlainDialogChildrenGetTheirSkinnersOnce) {
    HWND parent = PlainParent();
    ChildWindow(parent, "button", BS_PUSHBUTTON, "push", RECT{10, 10, 90, 35}, 1);
    ChildWindow(parent, "button", BS_OWNERDRAW, "owner", RECT{10, 40, 90, 65}, 2);
    ChildWindow(parent, "button", BS_GROUPBOX, "group", RECT{100, 10, 200, 80}, 3);
    ChildWindow(parent, "button", BS_AUTORADIOBUTTON, "radio", RECT{10, 70, 90, 90}, 4);
    ChildWindow(parent, "button", BS_AUTOCHECKBOX, "check", RECT{10, 95, 90, 115}, 5);
    ChildWindow(parent, "combobox", CBS_SIMPLE, "", RECT{10, 120, 90, 200}, 6);
    {
        SkinnedWindow s(*skin, parent);
        EXPECT_EQ(kindsOf(*s.Skinner), (std::vector<K>{K::Button, K::RadioButton, K::CheckBox}));
        s.Attach();
        EXPECT_EQ(s.Skinner->ChildSkinners.size(), 3u) << "nothing is skinned twice";
    }
    skin->SetSkinControls(skin->SkinControls() & ~SetOf(xcButton));
    {
        SkinnedWindow s(*skin, parent);
        EXPECT_EQ(kindsOf(*s.Skinner), (std::vector<K>{K::RadioButton, K::CheckBox}));
    }
    DestroyWindow(parent);
}

TEST_F(Attachment, ToolkitFormExcludesDisableTagAndAttachesAPanelsChildrenFirst) {
    TForm form(nullptr);
    form.SetBounds(60, 60, 320, 240);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetBounds(10, 10, 200, 100);
    auto* inner = new TButton(&form);
    inner->SetParent(panel);
    auto* excluded = new TButton(&form);
    excluded->SetParent(&form);
    excluded->SetTop(150);
    excluded->SetTag(99);
    form.Show();

    // A stand-in painter for panels shows when the panel was reached.
    static std::vector<TComponent*> order;
    order.clear();
    RegisterControlSkinner(K::Box, [](TComponent* owner, const TSkinnerPlan&) -> TSkinControl* {
        order.push_back(owner);
        return new TSkinControl(owner);
    });
    {
        SkinnedWindow s(*skin, form.Handle(), &form);
        EXPECT_NE(s.Skinner->ChildSkinnerOf(inner), nullptr);
        EXPECT_EQ(s.Skinner->ChildSkinnerOf(excluded), nullptr);
        ASSERT_NE(s.Skinner->ChildSkinnerOf(panel), nullptr);
        const auto& list = s.Skinner->ChildSkinners;
        const auto at = [&](TComponent* c) {
            return std::find(list.begin(), list.end(), s.Skinner->ChildSkinnerOf(c)) - list.begin();
        };
        EXPECT_LT(at(inner), at(panel)) << "the panel's children go first";
        const size_t count = list.size();
        s.Attach();
        EXPECT_EQ(s.Skinner->ChildSkinners.size(), count);
    }
    RegisterControlSkinner(K::Box, nullptr);
}

TEST_F(Attachment, OnSkinControlChoosesFirst) {
    TForm form(nullptr);
    auto* button = new TButton(&form);
    button->SetParent(&form);
    form.Show();
    TSkinControl* chosen = nullptr;
    skin->OnSkinControl = TOnSkinControl([&](TComponent*, TSkinData*, TControl*, TControl* control,
                                             const std::string& cls, TComponent*& result) {
        EXPECT_EQ(cls, "TBUTTON");
        chosen = new TSkinControl(control);
        result = chosen;
    });
    SkinnedWindow s(*skin, form.Handle(), &form);
    EXPECT_EQ(s.Skinner->ChildSkinnerOf(button), chosen);
    EXPECT_TRUE(chosen->Attached);
}

TEST_F(Attachment, UnskinningGivesAControlItsColourBack) {
    TForm form(nullptr);
    auto* panel = new TPanel(&form);
    panel->SetParent(&form);
    panel->SetColor(clRed);
    form.Show();
    skin->OnSkinControl = TOnSkinControl(
        [&](TComponent*, TSkinData*, TControl*, TControl* control, const std::string&, TComponent*& result) {
            auto* s = new TSkinControl(control);
            s->SetColour = true;
            result = s;
        });
    SkinnedWindow s(*skin, form.Handle(), &form);
    EXPECT_EQ(panel->Color(), skin->Colour(scButtonFace));
    s.Skinner->Unskin();
    EXPECT_TRUE(s.Skinner->ChildSkinners.empty());
    EXPECT_EQ(panel->Color(), clRed);
}

TEST_F(Attachment, DisableTagHoldsForTheButtonsAGroupSkinsAndForEmbeddedScrollChildren) {
    TForm form(nullptr);
    form.SetBounds(60, 60, 320, 240);
    auto* group = new TRadioGroup(&form);
    group->SetParent(&form);
    group->SetBounds(10, 10, 150, 100);
    group->Items()->SetText("One\r\nTwo\r\n");
    // A container whose Skin3rd kind skins its scrolling children, one of them excluded.
    auto* box = new TLMDGroupBox(&form);
    box->SetParent(&form);
    box->SetBounds(170, 10, 140, 200);
    std::vector<TPanel*> lists;
    for (int i = 0; i < 2; ++i) {
        auto* list = new TPanel(&form);
        list->SetParent(box);
        list->SetBounds(5, 5 + 60 * i, 100, 50);
        lists.push_back(list);
    }
    form.Show();
    ASSERT_EQ(group->ControlCount(), 2);
    group->Controls()[1]->SetTag(99);
    lists[1]->SetTag(99);
    for (TPanel* list : lists)
        SetWindowLongPtrA(list->Handle(), GWL_STYLE,
                          GetWindowLongPtrA(list->Handle(), GWL_STYLE) | WS_VSCROLL);
    skin->SetSkin3rd({"TLMDGroupBox=embedscrollbar"});
    RegisterControlSkinner(K::Scrollbar, [](TComponent* owner, const TSkinnerPlan&) -> TSkinControl* {
        return new TSkinControl(owner);
    });
    {
        SkinnedWindow s(*skin, form.Handle(), &form);
        EXPECT_NE(s.Skinner->ChildSkinnerOf(group->Controls()[0]), nullptr);
        EXPECT_EQ(s.Skinner->ChildSkinnerOf(group->Controls()[1]), nullptr);
        EXPECT_NE(s.Skinner->ChildSkinnerOf(lists[0]), nullptr);
        EXPECT_EQ(s.Skinner->ChildSkinnerOf(lists[1]), nullptr);
    }
    RegisterControlSkinner(K::Scrollbar, nullptr);
}

TEST_F(Attachment, AnExcludedGroupReachedOnlyByTheTabOrderKeepsItsButtonsUnskinned) {
    TForm form(nullptr);
    form.SetBounds(60, 60, 320, 240);
    // Owned elsewhere: the form's components do not reach the group, only its tab order does.
    TComponent elsewhere(nullptr);
    auto* group = new TRadioGroup(&elsewhere);
    group->SetParent(&form);
    group->SetBounds(10, 10, 150, 100);
    group->Items()->SetText("One\r\nTwo\r\n");
    group->SetTag(99);
    auto* reached = new TRadioGroup(&elsewhere);
    reached->SetParent(&form);
    reached->SetBounds(170, 10, 140, 100);
    reached->Items()->SetText("Three\r\n");
    form.Show();
    {
        SkinnedWindow s(*skin, form.Handle(), &form);
        ASSERT_EQ(reached->ControlCount(), 1);
        EXPECT_NE(s.Skinner->ChildSkinnerOf(reached->Controls()[0]), nullptr) << "the tab order reaches it";
        ASSERT_EQ(group->ControlCount(), 2);
        for (TControl* c : group->Controls())
            EXPECT_EQ(s.Skinner->ChildSkinnerOf(c), nullptr);
    }
}
