// Menus over real HMENUs: TMenuItem trees, the menu bar of a form (TMainMenu) and popup menus
// (TPopupMenu). The HMENU is made from the items once and then kept up to date in place, so a
// menu that is open (or about to open) keeps its handles; commands, owner-draw measuring and
// drawing reach the items through their command identifiers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/controls/actions.h"
#include "toolkit/controls/control.h"
#include "toolkit/core/component.h"
#include "toolkit/core/events.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/handles.h"

class TMenu;
class TCustomForm;
class TImageList;

// A key with modifiers: the virtual key in the low byte, plus scShift, scCtrl, scAlt.
using TShortCut = uint16_t;
enum : TShortCut { scNone = 0, scShift = 0x2000, scCtrl = 0x4000, scAlt = 0x8000 };
TShortCut MakeShortCut(WORD key, TShiftState shift);
// "Ctrl+Alt+C", "F4", "Del"; empty for scNone.
std::string ShortCutToText(TShortCut shortCut);
// The reverse; scNone when the text names no key.
TShortCut TextToShortCut(const std::string& text);

enum TMenuAutoFlag { maAutomatic, maManual, maParent };
const TEnumInfo& MenuAutoFlagInfo();
// Right to left: items are ordered and aligned from the right, as Win32 does for MFT_RIGHTORDER.
enum TBiDiMode { bdLeftToRight, bdRightToLeft };
const TEnumInfo& BiDiModeInfo();

// Measuring gets the system's default size in Width and Height and may change both.
using TMenuMeasureItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, int& Width, int& Height)>;
using TMenuDrawItemEvent = TEvent<void(TObject* Sender, TCanvas* ACanvas, const RECT& ARect, bool Selected)>;

class TMenuItem : public TComponent, public TActionClient {
    QS_DECLARE_CLASS()
  public:
    explicit TMenuItem(TComponent* AOwner);
    ~TMenuItem() override; // frees its sub-items too

    std::string Caption() const { return caption_; }
    void SetCaption(const std::string& value);
    bool IsLine() const { return caption_ == "-"; }
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    bool Checked() const { return checked_; }
    void SetChecked(bool value);
    bool Visible() const { return visible_; }
    void SetVisible(bool value);
    bool Default() const { return default_; }
    void SetDefault(bool value);
    int ImageIndex() const { return imageIndex_; }
    void SetImageIndex(int value);
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut value);
    std::string Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    // Checking a radio item unchecks the other radio items of its GroupIndex at the same level;
    // it shows a bullet (MFT_RADIOCHECK) instead of a check mark.
    bool RadioItem() const { return radioItem_; }
    void SetRadioItem(bool value);
    int GroupIndex() const { return groupIndex_; }
    void SetGroupIndex(int value);
    // Clicking checks the item (a radio item) or toggles it.
    bool AutoCheck() const { return autoCheck_; }
    void SetAutoCheck(bool value) { autoCheck_ = value; }
    // The item shows the action's caption, state, image and shortcut from now on, and clicking it
    // executes the action unless the item has an OnClick of its own.
    TAction* Action() const { return action_; }
    void SetAction(TAction* value);
    // Runs the action's OnUpdate, whose changes the item shows at once; false without an action.
    bool UpdateAction();
    // UpdateAction for every sub-item: what happens before the item's sub-menu opens.
    void InitiateActions();
    // Whether the menu the item belongs to runs right to left.
    bool IsRightToLeft() const;

    int Count() const { return int(items_.size()); }
    TMenuItem* Item(int index) const { return items_.at(size_t(index)); }
    const std::vector<TMenuItem*>& Items() const { return items_; }
    void Add(TMenuItem* item);
    void Insert(int index, TMenuItem* item);
    void Remove(TMenuItem* item); // the item is not freed
    void Clear();                 // sub-items are freed
    TMenuItem* Parent() const { return parent_; }
    int MenuIndex() const;
    // The menu the item belongs to, or null.
    TMenu* GetParentMenu() const;
    // What the item is nested in when stored: its parent item, or the menu for top-level items.
    TComponent* ParentComponent() const;

    // The command identifier WM_COMMAND, WM_MEASUREITEM and WM_DRAWITEM carry for this item.
    UINT Command() const { return command_; }
    static TMenuItem* FindByCommand(UINT command);
    // The item whose sub-items the HMENU lists (a menu's root item for the menu's own), in any menu.
    static TMenuItem* FindByHandle(HMENU handle);
    // The HMENU that lists this item's sub-items (the menu's own for its root item); null when
    // it has none.
    HMENU Handle() const;

    virtual void Click();
    // The default measurement, then OnMeasureItem.
    virtual void MeasureItem(TCanvas& canvas, int& width, int& height);
    // OnDrawItem, or the plain drawing without one.
    virtual void DrawItem(TCanvas& canvas, const RECT& rect, bool selected);
    // The plain drawing (system colours, check mark, bullet or image, caption, shortcut),
    // mirrored for a right-to-left menu.
    void DrawPlain(TCanvas& canvas, const RECT& rect, bool selected);
    // Whether the system asks the item to draw all of itself (an owner-drawn entry) rather than
    // only its image beside the text it draws.
    bool OwnerDrawnEntry() const;

    void ActionChanged(const TAction& action) override;

    TNotifyEvent OnClick;
    TMenuMeasureItemEvent OnMeasureItem;
    TMenuDrawItemEvent OnDrawItem;

  protected:
    void Notification(TComponent* component, TOperation operation) override;

  private:
    friend class TMenu;
    // A property the entry shows changed: the HMENU entries of its level are updated in place.
    void changed();
    // Sub-items came, went, or one was shown or hidden.
    void structureChanged();
    void turnSiblingsOff();
    // The sub-menus of this subtree went with the entries that held them.
    void forgetHandles();

    std::string caption_;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    bool default_ = false;
    int imageIndex_ = -1;
    TShortCut shortCut_ = scNone;
    std::string hint_;
    bool radioItem_ = false;
    int groupIndex_ = 0;
    bool autoCheck_ = false;
    TAction* action_ = nullptr;
    std::vector<TMenuItem*> items_;
    TMenuItem* parent_ = nullptr;
    TMenu* menu_ = nullptr; // set on a menu's root item only
    UINT command_ = 0;
    HMENU handle_ = nullptr; // the sub-menu made for it at the last build (owned by the menu's handle)
};

