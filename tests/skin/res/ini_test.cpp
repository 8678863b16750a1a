// TQuickIni: how sloppy skin descriptions are read: line breaks, trimming, comments, letter case,
// duplicates, empty values, and the integer forms.
#include "skin/res/assertion.h"
#include "skin/res/quick_ini.h"

#include <gtest/gtest.h>

using namespace qs;

namespace {
TQuickIni Parse(const std::string& text) {
    TQuickIni ini;
    ini.LoadFromMemory(text);
    return ini;
}
} // namespace

TEST(QuickIniLines, BreaksTrimmingCommentsAndNul) {
    const TQuickIni ini =
        Parse(std::string("\t[A]  \r\n a = 1 \r b=2\n\n;c=3\r\n  ;d=4\n\rx\x01\n[B]\ne=5\0[C]\nf=6", 54));
    EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[A]", "a = 1", "b=2", "x", "[B]", "e=5"}));
    EXPECT_EQ(ini.ReadString("A", "a", "?"), "1");
    EXPECT_EQ(ini.ReadString("A", "c", "?"), "?");
    EXPECT_EQ(ini.ReadString("B", "e", "?"), "5");
    EXPECT_EQ(ini.SectionIndex("C"), -1); // after the NUL
    // LF CR ends two lines, so the text after it is a line of its own.
    EXPECT_EQ(Parse("k=1\n\rk2=2").Lines(), (std::vector<std::string>{"k=1", "k2=2"}));
}

TEST(QuickIniLookup, SectionsAndKeysIgnoreLetterCaseAndSpaces) {
    const TQuickIni ini = Parse("[personality]\n  TopHeight   =    82  \n[ Spaced ]\nk=v\n");
    EXPECT_EQ(ini.ReadString("Personality", "topheight", ""), "82");
    EXPECT_EQ(ini.ReadInteger("PERSONALITY", "TOPHEIGHT", 0), 82);
    EXPECT_EQ(ini.SectionIndex("personality"), 0);
    EXPECT_EQ(ini.SectionIndex("Spaced"), -1); // spaces inside the brackets count
    EXPECT_EQ(ini.ReadString(" Spaced ", "k", ""), "v");
    EXPECT_EQ(ini.ReadString("personality", " topheight", "d"), "d"); // the query key is not trimmed
}

TEST(QuickIniLookup, FirstSectionAndFirstKeyWinEvenWhenEmpty) {
    const TQuickIni ini = Parse("[S]\na=\na=late\nb = one ; two # three\nnoequals\n[s]\nc=1\n[T]\n=anon\n");
    EXPECT_EQ(ini.ReadString("S", "a", "def"), "def");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "one ; two # three");
    EXPECT_EQ(ini.ReadString("S", "c", "none"), "none"); // only the first [S] is ever read
    EXPECT_EQ(ini.ReadString("S", "noequals", "d"), "d");
    EXPECT_EQ(ini.ReadString("T", "", "d"), "anon");
    EXPECT_EQ(ini.ReadString("S", "a", "d"), "d");
    EXPECT_EQ(ini.ReadString("Missing", "a", "d"), "d");
    EXPECT_EQ(Parse("").ReadString("S", "a", "d"), "d");
    std::vector<std::string> sections = {"stale"};
    ini.ReadSections(&sections);
    EXPECT_EQ(sections, (std::vector<std::string>{"S", "s", "T"}));
}

TEST(QuickIniLookup, ALineWithoutEqualsHasTheEmptyKey) {
    const TQuickIni ini =
        Parse("[Form]\nTopHeight\nTopHeight=82\n[Bare]\nlonely\n=late\n[Anon]\n=first\nx\n");
    EXPECT_EQ(ini.ReadInteger("Form", "TopHeight", 0), 82) << "a bare name does not hide the value";
    EXPECT_EQ(ini.ReadString("Form", "topheight", "d"), "82");
    // The empty key stops at the first line that has it, bare or not: a bare line yields the default.
    EXPECT_EQ(ini.ReadString("Bare", "", "d"), "d");
    EXPECT_EQ(ini.ReadString("Bare", "lonely", "d"), "d");
    EXPECT_EQ(ini.ReadString("Anon", "", "d"), "first");
}

