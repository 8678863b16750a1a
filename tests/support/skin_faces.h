// Whether a window on screen shows the skin's button face: its outermost edge compared pixel by
// pixel with a frame of the face built at its size.
#pragma once

#include <windows.h>

class TSkinData;

namespace qs::test {

// How many pixels of the window's outermost edge differ from frame `frame` of the skin's button
// face (its see-through magenta not compared); -1 without a face. A focus rectangle around a tall
// caption comes within two pixels of the edge, so only the edge is compared.
int FaceEdgeMismatches(HWND button, TSkinData& skin, int frame);
// The window shows one of the face's frames.
bool DrawnFromSkin(HWND button, TSkinData& skin);

} // namespace qs::test
