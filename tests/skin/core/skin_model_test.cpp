// The skin model read from hand-made skins: every loading rule that a later painter depends on.
#include <gtest/gtest.h>

#include <algorithm>

#include "skin/core/ini_values.h"
#include "skin/core/skin_data.h"
#include "skin/res/colour.h"
#include "skin/res/quick_ini.h"
#include "skin/res/skin_reader.h"
#include "tests/skin/core/test_skin.h"
#include "tests/support/bundled_skins.h"
#include "tests/support/wintest.h"

using qs::test::TestSkin;

namespace {

bool Load(TSkinData& skin, const TestSkin& t, int32_t version = 70000) {
    const auto bytes = t.Compressed(version);
    skin.SkinStream().Clear();
    skin.SkinStream().Write(bytes.data(), bytes.size());
    return skin.LoadSkin();
}

const TDataSkinSysButton* Button(const TSkinData& s, const std::string& name) {
    for (const auto& b : s.SysButtons)
        if (b->Name == name) return b.get();
    return nullptr;
}

} // namespace

TEST(ParseColour, DigitsMakeNumbersAnythingElseSeparates) {
    EXPECT_EQ(ParseColour("211 211 211"), 0xD3D3D3);
    EXPECT_EQ(ParseColour("1,2,3"), 0x030201);
    EXPECT_EQ(ParseColour("10 20 30 40"), 0x1E140A) << "a fourth number is ignored";
    EXPECT_EQ(ParseColour("7,"), 0x000007);
    EXPECT_EQ(ParseColour("7"), 0) << "a lone number without separator is not stored";
    EXPECT_EQ(ParseColour("  7  "), 0) << "blanks are trimmed first";
    EXPECT_EQ(ParseColour(""), 0);
    EXPECT_EQ(ParseColour("-1 -2 -3"), 0x030201) << "minus signs separate";
    EXPECT_EQ(ParseColour("256 257 258"), 0x020100) << "components wrap at 256";
    EXPECT_EQ(ParseColour("99999999999 5 6"), 0x060500) << "an unconvertible number counts as 0";
}

namespace {

// Each section's keys as the text writes them and upper-cased, and names it lacks; with
// crossed, every key of the text is asked of every section.
void ExpectSameAnswers(const std::string& text, bool crossed) {
    qs::TQuickIni ini;
    ini.LoadFromMemory(text);
    const TIniValues values(ini);
    std::vector<std::pair<std::string, std::vector<std::string>>> asked = {{"", {}}};
    for (const std::string& line : ini.Lines()) {
        if (line.front() == '[' && line.back() == ']') {
            asked.push_back({line.substr(1, line.size() - 2), {"Missing", ""}});
            continue;
        }
        const std::string key = line.substr(0, line.find('='));
        asked.back().second.insert(asked.back().second.end(), {key, UpperCase(key), key + " "});
    }
    asked.push_back({"Missing", {"Missing"}});
    if (crossed) {
        std::vector<std::string> all;
        for (const auto& [section, keys] : asked)
            all.insert(all.end(), keys.begin(), keys.end());
        for (auto& [section, keys] : asked)
            keys = all;
    }
    for (size_t i = 0, n = asked.size(); i < n; ++i)
        asked.push_back({UpperCase(asked[i].first), asked[i].second});
    for (const auto& [section, keys] : asked)
        for (const std::string& key : keys) {
            SCOPED_TRACE("[" + section + "] " + key);
            ASSERT_EQ(values.ReadString(section, key, "<default>"),
                      ini.ReadString(section, key, "<default>"));
            ASSERT_EQ(values.ReadInteger(section, key, -77), ini.ReadInteger(section, key, -77));
        }
}

} // namespace

