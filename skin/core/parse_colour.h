// Colours written as "r g b" in skin descriptions.
#pragma once

#include <string>

#include "toolkit/graphics/colors.h"

// A colour from the skin's "r g b" text: digits make numbers, anything else separates them;
// at most three components, each taken modulo 256.
TColor ParseColour(const std::string& text);

// What ParseColour makes of a text, for telling its author: how many components it stored (a
// colour is meant to have three) and whether one of them wrapped past 255 or did not convert.
struct TColourReading {
    int components = 0;
    bool wrapped = false;
};
TColourReading ReadColourText(const std::string& text);
