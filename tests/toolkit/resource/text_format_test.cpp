// The form text on its own: values, code-page conversion, file references, canonical writing and
// error positions. No classes are involved at this level.
#include <gtest/gtest.h>

#include "toolkit/core/object.h"
#include "toolkit/resource/form_resource.h"

namespace {

TFormTextOptions Cp936(std::string fileName = "form.txt") {
    TFormTextOptions o;
    o.fileName = std::move(fileName);
    o.codec = &Cp936Codec();
    return o;
}

const TFormValue& ValueOf(const TFormNode& n, const std::string& name) {
    for (const TFormProp& p : n.props)
        if (p.name == name) return p.value;
    throw std::runtime_error("no " + name);
}

TEST(FormText, ParsesEveryKindOfValue) {
    TFormNode n = ParseFormText(R"(object Form1: TForm1
  Dec = -12
  Hex = $1F
  Neg = -$10
  Big = 9223372036854775807
  Caption = '说明' + 'x'
  Joined = 'a'#13#$0A'b' ''''
  Wide = W'说明'#$D83D#$DE00
  Color = clGray
  Yes = true
  Icons = [ biSystemMenu , biMinimize ]
  None = []
  Blob = {0a0B
    Ff}
  Font.Name = '宋体'
  Store = <
    item
      Name = 'S0'
    end
    item
    end>
  object TPopupMenu
  end
end)",
                                Cp936());
    EXPECT_EQ(n.className, "TForm1");
    EXPECT_EQ(ValueOf(n, "Dec").integer, -12);
    EXPECT_EQ(ValueOf(n, "Hex").integer, 31);
    EXPECT_EQ(ValueOf(n, "Neg").integer, -16);
    EXPECT_EQ(ValueOf(n, "Big").integer, INT64_MAX);
    EXPECT_EQ(ValueOf(n, "Caption").text, "\xCB\xB5\xC3\xF7x") << "UTF-8 converted to code page 936";
    EXPECT_EQ(ValueOf(n, "Joined").text, "a\r\nb'");
    EXPECT_EQ(ValueOf(n, "Wide").wide, u"说明\U0001F600") << "wide strings keep UTF-16";
    EXPECT_EQ(ValueOf(n, "Color").kind, TFormValueKind::Ident);
    EXPECT_EQ(ValueOf(n, "Color").text, "clGray");
    EXPECT_EQ(ValueOf(n, "Yes").kind, TFormValueKind::True);
    EXPECT_EQ(ValueOf(n, "Icons").members, (std::vector<std::string>{"biSystemMenu", "biMinimize"}));
    EXPECT_TRUE(ValueOf(n, "None").members.empty());
    EXPECT_EQ(ValueOf(n, "Blob").bytes, (std::vector<uint8_t>{0x0A, 0x0B, 0xFF}));
    EXPECT_EQ(ValueOf(n, "Font.Name").text, "\xCB\xCE\xCC\xE5");
    ASSERT_EQ(ValueOf(n, "Store").items.size(), 2u);
    EXPECT_EQ(ValueOf(n, "Store").items[0].props[0].value.text, "S0");
    ASSERT_EQ(n.children.size(), 1u);
    EXPECT_EQ(n.children[0].className, "TPopupMenu");
    EXPECT_EQ(n.children[0].name, "");
}

TEST(FormText, WriterShowsCodePageTextAndEscapesTheRest) {
    TFormNode n;
    n.className = "TForm1";
    n.name = "Form1";
    TFormProp chinese{"Caption", {}};
    chinese.value.kind = TFormValueKind::String;
    chinese.value.text = "\xCB\xB5\xC3\xF7'\x01\xFF"; // 说明, a quote, a control byte, a lone lead byte
    TFormProp wide{"Title", {}};
    wide.value.kind = TFormValueKind::WString;
    wide.value.wide = u"a\x1F\xD800z"; // a control unit and a lone surrogate
    n.props = {chinese, wide};

    std::string text = FormTreeToText(n, &Cp936Codec());
    EXPECT_EQ(text, "object Form1: TForm1\n  Caption = '说明'''#1#255\n  Title = W'a'#31#55296'z'\nend\n");
    EXPECT_EQ(ParseFormText(text, Cp936()), n);
    EXPECT_NE(FormTreeToText(n, nullptr).find("Caption = #203#181#195#247''''#1#255\n"), std::string::npos)
        << "without a codec every non-ASCII byte is a code";
}