TEST(IniValues, AnswerAsTheParserDoes) {
    ExpectSameAnswers(
        "Orphan=1\r\n[Personality]\r\nTopFrame=3\r\ntopframe=9\r\nNoEquals\r\nNoEquals=5\r\n"
        "Empty=\r\nEmpty=7\r\n  Spaced Key  =  12  \r\nHex=0x1F\r\nDollar=$10\r\nNeg=-0x10\r\n"
        "Bad=12abc\r\nBig=99999999999\r\nSign=+5\r\nTwoEq=a=b\r\n; comment=4\r\n"
        "[personality]\r\nTopFrame=4\r\nLater=1\r\n[ Spaced ]\r\nK=1\r\n[Empty]\r\n[Colours]\r\n"
        "ButtonFace= 1 2 3\r\n[]\r\nNameless=2\r\n",
        true);
    for (const char* id : qs::test::kBundledSkinIds) {
        SCOPED_TRACE(id);
        qs::TSkinReader reader;
        ASSERT_TRUE(reader.ReadArchive(qs::test::BundledSkinBytes(id)));
        std::vector<uint8_t> text;
        reader.FindMember(".ini", text);
        ExpectSameAnswers(std::string(text.begin(), text.end()), false);
    }
}

TEST(SkinModel, FrameBordersTakeTheirCapsAndFramesFromPersonality) {
    TestSkin t;
    t.ini =
        "[Personality]\r\nTop=top.bmp\r\nTopFrame=2\r\nTopTopHeight=12\r\nTopBotHeight=14\r\nTopStretch=5\r\n"
        "Left=parts\\left.bmp\r\nLeftTopHeight=3\r\nLeftBotHeight=4\r\nLeftTrans=0\r\n"
        "Right=right.BMP\r\nBottom=bottom.bmp\r\n";
    t.Bmp("top.bmp", 90, 60).Bmp("left.bmp", 8, 30).Bmp("right.bmp", 8, 30).Bmp("bottom.bmp", 40, 6);
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, t));
    EXPECT_FALSE(s.SkinPending());
    const TDataSkinBorder& top = *s.Borders.Top;
    EXPECT_EQ(top.Frame, 2);
    EXPECT_EQ(top.LeftWidth, 12) << "TopTopHeight is the top border's left cap";
    EXPECT_EQ(top.RightWidth, 14);
    EXPECT_EQ(top.TopHeight, 0);
    EXPECT_EQ(top.Tile, 1) << "a Stretch value above 1 becomes 1";
    EXPECT_EQ(top.Trans, 1) << "Trans defaults to 1";
    EXPECT_EQ(top.Bitmap.Width(), 90);
    const TDataSkinBorder& left = *s.Borders.Left;
    EXPECT_EQ(left.TopHeight, 3);
    EXPECT_EQ(left.BottomHeight, 4);
    EXPECT_EQ(left.LeftWidth, 0);
    EXPECT_EQ(left.Trans, 0);
    EXPECT_EQ(left.Frame, 1);
    EXPECT_EQ(left.Bitmap.Width(), 8) << "the folder part of the value is dropped";
    EXPECT_TRUE(s.Borders.Right->Bitmap.Empty()) << "\".BMP\" in capitals names no image";
}

TEST(SkinModel, ColoursDefaultAndMenubarFollowsButtonFace) {
    TestSkin t;
    t.ini =
        "[Colours]\r\nButtonFace=10 20 30\r\nWindowText=1 2 3\r\n[ColourOne]\r\ncolor=4 5 6\r\n[COLOURS]\r\n"
        "[colourTwo]\r\n[Customcolors]\r\nColor3=7 8 9\r\n";
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, t));
    EXPECT_EQ(s.Colour(scButtonFace), 0x1E140A);
    EXPECT_TRUE(s.Colours[scButtonFace].Given);
    EXPECT_EQ(s.Colour(scMenubar), 0x1E140A) << "a missing Menubar takes ButtonFace as read";
    EXPECT_FALSE(s.Colours[scMenubar].Given);
    ASSERT_EQ(s.SectionColours.size(), 2u) << "COLOUR sections other than COLOURS, in order";
    EXPECT_EQ(s.SectionColours[0], 0x060504);
    EXPECT_EQ(s.SectionColours[1], clWindowText);
    EXPECT_EQ(s.CustomColors[3], 0x090807);
    EXPECT_EQ(s.CustomColors[0], clWhite);
    EXPECT_EQ(s.Colour(scFrameColour), 0x1E140A) << "no Top image: the face colour";
}