class TMenu : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TMenu(TComponent* AOwner);
    ~TMenu() override;

    TMenuItem* Items() const { return items_.get(); }
    // The menu's HMENU, made on first use; it stays the same for the menu's life.
    HMENU Handle();
    bool OwnerDraw() const { return ownerDraw_; }
    void SetOwnerDraw(bool value);
    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    TMenuAutoFlag AutoHotkeys() const { return autoHotkeys_; }
    void SetAutoHotkeys(TMenuAutoFlag value);
    TBiDiMode BiDiMode() const { return biDiMode_; }
    void SetBiDiMode(TBiDiMode value);
    bool IsRightToLeft() const { return biDiMode_ == bdRightToLeft; }

    // Finds an item of this menu by its command identifier.
    TMenuItem* FindItem(UINT command) const;
    // Finds the item of this menu whose sub-items the HMENU lists (the root item for Handle()).
    TMenuItem* FindItemByHandle(HMENU handle) const;
    // The shown, enabled item with this shortcut is clicked (after its action's update); false
    // when there is none.
    bool IsShortCut(TShortCut shortCut);
    // Told after the HMENU was brought up to date when its top level or its structure changed.
    virtual void MenuChanged() {}

  protected:
    void Loaded() override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual HMENU CreateMenuHandle() = 0;

  private:
    friend class TMenuItem;
    void insertItems(HMENU menu, TMenuItem* parent, UINT position);
    MENUITEMINFOA entryInfo(const TMenuItem* item, std::string& text) const;
    std::string itemText(const TMenuItem* item, std::vector<char>& usedKeys) const;
    // In-place updates of the built HMENU: one level's entries, or its whole list of entries.
    void syncLevel(TMenuItem* level);
    void refillLevel(TMenuItem* level);
    void propertyChanged(TMenuItem* item);
    void structureChanged(TMenuItem* level);

    std::unique_ptr<TMenuItem> items_;
    win::MenuHandle handle_;
    bool ownerDraw_ = false;
    TImageList* images_ = nullptr;
    TMenuAutoFlag autoHotkeys_ = maAutomatic;
    TBiDiMode biDiMode_ = bdLeftToRight;
};

// A form's menu bar. The form attaches it (SetMenu) and gets TKN_MENUCHANGED when its top-level
// items or its structure changed.
class TMainMenu : public TMenu {
    QS_DECLARE_CLASS()
  public:
    explicit TMainMenu(TComponent* AOwner) : TMenu(AOwner) {}
    ~TMainMenu() override;
    TCustomForm* Window() const { return window_; }
    void SetWindow(TCustomForm* form) { window_ = form; }
    void MenuChanged() override;

  protected:
    HMENU CreateMenuHandle() override { return CreateMenu(); }

  private:
    TCustomForm* window_ = nullptr;
};

enum TPopupAlignment { paLeft, paRight, paCenter };
const TEnumInfo& PopupAlignmentInfo();

class TPopupMenu : public TMenu {
    QS_DECLARE_CLASS()
  public:
    explicit TPopupMenu(TComponent* AOwner) : TMenu(AOwner) {}

    // Opens the menu at a screen point and returns when it closes; the chosen item's OnClick
    // runs when its command arrives (right after, through the message loop). A right-to-left
    // menu opens leftwards from the point, laid out right to left.
    virtual void Popup(int x, int y);
    TPopupAlignment Alignment() const { return alignment_; }
    void SetAlignment(TPopupAlignment value) { alignment_ = value; }
    bool AutoPopup() const { return autoPopup_; }
    void SetAutoPopup(bool value) { autoPopup_ = value; }
    // The control whose context menu opened it last.
    TComponent* PopupComponent() const { return popupComponent_; }
    void SetPopupComponent(TComponent* value) { popupComponent_ = value; }

    TNotifyEvent OnPopup;

  protected:
    HMENU CreateMenuHandle() override { return CreatePopupMenu(); }

  private:
    TPopupAlignment alignment_ = paLeft;
    bool autoPopup_ = true;
    TComponent* popupComponent_ = nullptr;
};

// Menu messages of any toolkit window (and of the application's window, which owns popups):
// true when a toolkit item took the message.
// WM_COMMAND: the item with that command is clicked, unless it opens a sub-menu (that is clicked
// as it opens).
bool DispatchMenuCommand(UINT command);
bool DispatchMenuMeasure(MEASUREITEMSTRUCT& measure);
bool DispatchMenuDraw(const DRAWITEMSTRUCT& draw);
// WM_INITMENUPOPUP: the item whose sub-menu opens is clicked, then the actions of the items the
// opening HMENU lists are updated.
void DispatchMenuPopup(HMENU menu);
// The screen's menu font (owned by the toolkit).
HFONT MenuFont();
