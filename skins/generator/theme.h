// The theme description: a small text of ours, one file per skin, from which the generator draws every image
// and writes the skin's ini. Lines are "key = value"; "#" starts a comment; "[button NAME]" starts the keys
// of one caption button (written as the ini section "Button" + NAME, in file order). docs/theme-format.md
// describes every key.
#pragma once

#include "skins/generator/image.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

namespace qs::skingen {

struct CaptionButton {
    std::string name;
    int action = 0;
    int align = 1;
    int x = 0, y = 0;
    bool coords = true; // false: no Xcoord/Ycoord keys (a help button taking the maximise button's place)
    std::optional<int> visibility;
    std::optional<int> visibility1;
    std::optional<int> combineOp;
    std::string glyph; // close, max, restore, min, help, menu, pin, shade, dot; "none" writes no image
    int line = 0;      // of its [button NAME] header
    int width = 0, height = 0; // 0: a square as high as the caption allows
    int frames = 3;            // frames drawn: 1, 3, 4 or 6
    bool frameKey = false; // write "frame"; without it the loader derives the count from the image's ratio
};

struct Theme {
    std::string id, name;
    bool dark = false;

    // Palette. Everything not given is derived from face, text and accent.
    Colour face = 0, text = 0, accent = 0, window = 0, windowText = 0;
    Colour light = 0, hilight = 0, shadow = 0, dkShadow = 0, outline = 0;
    Colour captionTop = 0, captionBottom = 0, captionTopInactive = 0, captionBottomInactive = 0;
    Colour titleText = 0, titleTextInactive = 0, captionLine = 0;
    Colour menuBar = 0, menuBarText = 0, menu = 0, menuText = 0, selection = 0, selectionText = 0;
    Colour scrollTrack = 0, closeHot = 0;

    // Window frame.
    bool rounded = false;
    int radius = 0, bottomRadius = 0;
    bool bevel = false;
    int border = 4, borderBottom = 4, captionHeight = 24;
    bool tileBorders = false; // <side>Stretch = 0
    std::string texture;      // "", "stripes", "dots", "brushed"
    std::optional<int> trans; // written as <side>Trans when given
    bool accentLine = false;  // accent rule under the active caption
    int borderFrames = 2;     // 2: active and inactive frames; 1: one look for both

    // Caption text.
    int textAlign = 0, textShift = 8, textShiftVert = 0, textRightClip = 8;
    bool textBack = false;
    int txtBackLeft = 0, txtBackRight = 0;
    bool titleRgb = false; // ActiveTextR/G/B and InActiveTextR/G/B
    int fontHeight = 0;    // 0: no "Fonts" section

    // Menu bar band.
    bool menuBarImage = true;
    bool menuBarTile = true; // TileMenu = 1 (one stretched piece) or 0 (repeated middle)

    // Caption buttons.
    std::string buttonStyle = "flat"; // flat, square, round, pill
    std::vector<CaptionButton> buttons;
    bool mdiControls = false;

    // Controls.
    int controlRadius = 0;
    int checkSize = 13, checkFrames = 4, radioFrames = 4;
    bool glyphFrameKeys = false;
    int progressStyle = 0;
    int tabsStyle = 0;
    int comboStyle = 0;   // 1: simple combo button, no SunkEdge to compose with
    int headerFrames = 0; // 0: no Frame key (the loader makes it 5)
    int thumbFrames = 3;
    bool thumbFrameKey = false;
    int scrollSize = 17;
    bool buttonColours = true;    // NormalColour2 and friends in [Buttons]
    bool plainColourKeys = false; // NormalColour / MouseOverColour / PressedColour integers

    // Colour sections.
    std::vector<std::string> omitColours;                       // keys of [Colours] left out
    std::vector<std::pair<std::string, Colour>> sectionColours; // [COLOUR<name>] color = ...
    std::vector<Colour> customColours;                          // [Customcolors] Color0..; none: no section

    bool palette8 = false; // write images of at most 256 colours as 8-bit palette BMPs
    std::string folder;    // folder part written before every image name in the ini
};

// Why a theme was refused: the first offending line (counted from 1) and what is wrong there.
struct ThemeError {
    int line = 0;
    std::string message;
    // "FILE:LINE: message", the form compilers use, so editors can jump to the line.
    std::string Format(const std::string& file) const;
};

// Parses a theme text, checking every key, value and range before anything is drawn; on failure returns
// nothing and describes the offending line in error. What the theme leaves out is derived from the rest,
// so five lines (name, face, text, accent, dark) make a complete skin.
std::optional<Theme> ParseTheme(const std::string& text, const std::string& id, ThemeError* error);

} // namespace qs::skingen
