// Loading a skin: the archive's description read section by section into the model, then the
// images derived from it (combo buttons, the combo arrow, the tool-bar gradient, the frame colour).
#include "skin/core/skin_loader.h"

#include <algorithm>
#include <cstring>

#include "skin/core/skin_data.h"
#include "skin/paint/skin_paint.h"
#include "skin/res/colour.h"
#include "skin/res/quick_ini.h"
#include "skin/res/skin_reader.h"
#include "skin/res/win/bitmap_ops.h"
#include "skin/res/win/gradient_fill.h"

namespace {

bool startsWith(const std::string& s, const std::string& prefix) {
    return s.compare(0, prefix.size(), prefix) == 0;
}

char lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string lowerAscii(std::string s) {
    for (char& c : s)
        c = lower(c);
    return s;
}

std::string trimmed(const std::string& s, size_t from, size_t to) {
    while (from < to && uint8_t(s[from]) <= 32)
        ++from;
    while (to > from && uint8_t(s[to - 1]) <= 32)
        --to;
    return s.substr(from, to - from);
}

// Copies a w x h block between bitmaps; what lies outside either bitmap is left alone, as
// BitBlt leaves it. 24-bit bitmaps are copied row by row, which needs no DC.
void copyBlock(TBitmap& to, int x, int y, TBitmap& from, int sx, int sy, int w, int h) {
    if (to.Empty() || from.Empty()) return;
    if (to.PixelFormat() != pf24bit || from.PixelFormat() != pf24bit) {
        BitBlt(to.Canvas().Handle(), x, y, w, h, from.Canvas().Handle(), sx, sy, SRCCOPY);
        return;
    }
    const int left = std::max({0, -x, -sx}), right = std::min({w, to.Width() - x, from.Width() - sx});
    const int top = std::max({0, -y, -sy}), bottom = std::min({h, to.Height() - y, from.Height() - sy});
    for (int row = top; row < bottom && left < right; ++row)
        std::memcpy(to.ScanLine(y + row) + 3 * (x + left), from.ScanLine(sy + row) + 3 * (sx + left),
                    3 * size_t(right - left));
}

} // namespace

TIniValues::TIniValues(const qs::TQuickIni& ini) {
    Section* section = nullptr;
    for (const std::string& line : ini.Lines()) {
        if (!line.empty() && line.front() == '[' && line.back() == ']') {
            // A repeated header's lines are never reached: look-ups stop at the first one's end.
            auto [it, fresh] = sections_.try_emplace(lowerAscii(line));
            section = fresh ? &it->second : nullptr;
            continue;
        }
        if (!section) continue;
        const size_t eq = line.find('=');
        auto [entry, fresh] = section->try_emplace(qs::IniKeyOf(line));
        if (!fresh || eq == std::string::npos) continue;
        std::string value = trimmed(line, eq + 1, line.size());
        if (!value.empty()) entry->second = std::move(value);
    }
}

const std::optional<std::string>* TIniValues::find(const std::string& section, const std::string& key) const {
    // The loader asks about one section many times in a row.
    if (!lastAsked_ || section != *lastAsked_) {
        const auto it = sections_.find(lowerAscii("[" + section + "]"));
        lastAsked_ = section;
        lastFound_ = it == sections_.end() ? nullptr : &it->second;
    }
    if (!lastFound_) return nullptr;
    const auto it = lastFound_->find(lowerAscii(key));
    return it == lastFound_->end() ? nullptr : &it->second;
}

std::string TIniValues::ReadString(const std::string& section, const std::string& key,
                                   const std::string& def) const {
    const std::optional<std::string>* value = find(section, key);
    return value && *value ? **value : def;
}

int32_t TIniValues::ReadInteger(const std::string& section, const std::string& key, int32_t def) const {
    const std::optional<std::string>* value = find(section, key);
    int32_t n = 0;
    return value && *value && qs::IniValueToInteger(**value, n) ? n : def;
}

TSkinLoader::TSkinLoader(TSkinData& skin, qs::TSkinReader& reader, qs::TQuickIni& ini)
    : skin_(skin), reader_(reader), ini_(ini), values_(ini) {
    size_t offset = 0;
    for (int32_t size : reader_.Sizes()) {
        memberOffsets_.push_back(offset);
        offset += size_t(size);
    }
}

