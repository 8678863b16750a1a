// Reading a form into components: the tree, values of every kind, events, references, the
// nesting seam, Loaded, and errors that name what went wrong.
#include <gtest/gtest.h>

#include "sample_form.h"

namespace {

TEST(ComponentRead, BuildsTheTreeWithEveryValue) {
    TParentMap parents;
    LoadedLog().clear();
    auto form = ReadSample(&parents);

    EXPECT_EQ(form->Name(), "Form1");
    ASSERT_EQ(form->ComponentCount(), 4);
    for (TComponent* c : form->Components())
        EXPECT_EQ(c->Owner(), form.get());
    auto* panel = Find(form.get(), "Panel1");
    auto* button = Find(form.get(), "Button1");
    auto* store = Find(form.get(), "Store");
    auto* last = Find(form.get(), "Last");
    ASSERT_TRUE(panel && button && store && last);
    EXPECT_EQ(parents.parents[panel], form.get());
    EXPECT_EQ(parents.parents[button], panel);
    EXPECT_EQ(parents.parents[last], form.get());

    EXPECT_EQ(form->Color(), clGray);
    EXPECT_EQ(form->Font()->Name(), "Arial");
    EXPECT_EQ(form->Font()->Height(), -12);
    EXPECT_EQ(button->Tag(), 7);
    EXPECT_EQ(button->Color(), 123456);
    EXPECT_TRUE(button->Flat());
    EXPECT_EQ(button->Kind(), wkLoud);
    EXPECT_EQ(button->Parts(), (1u << wpBottom) | (1u << wpRight));
    EXPECT_EQ(button->Caption(), "It's\r\ntwo lines");
    EXPECT_EQ(button->Title(), L"wide\ttitle");
    EXPECT_EQ(panel->Buddy(), last) << "a reference to a component read later";

    ASSERT_EQ(store->Items()->Count(), 2);
    auto* first = static_cast<TTestItem*>(store->Items()->Item(0));
    auto* second = static_cast<TTestItem*>(store->Items()->Item(1));
    EXPECT_EQ(first->Name(), "First");
    EXPECT_EQ(first->Value(), 5);
    EXPECT_EQ(first->data, (std::vector<uint8_t>{0xDE, 0xAD, 0xBE, 0xEF}));
    EXPECT_EQ(second->Buddy(), button);
    EXPECT_EQ(store->skin, (std::vector<uint8_t>{0xAA, 0xBB, 0xCC}))
        << "the class reads its count-prefixed layout";

    ASSERT_TRUE(button->OnClick);
    EXPECT_EQ(button->OnClick.methodName, "WidgetClick");
    button->OnClick(button);
    EXPECT_EQ(form->clicks, 1) << "bound to the root's method";
}

TEST(ComponentRead, LoadedRunsOnceEachInCreationOrderAfterEverything) {
    LoadedLog().clear();
    auto form = ReadSample();
    EXPECT_EQ(LoadedLog(), (std::vector<std::string>{"Form1", "Panel1", "Button1", "Store", "Last"}));
    EXPECT_EQ(form->lastSizeAtLoaded, 42) << "the root's Loaded sees the last component's properties";
    EXPECT_TRUE(Find(form.get(), "Last")->loadingWhileSet);
    EXPECT_TRUE(form->loadingWhileSet);
    for (TComponent* c : form->Components())
        EXPECT_FALSE(c->IsLoading());
    EXPECT_FALSE(form->IsLoading());
}

TEST(ComponentRead, EmptySkinCountKeepsWhatTheClassHad) {
    TTestForm form(nullptr);
    form.skin = {1, 2};
    ReadComponentText(&form, "object F: TTestForm\n  Size = 0\n  SkinStream = {00000000}\nend\n", {});
    EXPECT_EQ(form.skin, (std::vector<uint8_t>{1, 2}));
}

TEST(ComponentRead, SecondInstanceOfAFormGetsAUniqueName) {
    TComponent app(nullptr);
    auto* a = new TTestForm(&app);
    auto* b = new TTestForm(&app);
    ReadComponentText(a, "object Form1: TTestForm\n  Size = 0\nend\n", {});
    ReadComponentText(b, "object Form1: TTestForm\n  Size = 0\nend\n", {});
    EXPECT_EQ(a->Name(), "Form1");
    EXPECT_EQ(b->Name(), "Form1_1");
}

struct BadForm {
    const char* name;
    const char* body;   // the lines inside "object Form1: TTestForm" ... "end"
    const char* needle; // a piece of the expected message
};
void PrintTo(const BadForm& b, std::ostream* os) {
    *os << b.name;
}

class ComponentReadErrors : public testing::TestWithParam<BadForm> {};

TEST_P(ComponentReadErrors, RaiseNamingComponentPropertyAndLine) {
    TTestForm form(nullptr);
    std::string text = std::string("object Form1: TTestForm\n  Size = 0\n") + GetParam().body + "end\n";
    TFormTextOptions options;
    options.fileName = "bad.txt";
    try {
        ReadComponentText(&form, text, options);
        FAIL() << "no error for " << GetParam().body;
    } catch (const EReadError& e) {
        EXPECT_NE(std::string(e.what()).find(GetParam().needle), std::string::npos) << e.what();
    }
    EXPECT_EQ(form.ComponentCount(), 0) << "components created before the error are freed";
    EXPECT_FALSE(form.IsLoading());
}

INSTANTIATE_TEST_SUITE_P(
    All, ComponentReadErrors,
    testing::Values(
        BadForm{"UnknownClass", "  object B: TNoSuchClass\n  end\n",
                "bad.txt:3: Form1.B: class TNoSuchClass is not registered"},
        BadForm{"UnknownProperty", "  object B: TTestWidget\n    Captio = 'x'\n  end\n",
                "bad.txt:4: Form1.B.Captio: TTestWidget has no property 'Captio'"},
        BadForm{"UnknownSubProperty", "  Font.Nme = 'x'\n",
                "bad.txt:3: Form1.Font.Nme: TTestFont has no property 'Nme'"},
        BadForm{"NotASubObject", "  Caption.Name = 'x'\n", "'Caption' of TTestForm is not a sub-object"},
        BadForm{"WrongKind", "  Size = 'big'\n", "an integer property cannot take a string"},
        BadForm{"SetterRaises", "  Size = -1\n", "cannot set Size: Size must not be negative"},
        BadForm{"UnknownIdent", "  Color = clPurple\n", "'clPurple' is not a value of Color"},
        BadForm{"UnknownEnumMember", "  Kind = wkQuiet\n", "'wkQuiet' is not a member of TWidgetKind"},
        BadForm{"UnknownSetMember", "  Parts = [wpTop,wpMiddle]\n",
                "'wpMiddle' is not a member of TWidgetPart"},
        BadForm{"ReadOnly", "  Count = 4\n", "property Count is read-only"},
        BadForm{"UnknownMethod", "  OnClick = Missing\n", "TTestForm has no published method 'Missing'"},
        BadForm{"WrongSignature", "  OnClick = Measure\n",
                "method Measure does not have the signature of OnClick"},
        BadForm{"MissingReference", "  Buddy = Nobody\n",
                "bad.txt:3: Form1.Buddy: there is no component named Nobody"},
        BadForm{"DuplicateName",
                "  Buddy = Form1\n  object B: TTestWidget\n    Buddy = B\n  end\n  object B: TTestWidget\n  "
                "end\n",
                "A component named B already exists"},
        BadForm{"BinaryLayout", "  SkinStream = {0100}\n",
                "cannot read SkinStream: SkinStream without its count"},
        BadForm{"CollectionItemProperty", "  Items = <\n    item\n      Valu = 1\n    end>\n",
                "bad.txt:5: Form1.Items[0].Valu"},
        BadForm{"WideIntoAnsi", "  Title = W'\xE4\xB8\xAD'\n  Caption = W'\xE4\xB8\xAD'\n",
                "a string property cannot take a wide string"}));

TEST(ComponentRead, RootOfAnotherClassIsRefused) {
    TTestWidget widget(nullptr);
    EXPECT_THROW(ReadComponentText(&widget, "object Form1: TTestForm\nend\n", {}), EReadError);
}

} // namespace
