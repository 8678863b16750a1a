// Theme parser: collects the keys, fills the Theme, derives the palette and parts that were not given, and
// checks every value against its range before anything is drawn, so a typo or an absurd number in a theme is
// reported with its line instead of falling back to a default or drawing a broken skin.
#include "skins/generator/theme.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <cstdlib>
#include <set>
#include <sstream>

namespace qs::skingen {

std::string ThemeError::Format(const std::string& file) const {
    return file + ":" + std::to_string(line) + ": " + message;
}

namespace {

std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(uint8_t(s[a])))
        ++a;
    while (b > a && std::isspace(uint8_t(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

std::string Lower(std::string s) {
    for (char& c : s)
        c = char(std::tolower(uint8_t(c)));
    return s;
}

// Names that become part of an ini section and of a file name: no path separators, no spaces.
bool IsPlainName(const std::string& s) {
    return !s.empty() && s.size() <= 32 &&
           std::all_of(s.begin(), s.end(), [](char c) { return std::isalnum(uint8_t(c)) || c == '_'; });
}

// Edits (insert, delete, replace, swap two neighbours) between two keys.
size_t EditDistance(const std::string& a, const std::string& b) {
    std::vector<std::vector<size_t>> d(a.size() + 1, std::vector<size_t>(b.size() + 1));
    for (size_t i = 0; i <= a.size(); ++i)
        d[i][0] = i;
    for (size_t j = 0; j <= b.size(); ++j)
        d[0][j] = j;
    for (size_t i = 1; i <= a.size(); ++i)
        for (size_t j = 1; j <= b.size(); ++j) {
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + (a[i - 1] != b[j - 1])});
            if (i > 1 && j > 1 && a[i - 1] == b[j - 2] && a[i - 2] == b[j - 1])
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return d[a.size()][b.size()];
}

struct Value {
    std::string text;
    int line = 0;
    bool used = false;
};
using Block = std::map<std::string, Value>;

// Typed reads of one block of keys. Every read names a key the block may hold, so the reads together are
// the list an unknown key is compared with. The first error by line wins.
class Reader {
  public:
    Reader(Block& block, int blockLine, ThemeError* error)
        : block_(block), blockLine_(blockLine), error_(error) {}

    const Value* find(const std::string& key) {
        known_.insert(key);
        auto it = block_.find(key);
        if (it == block_.end()) return nullptr;
        it->second.used = true;
        return &it->second;
    }
    int lineOf(const std::string& key) {
        const Value* v = find(key);
        return v ? v->line : blockLine_;
    }
    std::string str(const std::string& key, const std::string& def = "") {
        const Value* v = find(key);
        return v ? v->text : def;
    }
    int integer(const std::string& key, int def, int lo, int hi) {
        const Value* v = find(key);
        if (!v) return def;
        char* end = nullptr;
        const long n = std::strtol(v->text.c_str(), &end, 10);
        if (v->text.empty() || *end != 0) {
            fail(v->line, key + " needs a whole number, not \"" + v->text + "\"");
            return def;
        }
        if (n < lo || n > hi) {
            fail(v->line, key + " is " + v->text + "; it must be from " + std::to_string(lo) + " to " +
                              std::to_string(hi));
            return def;
        }
        return int(n);
    }
    // A whole number from a short list.
    int oneOf(const std::string& key, int def, std::initializer_list<int> allowed) {
        const int n = integer(key, def, INT_MIN, INT_MAX);
        if (std::find(allowed.begin(), allowed.end(), n) != allowed.end()) return n;
        std::string list;
        for (int a : allowed)
            list += (list.empty() ? "" : ", ") + std::to_string(a);
        fail(lineOf(key), key + " is " + std::to_string(n) + "; it must be one of " + list);
        return def;
    }
    std::optional<int> maybe(const std::string& key, int lo, int hi) {
        if (!find(key)) return std::nullopt;
        return integer(key, 0, lo, hi);
    }
    bool flag(const std::string& key, bool def) {
        const Value* v = find(key);
        if (!v) return def;
        const std::string w = Lower(v->text);
        if (w == "on" || w == "yes" || w == "1") return true;
        if (w == "off" || w == "no" || w == "0") return false;
        fail(v->line, key + " needs on or off, not \"" + v->text + "\"");
        return def;
    }
    std::string choice(const std::string& key, const std::string& def,
                       std::initializer_list<const char*> allowed) {
        const Value* v = find(key);
        if (!v) return def;
        for (const char* a : allowed)
            if (v->text == a) return v->text;
        std::string list;
        for (const char* a : allowed)
            list += (list.empty() ? "" : ", ") + std::string(a);
        fail(v->line, key + " is \"" + v->text + "\"; it must be one of " + list);
        return def;
    }
    Colour colour(const std::string& key, Colour def) {
        const Value* v = find(key);
        return v ? ToColour(v->text, v->line, key) : def;
    }
    Colour ToColour(const std::string& text, int line, const std::string& key) {
        std::istringstream in(text);
        long r = -1, g = -1, b = -1;
        std::string rest;
        in >> r >> g >> b;
        if (in.fail() || (in >> rest, !rest.empty()) || r < 0 || g < 0 || b < 0 || r > 255 || g > 255 ||
            b > 255) {
            fail(line, key + " needs a colour \"red green blue\" of 0 to 255 each, not \"" + text + "\"");
            return 0;
        }
        return Rgb(int(r), int(g), int(b));
    }
    std::vector<std::pair<std::string, const Value*>> words(const std::string& key) {
        const Value* v = find(key);
        std::vector<std::pair<std::string, const Value*>> out;
        if (!v) return out;
        std::istringstream in(v->text);
        for (std::string w; in >> w;)
            out.emplace_back(w, v);
        return out;
    }
    // Keys with a prefix, in file order of their lines.
    std::vector<std::pair<std::string, Value*>> prefixed(const std::string& prefix) {
        known_.insert(prefix + "NAME");
        std::vector<std::pair<std::string, Value*>> out;
        for (auto& [k, v] : block_)
            if (k.rfind(prefix, 0) == 0) {
                v.used = true;
                out.emplace_back(k.substr(prefix.size()), &v);
            }
        std::sort(out.begin(), out.end(), [](auto& a, auto& b) { return a.second->line < b.second->line; });
        return out;
    }
    void finish() {
        for (auto& [k, v] : block_) {
            if (v.used) continue;
            std::string best;
            size_t bestDistance = std::max<size_t>(2, k.size() / 3) + 1;
            for (const std::string& known : known_)
                if (const size_t d = EditDistance(Lower(k), known); d < bestDistance)
                    best = known, bestDistance = d;
            fail(v.line,
                 "unknown key \"" + k + "\"" + (best.empty() ? "" : "; did you mean \"" + best + "\"?"));
        }
    }
    void fail(int line, const std::string& message) {
        if (error_->message.empty() || line < error_->line) *error_ = ThemeError{line, message};
    }

  private:
    Block& block_;
    int blockLine_;
    ThemeError* error_;
    std::set<std::string> known_;
};

void DerivePalette(Theme& t, Reader& r) {
    const bool dark = t.dark;
    t.window = r.colour("window", dark ? Darken(t.face, 60) : 0xFFFFFF);
    t.windowText = r.colour("window.text", t.text);
    t.light = r.colour("light", Lighten(t.face, dark ? 40 : 110));
    t.hilight = r.colour("hilight", dark ? Lighten(t.face, 70) : 0xFFFFFF);
    t.shadow = r.colour("shadow", dark ? Darken(t.face, 90) : Darken(t.face, 70));
    t.dkShadow = r.colour("dkshadow", dark ? Darken(t.face, 160) : Darken(t.face, 170));
    t.outline = r.colour("outline", Darken(t.face, dark ? 140 : 150));
    t.captionTop = r.colour("caption.top", t.accent);
    t.captionBottom = r.colour("caption.bottom", Darken(t.captionTop, 40));
    t.captionTopInactive = r.colour("caption.inactive.top", Mix(Grey(t.captionTop), t.face, 150));
    t.captionBottomInactive = r.colour("caption.inactive.bottom", Mix(Grey(t.captionBottom), t.face, 150));
    t.titleText = r.colour("title.text", Luma(t.captionTop) > 150 ? Rgb(20, 24, 32) : 0xFFFFFF);
    t.titleTextInactive = r.colour("title.text.inactive", Mix(t.titleText, t.captionTopInactive, 120));
    t.captionLine = r.colour("caption.line", t.accent);
    t.menuBar = r.colour("menubar", t.face);
    t.menuBarText = r.colour("menubar.text", t.text);
    t.menu = r.colour("menu", dark ? Lighten(t.face, 12) : Lighten(t.face, 150));
    t.menuText = r.colour("menu.text", t.text);
    t.selection = r.colour("selection", t.accent);
    t.selectionText = r.colour("selection.text", Luma(t.selection) > 150 ? Rgb(0, 0, 0) : 0xFFFFFF);
    t.scrollTrack = r.colour("scroll.track", dark ? Darken(t.face, 30) : Mix(t.face, 0xFFFFFF, 90));
    t.closeHot = r.colour("close.hot", Rgb(214, 52, 48));
}

const char* const kColourKeys[] = {
    "WindowText",    "TitleTextActive", "TitleTextNoActive", "ButtonFace",     "ButtonText",
    "ButtonHilight", "Buttonlight",     "ButtonShadow",      "ButtonDkShadow", "HilightText",
    "Hilight",       "Menubar",         "MenuBarText",       "MenuText",       "Menu",
    "Scrollbar"};

void ReadColourSections(Theme& t, Reader& r) {
    for (const auto& [word, v] : r.words("colours.omit")) {
        if (std::find(std::begin(kColourKeys), std::end(kColourKeys), word) == std::end(kColourKeys))
            r.fail(v->line, "colours.omit names \"" + word + "\", which is no key of [Colours]");
        t.omitColours.push_back(word);
    }
    for (auto& [name, v] : r.prefixed("colour.")) {
        if (!IsPlainName(name)) r.fail(v->line, "colour.NAME needs a NAME of letters, digits and _");
        t.sectionColours.emplace_back(name, r.ToColour(v->text, v->line, "colour." + name));
    }
    // Without named colours of its own a theme still gets the two a program most often asks for.
    if (r.flag("named.colours", true) && t.sectionColours.empty()) {
        t.sectionColours = {{"Highlight", t.selection},
                            {"Link", t.dark ? Lighten(t.accent, 80) : Darken(t.accent, 40)}};
    }

    const std::string custom = r.str("customcolors", "derived");
    if (custom == "derived") {
        t.customColours = {
            t.accent,          t.captionTop,       t.face,           t.text,  t.closeHot, Rgb(96, 196, 84),
            Rgb(244, 189, 79), Rgb(150, 110, 220), Rgb(0, 160, 170), t.window};
    } else if (custom != "none") {
        const int line = r.lineOf("customcolors");
        std::istringstream cc(custom);
        for (std::string item; std::getline(cc, item, ',');)
            t.customColours.push_back(r.ToColour(Trim(item), line, "customcolors"));
        if (t.customColours.size() > 10) r.fail(line, "customcolors holds at most 10 colours");
    }
}

CaptionButton ReadButton(const std::string& name, int line, int captionHeight, Reader& r) {
    CaptionButton b;
    b.name = name;
    b.line = line;
    b.action = r.integer("action", 0, -1, 99);
    b.align = r.integer("align", 1, 0, 3);
    b.coords = r.flag("coords", true);
    b.x = r.integer("x", 0, -1000, 1000);
    b.y = r.integer("y", 0, 0, captionHeight - 1);
    b.visibility = r.maybe("visibility", -1, 9999);
    b.visibility1 = r.maybe("visibility1", -1, 9999);
    b.combineOp = r.maybe("combineop", -1, 15);
    b.glyph = r.choice("glyph", "close",
                       {"close", "max", "restore", "min", "help", "menu", "pin", "shade", "dot", "none"});
    b.width = r.integer("width", 0, 0, 64);
    b.height = r.integer("height", 0, 0, captionHeight);
    b.frames = r.oneOf("frames", 3, {1, 3, 4, 6});
    b.frameKey = r.flag("framekey", false);
    if (!b.frameKey && b.frames != 3 && b.frames != 6)
        r.fail(r.lineOf("frames"),
               "button " + name + ": " + std::to_string(b.frames) + " frames need framekey = on");
    if (b.width > 0 && b.width < 4) r.fail(r.lineOf("width"), "width is 0 (automatic) or at least 4");
    if (b.height > 0 && b.height < 4) r.fail(r.lineOf("height"), "height is 0 (automatic) or at least 4");

    if (b.height == 0) b.height = std::min(captionHeight - 6, 20);
    if (b.width == 0) b.width = b.height;
    if (b.glyph != "none" && b.coords && b.y + b.height > captionHeight)
        r.fail(r.lineOf(r.find("height") ? "height" : "y"),
               "button " + name + ": " + std::to_string(b.height) + " high at y " + std::to_string(b.y) +
                   " overhangs the caption of " + std::to_string(captionHeight));
    // Without a frame key the loader counts 3 frames when width / height <= 3.8 and 6 otherwise (always 6
    // for a negative action); a strip drawn with the other count would be cut wrongly.
    if (!b.frameKey && b.glyph != "none") {
        const bool three = b.action >= 0 && double(b.width * b.frames) / b.height <= 3.8;
        if (three != (b.frames == 3))
            r.fail(line, "button " + name + ": " + std::to_string(b.frames) + " frames of " +
                             std::to_string(b.width) + " x " + std::to_string(b.height) + " would load as " +
                             (three ? "3" : "6") + "; set framekey = on or change the size");
    }
    r.finish();
    return b;
}

// The usual four caption buttons and the system-menu icon, sized and placed from the caption and border.
std::vector<CaptionButton> DefaultButtons(const Theme& t) {
    const int h = std::min(t.captionHeight - 6, 20), w = h, y = (t.captionHeight - h) / 2, gap = 2;
    auto button = [&](const char* name, int action, const char* glyph, int x, std::optional<int> visibility) {
        CaptionButton b;
        b.name = name;
        b.action = action;
        b.glyph = glyph;
        b.x = x;
        b.y = y;
        b.width = w;
        b.height = h;
        b.visibility = visibility;
        return b;
    };
    const int close = t.border + w + gap, max = close + w + gap, min = max + w + gap;
    CaptionButton icon = button("Icon", 3, "none", t.border + 2, std::nullopt);
    icon.align = 0;
    icon.y = std::max(0, (t.captionHeight - 16) / 2);
    return {icon, button("Close", 0, "close", close, std::nullopt), button("Max", 1, "max", max, 2),
            button("Restore", 1, "restore", max, 1), button("Min", 2, "min", min, 6)};
}

} // namespace

std::optional<Theme> ParseTheme(const std::string& text, const std::string& id, ThemeError* error) {
    *error = {};
    Block global;
    struct ButtonBlock {
        std::string name;
        int line;
        Block keys;
    };
    std::vector<ButtonBlock> buttons;
    Block* current = &global;
    std::istringstream in(text);
    int lineNo = 0;
    for (std::string line; std::getline(in, line);) {
        ++lineNo;
        if (auto hash = line.find('#'); hash != std::string::npos) line.resize(hash);
        line = Trim(line);
        if (line.empty()) continue;
        if (line.front() == '[' && line.back() == ']') {
            std::istringstream head(line.substr(1, line.size() - 2));
            std::string kind, name, extra;
            head >> kind >> name >> extra;
            if (kind != "button" || name.empty() || !extra.empty()) {
                *error = {lineNo, "expected [button NAME]"};
                return std::nullopt;
            }
            if (!IsPlainName(name)) {
                *error = {lineNo, "a button NAME is letters, digits and _ (it names a section and a file)"};
                return std::nullopt;
            }
            for (const ButtonBlock& b : buttons)
                if (Lower(b.name) == Lower(name)) {
                    *error = {lineNo, "button " + name + " given twice (first on line " +
                                          std::to_string(b.line) + ")"};
                    return std::nullopt;
                }
            buttons.push_back({name, lineNo, {}});
            current = &buttons.back().keys;
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) {
            *error = {lineNo, "expected key = value"};
            return std::nullopt;
        }
        const std::string key = Trim(line.substr(0, eq));
        if (key.empty()) {
            *error = {lineNo, "expected key = value"};
            return std::nullopt;
        }
        if (auto it = current->find(key); it != current->end()) {
            *error = {lineNo,
                      "\"" + key + "\" given twice (first on line " + std::to_string(it->second.line) + ")"};
            return std::nullopt;
        }
        (*current)[key] = Value{Trim(line.substr(eq + 1)), lineNo, false};
    }

    Theme t;
    Reader r(global, 1, error);
    t.id = id;
    t.name = r.str("name", id);
    t.dark = r.flag("dark", false);
    t.face = r.colour("face", t.dark ? Rgb(45, 47, 52) : Rgb(236, 236, 236));
    t.text = r.colour("text", t.dark ? Rgb(230, 230, 230) : Rgb(20, 20, 20));
    t.accent = r.colour("accent", Rgb(60, 120, 200));
    DerivePalette(t, r);

    t.rounded = r.choice("shape", "square", {"square", "rounded"}) == "rounded";
    const int radius = r.integer("radius", 6, 0, 16);
    const int bottomRadius = r.integer("radius.bottom", radius / 2, 0, 16);
    t.radius = t.rounded ? radius : 0;
    t.bottomRadius = t.rounded ? bottomRadius : 0;
    t.bevel = r.choice("bevel", "flat", {"flat", "raised"}) == "raised";
    t.border = r.integer("border", 4, 1, 16);
    t.borderBottom = r.integer("border.bottom", t.border, 1, 16);
    t.captionHeight = r.integer("caption.height", 24, 12, 48);
    t.tileBorders = r.choice("border.fill", "stretch", {"stretch", "tile"}) == "tile";
    t.texture = r.choice("texture", "none", {"none", "stripes", "dots", "brushed"});
    if (t.texture == "none") t.texture.clear();
    t.trans = r.maybe("trans", 0, 1);
    t.accentLine = r.flag("caption.accentline", false);
    t.borderFrames = r.integer("border.frames", 2, 1, 2);

    t.textAlign = r.integer("text.align", 0, 0, 2);
    t.textShift = r.integer("text.shift", 8, 0, 400);
    t.textShiftVert = r.integer("text.shiftvert", 0, -24, 24);
    t.textRightClip = r.integer("text.rightclip", 8, 0, 400);
    t.textBack = r.flag("text.back", false);
    t.txtBackLeft = r.integer("text.back.left", t.textBack ? 8 : 0, 0, 40);
    t.txtBackRight = r.integer("text.back.right", t.textBack ? 8 : 0, 0, 40);
    if (t.textBack && t.txtBackLeft < 2)
        r.fail(r.lineOf("text.back.left"), "text.back.left is at least 2 with text.back on");
    t.titleRgb = r.flag("text.rgb", false);
    t.fontHeight = r.integer("font.height", std::max(11, t.captionHeight / 2), 0, 48);

    t.menuBarImage = r.flag("menubar.image", true);
    t.menuBarTile = r.integer("menubar.tile", 1, 0, 1) == 1;

    t.buttonStyle = r.choice("buttons.style", "flat", {"flat", "square", "round", "pill"});
    t.mdiControls = r.flag("mdicontrols", true);

    t.controlRadius = r.integer("control.radius", t.rounded ? 3 : 0, 0, 8);
    t.checkSize = r.oneOf("check.size", 13, {13, 16});
    t.checkFrames = r.oneOf("check.frames", 4, {4, 5, 12});
    t.radioFrames = r.oneOf("radio.frames", 4, {4, 8});
    t.glyphFrameKeys = r.flag("glyph.framekeys", false);
    t.progressStyle = r.integer("progress.style", 0, 0, 1);
    t.tabsStyle = r.integer("tabs.style", 0, 0, 1);
    t.comboStyle = r.integer("combo.style", 0, 0, 1);
    t.headerFrames = r.integer("header.frames", 0, 0, 5);
    t.thumbFrames = r.integer("thumb.frames", 3, 1, 4);
    t.thumbFrameKey = r.flag("thumb.framekey", t.thumbFrames != 3);
    // Rounded thumbs take half the bar as their radius; past 22 their caps leave no middle to stretch.
    t.scrollSize = r.integer("scroll.size", 17, 12, 22);
    t.buttonColours = r.flag("buttons.colours", true);
    t.plainColourKeys = r.flag("plain.colour.keys", false);

    ReadColourSections(t, r);
    t.palette8 = r.flag("bmp8", false);
    t.folder = r.str("folder", "");
    if (!t.folder.empty() && !IsPlainName(t.folder))
        r.fail(r.lineOf("folder"), "folder is letters, digits and _");
    r.finish();

    for (ButtonBlock& b : buttons) {
        Reader br(b.keys, b.line, error);
        t.buttons.push_back(ReadButton(b.name, b.line, t.captionHeight, br));
    }
    if (buttons.empty()) t.buttons = DefaultButtons(t);
    if (!error->message.empty()) return std::nullopt;
    return t;
}

} // namespace qs::skingen
