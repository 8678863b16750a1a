// The drawable pieces of a loaded skin by name: one per record slot of TSkinData, the caption
// buttons as SysButton1.., the check and radio glyphs of Buttons, and a border record's second
// image as SLOT.Bitmap2. Names are matched without regard to case.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class TBitmap;
class TDataSkinObject;
class TSkinData;

namespace qs::tools {

struct TSkinPiece {
    std::string name;
    TBitmap* image = nullptr;
    int frames = 1; // at least 1
    RECT margins{};
    bool trans = false;
    // The engine stacks this image's frames top to bottom (the caption, bottom border, menu bar).
    bool vertical = false;
    const TDataSkinObject* record = nullptr;
};

enum class TSlotLookup { Found, Unknown, Absent };

// Found: piece filled. Absent: a name this model has, but this skin has no image for it.
TSlotLookup FindSkinPiece(TSkinData& skin, const std::string& name, TSkinPiece& piece);

// Every piece with an image, in the order of the slot list.
std::vector<TSkinPiece> SkinPieces(TSkinData& skin);

// The slot names for a usage text, wrapped at about width characters with the given indent.
std::string SkinSlotList(size_t width, const std::string& indent);

} // namespace qs::tools
