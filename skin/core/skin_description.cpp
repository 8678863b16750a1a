// Reading a skin's description section by section: the keys each record has, their defaults and
// clamps, and the frame counts the engine imposes or derives from the images.
#include "skin/core/skin_description.h"

#include <algorithm>
#include <map>

#include "skin/core/ini_values.h"
#include "skin/core/parse_colour.h"
#include "skin/res/quick_ini.h"
#include "skin/res/skin_reader.h"
#include "toolkit/graphics/bmp_decode.h"

namespace qs {

namespace {

// The system colours of the defaults (the COLOR_ indices).
enum : int {
    kSysScrollbar = 0,
    kSysMenu = 4,
    kSysMenuText = 7,
    kSysWindowText = 8,
    kSysCaptionText = 9,
    kSysHighlight = 13,
    kSysHighlightText = 14,
    kSysBtnFace = 15,
    kSysBtnShadow = 16,
    kSysBtnText = 18,
    kSysInactiveCaptionText = 19,
    kSysBtnHighlight = 20,
    kSys3dDkShadow = 21,
};

constexpr int kButtonText = 4, kButtonFace = 3;

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

// Which keys a record section has; the defaults are those of the generic object section.
struct TRecordKeys {
    const char* image = "Image";
    const char* secondImage = nullptr;
    bool style = true;
    bool frame = true;
    bool colours = true;    // the three plain state colours and the three r g b ones
    int32_t tileAbove1 = 0; // what a Tile value above 1 becomes
};

// A file's declared size decides how much of the member is the image, when it is a sane one.
size_t bmpExtent(const uint8_t* data, size_t size) {
    const uint32_t declared =
        uint32_t(data[2]) | uint32_t(data[3]) << 8 | uint32_t(data[4]) << 16 | uint32_t(data[5]) << 24;
    return declared >= 26 && declared <= size ? size_t(declared) : size;
}

bool drawable(const BmpImage& image) {
    const int bits = image.bitsPerPixel;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32) return false;
    return image.width > 0 && image.height > 0 &&
           image.pixels.size() >= image.Stride() * size_t(image.height);
}

class TDescriber {
  public:
    TDescriber(TSkinDescription& d, const std::vector<TSkinMemberView>& members, const TQuickIni& ini,
               bool keep)
        : d_(d), members_(members), ini_(ini), values_(ini), keepPixels_(keep) {}

    void Run() {
        borders();
        colours();
        captionButtons();
        pushButtons();
        captionText();
        slots();
        frameCounts();
    }

  private:
    void asked(const std::string& section, const std::string& key) {
        d_.keysRead.try_emplace({AsciiLower(section), AsciiLower(key)}, key);
        d_.sectionsRead.try_emplace(AsciiLower(section), section);
    }
    std::string str(const std::string& section, const std::string& key, const std::string& def = {}) {
        asked(section, key);
        return values_.ReadString(section, key, def);
    }
    int32_t integer(const std::string& section, const std::string& key, int32_t def) {
        asked(section, key);
        return values_.ReadInteger(section, key, def);
    }
    // A colour's text, noted for reports; empty when the skin gives none.
    std::string colourText(const std::string& section, const std::string& key) {
        std::string s = str(section, key);
        if (!s.empty()) d_.colourTexts.push_back({section, key, s});
        return s;
    }
    void adjust(const std::string& section, const std::string& key, int32_t written, int32_t used,
                std::string why) {
        d_.adjustments.push_back({section, key, written, used, std::move(why)});
    }

    TSkinImage image(const std::string& section, const std::string& key);
    void decode(TSkinImage& img, size_t member);
    TColor colour2(const std::string& section, const char* key);
    void readRecord(TSkinRecord& r, const std::string& section, const TRecordKeys& keys);
    template <class R>
    void generic(std::optional<R>& slot, const std::string& section, const TRecordKeys& keys = {});
    void impose(TSkinRecord& r, int32_t frames);
    void impose(std::optional<TSkinRecord>& r, int32_t frames) {
        if (r) impose(*r, frames);
    }

