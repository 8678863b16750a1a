// The slot list of skinrender and skinpreview: each TSkinData record under its member's name.
#include "tools/skin_slots.h"

#include "skin/core/skin_data.h"

#include <algorithm>
#include <cctype>

namespace qs::tools {

namespace {

struct TSlot {
    const char* name;
    TDataSkinObject* (*get)(TSkinData&);
    bool vertical;
};

#define QS_SLOT(member, vertical)                                                                            \
    {                                                                                                        \
#member, [](TSkinData & s) -> TDataSkinObject* { return s.member.get(); }, vertical                  \
    }
const TSlot kSlots[] = {
    {"Top", [](TSkinData& s) -> TDataSkinObject* { return s.Borders.Top.get(); }, true},
    {"Left", [](TSkinData& s) -> TDataSkinObject* { return s.Borders.Left.get(); }, false},
    {"Right", [](TSkinData& s) -> TDataSkinObject* { return s.Borders.Right.get(); }, false},
    {"Bottom", [](TSkinData& s) -> TDataSkinObject* { return s.Borders.Bottom.get(); }, true},
    QS_SLOT(Title, true),
    QS_SLOT(MenuBar, true),
    QS_SLOT(Buttons, false),
    QS_SLOT(Progress, false),
    QS_SLOT(ProgressChunk, false),
    QS_SLOT(GroupBoxEdge, false),
    QS_SLOT(GroupBox, false),
    QS_SLOT(Tabs, false),
    QS_SLOT(StatusBarEdges, false),
    QS_SLOT(TabPane, false),
    QS_SLOT(ToolBars, false),
    QS_SLOT(ComboButton, false),
    QS_SLOT(SunkEdge, false),
    QS_SLOT(ExtraImages, false),
    QS_SLOT(Headerbar, false),
    QS_SLOT(MenuItem, false),
    QS_SLOT(MenuBackground, false),
    QS_SLOT(Scrollbar, false),
    QS_SLOT(HorzScroll, false),
    QS_SLOT(VertScroll, false),
    QS_SLOT(HorzScrollThumb, false),
    QS_SLOT(VertScrollThumb, false),
    QS_SLOT(TrackbarThumbHorz, false),
    QS_SLOT(TrackbarThumbVert, false),
    QS_SLOT(TrackbarThumbLeft, false),
    QS_SLOT(TrackbarThumbRight, false),
    QS_SLOT(TrackbarThumbUp, false),
    QS_SLOT(TrackbarThumbDown, false),
    QS_SLOT(UpDownHorz, false),
    QS_SLOT(UpDownVert, false),
    QS_SLOT(Track, false),
    QS_SLOT(TrackVert, false),
    QS_SLOT(ComboxArrow, false),
    QS_SLOT(Toolbar, false),
};
#undef QS_SLOT

constexpr const char* kSysButtonPrefix = "SysButton";
constexpr const char* kSecondImage = ".Bitmap2";

bool sameText(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) ==
                      std::tolower(static_cast<unsigned char>(y));
           });
}

TSkinPiece recordPiece(std::string name, TDataSkinObject& r, TBitmap& image, bool vertical) {
    TSkinPiece p;
    p.name = std::move(name);
    p.image = &image;
    p.frames = std::max(1, int(r.Frame));
    p.margins = r.Margins();
    p.trans = r.Trans != 0;
    p.vertical = vertical;
    p.record = &r;
    return p;
}

// Every name this skin's model has, with or without an image; empty images mark absent pieces.
std::vector<TSkinPiece> candidates(TSkinData& s) {
    std::vector<TSkinPiece> all;
    auto glyphs = [&](const char* name, TBitmap& image, int frames) {
        TSkinPiece p = recordPiece(name, *s.Buttons, image, false);
        p.frames = std::max(1, frames);
        p.margins = RECT{};
        p.trans = true; // glyph strips always key out magenta
        all.push_back(p);
    };
    for (const TSlot& slot : kSlots) {
        TDataSkinObject* r = slot.get(s);
        if (!r) {
            all.push_back(TSkinPiece{slot.name});
            continue;
        }
        all.push_back(recordPiece(slot.name, *r, r->Bitmap, slot.vertical));
        if (auto* border = dynamic_cast<TDataSkinBorder*>(r))
            all.push_back(
                recordPiece(slot.name + std::string(kSecondImage), *r, border->Bitmap2, slot.vertical));
        if (r == s.Buttons.get()) {
            glyphs("CheckButton", s.Buttons->CheckButton, s.Buttons->CheckButtonFrame);
            glyphs("RadioButton", s.Buttons->RadioButton, s.Buttons->RadioButtonFrame);
        }
    }
    for (size_t i = 0; i < s.SysButtons.size(); ++i)
        all.push_back(recordPiece(kSysButtonPrefix + std::to_string(i + 1), *s.SysButtons[i],
                                  s.SysButtons[i]->Bitmap, false));
    return all;
}

bool hasImage(const TSkinPiece& p) {
    return p.image && !p.image->Empty();
}

// A name of the model that a skin may lack altogether: any caption button number, and the second
// image of a slot that is absent.
bool knownName(const std::string& name) {
    const std::string prefix = kSysButtonPrefix;
    if (name.size() > prefix.size() && sameText(name.substr(0, prefix.size()), prefix))
        return name[prefix.size()] != '0' && std::all_of(name.begin() + long(prefix.size()), name.end(),
                                                         [](char c) { return c >= '0' && c <= '9'; });
    const std::string second = kSecondImage;
    if (name.size() > second.size() && sameText(name.substr(name.size() - second.size()), second)) {
        const std::string base = name.substr(0, name.size() - second.size());
        return std::any_of(std::begin(kSlots), std::end(kSlots),
                           [&](const TSlot& s) { return sameText(s.name, base); });
    }
    return false;
}

} // namespace

TSlotLookup FindSkinPiece(TSkinData& skin, const std::string& name, TSkinPiece& piece) {
    for (TSkinPiece& p : candidates(skin)) {
        if (!sameText(p.name, name)) continue;
        if (!hasImage(p)) return TSlotLookup::Absent;
        piece = p;
        return TSlotLookup::Found;
    }
    return knownName(name) ? TSlotLookup::Absent : TSlotLookup::Unknown;
}

std::vector<TSkinPiece> SkinPieces(TSkinData& skin) {
    std::vector<TSkinPiece> present;
    for (TSkinPiece& p : candidates(skin))
        if (hasImage(p)) present.push_back(p);
    return present;
}

std::string SkinSlotList(size_t width, const std::string& indent) {
    std::vector<std::string> names;
    for (const TSlot& slot : kSlots) {
        names.push_back(slot.name);
        if (std::string(slot.name) == "Buttons") {
            names.push_back("CheckButton");
            names.push_back("RadioButton");
        }
    }
    std::string text, line = indent;
    for (size_t i = 0; i < names.size(); ++i) {
        const std::string item = names[i] + (i + 1 < names.size() ? "," : "");
        if (line.size() > indent.size() && line.size() + 1 + item.size() > width) {
            text += line + '\n';
            line = indent;
        }
        line += (line.size() > indent.size() ? " " : "") + item;
    }
    return text + line + '\n' + indent + "SysButton1, SysButton2, ...  the caption buttons in skin order\n" +
           indent +
           "SLOT.Bitmap2  the second image of Top, Left, Right, Bottom, Progress, Tabs, ComboButton,\n" +
           indent + "              UpDownHorz, UpDownVert\n";
}

} // namespace qs::tools
