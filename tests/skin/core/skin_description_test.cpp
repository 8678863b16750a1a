// The skin description's decisions: frame counts derived from images, defaults, clamps, and
// hostile values recorded as the engine records them.
#include <gtest/gtest.h>

#include <cstdint>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "skin/core/skin_description.h"
#include "skin/res/quick_ini.h"
#include "skin/res/skin_reader.h"
#include "toolkit/graphics/bmp_encode.h"

using namespace qs;

namespace {

// An ini and named members, viewed as the description reads an archive.
struct Skin {
    std::string ini;
    std::vector<std::pair<std::string, std::vector<uint8_t>>> files;

    Skin& Bmp(const std::string& name, int w, int h) {
        std::vector<uint32_t> px(size_t(w) * size_t(h), 0x336699);
        files.emplace_back(name, EncodeBmp24(w, h, px.data()));
        return *this;
    }
    Skin& Raw(const std::string& name, std::vector<uint8_t> bytes) {
        files.emplace_back(name, std::move(bytes));
        return *this;
    }
    TSkinDescription Describe() const {
        std::vector<TSkinMemberView> members = {
            {"skin.ini", reinterpret_cast<const uint8_t*>(ini.data()), ini.size()}};
        for (const auto& [name, bytes] : files)
            members.push_back({name, bytes.data(), bytes.size()});
        return DescribeSkin(members, false);
    }
};

const TSkinCaptionButton* Button(const TSkinDescription& d, const std::string& name) {
    for (const TSkinCaptionButton& b : d.captionButtons)
        if (b.name == name) return &b;
    return nullptr;
}

} // namespace

TEST(SkinDescription, FrameCountsComeFromImageShapesWhereTheSkinLeavesThemOut) {
    Skin s;
    s.ini = "[Buttons]\nCheckButton=check.bmp\nRadioButton=radio.bmp\n"
            "[ButtonSquare]\nAction=0\nButtonImage=square.bmp\n"
            "[ButtonWide]\nAction=2\nButtonImage=wide.bmp\n"
            "[ButtonGiven]\nAction=2\nframe=5\nButtonImage=wide.bmp\n"
            "[ButtonDecor]\nAction=-1\nVisibility=0\nButtonImage=square.bmp\n"
            "[ButtonIcon]\nAction=3\nButtonImage=square.bmp\n"
            "[ButtonBroken]\nAction=0\nButtonImage=broken.bmp\n"
            "[MDICONTROLS]\nImage=mdi.bmp\n"
            "[Progress]\nBitmap=p.bmp\nStyle=1\n[Headerbar]\nImage=p.bmp\n"
            "[HorzScrollThumb]\nImage=p.bmp\nFrameCount=7\n[VertScrollThumb]\nImage=p.bmp\n"
            "[Scrollbar]\nImage=p.bmp\nFrame=4\n[Track]\nImage=p.bmp\nFrame=9\n";
    s.Bmp("check.bmp", 65, 13).Bmp("radio.bmp", 80, 16).Bmp("square.bmp", 57, 19).Bmp("wide.bmp", 78, 13);
    s.Bmp("mdi.bmp", 125, 14).Bmp("p.bmp", 20, 20).Raw("broken.bmp", {'B', 'M', 1, 2, 3});
    const TSkinDescription d = s.Describe();

    EXPECT_EQ(d.buttons.checkButtonFrame, 5) << "13-pixel glyphs below 16 pixels high";
    EXPECT_EQ(d.buttons.radioButtonFrame, 5) << "16-pixel glyphs from 16 pixels high";
    EXPECT_EQ(d.buttons.frame, 5);
    EXPECT_EQ(Button(d, "BUTTONSQUARE")->frame, 3) << "57/19 = 3.0 is at most 3.8";
    EXPECT_EQ(Button(d, "BUTTONWIDE")->frame, 6) << "78/13 = 6.0";
    EXPECT_EQ(Button(d, "BUTTONGIVEN")->frame, 5);
    EXPECT_EQ(Button(d, "BUTTONDECOR")->frame, 6) << "decorations are always six frames";
    EXPECT_EQ(Button(d, "BUTTONBROKEN")->frame, 6) << "an image that does not decode counts as none";
    EXPECT_EQ(Button(d, "BUTTONBROKEN")->image.state, TImageState::Undecodable);
    EXPECT_EQ(Button(d, "BUTTONICON")->image.state, TImageState::None)
        << "the window's icon is drawn instead";

    // Twelve cells of 125 / 12 = 10 pixels; four per button, placed from the right.
    std::vector<const TSkinCaptionButton*> mdi;
    for (const TSkinCaptionButton& b : d.captionButtons)
        if (b.mdi) mdi.push_back(&b);
    ASSERT_EQ(mdi.size(), 3u);
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(mdi[size_t(i)]->action, acMdiChildMinimize + i);
        EXPECT_EQ(mdi[size_t(i)]->mdiSource, 40 * i);
        EXPECT_EQ(mdi[size_t(i)]->mdiWidth, 40);
        EXPECT_EQ(mdi[size_t(i)]->xcoord, 14 * (3 - i));
        EXPECT_EQ(mdi[size_t(i)]->frame, 4);
    }

    EXPECT_EQ(d.progress->frame, 1) << "a styled progress bar is one frame";
    EXPECT_EQ(d.headerbar->frame, 5) << "a header bar without Frame";
    EXPECT_EQ(d.horzScrollThumb->frame, 7);
    EXPECT_EQ(d.vertScrollThumb->frame, 3);
    EXPECT_EQ(d.scrollbar->frame, 23) << "imposed over the skin's 4";
    EXPECT_EQ(d.track->frame, 9) << "the track keeps its own";
    bool told = false;
    for (const TSkinAdjustment& a : d.adjustments)
        told |= a.section == "Scrollbar" && a.key == "Frame" && a.written == 4 && a.used == 23;
    EXPECT_TRUE(told) << "an imposed count over a written one is an adjustment";
}

