// The eleven skins as the build draws them: every theme is generated once, then its files are checked against
// the skin vocabulary and against the frame and margin rules the loader and the painters apply.
#include "skins/generator/image_files.h"
#include "skins/generator/output.h"
#include "skins/generator/theme.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>

namespace fs = std::filesystem;
using namespace qs::skingen;

namespace {

// An ini as the skin loader sees it: sections in order, keys looked up case-insensitively.
struct Ini {
    struct Section {
        std::string name;
        std::vector<std::pair<std::string, std::string>> keys;
        const std::string* get(const std::string& key) const {
            for (const auto& [k, v] : keys)
                if (Lower(k) == Lower(key)) return &v;
            return nullptr;
        }
        int num(const std::string& key, int def) const {
            const std::string* v = get(key);
            return v ? std::stoi(*v) : def;
        }
    };
    std::vector<Section> sections;
    const Section* find(const std::string& name) const {
        for (const Section& s : sections)
            if (Lower(s.name) == Lower(name)) return &s;
        return nullptr;
    }
    static std::string Lower(std::string s) {
        for (char& c : s)
            c = char(std::tolower(uint8_t(c)));
        return s;
    }
};

Ini ParseIni(const std::string& text) {
    Ini ini;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty() || line[0] == ';') continue;
        if (line.front() == '[' && line.back() == ']') {
            ini.sections.push_back({line.substr(1, line.size() - 2), {}});
        } else if (auto eq = line.find('='); eq != std::string::npos && !ini.sections.empty()) {
            ini.sections.back().keys.emplace_back(line.substr(0, eq), line.substr(eq + 1));
        }
    }
    return ini;
}

struct Generated {
    Theme theme;
    std::string iniText;
    Ini ini;
    std::map<std::string, Image> images; // by file name
    std::map<std::string, int> depth;
};

const std::vector<std::string> kIds = {"default", "item0", "item1", "item2", "item3", "item4",
                                       "item5",   "item6", "item7", "item8", "item9"};

class Skins : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        for (const std::string& id : kIds) {
            const auto bytes = ReadFile(std::string(QS_THEMES_DIR) + "/" + id + ".theme");
            ThemeError error;
            auto theme = ParseTheme(std::string(bytes.begin(), bytes.end()), id, &error);
            ASSERT_TRUE(theme) << error.Format(id);
            Generated g{*theme, {}, {}, {}, {}};
            for (const SkinFile& f : SkinFiles(BuildSkin(*theme), *theme)) {
                if (f.name == id + ".ini") {
                    g.iniText.assign(f.bytes.begin(), f.bytes.end());
                    continue;
                }
                int bits = 0;
                Image img = DecodeBmp(f.bytes, &bits);
                ASSERT_FALSE(img.empty()) << f.name;
                g.depth[f.name] = bits;
                g.images[f.name] = std::move(img);
            }
            g.ini = ParseIni(g.iniText);
            skins_.push_back(std::move(g));
        }
    }
    static void TearDownTestSuite() { skins_.clear(); }

    // The image an ini value names: the file-name part after the last backslash or colon.
    static const Image* ImageOf(const Generated& g, const std::string& value) {
        const size_t cut = value.find_last_of("\\:");
        auto it = g.images.find(cut == std::string::npos ? value : value.substr(cut + 1));
        return it == g.images.end() ? nullptr : &it->second;
    }
    static const Generated& Skin(const std::string& id) {
        return *std::find_if(skins_.begin(), skins_.end(),
                             [&](const Generated& g) { return g.theme.id == id; });
    }

    static inline std::vector<Generated> skins_;
};

bool StartsWith(const std::string& s, const std::string& p) {
    return Ini::Lower(s).rfind(Ini::Lower(p), 0) == 0;
}

bool IsCaptionButton(const std::string& name) {
    const std::string u = Ini::Lower(name);
    return StartsWith(u, "button") && u != "buttons" && u != "button" && u != "button.radio" &&
           u != "button.checkbox";
}

