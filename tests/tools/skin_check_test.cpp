// skincheck on broken copies of a bundled skin: each fault gives one finding at the line at fault,
// with its severity; the bundled skins give no errors; bad input is refused, not crashed on.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "tests/support/skin_mutator.h"
#include "tools/skin_check.h"
#include "tools/tool_files.h"

using namespace qs::tools;
namespace fs = std::filesystem;

namespace {

const char* const kSkinIds[] = {"default", "item0", "item1", "item2", "item3", "item4",
                                "item5",   "item6", "item7", "item8", "item9"};

// A copy of the default skin's folder whose description and images a case changes.
class BrokenSkin {
  public:
    explicit BrokenSkin(const std::string& name)
        : dir_(fs::temp_directory_path() / ("qs_skincheck_" + name)) {
        fs::remove_all(dir_);
        fs::copy(fs::path(QS_SKINS_DIR) / "default", dir_);
        std::ifstream in(dir_ / "default.ini", std::ios::binary);
        for (std::string line; std::getline(in, line);)
            lines_.push_back(line.substr(0, line.find('\r')));
    }
    ~BrokenSkin() { fs::remove_all(dir_); }

    // Sets (or adds) a key of a section, adding the section when there is none; returns its line.
    int Set(const std::string& section, const std::string& key, const std::string& value) {
        size_t h = header(section);
        if (h == lines_.size()) lines_.push_back("[" + section + "]");
        h = header(section);
        size_t i = h + 1;
        while (i < lines_.size() && !lines_[i].empty() && lines_[i][0] != '[' &&
               lines_[i].compare(0, key.size() + 1, key + "=") != 0)
            ++i;
        if (i < lines_.size() && lines_[i].compare(0, key.size() + 1, key + "=") == 0)
            lines_[i] = key + "=" + value;
        else
            lines_.insert(lines_.begin() + long(i = h + 1), key + "=" + value);
        return int(i) + 1;
    }
    int RenameSection(const std::string& from, const std::string& to) {
        const size_t i = header(from);
        if (i == lines_.size()) return 0;
        lines_[i] = "[" + to + "]";
        return int(i) + 1;
    }
    void WriteFile(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
    }
    // A 24-bit BMP of the given size, all grey.
    void WriteBmp(const std::string& name, int w, int h) {
        const uint32_t stride = (uint32_t(w) * 3 + 3) & ~3u, size = 54 + stride * uint32_t(h);
        std::string b(size, '\x80');
        auto put = [&](size_t at, uint32_t v, int n) {
            for (int k = 0; k < n; ++k)
                b[at + size_t(k)] = char(v >> (8 * k));
        };
        b[0] = 'B', b[1] = 'M';
        put(2, size, 4), put(6, 0, 4), put(10, 54, 4), put(14, 40, 4), put(18, uint32_t(w), 4);
        put(22, uint32_t(h), 4), put(26, 1, 2), put(28, 24, 2), put(30, 0, 24);
        WriteFile(name, b);
    }
    std::vector<TCheckFinding> Check() {
        std::string text;
        for (const std::string& line : lines_)
            text += line + "\r\n";
        WriteFile("default.ini", text);
        return CheckSkinFolder(dir_.string());
    }
    std::string Dir() const { return dir_.string(); }

  private:
    size_t header(const std::string& section) const {
        for (size_t i = 0; i < lines_.size(); ++i)
            if (lines_[i] == "[" + section + "]") return i;
        return lines_.size();
    }
    fs::path dir_;
    std::vector<std::string> lines_;
};

std::string Texts(const std::vector<TCheckFinding>& findings) {
    std::string all;
    for (const TCheckFinding& f : findings)
        all += f.Text() + "\n";
    return all;
}

struct FaultCase {
    const char* name;
    // Breaks the skin; returns the line the finding must name (0: none).
    std::function<int(BrokenSkin&)> breakIt;
    const char* file;
    bool error;
    const char* says;
};

} // namespace

