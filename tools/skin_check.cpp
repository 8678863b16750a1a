// skincheck: the skin description the engine would build, with what it would skip, clamp or
// misdraw told line by line.
#include "tools/skin_check.h"

#include <algorithm>
#include <filesystem>
#include <map>
#include <ostream>
#include <set>
#include <tuple>

#include "skin/core/parse_colour.h"
#include "skin/core/skin_description.h"
#include "skin/res/quick_ini.h"
#include "skin/res/skin_reader.h"
#include "tools/tool_files.h"
#include "tools/tool_skin.h"

namespace qs::tools {

namespace {

namespace fs = std::filesystem;

const char* const kUsage =
    "usage: skincheck SKIN|FOLDER\n"
    "  checks a packed skin, or a folder of one .ini and its .bmp files, the way the\n"
    "  engine reads it; prints FILE:LINE: error|warning: message for each finding and\n"
    "  exits 1 when there are errors\n";

bool isHeader(const std::string& line) {
    return !line.empty() && line.front() == '[' && line.back() == ']';
}

std::string trimmed(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && uint8_t(s[a]) <= 32)
        ++a;
    while (b > a && uint8_t(s[b - 1]) <= 32)
        --b;
    return s.substr(a, b - a);
}

size_t editDistance(const std::string& a, const std::string& b) {
    std::vector<size_t> row(b.size() + 1);
    for (size_t j = 0; j <= b.size(); ++j)
        row[j] = j;
    for (size_t i = 1; i <= a.size(); ++i) {
        size_t diagonal = row[0];
        row[0] = i;
        for (size_t j = 1; j <= b.size(); ++j) {
            const size_t above = row[j];
            row[j] = std::min({row[j] + 1, row[j - 1] + 1, diagonal + (a[i - 1] == b[j - 1] ? 0 : 1)});
            diagonal = above;
        }
    }
    return row[b.size()];
}

// The candidate closest to name (letter case ignored), when it is close enough to be a slip.
std::string nearest(const std::string& name, const std::vector<std::string>& candidates) {
    // Names of hostile files can be long; a slip is a short edit of a short name.
    if (name.size() > 64) return {};
    const std::string lower = AsciiLower(name);
    std::string best;
    size_t bestDistance = std::max<size_t>(2, lower.size() / 3) + 1;
    for (const std::string& c : candidates) {
        const size_t d = editDistance(lower, AsciiLower(c));
        if (d < bestDistance) {
            bestDistance = d;
            best = c;
        }
    }
    return best;
}

std::string didYouMean(const std::string& suggestion) {
    return suggestion.empty() ? std::string() : "; did you mean '" + suggestion + "'?";
}

// Where each section and key of the description is, counted as an editor counts lines; the first
// section of a name and the first key of a name in it are the ones the engine reads.
class TIniPlaces {
  public:
    explicit TIniPlaces(const std::string& text) {
        TQuickIni ini;
        ini.LoadFromMemory(text.data(), text.size());
        const std::vector<int> numbers = IniLineNumbers(text);
        for (size_t i = 0; i < ini.Lines().size(); ++i)
            lines.push_back({ini.Lines()[i], i < numbers.size() ? numbers[i] : 0});
        std::map<std::string, int>* keys = nullptr;
        for (const Line& l : lines) {
            if (isHeader(l.text)) {
                // Look-ups match the text between the brackets as it stands, blanks included.
                const std::string name = AsciiLower(l.text.substr(1, l.text.size() - 2));
                auto [it, fresh] = sections_.try_emplace(name, Section{l.number, {}});
                keys = fresh ? &it->second.keys : nullptr;
            } else if (keys) {
                keys->try_emplace(IniKeyOf(l.text), l.number);
            }
        }
    }
    // The line of the key, or of its section when the key is not there; 0 without either.
    int Of(const std::string& section, const std::string& key) const {
        const auto s = sections_.find(AsciiLower(section));
        if (s == sections_.end()) return 0;
        const auto k = s->second.keys.find(AsciiLower(key));
        return k == s->second.keys.end() ? s->second.header : k->second;
    }
    bool Has(const std::string& section, const std::string& key) const {
        const auto s = sections_.find(AsciiLower(section));
        return s != sections_.end() && s->second.keys.count(AsciiLower(key));
    }

    struct Line {
        std::string text;
        int number;
    };
    std::vector<Line> lines;

  private:
    struct Section {
        int header;
        std::map<std::string, int> keys;
    };
    std::map<std::string, Section> sections_;
};

class TChecker {
  public:
    TChecker(const TSkinDescription& d, std::map<std::string, std::string> fileNames)
        : d_(d), places_(d.iniText), fileNames_(std::move(fileNames)) {
        ini_ = fileName(d.iniMember);
    }