std::vector<std::pair<std::string, std::vector<std::string>>> Vocabulary() {
    const auto bytes = ReadFile(QS_VOCABULARY);
    std::istringstream in(std::string(bytes.begin(), bytes.end()));
    std::vector<std::pair<std::string, std::vector<std::string>>> out;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        const size_t colon = line.find(':');
        if (colon == std::string::npos) continue;
        std::istringstream words(line.substr(colon + 1));
        std::vector<std::string> keys;
        for (std::string w; words >> w;)
            keys.push_back(w);
        out.emplace_back(line.substr(0, colon), keys);
    }
    return out;
}

} // namespace

TEST_F(Skins, EveryThemeBuildsWithCrLfLinesAndBmpNames) {
    ASSERT_EQ(skins_.size(), kIds.size());
    for (const Generated& g : skins_) {
        SCOPED_TRACE(g.theme.id);
        EXPECT_EQ(g.iniText.find('\n'), g.iniText.find("\r\n") + 1) << "first line end is not CR LF";
        size_t bare = 0;
        for (size_t i = 0; i < g.iniText.size(); ++i)
            bare += g.iniText[i] == '\n' && (i == 0 || g.iniText[i - 1] != '\r');
        EXPECT_EQ(bare, 0u);
        EXPECT_NE(g.ini.find("Personality"), nullptr);
        // The loader accepts only a lower-case ".bmp" extension.
        for (const auto& s : g.ini.sections)
            for (const auto& [k, v] : s.keys)
                if (v.size() > 4 && Ini::Lower(v.substr(v.size() - 4)) == ".bmp") {
                    EXPECT_EQ(v.substr(v.size() - 4), ".bmp") << s.name << "." << k;
                    EXPECT_NE(ImageOf(g, v), nullptr) << s.name << "." << k << " names a missing image " << v;
                }
    }
}

TEST_F(Skins, TogetherTheyUseEverySectionAndKeyOfTheVocabulary) {
    const auto vocab = Vocabulary();
    ASSERT_GT(vocab.size(), 35u);
    std::vector<std::string> genericSections;
    for (const auto& [name, keys] : vocab)
        if (name == "generic-sections") genericSections = keys;
    for (const auto& [name, keys] : vocab) {
        if (name == "generic-sections") continue;
        for (const std::string& key : keys) {
            bool found = false;
            for (const Generated& g : skins_)
                for (const auto& s : g.ini.sections) {
                    bool match = name == "generic"
                                     ? std::count(genericSections.begin(), genericSections.end(), s.name) > 0
                                 : name == "Button*" ? IsCaptionButton(s.name)
                                 : name == "COLOUR*"
                                     ? StartsWith(s.name, "COLOUR") && Ini::Lower(s.name) != "colours"
                                     : s.name == name;
                    // Spelled exactly as the vocabulary does, though the loader would forgive the case.
                    if (match)
                        found = found || std::any_of(s.keys.begin(), s.keys.end(),
                                                     [&](auto& kv) { return kv.first == key; });
                }
            EXPECT_TRUE(found) << name << ": " << key << " appears in no skin";
        }
    }
}

TEST_F(Skins, FlagshipHasEverySectionAndAFullColourTable) {
    const Generated& g = Skin("item9");
    for (const auto& [name, keys] : Vocabulary()) {
        if (name == "generic" || name == "generic-sections") continue;
        const bool has =
            std::any_of(g.ini.sections.begin(), g.ini.sections.end(), [&](const Ini::Section& s) {
                return name == "Button*"   ? IsCaptionButton(s.name)
                       : name == "COLOUR*" ? StartsWith(s.name, "COLOUR") && s.name != "Colours"
                                           : s.name == name;
            });
        EXPECT_TRUE(has) << "item9 lacks " << name;
        if (name != "Colours" && name != "Customcolors") continue;
        for (const std::string& key : keys)
            EXPECT_NE(g.ini.find(name)->get(key), nullptr) << name << "." << key;
    }
}