TEST(SkinCheck, EachFaultIsOneFindingAtItsLine) {
    const FaultCase cases[] = {
        {"missing image", [](BrokenSkin& s) { return s.Set("Personality", "Top", "nothere.bmp"); },
         "default.ini", true, "no image 'nothere.bmp'"},
        {"not a bmp name", [](BrokenSkin& s) { return s.Set("Tab.Pane", "Image", "tabpane.png"); },
         "default.ini", true, "names no .bmp"},
        {"undecodable image",
         [](BrokenSkin& s) {
             s.WriteFile("tabpane.bmp", "BM not really a bitmap");
             return 0;
         },
         "tabpane.bmp", true, "cannot be decoded"},
        {"caption frames stack vertically: 44 high in 3",
         [](BrokenSkin& s) { return s.Set("Personality", "TopFrame", "3"); }, "default.ini", true,
         "height of 'top.bmp' (92x44) is not a multiple of its 3 frames"},
        {"more frames than pixels", [](BrokenSkin& s) { return s.Set("Track", "Frame", "1000"); },
         "default.ini", true, "frames do not fit the width"},
        {"margins wider than a frame",
         [](BrokenSkin& s) { return s.Set("Personality", "TopTopHeight", "90"); }, "default.ini", true,
         "do not fit a frame 92 pixels wide"},
        {"negative margin", [](BrokenSkin& s) { return s.Set("Buttons", "TopHeight", "-2"); }, "default.ini",
         true, "negative"},
        {"tiled centre empty: 32 + 32 of a 64-pixel frame",
         [](BrokenSkin& s) {
             s.Set("Buttons", "LeftWidth", "32");
             s.Set("Buttons", "RightWidth", "32");
             return s.Set("Buttons", "Tile", "1");
         },
         "default.ini", true, "tiled centre"},
        {"colour of two numbers", [](BrokenSkin& s) { return s.Set("Colours", "ButtonFace", "212 208"); },
         "default.ini", true, "not a colour"},
        {"colour wraps", [](BrokenSkin& s) { return s.Set("Colours", "Menu", "300 1 2"); }, "default.ini",
         false, "above 255"},
        {"unknown action", [](BrokenSkin& s) { return s.Set("ButtonIcon", "Action", "-7"); }, "default.ini",
         true, "not an action the engine knows"},
        {"program's action", [](BrokenSkin& s) { return s.Set("ButtonMin", "Action", "40"); }, "default.ini",
         false, "SKM_BUTTONACTION"},
        {"unknown section", [](BrokenSkin& s) { return s.RenameSection("Progress.Chunk", "Progres.Chunk"); },
         "default.ini", false, "did you mean 'Progress.Chunk'"},
        {"blanks inside the brackets",
         [](BrokenSkin& s) { return s.RenameSection("Progress.Chunk", " Progress.Chunk "); }, "default.ini",
         false, "did you mean 'Progress.Chunk'"},
        {"unknown key", [](BrokenSkin& s) { return s.Set("Personality", "TopFrme", "2"); }, "default.ini",
         false, "did you mean 'TopFrame'"},
        {"pane margin clamped", [](BrokenSkin& s) { return s.Set("Tab.Pane", "LeftWidth", "9"); },
         "default.ini", false, "is read as 4"},
        {"tile above 1", [](BrokenSkin& s) { return s.Set("HorzScroll", "Tile", "2"); }, "default.ini", false,
         "is read as 0"},
        {"imposed frame count", [](BrokenSkin& s) { return s.Set("Scrollbar", "Frame", "22"); },
         "default.ini", false, "is read as 23"},
        {"stretch above 1", [](BrokenSkin& s) { return s.Set("Personality", "LeftStretch", "2"); },
         "default.ini", false, "is read as 1"},
        {"MDI strip not twelve cells",
         [](BrokenSkin& s) {
             s.WriteBmp("mdi.bmp", 100, 14);
             return s.Set("MDICONTROLS", "Image", "mdi.bmp");
         },
         "default.ini", true, "twelve equal cells"},
    };
    {
        BrokenSkin clean("clean");
        EXPECT_EQ(Texts(clean.Check()), "");
        // 44 = 11 x 4 high, 92 wide: the caption's frames are rows, so eleven of them fit.
        clean.Set("Personality", "TopFrame", "11");
        EXPECT_EQ(Texts(clean.Check()), "");
    }
    for (const FaultCase& c : cases) {
        SCOPED_TRACE(c.name);
        BrokenSkin skin("case");
        const int line = c.breakIt(skin);
        const std::vector<TCheckFinding> findings = skin.Check();
        ASSERT_EQ(findings.size(), 1u) << Texts(findings);
        EXPECT_EQ(findings[0].file, c.file);
        EXPECT_EQ(findings[0].line, line);
        EXPECT_EQ(findings[0].error, c.error);
        EXPECT_NE(findings[0].message.find(c.says), std::string::npos) << findings[0].Text();
    }
}

