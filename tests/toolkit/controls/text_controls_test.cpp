// Edits, combo boxes and date-time pickers read from a form resource: their windows' styles and
// contents, values set in code and by the user, and the events that follow.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "tests/support/wintest.h"
#include "tests/toolkit/controls/test_forms.h"
#include "toolkit/controls/combo_box.h"
#include "toolkit/controls/date_time.h"
#include "toolkit/controls/edit_ctrls.h"
#include "toolkit/core/class_builder.h"

namespace {

class TTestTextForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestTextForm(TComponent* owner) : TForm(owner) {}
    void Edit1Change(TObject*) { events.push_back("edit:" + Find<TEdit>("Edit1")->Text()); }
    void Combo1Change(TObject*) { events.push_back("change:" + Find<TComboBox>("Combo1")->Text()); }
    void Combo1Select(TObject*) {
        events.push_back("select:" + std::to_string(Find<TComboBox>("Combo1")->ItemIndex()));
    }
    void Picker1Change(TObject*) { events.push_back("picker:" + Find<TDateTimePicker>("Picker1")->Date()); }
    template <class C> C* Find(const char* name) { return dynamic_cast<C*>(FindComponent(name)); }

    std::vector<std::string> events;
};

const TClassInfo& TTestTextForm::StaticClass() {
    using F = TTestTextForm;
    static const TClassInfo& info = TClassBuilder<F>("TTestTextForm", &TForm::StaticClass())
                                        .Creatable()
                                        .Method<void(TObject*)>("Edit1Change", &F::Edit1Change)
                                        .Method<void(TObject*)>("Combo1Change", &F::Combo1Change)
                                        .Method<void(TObject*)>("Combo1Select", &F::Combo1Select)
                                        .Method<void(TObject*)>("Picker1Change", &F::Picker1Change)
                                        .Build();
    return info;
}

class TextControls : public ::testing::Test {
  protected:
    void SetUp() override {
        form = NewForm<TTestTextForm>(nullptr);
        edit = form->Find<TEdit>("Edit1");
        flat = form->Find<TEdit>("Edit2");
        combo = form->Find<TComboBox>("Combo1");
        list = form->Find<TComboBox>("Combo2");
        ex = form->Find<TComboBoxEx>("ComboEx1");
        picker = form->Find<TDateTimePicker>("Picker1");
        spinner = form->Find<TDateTimePicker>("Picker2");
        ASSERT_TRUE(edit && flat && combo && list && ex && picker && spinner);
    }
    void TearDown() override { delete form; }
    static std::string windowText(HWND h) { return qs::test::WindowTextOf(h); }

    TTestTextForm* form = nullptr;
    TEdit *edit = nullptr, *flat = nullptr;
    TComboBox *combo = nullptr, *list = nullptr;
    TComboBoxEx* ex = nullptr;
    TDateTimePicker *picker = nullptr, *spinner = nullptr;
};

} // namespace