// Frames side by side must divide the width, stacked ones the height, and the fixed margins must leave a
// middle, or nine-slice painting shows seams at some sizes.
TEST_F(Skins, ImagesHoldTheFramesAndMarginsTheirSectionsDescribe) {
    struct Rule {
        const char* section;
        const char* key;
        int frames; // 0: the section's Frame (or FrameCount) value
    };
    const Rule rules[] = {
        {"Buttons", "Bitmap", 5},
        {"Tabs", "Image", 5},
        {"ComboButton", "Image", 4},
        {"SunkEdge", "Image", 4},
        {"ExtraImages", "Image", 5},
        {"Scrollbar", "Image", 23},
        {"HorzScroll", "Image", 4},
        {"VertScroll", "Image", 4},
        {"ToolBars", "Image", 5},
        {"MenuItem", "Image", 5},
        {"MenuBackground", "Image", 1},
        {"StatusBarEdges", "Image", 3},
        {"GroupBoxEdge", "Image", 2},
        {"GroupBox", "Image", 1},
        {"Tab.Pane", "Image", 1},
        {"UpDown.Horz", "Image", 8},
        {"UpDown.Vert", "Image", 8},
        {"UpDown.Horz", "GlyphImage", 8},
        {"UpDown.Vert", "GlyphImage", 8},
        {"Headerbar", "Image", 0},
        {"HorzScrollThumb", "Image", 0},
        {"VertScrollThumb", "Image", 0},
        {"Track", "Image", 0},
        {"TRACKVERT", "Image", 0},
        {"Progress.Chunk", "Image", 0},
        {"Trackbar.ThumbHorz", "Image", 5},
        {"Trackbar.ThumbVert", "Image", 5},
        {"Trackbar.ThumbLeft", "Image", 5},
        {"Trackbar.ThumbRight", "Image", 5},
        {"Trackbar.ThumbUp", "Image", 5},
        {"Trackbar.ThumbDown", "Image", 5},
        {"Progress", "Bitmap", -1},
        {"MDICONTROLS", "Image", 12},
    };
    for (const Generated& g : skins_) {
        SCOPED_TRACE(g.theme.id);
        for (const Rule& r : rules) {
            const Ini::Section* s = g.ini.find(r.section);
            if (!s || !s->get(r.key)) continue;
            const Image* img = ImageOf(g, *s->get(r.key));
            ASSERT_NE(img, nullptr) << r.section;
            int n = r.frames;
            if (n == 0)
                n = s->num(StartsWith(r.section, "HorzScrollThumb") ||
                                   StartsWith(r.section, "VertScrollThumb")
                               ? "FrameCount"
                               : "Frame",
                           std::string(r.section) == "Headerbar"                      ? 5
                           : StartsWith(r.section, "H") || StartsWith(r.section, "V") ? 3
                                                                                      : 1);
            if (n == -1) n = s->num("Style", 0) == 1 ? 1 : 2;
            ASSERT_EQ(img->width() % n, 0)
                << r.section << "." << r.key << " " << img->width() << " wide for " << n << " frames";
            const int fw = img->width() / n, fh = img->height();
            if (std::string(r.key) == "GlyphImage" || std::string(r.section) == "MDICONTROLS") continue;
            const int L = s->num("LeftWidth", 0), R = s->num("RightWidth", 0), T = s->num("TopHeight", 0),
                      B = s->num("BottomHeight", 0);
            EXPECT_LT(L + R, fw) << r.section;
            EXPECT_LT(T + B, fh) << r.section;
            if (std::string(r.section) == "Tab.Pane") {
                EXPECT_LE(std::max({L, R, T, B}), 4) << "the loader clamps pane margins to 4";
            }
        }
        // Check and radio glyph strips: the count the loader computes must be the one drawn.
        const Ini::Section* b = g.ini.find("Buttons");
        for (auto [key, frameKey, drawn] :
             {std::tuple{"CheckButton", "CheckButtonFrame", g.theme.checkFrames},
              std::tuple{"RadioButton", "RadioButtonFrame", g.theme.radioFrames}}) {
            const Image* img = ImageOf(g, *b->get(key));
            int n = b->num(frameKey, 0);
            if (n == 0) n = std::max(4, img->width() / (img->height() < 16 ? 13 : 16));
            EXPECT_EQ(n, drawn) << key;
            EXPECT_EQ(img->width(), n * img->height()) << key << " frames are square";
        }
    }
}