    void borders();
    void colours();
    void captionButtons();
    void mdiButtons();
    void pushButtons();
    void captionText();
    void menuBar();
    void slots();
    void frameCounts();

    TSkinDescription& d_;
    const std::vector<TSkinMemberView>& members_;
    const TQuickIni& ini_;
    const TIniValues values_;
    const bool keepPixels_;
    // A member several records name is decoded once.
    std::map<size_t, TSkinImage> decoded_;
};

TSkinImage TDescriber::image(const std::string& section, const std::string& key) {
    TSkinImage img;
    img.key = key;
    img.value = str(section, key);
    if (img.value.empty()) return img;
    img.member = AsciiLower(ImageMemberName(img.value));
    if (img.member.empty()) {
        img.state = TImageState::NotBmp;
        return img;
    }
    // The first member of that name is the one the reader hands out.
    const auto found = std::find_if(members_.begin(), members_.end(),
                                    [&](const TSkinMemberView& m) { return m.name == img.member; });
    if (found == members_.end() || found->size == 0) {
        img.state = TImageState::Missing;
        return img;
    }
    decode(img, size_t(found - members_.begin()));
    return img;
}

void TDescriber::decode(TSkinImage& img, size_t member) {
    auto cached = decoded_.find(member);
    if (cached == decoded_.end()) {
        TSkinImage result;
        const TSkinMemberView& m = members_[member];
        try {
            if (m.size < 14) throw EInvalidGraphic("Invalid bitmap: file header past the end of the data");
            auto pixels = std::make_shared<BmpImage>(DecodeBmp(m.data, bmpExtent(m.data, m.size)));
            if (!drawable(*pixels)) throw EInvalidGraphic("Invalid bitmap: unsupported layout");
            result.state = TImageState::Decoded;
            result.width = pixels->width;
            result.height = pixels->height;
            if (keepPixels_) result.pixels = std::move(pixels);
        } catch (const Exception& e) {
            // A damaged image leaves its object kind unskinned, like a missing one.
            result.state = TImageState::Undecodable;
            result.problem = e.what();
        }
        cached = decoded_.emplace(member, std::move(result)).first;
    }
    img.state = cached->second.state;
    img.problem = cached->second.problem;
    img.width = cached->second.width;
    img.height = cached->second.height;
    img.pixels = cached->second.pixels;
}

TColor TDescriber::colour2(const std::string& section, const char* key) {
    const std::string s = colourText(section, key);
    return s.empty() ? d_.colours[kButtonText].value : ParseColour(s);
}

void TDescriber::readRecord(TSkinRecord& r, const std::string& section, const TRecordKeys& keys) {
    r.section = section;
    r.image = image(section, keys.image);
    if (keys.secondImage) r.image2 = image(section, keys.secondImage);
    if (keys.style) r.style = integer(section, "Style", 0);
    r.left = integer(section, "LeftWidth", 0);
    r.right = integer(section, "RightWidth", 0);
    r.top = integer(section, "TopHeight", 0);
    r.bottom = integer(section, "BottomHeight", 0);
    r.marginKeys = {"LeftWidth", "TopHeight", "RightWidth", "BottomHeight"};
    if (keys.frame) {
        r.frame = integer(section, "Frame", 0);
        r.frameKey = "Frame";
    }
    r.trans = integer(section, "Trans", 0);
    r.tile = integer(section, "Tile", 0);
    r.tileKey = "Tile";
    if (r.tile > 1) {
        adjust(section, "Tile", r.tile, keys.tileAbove1, "only 0 (stretch) and 1 (tile) are read");
        r.tile = keys.tileAbove1;
    }
    r.tiled = r.tile != 0;
    if (keys.colours) {
        r.normalColour = integer(section, "NormalColour", -1);
        r.mouseOverColour = integer(section, "MouseOverColour", -1);
        r.pressedColour = integer(section, "PressedColour", -1);
        r.normalColour2 = colour2(section, "NormalColour2");
        r.mouseOverColour2 = colour2(section, "MouseOverColour2");
        r.pressedColour2 = colour2(section, "PressedColour2");
    }
}

// A section becomes a record only when it names an image; its keys are read either way, so that
// they count as the engine's.
template <class R>
void TDescriber::generic(std::optional<R>& slot, const std::string& section, const TRecordKeys& keys) {
    R r;
    r.name = section;
    const size_t adjustments = d_.adjustments.size(), colours = d_.colourTexts.size();
    readRecord(r, section, keys);
    if (r.image.value.empty()) {
        d_.adjustments.resize(adjustments);
        d_.colourTexts.resize(colours);
        slot.reset();
    } else {
        slot = std::move(r);
    }
}

void TDescriber::impose(TSkinRecord& r, int32_t frames) {
    if (!r.frameKey.empty() && !str(r.section, r.frameKey).empty() && r.frame != frames)
        adjust(r.section, r.frameKey, r.frame, frames,
               "the engine draws this image with a fixed frame count");
    r.frame = frames;
    r.frameKey.clear();
}

void TDescriber::borders() {
    const char* P = "Personality";
    const char* sides[] = {"Left", "Right", "Top", "Bottom"};
    for (size_t i = 0; i < 4; ++i) {
        TSkinRecord& b = d_.borders[i];
        const std::string B = sides[i];
        b = TSkinRecord{};
        b.section = P;
        b.name = B;
        b.frame = integer(P, B + "Frame", 1);
        b.frameKey = B + "Frame";
        const int32_t stretch = integer(P, B + "Stretch", 1);
        b.tile = std::min(stretch, 1);
        if (stretch > 1) adjust(P, B + "Stretch", stretch, 1, "only 0 (tile) and 1 (stretch) are read");
        b.tiled = b.tile != 1;
        b.tileKey = B + "Stretch";
        b.trans = integer(P, B + "Trans", 1);
        b.image = image(P, B);
        const int32_t capA = integer(P, B + "TopHeight", 0), capB = integer(P, B + "BotHeight", 0);
        // Side borders run top to bottom; the top and bottom borders' caps are their ends.
        if (B == "Left" || B == "Right") {
            b.top = capA;
            b.bottom = capB;
            b.marginKeys = {"", B + "TopHeight", "", B + "BotHeight"};
        } else {
            b.left = capA;
            b.right = capB;
            b.marginKeys = {B + "TopHeight", "", B + "BotHeight", ""};
            b.vertical = true;
        }
    }
}

void TDescriber::colours() {
    struct Entry {
        int index;
        const char* key;
        int sys; // system colour of the default, kept as a reference; -1: entry 3 as just read
    };
    static const Entry order[] = {
        {0, "WindowText", kSysWindowText},
        {3, "ButtonFace", kSysBtnFace},
        {18, "Scrollbar", kSysScrollbar},
        {11, "HilightText", kSysHighlightText},
        {12, "Hilight", kSysHighlight},
        {13, "Menubar", -1},
        {16, "Menu", kSysMenu},
        {15, "MenuText", kSysMenuText},
        {4, "ButtonText", kSysBtnText},
        {5, "ButtonHilight", kSysBtnHighlight},
        {6, "Buttonlight", kSysBtnHighlight},
        {7, "ButtonShadow", kSysBtnShadow},
        {8, "ButtonDkShadow", kSys3dDkShadow},
        {14, "MenuBarText", kSysMenuText},
        {1, "TitleTextActive", kSysCaptionText},
        {2, "TitleTextNoActive", kSysInactiveCaptionText},
    };
    for (const Entry& e : order) {
        TSkinColourEntry& c = d_.colours[size_t(e.index)];
        const std::string s = colourText("Colours", e.key);
        c.given = !s.empty();
        c.value = c.given ? ParseColour(s) : e.sys < 0 ? d_.colours[kButtonFace].value : SystemColor(e.sys);
        c.fromSkin = true;
    }

    std::vector<std::string> sections;
    ini_.ReadSections(&sections);
    for (const std::string& name : sections) {
        const std::string upper = UpperCase(name);
        if (!startsWith(upper, "COLOUR") || upper == "COLOURS") continue;
        const std::string s = colourText(name, "color");
        d_.sectionColours.push_back(s.empty() ? SystemColor(kSysWindowText) : ParseColour(s));
    }
    for (int i = 0; i < 10; ++i) {
        const std::string s = colourText("Customcolors", "Color" + std::to_string(i));
        d_.customColors[size_t(i)] = s.empty() ? clWhite : ParseColour(s);
    }
}

void TDescriber::captionButtons() {
    std::vector<std::string> sections;
    ini_.ReadSections(&sections);
    int32_t memoX = 0, memoY = 0;
    for (const std::string& name : sections) {
        const std::string upper = UpperCase(name);
        if (!startsWith(upper, "BUTTON") || upper == "BUTTONS" || upper == "BUTTON.RADIO" ||
            upper == "BUTTON.CHECKBOX" || upper == "BUTTON")
            continue;
        TSkinCaptionButton b;
        b.section = name;
        b.name = upper;
        b.action = integer(name, "Action", 0);
        b.align = integer(name, "Align", 0);
        b.xcoord = integer(name, "Xcoord", 0);
        b.ycoord = integer(name, "Ycoord", 0);
        b.visibility = integer(name, "Visibility", 0);
        b.visibility1 = integer(name, "Visibility1", b.action == acNone ? -1 : 0);
        b.combineOp = integer(name, "CombineOp", -1);
        b.frame = integer(name, "frame", 0);
        b.frameKey = "frame";
        b.image = image(name, "ButtonImage");
        // A decoration that never shows is dropped; a Visibility the skin leaves out shows it.
        if (b.action == acNone && integer(name, "Visibility", -1) != 0) continue;
        // A help button takes the place a maximise button that only shows when normal left.
        if (b.action == acMaximize && b.visibility == cvNotMaximized) {
            memoX = b.xcoord;
            memoY = b.ycoord;
        } else if (b.action == acHelp) {
            b.xcoord = memoX;
            b.ycoord = memoY;
        }
        if (b.frame == 0) {
            b.frameKey.clear();
            b.frame = 6;
            // Square frames come three to a strip, wide ones six.
            if (b.image.Decoded()) b.frame = double(b.image.width) / double(b.image.height) <= 3.8 ? 3 : 6;
            if (b.action < 0) b.frame = 6;
            // The window's icon is drawn instead of an image.
            if (b.action == acSystemMenu || b.action == acSystemMenuIcon) b.image = TSkinImage{};
        }
        d_.captionButtons.push_back(std::move(b));
    }
    mdiButtons();
}

// Three buttons for a maximised MDI child, on the menu band: minimise, restore, close, each four
// cells of the twelve-cell MDICONTROLS strip.
void TDescriber::mdiButtons() {
    d_.mdiControls = image("MDICONTROLS", "Image");
    const TSkinImage& strip = d_.mdiControls;
    const int cell = strip.Decoded() ? strip.width / 12 : 0;
    for (int i = 0; i < 3; ++i) {
        TSkinCaptionButton b;
        b.section = b.name = "MDICONTROLS";
        b.mdi = true;
        b.action = acMdiChildMinimize + i;
        b.align = b.visibility = b.visibility1 = cvMenuBand;
        b.frame = 4;
        if (cell > 0) {
            b.image = strip;
            b.mdiSource = 4 * cell * i;
            b.mdiWidth = 4 * cell;
            b.xcoord = (cell + 4) * (3 - i);
        }
        d_.captionButtons.push_back(std::move(b));
    }
}

void TDescriber::pushButtons() {
    const char* S = "Buttons";
    TSkinPushButtons& b = d_.buttons;
    b.name = S;
    // The record is always there, image or not; Style and Frame are not the section's to say.
    TRecordKeys keys;
    keys.image = "Bitmap";
    keys.style = keys.frame = false;
    readRecord(b, S, keys);
    b.radioButtonFrame = integer(S, "RadioButtonFrame", 0);
    b.checkButtonFrame = integer(S, "CheckButtonFrame", 0);
    b.checkButton = image(S, "CheckButton");
    b.radioButton = image(S, "RadioButton");
    b.hasNormalColour2 = !str(S, "NormalColour2").empty();
    b.hasMouseOverColour2 = !str(S, "MouseOverColour2").empty();
    b.hasPressedColour2 = !str(S, "PressedColour2").empty();
}

void TDescriber::captionText() {
    const char* P = "Personality";
    TSkinTitleText& t = d_.title;
    t.section = P;
    t.name = "Title";
    t.image = image(P, "TextBack");
    t.left = integer(P, "TextShift", 0);
    t.top = integer(P, "TextShiftVert", 0);
    t.right = integer(P, "TextRightClip", 0);
    t.bottom = 0;
    t.slices = false;
    t.vertical = true;
    t.textAlignment = integer(P, "TextAlignment", 0);
    t.textbackground = integer(P, "Textbackground", 0);
    t.txtBackLeft = integer(P, "TXTBackleft", 0);
    t.txtBackRight = integer(P, "TXTBackRight", 0);
    t.fontHeight = integer("Fonts", "FontHeight", 14);
    auto readRGB = [&](const std::string& prefix) -> TColor {
        const int32_t r = integer(P, prefix + "R", -1), g = integer(P, prefix + "G", -1),
                      b = integer(P, prefix + "B", -1);
        if (r < 0 || g < 0 || b < 0) return clNone;
        return TColor((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
    };
    t.activeText = readRGB("ActiveText");
    t.inActiveText = readRGB("InActiveText");
}

void TDescriber::menuBar() {
    const char* P = "Personality";
    TSkinRecord m;
    m.section = P;
    m.name = "Personality";
    m.image = image(P, "menuBar");
    const int32_t tile = integer(P, "TileMenu", 1);
    m.tile = std::min(tile, 1);
    m.tiled = m.tile == 1;
    m.tileKey = "TileMenu";
    m.left = integer(P, "TileLeftMenu", 1);
    m.right = integer(P, "TileRightMenu", 1);
    m.marginKeys = {"TileLeftMenu", "", "TileRightMenu", ""};
    m.vertical = true;
    if (m.image.value.empty()) {
        d_.menuBar.reset();
        return;
    }
    if (tile > 1) adjust(P, "TileMenu", tile, 1, "only 0 (stretch) and 1 (tile) are read");
    d_.menuBar = std::move(m);
}

void TDescriber::slots() {
    TSkinDescription& s = d_;
    TRecordKeys progress;
    progress.image = "Bitmap";
    progress.frame = progress.colours = false;
    progress.tileAbove1 = 1;
    generic(s.progress, "Progress", progress);
    generic(s.progressChunk, "Progress.Chunk");
    menuBar();
    generic(s.groupBoxEdge, "GroupBoxEdge");
    TRecordKeys noFrame;
    noFrame.frame = false;
    generic(s.groupBox, "GroupBox", noFrame);
    const int32_t alignment = integer("GroupBox", "BackgroundAlignment", 0);
    const int32_t leftShift = integer("GroupBox", "BackgroundLeftShift", 0);
    const int32_t rightShift = integer("GroupBox", "BackgroundRightShift", 0);
    if (s.groupBox) {
        s.groupBox->backgroundAlignment = alignment;
        s.groupBox->backgroundLeftShift = leftShift;
        s.groupBox->backgroundRightShift = rightShift;
    }
    auto withSecond = [&](const char* key) {
        TRecordKeys keys = noFrame;
        keys.secondImage = key;
        return keys;
    };
    generic(s.tabs, "Tabs", withSecond("Border"));
    generic(s.statusBarEdges, "StatusBarEdges");
    generic(s.tabPane, "Tab.Pane");
    if (s.tabPane) {
        // The pane's edge is drawn into a four-pixel band.
        TSkinRecord& pane = *s.tabPane;
        int32_t* margins[] = {&pane.left, &pane.top, &pane.right, &pane.bottom};
        for (size_t i = 0; i < 4; ++i) {
            if (*margins[i] <= 4) continue;
            adjust(pane.section, pane.marginKeys[i], *margins[i], 4, "the tab pane's margins are at most 4");
            *margins[i] = 4;
        }
    }
    generic(s.toolBars, "ToolBars");
    // No skin has a "****" key: the second image is the mirrored copy the drawing side makes.
    generic(s.comboButton, "ComboButton", withSecond("****"));
    generic(s.sunkEdge, "SunkEdge");
    generic(s.extraImages, "ExtraImages");
    generic(s.headerbar, "Headerbar");
    generic(s.menuItem, "MenuItem");
    generic(s.menuBackground, "MenuBackground");
    generic(s.scrollbar, "Scrollbar");
    generic(s.horzScroll, "HorzScroll");
    generic(s.vertScroll, "VertScroll");
    generic(s.horzScrollThumb, "HorzScrollThumb");
    generic(s.vertScrollThumb, "VertScrollThumb");
    generic(s.trackbarThumbHorz, "Trackbar.ThumbHorz");
    generic(s.trackbarThumbVert, "Trackbar.ThumbVert");
    generic(s.trackbarThumbLeft, "Trackbar.ThumbLeft");
    generic(s.trackbarThumbRight, "Trackbar.ThumbRight");
    generic(s.trackbarThumbUp, "Trackbar.ThumbUp");
    generic(s.trackbarThumbDown, "Trackbar.ThumbDown");
    generic(s.upDownHorz, "UpDown.Horz", withSecond("GlyphImage"));
    generic(s.upDownVert, "UpDown.Vert", withSecond("GlyphImage"));
    generic(s.track, "Track");
    generic(s.trackVert, "TRACKVERT");
}

void TDescriber::frameCounts() {
    TSkinDescription& s = d_;
    impose(s.title, 2);
    impose(s.menuBar, 2);
    impose(s.buttons, 5);
    // Check and radio glyphs are 13 pixels wide in small strips and 16 in large ones.
    auto glyphFrames = [](int32_t& frames, const TSkinImage& glyph) {
        if (frames != 0) return;
        const int g = glyph.height < 16 ? 13 : 16;
        frames = std::max(glyph.width / g, 4);
    };
    glyphFrames(s.buttons.radioButtonFrame, s.buttons.radioButton);
    glyphFrames(s.buttons.checkButtonFrame, s.buttons.checkButton);
    if (s.progress) impose(*s.progress, s.progress->style != 0 ? 1 : 2);
    impose(s.groupBoxEdge, 2);
    if (s.groupBox) impose(*s.groupBox, 1);
    impose(s.tabs, 5);
    impose(s.statusBarEdges, 3);
    impose(s.tabPane, 1);
    impose(s.toolBars, 5);
    impose(s.comboButton, 4);
    impose(s.sunkEdge, 4);
    impose(s.extraImages, 5);
    if (s.headerbar && s.headerbar->frame == 0) {
        s.headerbar->frame = 5;
        s.headerbar->frameKey.clear();
    }
    impose(s.menuItem, 5);
    impose(s.menuBackground, 1);
    impose(s.scrollbar, 23);
    impose(s.horzScroll, 4);
    impose(s.vertScroll, 4);
    for (auto [thumb, section] : {std::pair{&s.horzScrollThumb, "HorzScrollThumb"},
                                  std::pair{&s.vertScrollThumb, "VertScrollThumb"}}) {
        const int32_t frames = integer(section, "FrameCount", 3);
        if (!*thumb) continue;
        (*thumb)->frame = frames;
        (*thumb)->frameKey = "FrameCount";
    }
    for (auto* thumb : {&s.trackbarThumbHorz, &s.trackbarThumbVert, &s.trackbarThumbLeft,
                        &s.trackbarThumbRight, &s.trackbarThumbUp, &s.trackbarThumbDown})
        impose(*thumb, 5);
    impose(s.upDownHorz, 8);
    impose(s.upDownVert, 8);
}

} // namespace

std::vector<TSkinMemberView> SkinMembers(const TSkinReader& reader) {
    std::vector<TSkinMemberView> members;
    size_t offset = 0;
    for (size_t i = 0; i < reader.Names().size(); ++i) {
        const size_t size = size_t(reader.Sizes()[i]);
        members.push_back({reader.Names()[i], reader.MemberData().data() + offset, size});
        offset += size;
    }
    return members;
}

std::vector<const TSkinRecord*> TSkinDescription::Records() const {
    std::vector<const TSkinRecord*> all;
    for (const TSkinRecord& b : borders)
        all.push_back(&b);
    all.push_back(&title);
    if (menuBar) all.push_back(&*menuBar);
    all.push_back(&buttons);
    if (groupBox) all.push_back(&*groupBox);
    for (const std::optional<TSkinRecord>* r : {&progress,
                                                &progressChunk,
                                                &groupBoxEdge,
                                                &tabs,
                                                &statusBarEdges,
                                                &tabPane,
                                                &toolBars,
                                                &comboButton,
                                                &sunkEdge,
                                                &extraImages,
                                                &headerbar,
                                                &menuItem,
                                                &menuBackground,
                                                &scrollbar,
                                                &horzScroll,
                                                &vertScroll,
                                                &horzScrollThumb,
                                                &vertScrollThumb,
                                                &trackbarThumbHorz,
                                                &trackbarThumbVert,
                                                &trackbarThumbLeft,
                                                &trackbarThumbRight,
                                                &trackbarThumbUp,
                                                &trackbarThumbDown,
                                                &upDownHorz,
                                                &upDownVert,
                                                &track,
                                                &trackVert})
        if (*r) all.push_back(&**r);
    for (const TSkinCaptionButton& b : captionButtons)
        if (!b.mdi) all.push_back(&b);
    return all;
}

TSkinDescription DescribeSkin(const std::vector<TSkinMemberView>& members, bool keepPixels) {
    TSkinDescription d;
    const auto ini = std::find_if(members.begin(), members.end(), [](const TSkinMemberView& m) {
        return m.name.find(".ini") != std::string::npos;
    });
    if (ini != members.end()) {
        d.iniMember = ini->name;
        d.iniText.assign(reinterpret_cast<const char*>(ini->data), ini->size);
    }
    TQuickIni parsed;
    parsed.LoadFromMemory(d.iniText.data(), d.iniText.size());
    TDescriber(d, members, parsed, keepPixels).Run();
    return d;
}

std::vector<int> IniLineNumbers(const std::string& text) {
    // The same splitting as TQuickIni: CR, LF or NUL end a line; one CR then one LF are skipped.
    std::vector<int> numbers;
    const size_t end = text.size();
    size_t p = 0;
    int line = 1;
    while (p < end && text[p] != '\0') {
        const size_t start = p;
        while (p < end && text[p] != '\r' && text[p] != '\n' && text[p] != '\0')
            ++p;
        size_t a = start, b = p;
        while (a < b && uint8_t(text[a]) <= 32)
            ++a;
        while (b > a && uint8_t(text[b - 1]) <= 32)
            --b;
        if (p < end && text[p] == '\r') ++p;
        if (p < end && text[p] == '\n') ++p;
        if (a < b && text[a] != ';') numbers.push_back(line);
        ++line;
    }
    return numbers;
}

} // namespace qs
