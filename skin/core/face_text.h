// The colour of text drawn on a face the skin filled: check box and radio captions, labels, group
// box, radio group and panel captions, status text. Painters of such faces ask here, and nowhere
// else, so that they all agree.
#pragma once

#include "toolkit/graphics/colors.h"

class TSkinData;

// What the face under the text is filled with.
enum class TFaceBackground { Button, Window };

// A font left at the system's text colour (clWindowText or clBtnText) gets the skin's ButtonText,
// or its WindowText on a window-coloured background: the system's colour suits the system's face,
// not a skin's (black on a dark face cannot be read). A colour the program chose itself is kept.
// Without a skin the font's colour stands.
TColor TextColourOnFace(TColor fontColour, const TSkinData* skin,
                        TFaceBackground background = TFaceBackground::Button);
