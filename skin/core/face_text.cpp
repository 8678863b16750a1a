// Text colours on skinned faces.
#include "skin/core/face_text.h"

#include "skin/core/skin_data.h"

TColor TextColourOnFace(TColor fontColour, const TSkinData* skin, TFaceBackground background) {
    if (!skin || (fontColour != clWindowText && fontColour != clBtnText)) return fontColour;
    return skin->Colour(background == TFaceBackground::Window ? scWindowText : scButtonText);
}
