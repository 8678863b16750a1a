// The contact sheet of a loaded skin: a mock window (frame, caption band, caption buttons, menu
// band) active and inactive, then every other piece frame by frame over the skin's face colour,
// and the colour table, each with a small label.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "skin/form/frame_layout.h"

class TBitmap;
class TSkinData;

namespace qs::tools {

// The mock window's caption text.
inline const wchar_t kMockCaption[] = L"Quillshot";

// The facts of the sheet's mock window: a sizeable window in its normal state with minimise and
// maximise boxes and a system menu, captioned kMockCaption, with the skin's menu band or none.
TFrameFacts MockWindowFacts(TSkinData& skin, int width, int height, bool active, bool menuBand);
// That window as the form skinner paints it (the same layout and painter) over the face colour;
// what its window region leaves out is filled with `shape`, unless that is kNoShape.
constexpr COLORREF kNoShape = CLR_INVALID;
std::unique_ptr<TBitmap> PaintMockWindow(TSkinData& skin, int width, int height, bool active, bool menuBand,
                                         COLORREF shape = kNoShape);

// A 24-bit bitmap as wide as the sheet and as tall as its contents; title heads it.
std::unique_ptr<TBitmap> ComposeSkinSheet(TSkinData& skin, const std::string& title);

} // namespace qs::tools