TEST_F(TextControls, EditsFromFormTextReachTheirWindows) {
    EXPECT_EQ(qs::test::WindowClassName(edit->Handle()), "TEdit");
    EXPECT_EQ(windowText(edit->Handle()), "hello");
    EXPECT_EQ(SendMessageA(edit->Handle(), EM_GETLIMITTEXT, 0, 0), 8);
    EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(GetWindowLongA(flat->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_TRUE(qs::test::HasStyle(flat->Handle(), ES_READONLY));
    EXPECT_TRUE(form->events.empty()) << "reading the form is no change";
}

TEST_F(TextControls, AnEditsTextFollowsTypingAndCode) {
    form->Show();
    edit->SetFocus();
    SendMessageA(edit->Handle(), EM_SETSEL, 5, 5);
    qs::test::KeyPress('X');
    ASSERT_TRUE(qs::test::PumpUntil([&] { return edit->Text() == "hellox"; }));
    EXPECT_EQ(form->events.back(), "edit:hellox");
    // MaxLength stops the typing at 8 characters.
    for (int i = 0; i < 4; ++i)
        qs::test::KeyPress('Y');
    qs::test::PumpFor(50);
    EXPECT_EQ(edit->Text(), "helloxyy");

    edit->SetText("code");
    EXPECT_EQ(windowText(edit->Handle()), "code");
    EXPECT_EQ(form->events.back(), "edit:code");
    flat->SetReadOnly(false);
    EXPECT_FALSE(qs::test::HasStyle(flat->Handle(), ES_READONLY));
}

TEST_F(TextControls, ComboBoxesFromFormTextReachTheirWindows) {
    HWND h = combo->Handle();
    EXPECT_EQ(qs::test::WindowClassName(h), "TComboBox");
    EXPECT_EQ(SendMessageA(h, CB_GETCOUNT, 0, 0), 3);
    EXPECT_EQ(SendMessageA(h, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(combo->Text(), "Green");
    EXPECT_EQ(GetWindowLongA(h, GWL_STYLE) & 3, CBS_DROPDOWN);

    EXPECT_EQ(GetWindowLongA(list->Handle(), GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    EXPECT_TRUE(GetWindowLongA(list->Handle(), GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR);
    EXPECT_EQ(list->ItemIndex(), -1);

    EXPECT_EQ(qs::test::WindowClassName(ex->Handle()), "TComboBoxEx");
    EXPECT_NE(ex->ComboHandle(), nullptr);
    EXPECT_EQ(SendMessageA(ex->Handle(), CB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(SendMessageA(ex->Handle(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_TRUE(form->events.empty());
}

TEST_F(TextControls, AChosenItemSelectsThenChanges) {
    form->Show();
    combo->SetFocus();
    qs::test::KeyPress(VK_DOWN);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return combo->ItemIndex() == 2; }));
    EXPECT_EQ(combo->Text(), "Blue");
    EXPECT_EQ(form->events, (std::vector<std::string>{"select:2", "change:Blue"}));

    // A list-only combo takes text only as one of its items.
    list->SetText("Two");
    EXPECT_EQ(list->ItemIndex(), 1);
    EXPECT_EQ(SendMessageA(list->Handle(), CB_GETCURSEL, 0, 0), 1);
    list->SetText("Three");
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_EQ(list->Text(), "");
    list->SetItemIndex(7);
    EXPECT_EQ(list->ItemIndex(), -1) << "out of range";

    // The list drops down DropDownCount lines high.
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo->Handle(), &info));
    RECT listClient{};
    GetClientRect(info.hwndList, &listClient);
    const int line = int(SendMessageA(combo->Handle(), CB_GETITEMHEIGHT, 0, 0));
    EXPECT_EQ(listClient.bottom / line, 3);
    SendMessageA(combo->Handle(), CB_SHOWDROPDOWN, FALSE, 0);

    combo->Items()->Add("Cyan");
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 4);
    combo->SetStyle(csDropDownList);
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCOUNT, 0, 0), 4) << "remade from Items";
    EXPECT_EQ(SendMessageA(combo->Handle(), CB_GETCURSEL, 0, 0), 2);
}

TEST_F(TextControls, PickersKeepTheirDateAndTime) {
    EXPECT_EQ(qs::test::WindowClassName(picker->Handle()), "TDateTimePicker");
    EXPECT_EQ(picker->Date(), "2024-02-29");
    EXPECT_EQ(picker->Time(), "13:45:10");
    SYSTEMTIME shown{};
    ASSERT_EQ(SendMessageA(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown)),
              GDT_VALID);
    EXPECT_EQ(shown.wYear, 2024);
    EXPECT_EQ(shown.wMonth, 2);
    EXPECT_EQ(shown.wDay, 29);
    EXPECT_EQ(shown.wHour, 13);
    EXPECT_TRUE(qs::test::HasStyle(spinner->Handle(), DTS_TIMEFORMAT | DTS_UPDOWN));
    EXPECT_FALSE(qs::test::HasStyle(picker->Handle(), DTS_UPDOWN));

    picker->SetDate("2023-02-29");
    EXPECT_EQ(picker->Date(), "2024-02-29") << "no such day: ignored";
    picker->SetDate("2025-12-31");
    EXPECT_EQ(form->events.back(), "picker:2025-12-31");
    SendMessageA(picker->Handle(), DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&shown));
    EXPECT_EQ(shown.wYear, 2025);
    EXPECT_EQ(picker->Time(), "13:45:10") << "the time of day stays";

    // The user's change reaches the control through the picker's notice.
    form->Show();
    picker->SetFocus();
    // A field is chosen first; the arrow then steps it.
    qs::test::KeyPress(VK_RIGHT);
    qs::test::KeyPress(VK_DOWN);
    ASSERT_TRUE(qs::test::PumpUntil([&] { return picker->Date() != "2025-12-31"; }));
    EXPECT_EQ(form->events.back(), "picker:" + picker->Date());
}
