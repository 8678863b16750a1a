// Painting one owner-drawn menu item from the skin: the item's piece of the menu window's
// background, the MenuItem face of its state, glyph (image, check mark or radio bullet), caption
// and shortcut; separators as the skin's separator frame or an etched line. Pure painters over
// values gathered from a toolkit item or a menu handle, so tests draw them on a memory DC.
#pragma once

#include <windows.h>

#include <string>

class TBitmap;
class TImageList;
class TSkinData;

// What an item shows.
struct TMenuItemFace {
    std::wstring Caption; // "-" for a separator
    std::wstring ShortCut;
    bool Enabled = true;
    bool Checked = false;
    bool Radio = false;
    bool Default = false;
    bool Selected = false;
    bool RightToLeft = false;
    TImageList* Images = nullptr; // the menu's image list, or none
    int ImageIndex = -1;

    bool IsSeparator() const { return Caption == L"-"; }
};

// Where the item's background comes from: the menu window's background image, with the item's
// rectangle (in the menu's client coordinates) moved by Offset (where the client area starts in
// the window). No image: the skin's Menu colour.
struct TMenuItemBackdrop {
    TBitmap* Image = nullptr;
    POINT Offset{};
};

// The extra width the skin gives an item over the system's measurement: the MenuItem left margin
// plus room for the glyph column (a popup with an image list needs less; main-menu submenus have
// their own figure for it).
int MenuItemExtraWidth(const TSkinData& skin, bool hasImages, bool mainMenuItem);

// A toolkit item's or a plain menu item's face on the skin (DrawMenuItem, DrawHandleMenuItem):
// `separatorFrame` draws a separator as the MenuItem frame 2 (toolkit items) instead of an etched
// line over the item frame (items known only by handle). Without a MenuItem record, the plain look.
void DrawSkinMenuItem(HDC dc, const RECT& rect, TSkinData& skin, const TMenuItemFace& face,
                      const TMenuItemBackdrop& backdrop, HFONT font, bool separatorFrame);

// The plain look: the Hilight or Menu colour behind the content.
void DrawPlainMenuItem(HDC dc, const RECT& rect, TSkinData& skin, const TMenuItemFace& face, HFONT font);

// Glyph, caption and shortcut over whatever is already in rect.
void DrawMenuItemContent(HDC dc, const RECT& rect, TSkinData& skin, const TMenuItemFace& face);

// Frame 2 of the MenuItem image (its bottom rows when the item is lower than the image), three-
// sliced to rect, magenta left unpainted.
void DrawSkinSeparator(HDC dc, const RECT& rect, TSkinData& skin);