std::string TSkinLoader::str(const std::string& section, const std::string& key, const std::string& def) {
    return values_.ReadString(section, key, def);
}

int TSkinLoader::integer(const std::string& section, const std::string& key, int def) {
    return values_.ReadInteger(section, key, def);
}

void TSkinLoader::loadBitmap(TBitmap& bitmap, const std::string& value) {
    bitmap.Clear();
    const std::string name = qs::AsciiLower(qs::ImageMemberName(value));
    if (name.empty()) return;
    // Decoded where the reader keeps the member, as the first member of that name.
    const auto& names = reader_.Names();
    const auto found = std::find(names.begin(), names.end(), name);
    if (found == names.end()) return;
    const size_t i = size_t(found - names.begin());
    if (reader_.Sizes()[i] == 0) return;
    try {
        bitmap.LoadFromMemory(reader_.MemberData().data() + memberOffsets_[i], size_t(reader_.Sizes()[i]));
    } catch (const Exception&) {
        // A damaged image leaves its object kind unskinned, like a missing one.
        bitmap.Clear();
    }
}

void TSkinLoader::readColours2(TDataSkinObject& obj, const std::string& section) {
    const TColor text = skin_.Colour(scButtonText);
    auto parsed = [&](const char* key) {
        const std::string s = str(section, key);
        return s.empty() ? text : ParseColour(s);
    };
    obj.NormalColour2 = parsed("NormalColour2");
    obj.MouseOverColour2 = parsed("MouseOverColour2");
    obj.PressedColour2 = parsed("PressedColour2");
}

void TSkinLoader::readRecord(TDataSkinObject& obj, const std::string& section, const TRecordKeys& keys) {
    loadBitmap(obj.Bitmap, str(section, keys.image));
    if (auto* border = dynamic_cast<TDataSkinBorder*>(&obj); border && keys.secondImage) {
        const std::string second = str(section, keys.secondImage);
        if (!second.empty()) loadBitmap(border->Bitmap2, second);
    }
    if (keys.style) obj.Style = integer(section, "Style", 0);
    obj.LeftWidth = integer(section, "LeftWidth", 0);
    obj.RightWidth = integer(section, "RightWidth", 0);
    obj.TopHeight = integer(section, "TopHeight", 0);
    obj.BottomHeight = integer(section, "BottomHeight", 0);
    if (keys.frame) obj.Frame = integer(section, "Frame", 0);
    obj.Trans = integer(section, "Trans", 0);
    obj.Tile = integer(section, "Tile", 0);
    if (obj.Tile > 1) obj.Tile = keys.tileAbove1;
    if (keys.colours) {
        obj.NormalColour = integer(section, "NormalColour", -1);
        obj.MouseOverColour = integer(section, "MouseOverColour", -1);
        obj.PressedColour = integer(section, "PressedColour", -1);
        readColours2(obj, section);
    }
}

template <class R>
void TSkinLoader::generic(std::unique_ptr<R>& slot, const std::string& section, const TRecordKeys& keys) {
    slot.reset();
    if (str(section, keys.image).empty()) return;
    slot = std::make_unique<R>(section);
    readRecord(*slot, section, keys);
}

void TSkinLoader::borders() {
    const char* P = "Personality";
    for (TDataSkinBorder* b : {skin_.Borders.Left.get(), skin_.Borders.Right.get(), skin_.Borders.Top.get(),
                               skin_.Borders.Bottom.get()}) {
        const std::string& B = b->Name;
        b->Frame = integer(P, B + "Frame", 1);
        b->Tile = std::min(integer(P, B + "Stretch", 1), 1);
        b->Trans = integer(P, B + "Trans", 1);
        loadBitmap(b->Bitmap, str(P, B));
        const int capA = integer(P, B + "TopHeight", 0), capB = integer(P, B + "BotHeight", 0);
        // Side borders run top to bottom; the top and bottom borders' caps are their ends.
        if (B == "Left" || B == "Right") {
            b->TopHeight = capA;
            b->BottomHeight = capB;
            b->LeftWidth = b->RightWidth = 0;
        } else {
            b->LeftWidth = capA;
            b->RightWidth = capB;
            b->TopHeight = b->BottomHeight = 0;
        }
    }
}