TEST(SkinDescription, DefaultsFilteringAndClamps) {
    Skin s;
    s.ini = "[Colours]\nButtonFace=1 2 3\nButtonText=4,5,6\n"
            "[COLOUR1]\ncolor=7 8 9\n[Colour2]\n"
            "[Customcolors]\nColor3=10 11 12\n"
            "[ButtonMax]\nAction=1\nVisibility=2\nXcoord=40\nYcoord=3\n"
            "[ButtonHelp]\nAction=4\nXcoord=99\n"
            "[ButtonHidden]\nAction=-1\n"
            "[Buttons]\nBitmap=b.bmp\nTile=7\nNormalColour2=1 1 1\n"
            "[Progress]\nBitmap=b.bmp\nTile=7\n"
            "[Tab.Pane]\nImage=b.bmp\nLeftWidth=9\nTopHeight=-9\nRightWidth=4\n"
            "[Personality]\nTopStretch=5\nLeftStretch=0\n"
            "[GroupBox]\nImage=\nTile=9\n[Tabs]\nImage=nothing.bmp\n";
    s.Bmp("b.bmp", 30, 30);
    const TSkinDescription d = s.Describe();

    EXPECT_EQ(d.colours[3].value, 0x030201);
    EXPECT_TRUE(d.colours[3].given);
    EXPECT_EQ(d.colours[0].value, SystemColor(8)) << "the window-text system colour";
    EXPECT_FALSE(d.colours[0].given);
    EXPECT_EQ(d.colours[13].value, 0x030201) << "the menu bar defaults to the face just read";
    EXPECT_FALSE(d.colours[17].fromSkin) << "the frame colour is sampled by the drawing side";
    EXPECT_EQ(d.sectionColours, (std::vector<TColor>{0x090807, SystemColor(8)}));
    EXPECT_EQ(d.customColors[3], 0x0C0B0A);
    EXPECT_EQ(d.customColors[0], clWhite);

    EXPECT_EQ(d.buttons.normalColour2, 0x010101);
    EXPECT_EQ(d.buttons.pressedColour2, 0x060504) << "unset second colours are the button text";
    EXPECT_TRUE(d.buttons.hasNormalColour2);
    EXPECT_FALSE(d.buttons.hasPressedColour2);
    EXPECT_EQ(d.buttons.tile, 0) << "Tile above 1 stretches";
    EXPECT_EQ(d.progress->tile, 1) << "except on the progress bar, which tiles";

    EXPECT_EQ(Button(d, "BUTTONHELP")->xcoord, 40) << "help takes the normal-only maximise button's place";
    EXPECT_EQ(Button(d, "BUTTONHELP")->ycoord, 3);
    EXPECT_EQ(Button(d, "BUTTONHIDDEN"), nullptr) << "a decoration without Visibility=0 never shows";
    EXPECT_EQ(Button(d, "BUTTONMAX")->visibility1, 0);

    EXPECT_EQ(d.tabPane->left, 4);
    EXPECT_EQ(d.tabPane->top, -9) << "only large pane margins are clamped";
    EXPECT_EQ(d.tabPane->right, 4);
    EXPECT_EQ(d.borders[2].tile, 1) << "TopStretch above 1 is 1";
    EXPECT_TRUE(d.borders[0].tiled) << "LeftStretch=0 tiles";
    EXPECT_EQ(d.borders[0].frame, 1);
    EXPECT_EQ(d.borders[0].trans, 1);
    EXPECT_EQ(d.title.fontHeight, 14);
    EXPECT_EQ(d.title.frame, 2);

    EXPECT_FALSE(d.groupBox) << "no image value, no record";
    for (const TSkinAdjustment& a : d.adjustments)
        EXPECT_NE(a.section, "GroupBox") << "an absent record's values adjust nothing";
    ASSERT_TRUE(d.tabs) << "a named image that is missing still makes the record";
    EXPECT_EQ(d.tabs->image.state, TImageState::Missing);
    EXPECT_EQ(d.keysRead.at({"groupbox", "backgroundalignment"}), "BackgroundAlignment");
}