TEST_F(Skins, BorderPiecesJoinAndCaptionButtonFrameCountsMatchTheLoadersRule) {
    for (const Generated& g : skins_) {
        SCOPED_TRACE(g.theme.id);
        const Ini::Section& p = *g.ini.find("Personality");
        auto img = [&](const char* side) { return ImageOf(g, *p.get(side)); };
        const int lf = p.num("LeftFrame", 1), rf = p.num("RightFrame", 1), tf = p.num("TopFrame", 1),
                  bf = p.num("BottomFrame", 1);
        ASSERT_EQ(img("Left")->width() % lf, 0);
        ASSERT_EQ(img("Top")->height() % tf, 0);
        ASSERT_EQ(img("Bottom")->height() % bf, 0);
        EXPECT_EQ(img("Top")->height() / tf, g.theme.captionHeight);
        EXPECT_EQ(img("Left")->width() / lf, img("Right")->width() / rf);
        EXPECT_EQ(img("Left")->height(), img("Right")->height());
        EXPECT_LT(p.num("LeftTopHeight", 0) + p.num("LeftBotHeight", 0), img("Left")->height());
        EXPECT_LT(p.num("TopTopHeight", 0) + p.num("TopBotHeight", 0), img("Top")->width());
        EXPECT_LT(p.num("BottomTopHeight", 0) + p.num("BottomBotHeight", 0), img("Bottom")->width());
        EXPECT_GE(p.num("LeftTopHeight", 0), g.theme.captionHeight)
            << "the side caps must carry the caption rows";

        // Caption buttons, loader rule: frame key, else 3 when width / height <= 3.8, else 6.
        for (const auto& s : g.ini.sections) {
            if (!IsCaptionButton(s.name) || !s.get("ButtonImage")) continue;
            const Image* b = ImageOf(g, *s.get("ButtonImage"));
            int n = s.num("frame", 0);
            if (n == 0) n = s.num("Action", 0) < 0 ? 6 : double(b->width()) / b->height() <= 3.8 ? 3 : 6;
            const auto drawn = std::find_if(g.theme.buttons.begin(), g.theme.buttons.end(),
                                            [&](auto& tb) { return "Button" + tb.name == s.name; });
            ASSERT_NE(drawn, g.theme.buttons.end());
            EXPECT_EQ(n, drawn->frames) << s.name;
            EXPECT_EQ(b->width() % n, 0) << s.name;
            EXPECT_LE(b->height(), g.theme.captionHeight - s.num("Ycoord", 0))
                << s.name << " overhangs the caption";
        }
    }
}

TEST_F(Skins, OnlyTheKeyIsMagentaAndOpaquePaintedImagesHaveNone) {
    // Painted without a key colour: a magenta pixel there would show.
    const std::pair<const char*, const char*> opaque[] = {
        {"Personality", "menuBar"},  {"Track", "Image"},          {"TRACKVERT", "Image"},
        {"Tab.Pane", "Image"},       {"Tabs", "Border"},          {"Headerbar", "Image"},
        {"StatusBarEdges", "Image"}, {"MenuBackground", "Image"}, {"HorzScroll", "Image"},
        {"VertScroll", "Image"},     {"SunkEdge", "Image"},
    };
    for (const Generated& g : skins_) {
        SCOPED_TRACE(g.theme.id);
        for (const auto& [name, img] : g.images)
            for (Colour c : img.pixels()) {
                ASSERT_FALSE(IsKeyLike(c) && c != kKey) << name << " has a near-magenta pixel";
            }
        for (auto [section, key] : opaque) {
            const Ini::Section* s = g.ini.find(section);
            if (!s || !s->get(key)) continue;
            const Image* img = ImageOf(g, *s->get(key));
            EXPECT_EQ(std::count(img->pixels().begin(), img->pixels().end(), kKey), 0)
                << section << "." << key;
        }
        // Sections that say Trans=0 are copied opaque as well.
        for (const auto& s : g.ini.sections)
            if (s.get("Image") && s.get("Trans") && s.num("Trans", 0) == 0) {
                const Image* img = ImageOf(g, *s.get("Image"));
                EXPECT_EQ(std::count(img->pixels().begin(), img->pixels().end(), kKey), 0) << s.name;
            }
    }
}