TEST(SkinModel, DefaultedColoursNameSystemColoursThatImagesAndTheBrushResolve) {
    TestSkin t;
    t.ini = "[Colours]\r\nWindowText=1 2 3\r\n[ComboButton]\r\nImage=cb.bmp\r\n[Buttons]\r\n";
    t.Bmp("cb.bmp", 8, 4, [](int x, int) { return x < 4 ? 0xFF00FFu : 0x123456u; });
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, t));
    const std::pair<int, int> defaults[] = {
        {scButtonFace, COLOR_BTNFACE},        {scButtonText, COLOR_BTNTEXT},
        {scButtonDkShadow, COLOR_3DDKSHADOW}, {scTitleTextNoActive, COLOR_INACTIVECAPTIONTEXT},
        {scMenubar, COLOR_BTNFACE},           {scFrameColour, COLOR_BTNFACE}};
    for (const auto& [index, sys] : defaults) {
        SCOPED_TRACE(index);
        EXPECT_EQ(s.Colour(index), SystemColor(sys)) << "kept as a reference";
        EXPECT_EQ(ColorToRGB(s.Colour(index)), TColor(GetSysColor(sys)));
    }
    EXPECT_EQ(s.Colour(scWindowText), 0x030201) << "given colours stay as given";
    EXPECT_EQ(s.Buttons->NormalColour2, clBtnText) << "state colours default to the ButtonText entry";

    // The face brush is the system's, which follows later changes of the system colours.
    EXPECT_EQ(s.FaceBrush(), GetSysColorBrush(COLOR_BTNFACE));
    // What is made at load time holds the system colours' values of that moment.
    const TColor face = TColor(GetSysColor(COLOR_BTNFACE));
    TBitmap& arrow = s.ComboxArrow->Bitmap;
    EXPECT_EQ(arrow.Canvas().Pixel(0, 0), face) << "magenta replaced by the face colour";
    EXPECT_EQ(arrow.Canvas().Pixel(5, 0), 0x563412) << "the rest as it was (as a TColor)";
    EXPECT_EQ(s.Toolbar->Bitmap.Canvas().Pixel(0, 0), qs::Blend(face, clWhite, 150)) << "the gradient's top";
}

