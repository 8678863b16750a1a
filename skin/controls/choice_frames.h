// Which frame of the skin's check and radio glyph strips shows a control's state, and which
// frames make up the glyph strips handed to controls that draw their own glyphs. Plain decisions
// over what the painter read from the control, so they are checked without a window.
#pragma once

#include <string>
#include <vector>

// The check box as the painter reads it.
struct TCheckFacts {
    bool Checked = false;       // BM_GETSTATE has BST_CHECKED
    bool Indeterminate = false; // BM_GETSTATE has BST_INDETERMINATE
    bool Disabled = false;      // WS_DISABLED
    bool HasState = false;      // the control has a "State" property ...
    std::string State;          // ... reading this
    bool HasChecked = false;    // a "Checked" property ...
    bool CheckedProperty = false;
    bool HasDataField = false; // data-aware: the last BM_SETCHECK decides
    int LastCheck = 0;         // that check plus one; 0 none
    bool HasDataBinding = false;
    int Frames = 4;
};

struct TRadioFacts {
    bool Checked = false; // BM_GETCHECK
    bool Disabled = false;
    bool HasChecked = false;
    bool CheckedProperty = false;
    int Frames = 4;
};

// 1-based frames: 1 unchecked, 2 checked, 3 unchecked disabled, 4 checked disabled or mixed;
// 12-frame check strips and 8-frame radio strips place them elsewhere.
int CheckBoxFrame(const TCheckFacts& facts);
int RadioButtonFrame(const TRadioFacts& facts);

// The frame a strip of `frames` shows for frame: one it lacks falls back to the frame of the same
// check state (the disabled pair follows the enabled pair), so a short strip never shows a checked
// box as unchecked.
int FitChoiceFrame(int frame, int frames);

// Self-drawing controls: a check box taking a nine-cell strip, a radio button taking six cells,
// a check box whose glyph takes six cells.
enum TGlyphStripKind : int { gsCheckNine = 1, gsRadioSix = 2, gsCheckSix = 3 };
// For each cell of the strip, the 0-based source frame it shows (fitted to the source as
// FitChoiceFrame does), or -1 for a blank cell.
std::vector<int> GlyphStripCells(TGlyphStripKind kind, int sourceFrames);