void TSkinLoader::colours() {
    struct Entry {
        int index;
        const char* key;
        int sys; // system colour of the default, kept as a reference; -1: entry 3 as just read
    };
    static const Entry order[] = {
        {0, "WindowText", COLOR_WINDOWTEXT},
        {3, "ButtonFace", COLOR_BTNFACE},
        {18, "Scrollbar", COLOR_SCROLLBAR},
        {11, "HilightText", COLOR_HIGHLIGHTTEXT},
        {12, "Hilight", COLOR_HIGHLIGHT},
        {13, "Menubar", -1},
        {16, "Menu", COLOR_MENU},
        {15, "MenuText", COLOR_MENUTEXT},
        {4, "ButtonText", COLOR_BTNTEXT},
        {5, "ButtonHilight", COLOR_BTNHIGHLIGHT},
        {6, "Buttonlight", COLOR_BTNHIGHLIGHT},
        {7, "ButtonShadow", COLOR_BTNSHADOW},
        {8, "ButtonDkShadow", COLOR_3DDKSHADOW},
        {14, "MenuBarText", COLOR_MENUTEXT},
        {1, "TitleTextActive", COLOR_CAPTIONTEXT},
        {2, "TitleTextNoActive", COLOR_INACTIVECAPTIONTEXT},
    };
    for (const Entry& e : order) {
        TSkinColour& c = skin_.Colours[size_t(e.index)];
        const std::string s = str("Colours", e.key);
        c.Given = !s.empty();
        c.Value = c.Given ? ParseColour(s) : e.sys < 0 ? skin_.Colour(scButtonFace) : SystemColor(e.sys);
    }

    skin_.SectionColours.clear();
    std::vector<std::string> sections;
    ini_.ReadSections(&sections);
    for (const std::string& name : sections) {
        const std::string upper = UpperCase(name);
        if (!startsWith(upper, "COLOUR") || upper == "COLOURS") continue;
        const std::string s = str(name, "color");
        skin_.SectionColours.push_back(s.empty() ? SystemColor(COLOR_WINDOWTEXT) : ParseColour(s));
    }
    for (int i = 0; i < 10; ++i) {
        const std::string s = str("Customcolors", "Color" + std::to_string(i));
        skin_.CustomColors[size_t(i)] = s.empty() ? clWhite : ParseColour(s);
    }
}