TEST(SkinModel, CaptionButtonsAreFilteredCountedAndPlaced) {
    TestSkin t;
    t.ini = "[Buttons]\r\n[BUTTON.RADIO]\r\nAction=1\r\n[Button]\r\n"
            "[Button0]\r\nAction=0\r\nButtonImage=b60.bmp\r\n"
            "[Button1]\r\nAction=1\r\nVisibility=2\r\nXcoord=40\r\nYcoord=5\r\nButtonImage=b80.bmp\r\n"
            "[Button2]\r\nAction=4\r\nXcoord=99\r\nButtonImage=b60.bmp\r\n"
            "[Button3]\r\nAction=3\r\nButtonImage=b60.bmp\r\n"
            "[Button5]\r\nAction=-1\r\nButtonImage=b60.bmp\r\n"
            "[Button6]\r\nAction=-1\r\nVisibility=0\r\nButtonImage=b60.bmp\r\n"
            "[Button7]\r\nAction=2\r\nframe=4\r\nButtonImage=b80.bmp\r\n"
            "[MDICONTROLS]\r\nImage=mdi.bmp\r\n";
    t.Bmp("b60.bmp", 60, 20).Bmp("b80.bmp", 80, 20).Bmp("mdi.bmp", 120, 16, [](int x, int) {
        return uint32_t(x / 40) * 0x40;
    });
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, t));
    ASSERT_EQ(s.SysButtons.size(), 6u + 3u)
        << "BUTTONS, BUTTON.RADIO, BUTTON and a retired Action -1 are dropped";
    EXPECT_EQ(Button(s, "BUTTON5"), nullptr);
    ASSERT_NE(Button(s, "BUTTON6"), nullptr);
    EXPECT_EQ(Button(s, "BUTTON6")->Visibility1, -1);
    EXPECT_EQ(Button(s, "BUTTON6")->Frame, 6) << "Action < 0 always counts 6 frames";
    EXPECT_EQ(Button(s, "BUTTON0")->Frame, 3) << "60 x 20: ratio 3.0";
    EXPECT_EQ(Button(s, "BUTTON1")->Frame, 6) << "80 x 20: ratio 4.0";
    EXPECT_EQ(Button(s, "BUTTON7")->Frame, 4) << "a frame key wins";
    EXPECT_EQ(Button(s, "BUTTON0")->CombineOp, -1);
    const TDataSkinSysButton* help = Button(s, "BUTTON2");
    EXPECT_EQ(help->Xcoord, 40) << "the help button takes the place of the normal-only maximise button";
    EXPECT_EQ(help->Ycoord, 5);
    EXPECT_TRUE(Button(s, "BUTTON3")->Bitmap.Empty()) << "an icon button draws the window icon";
    const auto& mdi = s.SysButtons[6];
    EXPECT_EQ(mdi->Action, 7);
    EXPECT_EQ(mdi->Align, 100);
    EXPECT_EQ(mdi->Frame, 4);
    EXPECT_EQ(mdi->Bitmap.Width(), 40);
    EXPECT_EQ(mdi->Xcoord, (10 + 4) * 3);
    EXPECT_EQ(s.SysButtons[8]->Action, 9);
    EXPECT_EQ(s.SysButtons[8]->Xcoord, 10 + 4);
    EXPECT_EQ(s.SysButtons[8]->Bitmap.Canvas().Pixel(0, 0), 0x800000) << "copied from x = 80";
}

TEST(SkinModel, PushButtonGlyphFramesAndSlotFrameCounts) {
    TestSkin t;
    t.ini =
        "[Buttons]\r\nBitmap=btn.bmp\r\nCheckButton=check.bmp\r\nRadioButton=radio.bmp\r\nTile=3\r\n"
        "NormalColour2=1 2 3\r\n"
        "[Tab.Pane]\r\nImage=pane.bmp\r\nLeftWidth=10\r\nTopHeight=3\r\nRightWidth=4\r\nBottomHeight=5\r\n"
        "[Progress]\r\nBitmap=prog.bmp\r\nStyle=1\r\nTile=7\r\n"
        "[Headerbar]\r\nImage=head.bmp\r\nFrame=2\r\n[MenuItem]\r\nImage=item.bmp\r\nFrame=9\r\n"
        "[HorzScrollThumb]\r\nImage=thumb.bmp\r\n[VertScrollThumb]\r\nImage=thumb.bmp\r\nFrameCount=4\r\n"
        "[Scrollbar]\r\nImage=sb.bmp\r\nTile=2\r\n";
    t.Bmp("btn.bmp", 100, 20).Bmp("check.bmp", 78, 13).Bmp("radio.bmp", 32, 16).Bmp("pane.bmp", 30, 30);
    t.Bmp("prog.bmp", 20, 10).Bmp("head.bmp", 20, 10).Bmp("item.bmp", 50, 10).Bmp("thumb.bmp", 30, 10);
    t.Bmp("sb.bmp", 230, 10);
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, t));
    EXPECT_EQ(s.Buttons->Frame, 5);
    EXPECT_EQ(s.Buttons->CheckButtonFrame, 6) << "78 wide, glyphs 13 wide";
    EXPECT_EQ(s.Buttons->RadioButtonFrame, 4) << "32 / 16 = 2, raised to 4";
    EXPECT_EQ(s.Buttons->Tile, 0);
    EXPECT_TRUE(s.Buttons->HasNormalColour2);
    EXPECT_FALSE(s.Buttons->HasPressedColour2);
    EXPECT_EQ(s.Buttons->NormalColour2, 0x030201);
    EXPECT_EQ(s.Buttons->PressedColour2, s.Colour(scButtonText));
    ASSERT_TRUE(s.TabPane);
    EXPECT_EQ(s.TabPane->LeftWidth, 4) << "pane margins are clamped to 4";
    EXPECT_EQ(s.TabPane->TopHeight, 3);
    EXPECT_EQ(s.TabPane->BottomHeight, 4);
    EXPECT_EQ(s.Progress->Frame, 1) << "a styled progress bar has one frame";
    EXPECT_EQ(s.Progress->Tile, 1) << "progress tiles clamp to 1";
    EXPECT_EQ(s.Headerbar->Frame, 2) << "the header keeps a frame count it was given";
    EXPECT_EQ(s.MenuItem->Frame, 5);
    EXPECT_EQ(s.HorzScrollThumb->Frame, 3);
    EXPECT_EQ(s.VertScrollThumb->Frame, 4);
    EXPECT_EQ(s.Scrollbar->Frame, 23);
    EXPECT_EQ(s.Scrollbar->Tile, 0) << "other tiles above 1 become 0";
}