TEST(SkinCheck, BundledSkinsHaveNoErrors) {
    for (const char* id : kSkinIds) {
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(ReadFileBytes(std::string(QS_SKINS_DIR) + "/" + id + ".skin", bytes, error)) << error;
        for (const TCheckFinding& f : CheckPackedSkin(bytes, id))
            EXPECT_FALSE(f.error) << f.Text();
    }
}

TEST(SkinCheck, RefusesWhatIsNoSkinWithOneErrorAndTheRightStatus) {
    std::vector<uint8_t> garbage = {1, 2, 3, 4, 5};
    const auto findings = CheckPackedSkin(garbage, "x.skin");
    ASSERT_EQ(findings.size(), 1u);
    EXPECT_EQ(findings[0].Text().rfind("x.skin:0: error: ", 0), 0u) << findings[0].Text();

    std::ostringstream out, err;
    EXPECT_EQ(RunSkinCheck({}, out, err), 2);
    EXPECT_NE(err.str().find("usage"), std::string::npos);
    EXPECT_EQ(RunSkinCheck({"a", "b"}, out, err), 2);
    EXPECT_EQ(RunSkinCheck({"/no/such/skin.skin"}, out, err), 1);

    BrokenSkin two("twoini");
    two.WriteFile("other.ini", "[Personality]\n");
    out.str("");
    EXPECT_EQ(RunSkinCheck({two.Dir()}, out, err), 1);
    EXPECT_NE(out.str().find("2 .ini files"), std::string::npos) << out.str();

    out.str("");
    EXPECT_EQ(RunSkinCheck({std::string(QS_SKINS_DIR) + "/item1.skin"}, out, err), 0)
        << "warnings alone pass: " << out.str();
    EXPECT_NE(out.str().find("warning"), std::string::npos);
}

// The torture run's hostile skins: the checker reads every one, calls every skin the reader
// refuses an error, and names a file in every finding.
TEST(SkinCheck, ReadsTheTortureRunsMutatedSkins) {
    size_t cases = 0, refused = 0;
    for (const char* id : kSkinIds) {
        std::vector<uint8_t> bytes;
        std::string error;
        ASSERT_TRUE(ReadFileBytes(std::string(QS_SKINS_DIR) + "/" + id + ".skin", bytes, error)) << error;
        const qs::test::SkinMutator mutator(bytes);
        for (uint64_t n = 0; n < 2 * qs::test::SkinMutator::Kinds().size(); ++n) {
            const qs::test::SkinMutation m = mutator.Case(20261210, n);
            SCOPED_TRACE(std::string(id) + ": " + m.description);
            const std::vector<TCheckFinding> findings = CheckPackedSkin(m.bytes, "mutated.skin");
            for (const TCheckFinding& f : findings) {
                EXPECT_FALSE(f.file.empty()) << f.Text();
                EXPECT_GE(f.line, 0) << f.Text();
            }
            if (m.verdict == qs::test::SkinVerdict::Refused) {
                ++refused;
                ASSERT_EQ(findings.size(), 1u);
                EXPECT_TRUE(findings[0].error) << findings[0].Text();
            }
            ++cases;
        }
    }
    EXPECT_GT(refused, 0u);
    EXPECT_EQ(cases, 2 * std::size(kSkinIds) * qs::test::SkinMutator::Kinds().size());
}