TEST_F(Skins, TheElevenLooksDifferAndExerciseTheCaptionBehaviours) {
    std::set<std::vector<Colour>> tops;
    std::set<int> alignments, aligns, visibilities, visibilities1, actions;
    int rounded = 0, square = 0, tiled = 0, stretched = 0, textBack = 0, dark = 0, light = 0, bits8 = 0,
        bits24 = 0;
    bool memo = false, noMenubar = false, partialColours = false, fullColours = false;
    for (const Generated& g : skins_) {
        const Ini::Section& p = *g.ini.find("Personality");
        tops.insert(ImageOf(g, *p.get("Top"))->pixels());
        alignments.insert(p.num("TextAlignment", 0));
        const Image& left = *ImageOf(g, *p.get("Left"));
        (std::count(left.pixels().begin(), left.pixels().end(), kKey) ? rounded : square)++;
        (p.num("TopStretch", 1) == 0 ? tiled : stretched)++;
        textBack += p.get("TextBack") != nullptr;
        (g.theme.dark ? dark : light)++;
        for (const auto& [name, bits] : g.depth)
            (bits == 8 ? bits8 : bits24)++;
        const Ini::Section& colours = *g.ini.find("Colours");
        noMenubar = noMenubar || !colours.get("Menubar");
        (colours.keys.size() == 16 ? fullColours : partialColours) = true;
        bool maxBefore = false;
        for (const auto& s : g.ini.sections) {
            if (!IsCaptionButton(s.name)) continue;
            const int action = s.num("Action", 0), vis = s.num("Visibility", -1);
            if (action == -1 && vis != 0) continue; // dropped by the loader
            actions.insert(action);
            aligns.insert(s.num("Align", 0));
            visibilities.insert(vis);
            if (s.get("Visibility1")) visibilities1.insert(s.num("Visibility1", 0));
            if (action == 1 && vis == 2) maxBefore = true;
            if (action == 4 && !s.get("Xcoord") && maxBefore) memo = true;
        }
    }
    EXPECT_EQ(tops.size(), skins_.size()) << "two skins share a caption";
    EXPECT_EQ(alignments, (std::set<int>{0, 1, 2}));
    for (int a : {0, 1, 2, 3})
        EXPECT_TRUE(aligns.count(a)) << "Align " << a;
    for (int v : {0, 1, 2, 10, 1000, 1500})
        EXPECT_TRUE(visibilities.count(v)) << "Visibility " << v;
    EXPECT_TRUE(visibilities1.count(-1));
    for (int a : {0, 1, 2, 3, 4, 12, 30})
        EXPECT_TRUE(actions.count(a)) << "Action " << a;
    EXPECT_TRUE(memo) << "no help button takes the maximise button's coordinates";
    EXPECT_GT(rounded, 2);
    EXPECT_GT(square, 2);
    EXPECT_GT(tiled, 1);
    EXPECT_GT(stretched, 1);
    EXPECT_GT(textBack, 1);
    EXPECT_GT(dark, 2);
    EXPECT_GT(light, 2);
    EXPECT_GT(bits8, 0);
    EXPECT_GT(bits24, 0);
    EXPECT_TRUE(noMenubar && partialColours && fullColours);
}