TEST(SkinModel, ProgressAndPushButtonsReadOnlyTheKeysTheirSectionsHave) {
    TestSkin t;
    t.ini =
        "[Progress]\r\nBitmap=prog.bmp\r\nFrame=7\r\nTile=-2\r\nNormalColour=5\r\nNormalColour2=1 2 3\r\n"
        "LeftWidth=3\r\nImage=other.bmp\r\n"
        "[Buttons]\r\nStyle=4\r\nFrame=9\r\nLeftWidth=6\r\nTrans=1\r\nImage=btn.bmp\r\nMouseOverColour=7\r\n";
    t.Bmp("prog.bmp", 20, 10).Bmp("other.bmp", 30, 10).Bmp("btn.bmp", 50, 10);
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, t));
    ASSERT_TRUE(s.Progress);
    EXPECT_EQ(s.Progress->Bitmap.Width(), 20) << "the image key is Bitmap";
    EXPECT_EQ(s.Progress->Frame, 2) << "no Frame key; an unstyled bar has two frames";
    EXPECT_EQ(s.Progress->Tile, -2) << "only values above 1 are clamped";
    EXPECT_EQ(s.Progress->LeftWidth, 3);
    EXPECT_EQ(s.Progress->NormalColour, -1) << "no colours";
    EXPECT_EQ(s.Progress->NormalColour2, clBlack);
    const TDataSkinButton& b = *s.Buttons;
    EXPECT_TRUE(b.Bitmap.Empty()) << "the image key is Bitmap, and without it the record stays";
    EXPECT_EQ(b.LeftWidth, 6);
    EXPECT_EQ(b.Trans, 1);
    EXPECT_EQ(b.MouseOverColour, 7);
    EXPECT_EQ(b.Style, 0) << "no Style key";
    EXPECT_EQ(b.Frame, 5);
}

