// A skin as the engine reads it, without Windows: which sections and keys are read, their defaults
// and clamps, the frame counts the engine imposes or derives from image sizes, and every image a
// record names, decoded. TSkinLoader makes TSkinData's records and bitmaps from it; the skin
// checker reports on it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "skin/core/caption_codes.h"
#include "toolkit/graphics/bmp_image.h"
#include "toolkit/graphics/colors.h"

namespace qs {

class TSkinReader;

// One archive member: its lower-cased name and bytes (owned elsewhere).
struct TSkinMemberView {
    std::string name;
    const uint8_t* data = nullptr;
    size_t size = 0;
};
// The members of an archive the reader has read, in directory order.
std::vector<TSkinMemberView> SkinMembers(const TSkinReader& reader);

enum class TImageState {
    None,        // no value: the record has no image
    NotBmp,      // the value names no .bmp file
    Missing,     // no member of that name, or an empty one
    Undecodable, // the member is not a BMP the decoder accepts
    Decoded,
};

// An image a record names. Only a decoded one counts: any other state leaves the record's image
// empty, as a missing one does.
struct TSkinImage {
    std::string key;    // the key naming it
    std::string value;  // as written
    std::string member; // lower-cased member name; empty when the value names none
    TImageState state = TImageState::None;
    std::string problem; // why a member did not decode
    int width = 0, height = 0;
    std::shared_ptr<const BmpImage> pixels; // kept when asked for
    bool Decoded() const { return state == TImageState::Decoded; }
};

// The model's record of one object kind, as TDataSkinObject holds it.
struct TSkinRecord {
    std::string section; // where its keys are
    std::string name;    // the model's record name
    TSkinImage image;
    TSkinImage image2; // a border record's second image
    int32_t left = 0, top = 0, right = 0, bottom = 0;
    int32_t frame = 0, trans = 0, tile = 0, style = 0;
    TColor normalColour = -1, mouseOverColour = -1, pressedColour = -1;
    TColor normalColour2 = clBlack, mouseOverColour2 = clBlack, pressedColour2 = clBlack;

    // For reports: how the painters use the values.
    bool vertical = false; // frames stacked top to bottom (the caption, bottom border, menu bar)
    bool slices = true;    // the margins cut the image (the caption text's are text shifts)
    bool tiled = false;    // the centre is tiled rather than stretched
    std::string frameKey;  // the key the frame count comes from; empty when the engine decides it
    std::string tileKey;   // the key tiled comes from
    std::array<std::string, 4> marginKeys; // left, top, right, bottom; empty: not the skin's to say
};

struct TSkinPushButtons : TSkinRecord {
    TSkinImage checkButton, radioButton;
    int32_t radioButtonFrame = 0, checkButtonFrame = 0;
    bool hasNormalColour2 = false, hasMouseOverColour2 = false, hasPressedColour2 = false;
};

struct TSkinTitleText : TSkinRecord {
    int32_t textAlignment = 0, textbackground = 0, fontHeight = 14, txtBackLeft = 0, txtBackRight = 0;
    TColor activeText = clNone, inActiveText = clNone;
};

struct TSkinBoxLabel : TSkinRecord {
    int32_t backgroundLeftShift = 0, backgroundRightShift = 0, backgroundAlignment = 0;
};

struct TSkinCaptionButton : TSkinRecord {
    int32_t action = 0, align = 0, xcoord = 0, ycoord = 0, combineOp = -1, visibility = 0, visibility1 = 0;
    // A maximised MDI child's button: its image is the cell of the MDICONTROLS strip at mdiSource.
    bool mdi = false;
    int mdiSource = 0, mdiWidth = 0;
};

// A colour-table entry: read from the skin, or a default (a negative TColor names a system colour
// for the drawing side to resolve).
struct TSkinColourEntry {
    TColor value = clBlack;
    bool given = false;
    bool fromSkin = false; // an entry the description decides (the others are not read from skins)
};

// A value the engine does not take as written.
struct TSkinAdjustment {
    std::string section, key;
    int32_t written = 0, used = 0;
    std::string why;
};

struct TSkinDescription {
    std::string iniMember; // the description's member name; empty when the archive has none
    std::string iniText;

    // Left, Right, Top, Bottom, in the model's order.
    std::array<TSkinRecord, 4> borders;
    TSkinTitleText title;
    std::optional<TSkinRecord> menuBar;
    std::vector<TSkinCaptionButton> captionButtons; // the skin's, then the three MDI ones
    TSkinImage mdiControls;
    TSkinPushButtons buttons;
    std::optional<TSkinRecord> progress, progressChunk, groupBoxEdge;
    std::optional<TSkinBoxLabel> groupBox;
    std::optional<TSkinRecord> tabs, statusBarEdges, tabPane, toolBars, comboButton, sunkEdge, extraImages,
        headerbar, menuItem, menuBackground, scrollbar, horzScroll, vertScroll, horzScrollThumb,
        vertScrollThumb, trackbarThumbHorz, trackbarThumbVert, trackbarThumbLeft, trackbarThumbRight,
        trackbarThumbUp, trackbarThumbDown, upDownHorz, upDownVert, track, trackVert;

    // Indexed as TSkinData::Colours; entry 17 (the frame colour) is the drawing side's.
    std::array<TSkinColourEntry, 19> colours;
    std::vector<TColor> sectionColours;
    std::array<TColor, 10> customColors{};

    std::vector<TSkinAdjustment> adjustments;
    // Every "r g b" text the skin gives, where it is.
    struct TColourText {
        std::string section, key, text;
    };
    std::vector<TColourText> colourTexts;
    // Every (section, key) the engine asks for, lower-cased, to the key as the engine spells it; a
    // section it asks nothing of is one it does not know.
    std::map<std::pair<std::string, std::string>, std::string> keysRead;
    // The sections asked for, lower-cased, to their spelling.
    std::map<std::string, std::string> sectionsRead;

    // Every record with the skin's keys behind it, caption buttons included.
    std::vector<const TSkinRecord*> Records() const;
};

// Reads the description member (the first whose name contains ".ini") and the images it names.
// keepPixels keeps the decoded images for the drawing side; without it only their sizes stay.
TSkinDescription DescribeSkin(const std::vector<TSkinMemberView>& members, bool keepPixels);

// The ini line (1-based, as an editor counts) of every line TQuickIni keeps from text, in order.
std::vector<int> IniLineNumbers(const std::string& text);

} // namespace qs