TEST(FormText, FileReferencesGoThroughTheLoader) {
    TFormTextOptions o = Cp936();
    std::string asked;
    o.loadFile = [&](const std::string& path, std::vector<uint8_t>& bytes) {
        asked = path;
        bytes = {1, 2, 3};
        return path != "missing.skin";
    };
    TFormNode n = ParseFormText("object F: T\n  SkinStream = {file \"skins/default.skin\"}\nend\n", o);
    EXPECT_EQ(asked, "skins/default.skin");
    EXPECT_EQ(n.props[0].value.bytes, (std::vector<uint8_t>{1, 2, 3}));
    EXPECT_THROW(ParseFormText("object F: T\n  S = {file \"missing.skin\"}\nend\n", o), EReadError);
    EXPECT_THROW(ParseFormText("object F: T\n  S = {file \"a\"}\nend\n", Cp936()), EReadError);
}

struct BadText {
    const char* name;
    const char* text;
    const char* message;
};
void PrintTo(const BadText& b, std::ostream* os) {
    *os << b.name;
}

class FormTextErrors : public testing::TestWithParam<BadText> {};

TEST_P(FormTextErrors, NameFileAndLine) {
    try {
        ParseFormText(GetParam().text, Cp936());
        FAIL() << "accepted " << GetParam().text;
    } catch (const EReadError& e) {
        EXPECT_EQ(std::string(e.what()), GetParam().message);
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, FormTextErrors,
    testing::Values(
        BadText{"UnterminatedString", "object F: T\n  A = 'open\nend\n", "form.txt:2: unterminated string"},
        BadText{"MissingEnd", "object F: T\n  A = 1\n", "form.txt:1: object F has no 'end'"},
        BadText{"BadHexDigit", "object F: T\n  A = {0G}\nend\n",
                "form.txt:2: bad hex digit 'G' in a binary value"},
        BadText{"OddHexDigits", "object F: T\n  A = {\n  ABC}\nend\n",
                "form.txt:3: odd number of hex digits in a binary value"},
        BadText{"Unconvertible", "object F: T\n\n  A = '\xF0\x9F\x98\x80'\nend\n",
                "form.txt:3: cannot convert '\xF0\x9F\x98\x80' to the ANSI code page"},
        BadText{"NumberOverflow", "object F: T\n  A = 9223372036854775808\nend\n",
                "form.txt:2: number out of range"},
        BadText{"CodeTooBig", "object F: T\n  A = #256\nend\n",
                "form.txt:2: #256 is not a byte (8-bit string)"},
        BadText{"MissingEquals", "object F: T\n  A 1\nend\n", "form.txt:2: expected '=' after A"},
        BadText{"EmptySetMember", "object F: T\n  A = [x,]\nend\n", "form.txt:2: expected a set member"},
        BadText{"NotAnItem", "object F: T\n  A = <\n    thing\n  >\nend\n",
                "form.txt:3: expected 'item' or '>'"},
        BadText{"TrailingText", "object F: T\nend\nend\n", "form.txt:3: text after the end of the form"},
        BadText{"NotAnObject", "form F: T\nend\n", "form.txt:1: expected 'object', found 'form'"}));

TEST(FormText, DeepNestingIsRefused) {
    std::string text;
    for (int i = 0; i < 40; ++i)
        text += "object T\n";
    for (int i = 0; i < 40; ++i)
        text += "end\n";
    EXPECT_THROW(ParseFormText(text, Cp936()), EReadError);
}

} // namespace