    std::vector<TCheckFinding> Run() {
        for (const TSkinRecord* r : d_.Records())
            record(*r);
        actions();
        glyphs();
        mdiControls();
        colours();
        adjustments();
        vocabulary();
        std::stable_sort(findings_.begin(), findings_.end(),
                         [](const TCheckFinding& a, const TCheckFinding& b) {
                             return a.file != b.file ? a.file < b.file : a.line < b.line;
                         });
        return std::move(findings_);
    }

  private:
    std::string fileName(const std::string& member) const {
        const auto it = fileNames_.find(member);
        return it == fileNames_.end() ? member : it->second;
    }
    void add(int line, bool error, std::string message) {
        findings_.push_back({ini_, line, error, std::move(message)});
    }
    static std::string at(const std::string& section, const std::string& key) {
        return "[" + section + "] " + key;
    }

    // False when the image leaves its record without one.
    bool image(const std::string& section, const TSkinImage& img);
    void record(const TSkinRecord& r);
    // The frames lie in the image: false when they cannot be cut from it.
    bool frames(const std::string& section, const std::string& key, const std::string& what,
                const TSkinImage& img, int64_t count, bool vertical);
    void margins(const TSkinRecord& r);
    void actions();
    void glyphs();
    void mdiControls();
    void colours();
    void adjustments();
    void vocabulary();

