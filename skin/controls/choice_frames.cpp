// Frame choices of check boxes and radio buttons.
#include "skin/controls/choice_frames.h"

#include <algorithm>
#include <cctype>

namespace {

bool contains(const std::string& text, const char* part) {
    return text.find(part) != std::string::npos;
}

// Strips with separate enabled and disabled rows of states.
int wideStripFrame(int frame) {
    switch (frame) {
    case 2: return 5;
    case 3: return 4;
    case 4: return 8;
    default: return frame;
    }
}

} // namespace

int CheckBoxFrame(const TCheckFacts& f) {
    int frame = f.Checked ? 2 : 1;
    if (f.HasState) {
        std::string state = f.State;
        std::transform(state.begin(), state.end(), state.begin(),
                       [](unsigned char c) { return char(std::tolower(c)); });
        if (contains(state, "uncheck"))
            frame = 1;
        else if (contains(state, "check"))
            frame = 2;
        else if (contains(state, "gray"))
            frame = 4;
    } else if (f.HasChecked) {
        frame = f.CheckedProperty ? 2 : 1;
    }
    if (f.HasDataField && f.LastCheck != 0) frame = f.LastCheck == 3 ? 4 : f.LastCheck;
    if (f.HasDataBinding) frame = 1;
    if (f.Disabled) frame += 2;
    if (f.Indeterminate) frame = 4;
    if (f.Frames == 12) frame = f.Indeterminate ? (f.Disabled ? 12 : 9) : wideStripFrame(frame);
    return frame;
}

int RadioButtonFrame(const TRadioFacts& f) {
    int frame = f.Checked ? 2 : 1;
    if (f.HasChecked) frame = f.CheckedProperty ? 2 : 1;
    if (f.Disabled) frame += 2;
    if (f.Frames == 8) frame = wideStripFrame(frame);
    return frame;
}

int FitChoiceFrame(int frame, int frames) {
    while (frame > frames && frame > 2)
        frame -= 2;
    return frame >= 1 && frame <= frames ? frame : 1;
}

std::vector<int> GlyphStripCells(TGlyphStripKind kind, int sourceFrames) {
    const int mixed = sourceFrames == 5 ? 4 : -1;
    std::vector<int> cells;
    switch (kind) {
    case gsCheckNine: cells = {0, 1, mixed, 0, 1, mixed, 2, 3, mixed}; break;
    case gsRadioSix: cells = {0, 1, 0, 1, 2, 3}; break;
    case gsCheckSix: cells = {0, 1, mixed, 0, 1, mixed}; break;
    }
    for (int& cell : cells)
        if (cell >= 0) cell = FitChoiceFrame(cell + 1, sourceFrames) - 1;
    return cells;
}
