// The skinned menu bar: a skinned window's menu is taken away (SetMenu(nil)) and its top-level
// items are drawn into a band below the caption from the skin's MenuBar image and colours. Each
// item is a non-client object, hot and pressed like a caption button; clicking it or its
// accelerator opens its submenu below it, and while one is open the mouse or the arrow keys move
// along the bar (a message-filter hook).
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/core/message_depth.h"
#include "skin/form/nc_objects.h"
#include "toolkit/graphics/bitmap.h"

class TMainMenu;
class TMenuItem;
class TSkinData;
class TWinSkinForm;

// What the bar shows of an item.
struct TMenuBarItemFace {
    std::wstring Caption; // with its "&" accelerator marker
    bool Enabled = true;
    bool Visible = true;
};

// Where the items go in a band of the given size (band coordinates); an empty caption or a hidden
// item takes no room and gets an empty rectangle. `rightLimit` (right-to-left bars) is where the
// first item ends, or -1 for the band's own start offset.
std::vector<RECT> LayoutMenuBar(HDC measureDC, HFONT font, SIZE band, const TSkinData& skin,
                                const std::vector<TMenuBarItemFace>& items, bool rightToLeft,
                                int rightLimit = -1);

// The band's background alone: the MenuBar frame of the window's activity, or the Menubar colour.
void DrawMenuBarBackground(HDC dc, SIZE band, TSkinData& skin, bool active);

// The band background (the MenuBar frame of the window's activity, or the Menubar colour) and
// every item's caption into dc, whose origin is the band's top-left corner.
void DrawMenuBar(HDC dc, SIZE band, TSkinData& skin, const std::vector<TMenuBarItemFace>& items,
                 const std::vector<RECT>& rects, bool active, HFONT font);

// One item's caption centred in rect, in the bar's text colour (the button-shadow colour when
// disabled); hot and pressed items are framed in the highlight colour.
void DrawMenuBarItem(HDC dc, const RECT& rect, TSkinData& skin, const TMenuBarItemFace& face, int mouseState,
                     HFONT font);

class TWinSkinMenu;

// A top-level item of the bar.
class TMenuBtn : public TNCObject {
    QS_DECLARE_CLASS()
  public:
    TMenuBtn(TWinSkinForm* form, TWinSkinMenu* bar) : TNCObject(form), Bar(bar) {}
    void Paint() override;
    TMenuBarItemFace Face() const;

    TWinSkinMenu* Bar;
    TMenuItem* Item = nullptr;
    int Index = 0;
    std::wstring Caption;
    bool ItemEnabled = true;
    HMENU SubMenu = nullptr;
    UINT Command = 0;
};

class TWinSkinMenu {
  public:
    TWinSkinMenu(TWinSkinForm& form, TSkinData& skin, TMainMenu* menu);
    ~TWinSkinMenu();
    TWinSkinMenu(const TWinSkinMenu&) = delete;
    TWinSkinMenu& operator=(const TWinSkinMenu&) = delete;

    // Items from the window's menu, which is then taken away; false (the window keeps its menu)
    // when it has none or no items.
    bool BuildItems();
    // The toolkit changed the menu: the items are built again, at once, or once the open menu
    // has closed (its loop holds items). Entries added to the open menu are owner-drawn at once.
    void MenuChanged();
    // Ends the open menu and lets go of the tracking state: the bar is about to be freed.
    void EndTracking();
    // After WM_MDISETMENU: owner-drawn toolkit items carry no text in the handle.
    bool RebuildFromMdiMenu();
    void LayoutItems();
    // The band at its place in the window's frame (band in frame coordinates).
    void PaintBar(HDC dc, const RECT& band);
    TMenuBtn* ItemAt(POINT framePoint) const;
    TMenuBtn* FindAccelerator(wchar_t key) const;
    // Opens the item's submenu below it; false when there is nothing to open. While one of the
    // bar's menus is open it moves there instead of opening a second.
    bool OpenItem(TMenuBtn* item);
    // The first item from `from` on whose menu can open (enabled, shown, captioned, with items).
    TMenuBtn* FirstOpenable(size_t from = 0) const;
    bool RightToLeft() const;
    // One scope for each OpenItem: its menu loop runs a program's code.
    TMessageDepth& Depth() { return depth_; }
    bool Tracking() const { return depth_.InMessage(); }

    std::vector<std::unique_ptr<TMenuBtn>> Items;
    TMainMenu* Menu = nullptr;
    HMENU MenuHandle = nullptr; // the window's own menu, given back at unskin
    RECT BarRect{};
    TBitmap Background;
    bool Painting = false;

  private:
    bool build(HMENU menu, bool mdi);
    // The items again from the window's menu, or from the one taken away before.
    void rebuild();
    // After an item's menu closed: hot while the pointer is still over it.
    void settle(TMenuBtn& item);
    // Where a right-to-left bar's first item ends: before the MDI child's buttons on the band.
    int startLimit(int bandWidth) const;
    SIZE bandSize() const;
    std::vector<TMenuBarItemFace> faces() const;

    TWinSkinForm& form_;
    TSkinData& skin_;
    bool building_ = false;
    bool rebuildPending_ = false;
    TMessageDepth depth_;
};

// Marks every item of a submenu tree owner-drawn, keeping its text, so the form draws them.
void MakeMenuOwnerDrawn(HMENU menu);

// The accelerator of a caption ("&File" gives 'f'), lower-cased; 0 without one.
wchar_t MenuAccelerator(const std::wstring& caption);