    const TSkinDescription& d_;
    const TIniPlaces places_;
    const std::map<std::string, std::string> fileNames_;
    std::string ini_;
    std::vector<TCheckFinding> findings_;
    std::set<std::pair<std::string, std::string>> imagesTold_;
};

bool TChecker::image(const std::string& section, const TSkinImage& img) {
    // A member several records name is told about once for each key naming it.
    if (img.state == TImageState::None ||
        !imagesTold_.emplace(AsciiLower(section), AsciiLower(img.key)).second)
        return img.Decoded();
    const int line = places_.Of(section, img.key);
    const std::string where = at(section, img.key);
    switch (img.state) {
    case TImageState::NotBmp:
        add(line, true, where + ": '" + img.value + "' names no .bmp file (the name must end in \".bmp\")");
        return false;
    case TImageState::Missing:
        add(line, true, where + ": the skin has no image '" + img.member + "' (or it is empty)");
        return false;
    case TImageState::Undecodable:
        findings_.push_back({fileName(img.member), 0, true,
                             "cannot be decoded (" + img.problem + "); named by " + ini_ + " " + where});
        return false;
    default: return true;
    }
}

bool TChecker::frames(const std::string& section, const std::string& key, const std::string& what,
                      const TSkinImage& img, int64_t count, bool vertical) {
    const int line = places_.Of(section, key);
    const int64_t extent = vertical ? img.height : img.width;
    const std::string side = vertical ? "height" : "width";
    const std::string image =
        "'" + img.member + "' (" + std::to_string(img.width) + "x" + std::to_string(img.height) + ")";
    if (count <= 0) {
        if (places_.Has(section, key))
            add(line, false, what + ": a frame count of " + std::to_string(count) + " is drawn as one frame");
        count = 1;
    }
    if (count > extent) {
        add(line, true,
            what + ": " + std::to_string(count) + " frames do not fit the " + side + " of " + image);
        return false;
    }
    if (extent % count != 0) {
        add(line, true,
            what + ": the " + side + " of " + image + " is not a multiple of its " + std::to_string(count) +
                " frames");
        return false;
    }
    return true;
}

void TChecker::record(const TSkinRecord& r) {
    const bool first = image(r.section, r.image);
    image(r.section, r.image2);
    if (!first) return;
    const std::string key = r.frameKey.empty() ? r.image.key : r.frameKey;
    const std::string what = r.frameKey.empty() ? at(r.section, r.image.key) : at(r.section, r.frameKey);
    if (frames(r.section, key, what, r.image, r.frame, r.vertical) && r.slices) margins(r);
}

void TChecker::margins(const TSkinRecord& r) {
    const int64_t count = std::max<int64_t>(r.frame, 1);
    const int64_t frameW = r.vertical ? r.image.width : r.image.width / count;
    const int64_t frameH = r.vertical ? r.image.height / count : r.image.height;
    const int64_t m[4] = {r.left, r.top, r.right, r.bottom};
    auto lineOf = [&](size_t i) { return places_.Of(r.section, r.marginKeys[i]); };
    bool inside = true;
    for (size_t i = 0; i < 4; ++i) {
        if (r.marginKeys[i].empty() || m[i] >= 0) continue;
        add(lineOf(i), true,
            at(r.section, r.marginKeys[i]) + ": a margin of " + std::to_string(m[i]) + " is negative");
        inside = false;
    }
    // Pairs across a frame: left and right, top and bottom.
    for (size_t i = 0; i < 2 && inside; ++i) {
        const int64_t sum = m[i] + m[i + 2], room = i == 0 ? frameW : frameH;
        if (sum <= room) continue;
        // The larger of the two is the likelier slip.
        const size_t key =
            r.marginKeys[i + 2].empty() || (!r.marginKeys[i].empty() && m[i] >= m[i + 2]) ? i : i + 2;
        add(lineOf(key), true,
            at(r.section, r.marginKeys[i] + "/" + r.marginKeys[i + 2]) + ": margins of " +
                std::to_string(sum) + " pixels do not fit a frame " + std::to_string(room) + " pixels " +
                (i == 0 ? "wide" : "high") + " of '" + r.image.member + "'");
        inside = false;
    }
    if (!inside || !r.tiled) return;
    if (frameW - m[0] - m[2] <= 0 || frameH - m[1] - m[3] <= 0)
        add(places_.Of(r.section, r.tileKey.empty() ? r.image.key : r.tileKey), true,
            at(r.section, r.tileKey) + ": the tiled centre of '" + r.image.member +
                "' is empty once the margins are cut off");
}

void TChecker::actions() {
    for (const TSkinCaptionButton& b : d_.captionButtons) {
        if (b.mdi || IsKnownCaptionAction(b.action)) continue;
        const std::string where = at(b.section, "Action") + ": " + std::to_string(b.action);
        // Other actions are the program's: the window is sent them to act on.
        if (b.action >= 0)
            add(places_.Of(b.section, "Action"), false,
                where + " is no built-in action; only a program that handles SKM_BUTTONACTION acts on it");
        else
            add(places_.Of(b.section, "Action"), true, where + " is not an action the engine knows");
    }
}

void TChecker::glyphs() {
    const TSkinPushButtons& b = d_.buttons;
    for (auto [img, count, key] : {std::tuple{&b.checkButton, b.checkButtonFrame, "CheckButtonFrame"},
                                   std::tuple{&b.radioButton, b.radioButtonFrame, "RadioButtonFrame"}}) {
        if (!image(b.section, *img)) continue;
        const std::string given = places_.Has(b.section, key) ? key : img->key;
        frames(b.section, given, at(b.section, given), *img, count, false);
    }
}

void TChecker::mdiControls() {
    const TSkinImage& strip = d_.mdiControls;
    if (!image("MDICONTROLS", strip)) return;
    if (strip.width % 12 != 0)
        add(places_.Of("MDICONTROLS", strip.key), true,
            at("MDICONTROLS", strip.key) + ": the width of '" + strip.member + "' (" +
                std::to_string(strip.width) + ") is not twelve equal cells");
}

void TChecker::colours() {
    std::set<std::pair<std::string, std::string>> told;
    for (const TSkinDescription::TColourText& c : d_.colourTexts) {
        if (!told.emplace(AsciiLower(c.section), AsciiLower(c.key)).second) continue;
        const TColourReading reading = ReadColourText(c.text);
        const int line = places_.Of(c.section, c.key);
        if (reading.components < 3)
            add(line, true,
                at(c.section, c.key) + ": '" + c.text + "' is not a colour \"r g b\" (it reads as " +
                    std::to_string(reading.components) + " of the three numbers)");
        else if (reading.wrapped)
            add(line, false,
                at(c.section, c.key) + ": '" + c.text + "' has a number above 255, taken modulo 256");
    }
}

void TChecker::adjustments() {
    for (const TSkinAdjustment& a : d_.adjustments)
        add(places_.Of(a.section, a.key), false,
            at(a.section, a.key) + "=" + std::to_string(a.written) + " is read as " + std::to_string(a.used) +
                ": " + a.why);
}

void TChecker::vocabulary() {
    std::vector<std::string> sections;
    for (const auto& [lower, spelled] : d_.sectionsRead)
        sections.push_back(spelled);
    std::map<std::string, std::vector<std::string>> keysBySection;
    for (const auto& [where, spelled] : d_.keysRead)
        keysBySection[where.first].push_back(spelled);

    std::map<std::string, int> seenSections;
    const std::vector<std::string>* keys = nullptr; // the current section's known keys; null: not read
    std::string section;
    std::map<std::string, int> seenKeys;
    bool inSection = false;
    for (const TIniPlaces::Line& l : places_.lines) {
        if (isHeader(l.text)) {
            inSection = true;
            section = l.text.substr(1, l.text.size() - 2);
            const std::string lower = AsciiLower(section);
            seenKeys.clear();
            keys = nullptr;
            if (auto [it, fresh] = seenSections.try_emplace(lower, l.number); !fresh) {
                add(l.number, false,
                    "[" + section + "] repeats the section of line " + std::to_string(it->second) +
                        "; the engine never reads this one");
                continue;
            }
            const auto known = keysBySection.find(lower);
            if (known == keysBySection.end()) {
                add(l.number, false,
                    "[" + section + "] is not a section the engine reads" +
                        didYouMean(nearest(section, sections)));
                continue;
            }
            keys = &known->second;
            continue;
        }
        if (!inSection) {
            add(l.number, false, "'" + l.text + "' is outside any section");
            continue;
        }
        if (!keys) continue;
        const size_t eq = l.text.find('=');
        if (eq == std::string::npos) {
            add(l.number, false, "[" + section + "] '" + l.text + "' is not a key = value line");
            continue;
        }
        const std::string key = trimmed(l.text.substr(0, eq));
        if (auto [it, fresh] = seenKeys.try_emplace(AsciiLower(key), l.number); !fresh) {
            add(l.number, false,
                at(section, key) + " repeats the key of line " + std::to_string(it->second) +
                    ", which decides");
            continue;
        }
        if (!d_.keysRead.count({AsciiLower(section), AsciiLower(key)}))
            add(l.number, false,
                at(section, key) + " is not a key the engine reads" + didYouMean(nearest(key, *keys)));
    }
}

std::vector<TCheckFinding> checkMembers(const std::vector<TSkinMemberView>& members, const std::string& where,
                                        std::map<std::string, std::string> fileNames) {
    const TSkinDescription d = DescribeSkin(members, false);
    if (d.iniMember.empty()) return {{where, 0, true, "the skin has no description (no .ini member)"}};
    return TChecker(d, std::move(fileNames)).Run();
}

} // namespace

