// Theme parser: collects the keys, fills the Theme, derives the palette that was not given, and rejects keys
// it does not know so a typo in a theme cannot silently fall back to a default.
#include "skins/generator/theme.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <sstream>

namespace qs::skingen {
namespace {

std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && std::isspace(uint8_t(s[a])))
        ++a;
    while (b > a && std::isspace(uint8_t(s[b - 1])))
        --b;
    return s.substr(a, b - a);
}

struct Value {
    std::string text;
    int line = 0;
    bool used = false;
};
using Block = std::map<std::string, Value>;

class Reader {
  public:
    Reader(Block& block, std::string* error) : block_(block), error_(error) {}

    bool has(const std::string& key) const { return block_.count(key) != 0; }
    std::string str(const std::string& key, const std::string& def = "") {
        auto it = block_.find(key);
        if (it == block_.end()) return def;
        it->second.used = true;
        return it->second.text;
    }
    int integer(const std::string& key, int def) {
        auto it = block_.find(key);
        if (it == block_.end()) return def;
        it->second.used = true;
        char* end = nullptr;
        const long v = std::strtol(it->second.text.c_str(), &end, 10);
        if (end == it->second.text.c_str() || *end != 0) fail(it->second.line, key + " needs a whole number");
        return int(v);
    }
    std::optional<int> maybe(const std::string& key) {
        if (!has(key)) return std::nullopt;
        return integer(key, 0);
    }
    bool flag(const std::string& key, bool def) {
        auto it = block_.find(key);
        if (it == block_.end()) return def;
        it->second.used = true;
        const std::string& v = it->second.text;
        if (v == "on" || v == "yes" || v == "1") return true;
        if (v == "off" || v == "no" || v == "0") return false;
        fail(it->second.line, key + " needs on or off");
        return def;
    }
    Colour colour(const std::string& key, Colour def) {
        auto it = block_.find(key);
        if (it == block_.end()) return def;
        it->second.used = true;
        return ToColour(it->second);
    }
    Colour ToColour(const Value& v) {
        std::istringstream in(v.text);
        int r = -1, g = -1, b = -1;
        in >> r >> g >> b;
        if (in.fail() || r < 0 || g < 0 || b < 0 || r > 255 || g > 255 || b > 255)
            fail(v.line, "bad colour \"" + v.text + "\"");
        return Rgb(r, g, b);
    }
    std::vector<std::string> words(const std::string& key) {
        std::istringstream in(str(key));
        std::vector<std::string> out;
        for (std::string w; in >> w;)
            out.push_back(w);
        return out;
    }
    // Keys with a prefix, in file order of their lines.
    std::vector<std::pair<std::string, Value*>> prefixed(const std::string& prefix) {
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
        for (auto& [k, v] : block_)
            if (!v.used) fail(v.line, "unknown key \"" + k + "\"");
    }
    void fail(int line, const std::string& message) {
        if (error_->empty()) *error_ = "line " + std::to_string(line) + ": " + message;
    }

  private:
    Block& block_;
    std::string* error_;
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

CaptionButton ReadButton(const std::string& name, Reader& r) {
    CaptionButton b;
    b.name = name;
    b.action = r.integer("action", 0);
    b.align = r.integer("align", 1);
    b.coords = r.flag("coords", true);
    b.x = r.integer("x", 0);
    b.y = r.integer("y", 0);
    b.visibility = r.maybe("visibility");
    b.visibility1 = r.maybe("visibility1");
    b.combineOp = r.maybe("combineop");
    b.glyph = r.str("glyph", "close");
    b.width = r.integer("width", 0);
    b.height = r.integer("height", 0);
    b.frames = r.integer("frames", 3);
    b.frameKey = r.flag("framekey", false);
    if (b.frames != 1 && b.frames != 3 && b.frames != 4 && b.frames != 6)
        r.fail(0, "button " + name + ": frames must be 1, 3, 4 or 6");
    if (!b.frameKey && b.frames != 3 && b.frames != 6)
        r.fail(0, "button " + name + ": " + std::to_string(b.frames) + " frames need framekey = on");
    r.finish();
    return b;
}

// Without a frame key the loader counts 3 frames when width / height <= 3.8 and 6 otherwise (always 6 for a
// negative action); a strip drawn with the other count would be cut wrongly.
void CheckButtonSize(CaptionButton& b, int captionHeight, std::string* error) {
    if (b.height == 0) b.height = std::min(captionHeight - 6, 20);
    if (b.width == 0) b.width = b.height;
    if (b.frameKey || b.glyph == "none" || !error->empty()) return;
    const bool three = b.action >= 0 && double(b.width * b.frames) / b.height <= 3.8;
    if (three != (b.frames == 3))
        *error = "button " + b.name + ": " + std::to_string(b.frames) + " frames of " +
                 std::to_string(b.width) + " x " + std::to_string(b.height) + " would load as " +
                 (three ? "3" : "6") + "; set framekey = on or change the size";
}

} // namespace