TEST(QuickIniLines, LoadFromStreamReadsFromThePositionToTheEnd) {
    const std::string text = "[Skipped]\na=1\n[Read]\nb=2\n";
    TMemoryStream stream;
    stream.Write(text.data(), text.size());
    stream.SetPosition(int64_t(text.find("[Read]")));
    TQuickIni ini;
    ini.LoadFromMemory("[Old]\nc=3\n");
    ini.LoadFromStream(stream);
    EXPECT_EQ(ini.Lines(), (std::vector<std::string>{"[Read]", "b=2"})) << "the earlier text is gone";
    EXPECT_EQ(ini.ReadInteger("Read", "b", 0), 2);
    EXPECT_EQ(stream.Position(), int64_t(text.size()));
    stream.SetPosition(0);
    ini.LoadFromStream(stream);
    EXPECT_EQ(ini.ReadInteger("Skipped", "a", 0), 1);
}

TEST(QuickIniLookup, ReadSectionsTrimsBracketsAndNeedsAList) {
    const TQuickIni ini = Parse("[ Form ]\n[]\n[x\n[Menu]");
    std::vector<std::string> sections;
    ini.ReadSections(&sections);
    EXPECT_EQ(sections, (std::vector<std::string>{"Form", "", "Menu"}));
    try {
        ini.ReadSections(nullptr);
        FAIL() << "no assertion";
    } catch (const EAssertionFailed& e) {
        EXPECT_EQ(e.Message(), "The parameter Strings is unassigned!");
        EXPECT_EQ(e.Unit(), "Winskinini");
        EXPECT_EQ(e.Line(), 318);
    }
}

TEST(QuickIniIntegers, DecimalHexAndDefaults) {
    const TQuickIni ini = Parse("[N]\n"
                                "hex=0x1F\nbare=0X\nshort=0x\ndollar=$ff\nxonly=x10\nneg=-0x10\nplus=+12\n"
                                "all=$FFFFFFFF\nnine=$1FFFFFFFF\nzeros=$000000001\nmin=-2147483648\n"
                                "max=2147483647\nover=2147483648\nunder=-2147483649\nspace=12 3\n"
                                "trail=12a\nsign=-\nnegall=-$FFFFFFFF\nlead=007\n");
    auto get = [&](const char* key) { return ini.ReadInteger("N", key, -7); };
    EXPECT_EQ(get("hex"), 31);
    EXPECT_EQ(get("bare"), -7);
    EXPECT_EQ(get("short"), -7);
    EXPECT_EQ(get("dollar"), 255);
    EXPECT_EQ(get("xonly"), 16);
    EXPECT_EQ(get("neg"), -16);
    EXPECT_EQ(get("plus"), 12);
    EXPECT_EQ(get("all"), -1);
    EXPECT_EQ(get("nine"), -7);
    EXPECT_EQ(get("zeros"), 1);
    EXPECT_EQ(get("min"), INT32_MIN);
    EXPECT_EQ(get("max"), INT32_MAX);
    EXPECT_EQ(get("over"), -7);
    EXPECT_EQ(get("under"), -7);
    EXPECT_EQ(get("space"), -7);
    EXPECT_EQ(get("trail"), -7);
    EXPECT_EQ(get("sign"), -7);
    EXPECT_EQ(get("negall"), 1);
    EXPECT_EQ(get("lead"), 7);
    EXPECT_EQ(get("missing"), -7);
    int32_t v = 0;
    EXPECT_TRUE(ParseIniInteger("   42", v));
    EXPECT_EQ(v, 42);
    EXPECT_FALSE(ParseIniInteger("", v));
}