std::string TCheckFinding::Text() const {
    return file + ":" + std::to_string(line) + ": " + (error ? "error: " : "warning: ") + message;
}

std::vector<TCheckFinding> CheckPackedSkin(const std::vector<uint8_t>& bytes, const std::string& fileName) {
    TSkinReader reader;
    std::string error;
    if (!ReadSkin(bytes, reader, error)) return {{fileName, 0, true, error}};
    return checkMembers(SkinMembers(reader), fileName, {});
}

std::vector<TCheckFinding> CheckSkinFolder(const std::string& dir) {
    std::error_code ec;
    std::vector<fs::path> inis, bmps;
    if (fs::is_directory(dir, ec))
        for (const fs::directory_entry& e : fs::directory_iterator(dir, ec)) {
            if (!e.is_regular_file(ec)) continue;
            const std::string ext = AsciiLower(e.path().extension().string());
            if (ext == ".ini") inis.push_back(e.path());
            if (ext == ".bmp") bmps.push_back(e.path());
        }
    else
        return {{dir, 0, true, "not a folder that can be read"}};
    if (ec) return {{dir, 0, true, "cannot list the folder: " + ec.message()}};
    if (inis.size() != 1)
        return {
            {dir, 0, true, "holds " + std::to_string(inis.size()) + " .ini files; a skin has exactly one"}};
    std::sort(bmps.begin(), bmps.end());

    // As skinpack packs it: the ini first, then the images, names lower-cased by the reader.
    std::vector<fs::path> paths = {inis[0]};
    paths.insert(paths.end(), bmps.begin(), bmps.end());
    std::vector<std::vector<uint8_t>> contents(paths.size());
    std::vector<TSkinMemberView> members;
    std::map<std::string, std::string> fileNames;
    for (size_t i = 0; i < paths.size(); ++i) {
        const std::string name = paths[i].filename().string();
        std::string error;
        if (!ReadFileBytes(paths[i].string(), contents[i], error)) return {{name, 0, true, error}};
        members.push_back({AsciiLower(name), contents[i].data(), contents[i].size()});
        fileNames.try_emplace(AsciiLower(name), name);
    }
    return checkMembers(members, dir, std::move(fileNames));
}

int RunSkinCheck(const Args& args, std::ostream& out, std::ostream& err) {
    if (args.size() != 1 || args[0].empty() || args[0][0] == '-') {
        err << kUsage;
        return 2;
    }
    std::vector<TCheckFinding> findings;
    std::error_code ec;
    if (fs::is_directory(args[0], ec)) {
        findings = CheckSkinFolder(args[0]);
    } else {
        std::vector<uint8_t> bytes;
        std::string error;
        if (ReadFileBytes(args[0], bytes, error))
            findings = CheckPackedSkin(bytes, args[0]);
        else
            findings = {{args[0], 0, true, error}};
    }
    bool errors = false;
    for (const TCheckFinding& f : findings) {
        out << f.Text() << '\n';
        errors |= f.error;
    }
    return errors ? 1 : 0;
}

} // namespace qs::tools