TEST(SkinModel, DamagedImagesLeaveTheirRecordsWithoutAnImage) {
    TestSkin t;
    t.ini = "[Buttons]\r\nBitmap=short.bmp\r\nCheckButton=garbage.bmp\r\nRadioButton=padded.bmp\r\n"
            "[Scrollbar]\r\nImage=lying.bmp\r\n[SunkEdge]\r\nImage=empty.bmp\r\n";
    t.Bmp("good.bmp", 16, 8);
    const std::vector<uint8_t> good = t.members.back().data;
    t.members.pop_back();
    std::vector<uint8_t> padded = good, lying = good;
    padded.insert(padded.end(), 100, 0xEE); // the declared file size ends the image
    lying[22] = 0x40;                       // far more rows than the data holds
    t.members.push_back({"short.bmp", std::vector<uint8_t>(good.begin(), good.begin() + 30)});
    t.members.push_back({"garbage.bmp", {'B', 'M', 1, 2, 3}});
    t.members.push_back({"padded.bmp", padded});
    t.members.push_back({"lying.bmp", lying});
    t.members.push_back({"empty.bmp", {}});
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, t));
    EXPECT_TRUE(s.Buttons->Bitmap.Empty());
    EXPECT_TRUE(s.Buttons->CheckButton.Empty());
    EXPECT_EQ(s.Buttons->RadioButton.Width(), 16);
    ASSERT_TRUE(s.Scrollbar) << "the section names an image";
    EXPECT_TRUE(s.Scrollbar->Bitmap.Empty());
    ASSERT_TRUE(s.SunkEdge);
    EXPECT_TRUE(s.SunkEdge->Bitmap.Empty());
}

TEST(SkinModel, MissingSectionsLeaveNilWhileAlwaysPresentRecordsExist) {
    TestSkin t;
    t.ini = "[Personality]\r\n[Tabs]\r\nLeftWidth=3\r\n";
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, t));
    EXPECT_FALSE(s.Tabs) << "a section without its image key";
    EXPECT_FALSE(s.Scrollbar);
    EXPECT_FALSE(s.MenuBar);
    EXPECT_FALSE(s.Progress);
    ASSERT_TRUE(s.Buttons && s.Title && s.Borders.Top && s.Toolbar && s.ComboxArrow);
    EXPECT_TRUE(s.Buttons->Bitmap.Empty());
    ASSERT_TRUE(s.Track && s.TrackVert) << "the built-in channels stand in";
    EXPECT_EQ(s.Track->LeftWidth, 3);
    EXPECT_EQ(s.Track->Frame, 1);
    EXPECT_EQ(s.Toolbar->Bitmap.Width(), 10);
    EXPECT_EQ(s.Toolbar->Bitmap.Height(), 40);
    EXPECT_EQ(s.Title->Frame, 2);
    EXPECT_EQ(s.Title->FontHeight, 14);
    EXPECT_EQ(s.Title->ActiveText, clNone);
}

TEST(SkinModel, CaptionTextAndMenuBar) {
    TestSkin t;
    t.ini = "[Personality]\r\nTextBack=back.bmp\r\nTextShift=6\r\nTextShiftVert=2\r\nTextRightClip=70\r\n"
            "TextAlignment=1\r\nTXTBackleft=3\r\nTXTBackRight=4\r\nActiveTextR=255\r\nActiveTextG=1\r\n"
            "ActiveTextB=258\r\nInActiveTextR=5\r\nInActiveTextG=-1\r\nInActiveTextB=5\r\n"
            "menuBar=bar.bmp\r\nTileMenu=4\r\n[Fonts]\r\nFontHeight=16\r\n";
    t.Bmp("back.bmp", 20, 40).Bmp("bar.bmp", 20, 40);
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, t));
    const TDataSkinTitle& title = *s.Title;
    EXPECT_EQ(title.LeftWidth, 6);
    EXPECT_EQ(title.TopHeight, 2);
    EXPECT_EQ(title.RightWidth, 70);
    EXPECT_EQ(title.TextAlignment, 1);
    EXPECT_EQ(title.TXTBackRight, 4);
    EXPECT_EQ(title.FontHeight, 16);
    EXPECT_EQ(title.ActiveText, 0x0201FF);
    EXPECT_EQ(title.InActiveText, clNone) << "a negative component leaves no colour";
    ASSERT_TRUE(s.MenuBar);
    EXPECT_EQ(s.MenuBar->Name, "Personality");
    EXPECT_EQ(s.MenuBar->Tile, 1);
    EXPECT_EQ(s.MenuBar->LeftWidth, 1);
    EXPECT_EQ(s.MenuBar->Frame, 2);
}