TEST(SkinDescription, HostileValuesAreRecordedAsWrittenWithoutHarm) {
    Skin s;
    s.ini =
        "[Personality]\nTop=top.bmp\nTopFrame=2147483647\nTopTopHeight=-2147483648\nTopBotHeight=0x7FFFFFFF\n"
        "Left=C:\\skins\\Left.bmp\nRight=right.BMP\nBottom=nul.bmp\n"
        "[Buttonx]\nAction=-2147483648\nVisibility=2147483647\nframe=-5\nButtonImage=top.bmp\n"
        "[Buttony]\nAction=0\nButtonImage=tall.bmp\n"
        "[Buttons]\nCheckButtonFrame=-1\nCheckButton=tall.bmp\n"
        "[MDICONTROLS]\nImage=tiny.bmp\n"
        "[HorzScrollThumb]\nImage=top.bmp\nFrameCount=-2147483648\n"
        "[Tab.Pane]\nImage=top.bmp\nLeftWidth=2147483647\n";
    s.Bmp("top.bmp", 3, 2).Bmp("left.bmp", 4, 4).Bmp("right.bmp", 4, 4).Bmp("tall.bmp", 1, 4000);
    s.Bmp("tiny.bmp", 11, 3).Raw("nul.bmp", {});
    // A second member of the same name is never reached.
    s.Raw("top.bmp", {'x'});
    const TSkinDescription d = s.Describe();

    EXPECT_EQ(d.borders[2].frame, INT32_MAX);
    EXPECT_EQ(d.borders[2].left, INT32_MIN);
    EXPECT_EQ(d.borders[2].right, INT32_MAX);
    EXPECT_EQ(d.borders[2].image.width, 3) << "the first member of a name";
    EXPECT_EQ(d.borders[0].image.member, "left.bmp") << "the path is dropped and case ignored";
    EXPECT_EQ(d.borders[1].image.state, TImageState::NotBmp) << "the extension is matched exactly";
    EXPECT_EQ(d.borders[3].image.state, TImageState::Missing) << "an empty member";

    EXPECT_EQ(Button(d, "BUTTONX")->action, INT32_MIN);
    EXPECT_EQ(Button(d, "BUTTONX")->frame, -5);
    EXPECT_EQ(Button(d, "BUTTONY")->frame, 3) << "1/4000 is a tall image: three frames";
    EXPECT_EQ(d.buttons.checkButtonFrame, -1);
    for (const TSkinCaptionButton& b : d.captionButtons)
        if (b.mdi) {
            EXPECT_EQ(b.mdiWidth, 0) << "a strip narrower than twelve pixels has no cells";
        }
    EXPECT_EQ(d.horzScrollThumb->frame, INT32_MIN);
    EXPECT_EQ(d.tabPane->left, 4);
}

TEST(SkinDescription, IniLinesAreCountedAsAnEditorCountsThem) {
    const char text[] = "; note\r\n[A]\r\n\r\nx = 1\ry=2\n\n  [B]  \n\r;c\nz\0w=1";
    const std::string ini(text, sizeof text - 1);
    TQuickIni parsed;
    parsed.LoadFromMemory(ini.data(), ini.size());
    EXPECT_EQ(IniLineNumbers(ini), (std::vector<int>{2, 4, 5, 7, 10}));
    EXPECT_EQ(IniLineNumbers(ini).size(), parsed.Lines().size());
}

// Every key the vocabulary lists for a section is one the description asks for.
TEST(SkinDescription, ReadsEveryKeyOfTheVocabulary) {
    Skin s;
    s.ini = "[Button1]\n[COLOUR1]\n";
    const TSkinDescription d = s.Describe();
    std::ifstream file(QS_VOCABULARY);
    ASSERT_TRUE(file) << QS_VOCABULARY;
    std::string line;
    int checked = 0;
    while (std::getline(file, line)) {
        const size_t colon = line.find(": ");
        if (line.empty() || line[0] == '#' || colon == std::string::npos) continue;
        std::string section = line.substr(0, colon);
        if (section == "generic" || section == "generic-sections") continue;
        if (section == "Button*") section = "Button1";
        if (section == "COLOUR*") section = "COLOUR1";
        std::istringstream keys(line.substr(colon + 2));
        for (std::string key; keys >> key; ++checked)
            EXPECT_TRUE(d.keysRead.count({AsciiLower(section), AsciiLower(key)})) << section << ": " << key;
    }
    EXPECT_GT(checked, 100);
}