TEST(SkinTheme, RejectsBadLinesAndImpossibleButtonsWithTheirLine) {
    const std::pair<const char*, const char*> refused[] = {
        {"face = 1 2 3\nfrmae.style = x\n", "2: unknown key"},
        {"face = 1 2 300\n", "1: face needs a colour"},
        {"face = 1 2 3 4\n", "1: face needs a colour"},
        {"\n\ncaption.height = 2\n", "3: caption.height is 2; it must be from 12 to 48"},
        {"border = 4x\n", "1: border needs a whole number"},
        {"border = 99999999999999999999\n", "1: border is"},
        {"check.size = 14\n", "1: check.size is 14; it must be one of 13, 16"},
        {"bevel = sunken\n", "1: bevel is \"sunken\"; it must be one of flat, raised"},
        {"dark = maybe\n", "1: dark needs on or off"},
        {"colours.omit = Buttonface\n", "1: colours.omit names \"Buttonface\""},
        {"border = 3\nborder = 4\n", "2: \"border\" given twice (first on line 1)"},
        {"[buttn X]\n", "1: expected [button NAME]"},
        {"[button ../x]\n", "1: a button NAME"},
        {"[button X]\n[button x]\n", "2: button x given twice"},
        {"[button X]\nframes = 4\n", "2: button X: 4 frames need framekey = on"},
        {"[button X]\nwidth = 24\nheight = 18\n", "1: button X: 3 frames of 24 x 18 would load as 6"},
        {"caption.height = 20\n[button X]\ny = 6\nheight = 16\n", "4: button X: 16 high at y 6 overhangs"},
        {"[button X]\nwidht = 9\n", "2: unknown key \"widht\"; did you mean \"width\"?"},
        {"shape = rounded\nradius = 40\n", "2: radius is 40"},
    };
    for (auto [text, expected] : refused) {
        ThemeError error;
        EXPECT_FALSE(ParseTheme(text, "t", &error)) << text;
        EXPECT_EQ(error.Format("t.theme").rfind(std::string("t.theme:") + expected, 0), 0u)
            << text << " gave " << error.Format("t.theme");
    }
    ThemeError error;
    ParseTheme("border = 0\ncaptoin.height = 20\n", "t", &error);
    EXPECT_EQ(error.line, 1) << "the first offending line is reported";
    ParseTheme("captoin.height = 20\n", "t", &error);
    EXPECT_EQ(error.message, "unknown key \"captoin.height\"; did you mean \"caption.height\"?");
    ParseTheme("zebra = 1\n", "t", &error);
    EXPECT_EQ(error.message, "unknown key \"zebra\"") << "no suggestion when nothing is close";

    auto ok = ParseTheme("# comment\nshape = rounded # trailing\n[button Close]\naction = 0\n", "t", &error);
    ASSERT_TRUE(ok) << error.message;
    EXPECT_TRUE(ok->rounded);
    ASSERT_EQ(ok->buttons.size(), 1u) << "a theme's own buttons replace the usual ones";
    EXPECT_EQ(ok->buttons[0].name, "Close");
}

TEST(SkinImageFiles, BmpRoundTripsInBothDepthsAndRejectsTruncation) {
    Image few(5, 3, kKey);
    few.set(1, 1, Rgb(10, 20, 30));
    Image many(20, 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x)
            many.set(x, y, Rgb(x * 12, y * 12, x + y));
    for (const Image* img : {&few, &many}) {
        int bits = 0;
        const auto bytes = EncodeBmp(*img, true);
        const Image back = DecodeBmp(bytes, &bits);
        EXPECT_EQ(bits, img == &few ? 8 : 24);
        EXPECT_EQ(back.pixels(), img->pixels());
        EXPECT_TRUE(DecodeBmp(std::vector<uint8_t>(bytes.begin(), bytes.end() - 1)).empty());
    }
    int bits = 0;
    DecodeBmp(EncodeBmp(few, false), &bits);
    EXPECT_EQ(bits, 24);
}