TEST(SkinModel, ComboButtonIsComposedWithTheSunkEdge) {
    TestSkin t;
    t.ini =
        "[ComboButton]\r\nImage=cb.bmp\r\n[SunkEdge]\r\nImage=se.bmp\r\nTopHeight=2\r\nBottomHeight=3\r\n";
    t.Bmp("cb.bmp", 80, 21, 0x00AA00).Bmp("se.bmp", 40, 21, 0x0000AA);
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, t));
    const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
    const TDataSkinBorder& combo = *s.ComboButton;
    EXPECT_EQ(combo.Style, 2);
    EXPECT_EQ(combo.LeftWidth, 2);
    EXPECT_EQ(combo.RightWidth, b + 2);
    EXPECT_EQ(combo.TopHeight, 2);
    EXPECT_EQ(combo.Bitmap.Width(), 200);
    EXPECT_EQ(combo.Bitmap.Height(), 21);
    TBitmap& strip = const_cast<TBitmap&>(combo.Bitmap);
    EXPECT_EQ(strip.Canvas().Pixel(0, 0), 0xAA0000) << "the sunk edge around (blue, as TColor)";
    EXPECT_EQ(strip.Canvas().Pixel(10, 10), clFuchsia) << "the text field is see-through";
    EXPECT_EQ(strip.Canvas().Pixel(49, 10), 0x00AA00) << "the button on the right";
    EXPECT_EQ(s.SunkEdge->LeftWidth, b + 2);
    EXPECT_EQ(s.SunkEdge->RightWidth, 2);
    EXPECT_EQ(const_cast<TBitmap&>(s.SunkEdge->Bitmap).Canvas().Pixel(0, 10), 0x00AA00) << "mirrored";
    EXPECT_EQ(s.ComboxArrow->Frame, 4);
    EXPECT_EQ(s.ComboxArrow->Bitmap.Width(), 17 * 4);
}

TEST(SkinModel, ARejectedSkinKeepsThePreviousModelAndStaysPending) {
    TestSkin good;
    good.ini = "[Buttons]\r\nBitmap=btn.bmp\r\n";
    good.Bmp("btn.bmp", 50, 10);
    TSkinData s(nullptr);
    ASSERT_TRUE(Load(s, good));
    std::string shown;
    auto previous = qs::SetSkinMessageSink([&](const std::string& text) { shown = text; });
    EXPECT_FALSE(Load(s, good, 12345));
    EXPECT_EQ(shown, "This is Older Skin File\rPlease update to new version !");
    EXPECT_TRUE(s.SkinPending());
    EXPECT_EQ(s.Buttons->Bitmap.Width(), 50);

    s.SkinStream().Clear();
    s.SkinStream().Write("\x05\x00\x00\x00garbage", 11);
    EXPECT_FALSE(s.LoadSkin());
    EXPECT_EQ(s.Buttons->Bitmap.Width(), 50);
    qs::SetSkinMessageSink(previous);
}

TEST(SkinModel, StoredSkinStreamIsCountedAndANonPositiveCountKeepsTheOldOne) {
    TestSkin t;
    t.ini = "[Buttons]\r\nBitmap=btn.bmp\r\n";
    t.Bmp("btn.bmp", 30, 10);
    const auto bytes = t.Compressed();
    std::vector<uint8_t> stored(4 + bytes.size());
    stored[0] = uint8_t(bytes.size());
    stored[1] = uint8_t(bytes.size() >> 8);
    std::copy(bytes.begin(), bytes.end(), stored.begin() + 4);
    TSkinData s(nullptr);
    s.ReadSkinStream(stored);
    EXPECT_FALSE(s.SkinPending()) << "reading the stream loads the skin";
    EXPECT_EQ(s.WriteSkinStream(), stored);
    s.ReadSkinStream({0, 0, 0, 0});
    EXPECT_EQ(s.WriteSkinStream(), stored);
    s.ReadSkinStream({0xFF, 0xFF, 0xFF, 0xFF});
    EXPECT_EQ(s.WriteSkinStream(), stored);
    std::vector<uint8_t> lying = {0x00, 0x10, 0, 0, 1, 2, 3};
    EXPECT_THROW(s.ReadSkinStream(lying), EReadError);
    EXPECT_EQ(s.WriteSkinStream(), stored);
}

