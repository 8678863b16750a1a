// The contact sheet of a loaded skin: a mock window (frame, caption band, caption buttons, menu
// band) active and inactive, then every other piece frame by frame over the skin's face colour,
// and the colour table, each with a small label.
#pragma once

#include <memory>
#include <string>

class TBitmap;
class TSkinData;

namespace qs::tools {

// A 24-bit bitmap as wide as the sheet and as tall as its contents; title heads it.
std::unique_ptr<TBitmap> ComposeSkinSheet(TSkinData& skin, const std::string& title);

} // namespace qs::tools