std::optional<Theme> ParseTheme(const std::string& text, const std::string& id, std::string* error) {
    error->clear();
    Block global;
    std::vector<std::pair<std::string, Block>> buttons;
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
            std::string kind, name;
            head >> kind >> name;
            if (kind != "button" || name.empty()) {
                *error = "line " + std::to_string(lineNo) + ": expected [button NAME]";
                return std::nullopt;
            }
            buttons.emplace_back(name, Block{});
            current = &buttons.back().second;
            continue;
        }
        const size_t eq = line.find('=');
        if (eq == std::string::npos) {
            *error = "line " + std::to_string(lineNo) + ": expected key = value";
            return std::nullopt;
        }
        const std::string key = Trim(line.substr(0, eq));
        if (current->count(key)) {
            *error = "line " + std::to_string(lineNo) + ": \"" + key + "\" given twice";
            return std::nullopt;
        }
        (*current)[key] = Value{Trim(line.substr(eq + 1)), lineNo, false};
    }

    Theme t;
    Reader r(global, error);
    t.id = id;
    t.name = r.str("name", id);
    t.dark = r.flag("dark", false);
    t.face = r.colour("face", Rgb(236, 236, 236));
    t.text = r.colour("text", t.dark ? Rgb(230, 230, 230) : Rgb(20, 20, 20));
    t.accent = r.colour("accent", Rgb(60, 120, 200));
    DerivePalette(t, r);

    const std::string shape = r.str("shape", "square");
    if (shape != "square" && shape != "rounded") r.fail(0, "shape is square or rounded");
    t.rounded = shape == "rounded";
    t.radius = t.rounded ? r.integer("radius", 6) : 0;
    t.bottomRadius = t.rounded ? r.integer("radius.bottom", t.radius / 2) : 0;
    t.bevel = r.str("bevel", "flat") == "raised";
    t.border = r.integer("border", 4);
    t.borderBottom = r.integer("border.bottom", t.border);
    t.captionHeight = r.integer("caption.height", 24);
    t.tileBorders = r.str("border.fill", "stretch") == "tile";
    t.texture = r.str("texture", "");
    t.trans = r.maybe("trans");
    t.accentLine = r.flag("caption.accentline", false);
    t.borderFrames = r.integer("border.frames", 2);

    t.textAlign = r.integer("text.align", 0);
    t.textShift = r.integer("text.shift", 8);
    t.textShiftVert = r.integer("text.shiftvert", 0);
    t.textRightClip = r.integer("text.rightclip", 8);
    t.textBack = r.flag("text.back", false);
    t.txtBackLeft = r.integer("text.back.left", t.textBack ? 8 : 0);
    t.txtBackRight = r.integer("text.back.right", t.textBack ? 8 : 0);
    t.titleRgb = r.flag("text.rgb", false);
    t.fontHeight = r.integer("font.height", 0);

    t.menuBarImage = r.flag("menubar.image", true);
    t.menuBarTile = r.integer("menubar.tile", 1) == 1;

    t.buttonStyle = r.str("buttons.style", "flat");
    t.mdiControls = r.flag("mdicontrols", false);

    t.controlRadius = r.integer("control.radius", t.rounded ? 3 : 0);
    t.checkSize = r.integer("check.size", 13);
    t.checkFrames = r.integer("check.frames", 4);
    t.radioFrames = r.integer("radio.frames", 4);
    t.glyphFrameKeys = r.flag("glyph.framekeys", false);
    t.progressStyle = r.integer("progress.style", 0);
    t.tabsStyle = r.integer("tabs.style", 0);
    t.comboStyle = r.integer("combo.style", 0);
    t.headerFrames = r.integer("header.frames", 0);
    t.thumbFrames = r.integer("thumb.frames", 3);
    t.thumbFrameKey = r.flag("thumb.framekey", t.thumbFrames != 3);
    t.scrollSize = r.integer("scroll.size", 17);
    t.buttonColours = r.flag("buttons.colours", true);
    t.plainColourKeys = r.flag("plain.colour.keys", false);

    t.omitColours = r.words("colours.omit");
    for (auto& [name, v] : r.prefixed("colour."))
        t.sectionColours.emplace_back(name, r.ToColour(*v));
    {
        std::istringstream cc(r.str("customcolors"));
        for (std::string item; std::getline(cc, item, ',');)
            t.customColours.push_back(r.ToColour(Value{Trim(item), 0}));
    }
    t.palette8 = r.flag("bmp8", false);
    t.folder = r.str("folder", "");

    if (t.checkSize != 13 && t.checkSize != 16) r.fail(0, "check.size is 13 or 16");
    if (t.checkFrames != 4 && t.checkFrames != 5 && t.checkFrames != 12)
        r.fail(0, "check.frames is 4, 5 or 12");
    if (t.radioFrames != 4 && t.radioFrames != 8) r.fail(0, "radio.frames is 4 or 8");
    if (t.captionHeight < 12 || t.border < 1 || t.borderBottom < 1) r.fail(0, "frame too small");
    r.finish();

    for (auto& [name, block] : buttons) {
        Reader br(block, error);
        t.buttons.push_back(ReadButton(name, br));
        CheckButtonSize(t.buttons.back(), t.captionHeight, error);
    }
    if (!error->empty()) return std::nullopt;
    return t;
}

} // namespace qs::skingen