TEST(SkinData, DefaultsAndFilters) {
    TSkinData s(nullptr);
    EXPECT_FALSE(s.Active());
    EXPECT_EQ(s.DisableTag(), 99);
    EXPECT_EQ(s.SkinControls(), 0x1FFFFBu);
    EXPECT_EQ(s.Options(), 0x0448u);
    EXPECT_EQ(s.Skin3rd().size(), 118u);
    EXPECT_EQ(s.Skin3rd()[0], "TCategoryButtons=Scrollbar");
    EXPECT_TRUE(s.SkinPending());
    EXPECT_EQ(s.Version(), "5.40.07.15");
    EXPECT_EQ(s.SkinStore(), "(none)");

    bool doSkin = true;
    s.DoFormSkin(nullptr, "SysMonthCal32", doSkin);
    EXPECT_FALSE(doSkin);
    doSkin = true;
    s.DoFormSkin(nullptr, "TfrPreviewForm", doSkin);
    EXPECT_TRUE(doSkin) << "without xcFastReport";
    s.SetSkinControls(s.SkinControls() | SetOf(xcFastReport));
    s.DoFormSkin(nullptr, "TfrPreviewForm", doSkin);
    EXPECT_FALSE(doSkin);
    s.OnFormSkin.fn = [](TObject*, const std::string&, bool& d) { d = true; };
    doSkin = false;
    s.DoFormSkin(nullptr, "TfrPreviewForm", doSkin);
    EXPECT_TRUE(doSkin) << "the handler alone decides";
}

TEST(SkinData, LoadedNormalisesTheControlGroupsOfAMainFormSkin) {
    TSkinData withMenu(nullptr);
    withMenu.SetSkinControls(withMenu.SkinControls() | SetOf(xcMenuItem));
    withMenu.Loaded();
    EXPECT_FALSE(InSet(withMenu.SkinControls(), xcMenuItem));
    EXPECT_TRUE(InSet(withMenu.SkinControls(), xcSystemMenu));
    TSkinData without(nullptr);
    without.SetSkinControls(without.SkinControls() & ~SetOf(xcMainMenu));
    without.Loaded();
    EXPECT_FALSE(InSet(without.SkinControls(), xcSystemMenu));
    without.SetActive(true);
    EXPECT_TRUE(without.Active());
    TSkinData pending(nullptr);
    pending.SetStateFlag(csLoading, true);
    pending.SetActive(true);
    pending.Loaded();
    EXPECT_FALSE(pending.Active()) << "an active skin with nothing loaded switches itself off";
}

TEST(SkinData, SwitchingSkinsLeaksNoGdiObjects) {
    TestSkin a, b;
    a.ini = "[Personality]\r\nTop=t.bmp\r\n[Buttons]\r\nBitmap=b.bmp\r\n[ComboButton]\r\nImage=c.bmp\r\n"
            "[SunkEdge]\r\nImage=s.bmp\r\n";
    a.Bmp("t.bmp", 60, 40).Bmp("b.bmp", 50, 10).Bmp("c.bmp", 80, 21).Bmp("s.bmp", 40, 21);
    b.ini = "[Buttons]\r\nBitmap=b.bmp\r\nCheckButton=b.bmp\r\n[ComboButton]\r\nImage=c.bmp\r\n";
    b.Bmp("b.bmp", 52, 13).Bmp("c.bmp", 80, 21);
    TSkinData s(nullptr);
    Load(s, a);
    Load(s, b);
    const DWORD before = qs::test::GdiObjectCount();
    for (int i = 0; i < 100; ++i) {
        Load(s, a);
        Load(s, b);
    }
    EXPECT_EQ(qs::test::GdiObjectCount(), before);
}