void TSkinLoader::captionButtons() {
    std::vector<std::string> sections;
    ini_.ReadSections(&sections);
    std::vector<std::string> kept;
    for (const std::string& name : sections) {
        const std::string upper = UpperCase(name);
        if (!startsWith(upper, "BUTTON") || upper == "BUTTONS" || upper == "BUTTON.RADIO" ||
            upper == "BUTTON.CHECKBOX" || upper == "BUTTON")
            continue;
        if (integer(name, "Action", 0) == -1 && integer(name, "Visibility", -1) != 0) continue;
        kept.push_back(name);
    }

    auto& buttons = skin_.SysButtons;
    buttons.clear();
    int memoX = 0, memoY = 0;
    for (const std::string& name : kept) {
        auto b = std::make_unique<TDataSkinSysButton>(UpperCase(name));
        b->Action = integer(name, "Action", 0);
        b->Align = integer(name, "Align", 0);
        b->Xcoord = integer(name, "Xcoord", 0);
        b->Ycoord = integer(name, "Ycoord", 0);
        b->Visibility = integer(name, "Visibility", 0);
        b->Visibility1 = integer(name, "Visibility1", b->Action == -1 ? -1 : 0);
        b->CombineOp = integer(name, "CombineOp", -1);
        b->Frame = integer(name, "frame", 0);
        loadBitmap(b->Bitmap, str(name, "ButtonImage"));
        // A help button takes the place a maximise button that only shows when normal left.
        if (b->Action == 1 && b->Visibility == 2) {
            memoX = b->Xcoord;
            memoY = b->Ycoord;
        } else if (b->Action == 4) {
            b->Xcoord = memoX;
            b->Ycoord = memoY;
        }
        if (b->Frame == 0) {
            b->Frame = 6;
            if (!b->Bitmap.Empty() && b->Bitmap.Height() > 0)
                b->Frame = double(b->Bitmap.Width()) / double(b->Bitmap.Height()) <= 3.8 ? 3 : 6;
            if (b->Action < 0) b->Frame = 6;
            if (b->Action == 3 || b->Action == 11) b->Bitmap.Clear();
        }
        buttons.push_back(std::move(b));
    }

    // Three buttons for a maximised MDI child, on the menu band: minimise, restore, close.
    TBitmap mdi;
    loadBitmap(mdi, str("MDICONTROLS", "Image"));
    mdi.SetPixelFormat(pf24bit);
    const int cell = mdi.Empty() ? 0 : mdi.Width() / 12;
    for (int i = 0; i < 3; ++i) {
        auto b = std::make_unique<TDataSkinSysButton>("MDICONTROLS");
        b->Action = 7 + i;
        b->Align = b->Visibility = b->Visibility1 = 100;
        b->Frame = 4;
        if (cell > 0) {
            b->Bitmap.SetSize(4 * cell, mdi.Height());
            copyBlock(b->Bitmap, 0, 0, mdi, 4 * cell * i, 0, 4 * cell, mdi.Height());
            b->Xcoord = (cell + 4) * (3 - i);
        }
        buttons.push_back(std::move(b));
    }
}

void TSkinLoader::pushButtons() {
    const char* S = "Buttons";
    TDataSkinButton& b = *skin_.Buttons;
    // The record is always there, image or not; Style and Frame are not the section's to say.
    TRecordKeys keys;
    keys.image = "Bitmap";
    keys.style = keys.frame = false;
    readRecord(b, S, keys);
    b.RadioButtonFrame = integer(S, "RadioButtonFrame", 0);
    b.CheckButtonFrame = integer(S, "CheckButtonFrame", 0);
    loadBitmap(b.CheckButton, str(S, "CheckButton"));
    loadBitmap(b.RadioButton, str(S, "RadioButton"));
    b.HasNormalColour2 = !str(S, "NormalColour2").empty();
    b.HasMouseOverColour2 = !str(S, "MouseOverColour2").empty();
    b.HasPressedColour2 = !str(S, "PressedColour2").empty();
}

void TSkinLoader::captionText() {
    const char* P = "Personality";
    TDataSkinTitle& t = *skin_.Title;
    loadBitmap(t.Bitmap, str(P, "TextBack"));
    t.LeftWidth = integer(P, "TextShift", 0);
    t.TopHeight = integer(P, "TextShiftVert", 0);
    t.RightWidth = integer(P, "TextRightClip", 0);
    t.BottomHeight = 0;
    t.TextAlignment = integer(P, "TextAlignment", 0);
    t.Textbackground = integer(P, "Textbackground", 0);
    t.TXTBackleft = integer(P, "TXTBackleft", 0);
    t.TXTBackRight = integer(P, "TXTBackRight", 0);
    t.FontHeight = integer("Fonts", "FontHeight", 14);
    auto readRGB = [&](const std::string& prefix) -> TColor {
        const int r = integer(P, prefix + "R", -1), g = integer(P, prefix + "G", -1),
                  b = integer(P, prefix + "B", -1);
        if (r < 0 || g < 0 || b < 0) return clNone;
        return TColor((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
    };
    t.ActiveText = readRGB("ActiveText");
    t.InActiveText = readRGB("InActiveText");
}

void TSkinLoader::menuBar() {
    const char* P = "Personality";
    skin_.MenuBar.reset();
    const std::string image = str(P, "menuBar");
    if (image.empty()) return;
    auto m = std::make_unique<TDataSkinObject>("Personality");
    loadBitmap(m->Bitmap, image);
    m->Tile = std::min(integer(P, "TileMenu", 1), 1);
    m->LeftWidth = integer(P, "TileLeftMenu", 1);
    m->RightWidth = integer(P, "TileRightMenu", 1);
    m->TopHeight = m->BottomHeight = 0;
    skin_.MenuBar = std::move(m);
}

void TSkinLoader::slots() {
    TSkinData& s = skin_;
    TRecordKeys progress;
    progress.image = "Bitmap";
    progress.frame = progress.colours = false;
    progress.tileAbove1 = 1;
    generic(s.Progress, "Progress", progress);
    generic(s.ProgressChunk, "Progress.Chunk");
    menuBar();
    generic(s.GroupBoxEdge, "GroupBoxEdge");
    TRecordKeys noFrame;
    noFrame.frame = false;
    generic(s.GroupBox, "GroupBox", noFrame);
    if (s.GroupBox) {
        s.GroupBox->BackgroundAlignment = integer("GroupBox", "BackgroundAlignment", 0);
        s.GroupBox->BackgroundLeftShift = integer("GroupBox", "BackgroundLeftShift", 0);
        s.GroupBox->BackgroundRightShift = integer("GroupBox", "BackgroundRightShift", 0);
    }
    auto withSecond = [&](const char* key) {
        TRecordKeys keys = noFrame;
        keys.secondImage = key;
        return keys;
    };
    generic(s.Tabs, "Tabs", withSecond("Border"));
    generic(s.StatusBarEdges, "StatusBarEdges");
    generic(s.TabPane, "Tab.Pane");
    if (s.TabPane) {
        auto clamp4 = [](int32_t& v) { v = std::min(v, 4); };
        clamp4(s.TabPane->LeftWidth);
        clamp4(s.TabPane->TopHeight);
        clamp4(s.TabPane->RightWidth);
        clamp4(s.TabPane->BottomHeight);
    }
    generic(s.ToolBars, "ToolBars");
    // No skin has a "****" key: the second image is the mirrored copy made here.
    generic(s.ComboButton, "ComboButton", withSecond("****"));
    if (s.ComboButton && !s.ComboButton->Bitmap.Empty()) {
        s.ComboButton->Bitmap2.Assign(&s.ComboButton->Bitmap);
        s.ComboButton->Bitmap2.SetPixelFormat(pf24bit);
        qs::MirrorHorizontal(s.ComboButton->Bitmap2);
    }
    generic(s.SunkEdge, "SunkEdge");
    generic(s.ExtraImages, "ExtraImages");
    generic(s.Headerbar, "Headerbar");
    generic(s.MenuItem, "MenuItem");
    generic(s.MenuBackground, "MenuBackground");
    generic(s.Scrollbar, "Scrollbar");
    generic(s.HorzScroll, "HorzScroll");
    generic(s.VertScroll, "VertScroll");
    generic(s.HorzScrollThumb, "HorzScrollThumb");
    generic(s.VertScrollThumb, "VertScrollThumb");
    generic(s.TrackbarThumbHorz, "Trackbar.ThumbHorz");
    generic(s.TrackbarThumbVert, "Trackbar.ThumbVert");
    generic(s.TrackbarThumbLeft, "Trackbar.ThumbLeft");
    generic(s.TrackbarThumbRight, "Trackbar.ThumbRight");
    generic(s.TrackbarThumbUp, "Trackbar.ThumbUp");
    generic(s.TrackbarThumbDown, "Trackbar.ThumbDown");
    generic(s.UpDownHorz, "UpDown.Horz", withSecond("GlyphImage"));
    generic(s.UpDownVert, "UpDown.Vert", withSecond("GlyphImage"));
    generic(s.Track, "Track");
    generic(s.TrackVert, "TRACKVERT");
}

void TSkinLoader::builtInTracks() {
    auto fallback = [](std::unique_ptr<TDataSkinObject>& slot, const char* name, const char* resource) {
        if (slot) return;
        slot = std::make_unique<TDataSkinObject>(name);
        try {
            slot->Bitmap.LoadFromResourceName(GetModuleHandleA(nullptr), resource);
        } catch (const Exception&) {
            slot->Bitmap.Clear();
        }
        slot->LeftWidth = slot->TopHeight = slot->RightWidth = slot->BottomHeight = 3;
        slot->Tile = 0;
        slot->Frame = 1;
    };
    fallback(skin_.Track, "Track", "TRACK");
    fallback(skin_.TrackVert, "TRACKVERT", "TRACKVERT");
}

void TSkinLoader::frameCounts() {
    TSkinData& s = skin_;
    auto impose = [](auto& slot, int frames) {
        if (slot) slot->Frame = frames;
    };
    s.Title->Frame = 2;
    impose(s.MenuBar, 2);
    s.Buttons->Frame = 5;
    // Check and radio glyphs are 13 pixels wide in small strips and 16 in large ones.
    auto glyphFrames = [](int32_t& frames, const TBitmap& glyph) {
        if (frames != 0) return;
        const int g = glyph.Height() < 16 ? 13 : 16;
        frames = std::max(glyph.Width() / g, 4);
    };
    glyphFrames(s.Buttons->RadioButtonFrame, s.Buttons->RadioButton);
    glyphFrames(s.Buttons->CheckButtonFrame, s.Buttons->CheckButton);
    if (s.Progress) s.Progress->Frame = s.Progress->Style != 0 ? 1 : 2;
    impose(s.GroupBoxEdge, 2);
    impose(s.GroupBox, 1);
    impose(s.Tabs, 5);
    impose(s.StatusBarEdges, 3);
    impose(s.TabPane, 1);
    impose(s.ToolBars, 5);
    impose(s.ComboButton, 4);
    impose(s.SunkEdge, 4);
    impose(s.ExtraImages, 5);
    if (s.Headerbar && s.Headerbar->Frame == 0) s.Headerbar->Frame = 5;
    impose(s.MenuItem, 5);
    impose(s.MenuBackground, 1);
    impose(s.Scrollbar, 23);
    impose(s.HorzScroll, 4);
    impose(s.VertScroll, 4);
    if (s.HorzScrollThumb) s.HorzScrollThumb->Frame = integer("HorzScrollThumb", "FrameCount", 3);
    if (s.VertScrollThumb) s.VertScrollThumb->Frame = integer("VertScrollThumb", "FrameCount", 3);
    for (auto* thumb : {&s.TrackbarThumbHorz, &s.TrackbarThumbVert, &s.TrackbarThumbLeft,
                        &s.TrackbarThumbRight, &s.TrackbarThumbUp, &s.TrackbarThumbDown})
        impose(*thumb, 5);
    impose(s.UpDownHorz, 8);
    impose(s.UpDownVert, 8);
}

void TSkinLoader::composeCombo() {
    TSkinData& s = skin_;
    if (!s.SunkEdge || !s.ComboButton) return;
    const int n = std::max(s.SunkEdge->Frame, 1);
    const int b = GetSystemMetrics(SM_CXHSCROLL) + 2;
    constexpr int W = 50, H = 21;
    TBitmap strip(W * n, H, pf24bit);
    win::BrushHandle magenta(CreateSolidBrush(SKIN_KEY_COLOUR));
    HDC dc = strip.Canvas().Handle();
    RECT all{0, 0, W * n, H};
    FillRect(dc, &all, magenta.Get());
    // Each cell is drawn in place, clipped to itself as a cell bitmap of its own would be.
    for (int k = 1; k <= n; ++k) {
        const int x = W * (k - 1);
        win::SaveDCGuard keep(dc);
        IntersectClipRect(dc, x, 0, x + W, H);
        DrawSkinObject(dc, RECT{x, 0, x + W, H}, s.SunkEdge->Bitmap, false, false, s.SunkEdge->Trans != 0, n,
                       k, s.SunkEdge->Margins());
        const RECT right{x + W - b, 0, x + W, H};
        DrawSkinObject(dc, right, s.ComboButton->Bitmap, false, false, true, s.ComboButton->Frame, k,
                       s.ComboButton->Margins());
        if (s.ExtraImages)
            DrawSkinFrameCentered(dc, right, s.ExtraImages->Bitmap, true, s.ExtraImages->Frame, k);
        RECT field{x + 2, 2, x + 49 - b, 18};
        FillRect(dc, &field, magenta.Get());
    }
    TDataSkinBorder& combo = *s.ComboButton;
    combo.Style = 2;
    combo.LeftWidth = 2;
    combo.TopHeight = s.SunkEdge->TopHeight;
    combo.RightWidth = b + 2;
    combo.BottomHeight = s.SunkEdge->BottomHeight;
    combo.Bitmap.Assign(&strip);
    qs::MirrorHorizontal(strip);
    s.SunkEdge->Bitmap.Assign(&strip);
    s.SunkEdge->LeftWidth = b + 2;
    s.SunkEdge->RightWidth = 2;
}

void TSkinLoader::comboArrow() {
    TSkinData& s = skin_;
    if (!s.ComboxArrow) s.ComboxArrow = std::make_unique<TDataSkinObject>("ComboxArrow");
    TDataSkinObject& arrow = *s.ComboxArrow;
    arrow.Bitmap.Clear();
    if (!s.SunkEdge && s.ComboButton) {
        arrow.Bitmap.Assign(&s.ComboButton->Bitmap);
        if (!arrow.Bitmap.Empty()) qs::ReplaceMagenta(arrow.Bitmap, ColorToRGB(s.Colour(scButtonFace)));
        arrow.Frame = s.ComboButton->Frame;
    } else if (s.SunkEdge && s.ComboButton && s.ComboButton->Style == 2) {
        const int n = std::max(s.SunkEdge->Frame, 1);
        const TBitmap& src = s.ComboButton->Bitmap;
        const int c = src.Width() / n;
        arrow.Bitmap.SetPixelFormat(pf24bit);
        arrow.Bitmap.SetSize(17 * n, 17);
        for (int i = 0; i < n; ++i)
            copyBlock(arrow.Bitmap, 17 * i, 0, s.ComboButton->Bitmap, c * (i + 1) - 19, 2, 17, 17);
        arrow.Frame = n;
    }
}

void TSkinLoader::toolbar() {
    TSkinData& s = skin_;
    // Defaulted colours name system colours: the image takes their values of now.
    const TColor frame = ColorToRGB(s.Colour(scFrameColour));
    const TColor top = qs::Blend(ColorToRGB(s.Colour(scButtonFace)), clWhite, 150);
    TColor bottom = qs::Blend(0x808080, frame, 150);
    const int L = qs::ColorSaturation(frame);
    if (L > 110) bottom = qs::Blend(frame, clWhite, (5625 - 25 * L) / 140 + 50);
    TBitmap& img = s.Toolbar->Bitmap;
    img.SetPixelFormat(pf24bit);
    img.SetSize(10, 40);
    qs::GradientFill(img.Canvas().Handle(), RECT{0, 0, 10, 40}, top, true, bottom);
    s.Toolbar->Frame = 1;
}

void TSkinLoader::frameColour() {
    TSkinData& s = skin_;
    TBitmap& top = s.Borders.Top->Bitmap;
    TSkinColour& c = s.Colours[scFrameColour];
    c.Given = false;
    if (top.Empty()) {
        c.Value = s.Colour(scButtonFace);
        return;
    }
    // A frame count of 0 samples as one frame.
    const int frames = std::max(s.Borders.Top->Frame, 1);
    c.Value = top.Canvas().Pixel(top.Width() / 3, (top.Height() / frames) / 3);
}

void TSkinLoader::Run() {
    borders();
    colours();
    captionButtons();
    pushButtons();
    captionText();
    slots();
    builtInTracks();
    frameCounts();
    composeCombo();
    comboArrow();
    frameColour();
    toolbar();
}

bool TSkinData::LoadSkin() {
    if (IsDesigning()) return false;
    skinPending_ = true;
    qs::TSkinReader reader;
    if (!reader.ReadArchive(skinStream_.Bytes())) return false;
    std::vector<uint8_t> description;
    reader.FindMember(".ini", description);
    qs::TQuickIni ini;
    ini.LoadFromMemory(description.data(), description.size());
    TSkinLoader(*this, reader, ini).Run();
    faceBrush_.Reset(CreateSolidBrush(ColorToRGB(Colour(scButtonFace))));
    skinPending_ = false;
    return true;
}
