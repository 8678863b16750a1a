// The combo boxes: TComboBox (a COMBOBOX in any of its styles) and TComboBoxEx (a ComboBoxEx32,
// whose items may show images), both on TCustomComboBox: Items, ItemIndex, Text and the events.
#pragma once

#include "toolkit/controls/win_control.h"
#include "toolkit/core/strings.h"

class TImageList;

enum TComboBoxStyle { csDropDown, csSimple, csDropDownList, csOwnerDrawFixed };
const TEnumInfo& ComboBoxStyleInfo();

// An owner-drawn item: the DC and rectangle to draw it in, and whether it shows selected.
using TComboDrawItemEvent = TEvent<void(TObject* Sender, HDC DC, int Index, RECT Rect, bool Selected)>;

class TCustomComboBox : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TCustomComboBox(TComponent* AOwner);

    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle value);
    TStrings* Items() const { return &items_; }
    void SetItems(TStrings* value) { items_.Assign(value); }
    // The selected item, -1 for none. Out-of-range values give -1.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    // How many items the drop-down list shows before it scrolls.
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int value);
    int ItemHeight() const { return itemHeight_; }
    void SetItemHeight(int value);
    // The drop-down button on the left (WS_EX_LEFTSCROLLBAR), as right-to-left layouts have it.
    bool ButtonOnLeft() const { return buttonOnLeft_; }
    void SetButtonOnLeft(bool value);
    bool DroppedDown();

    // After the text changed: typed, or another item chosen.
    TNotifyEvent OnChange;
    // After the user chose an item from the list.
    TNotifyEvent OnSelect;
    // Draws an item of an owner-drawn combo box; without it the item's text is drawn.
    TComboDrawItemEvent OnDrawItem;

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    void TextChanged(TMessage& message) override;
    void Loaded() override;
    // The style bits of Style (CBS_*).
    DWORD ComboStyleBits() const;
    // Puts Items into the window (the system combo's messages; the extended one has its own).
    virtual void FillWindow();
    // The height the window is made with: the drop-down list's room below the field included.
    int DroppedHeight() const;

  private:
    void itemsChanged();
    void selectionChanged();
    void takeWindowText();
    void drawItem(TMessage& message);

    mutable TStrings items_;
    TComboBoxStyle style_ = csDropDown;
    int itemIndex_ = -1;
    int dropDownCount_ = 8;
    int itemHeight_ = 16;
    bool buttonOnLeft_ = false;
    bool syncing_ = false; // the window's text is being set from Text
};

class TComboBox : public TCustomComboBox {
    QS_DECLARE_CLASS()
  public:
    using TCustomComboBox::TCustomComboBox;
};

// A ComboBoxEx32: item i shows image i of Images when there is one.
class TComboBoxEx : public TCustomComboBox {
    QS_DECLARE_CLASS()
  public:
    explicit TComboBoxEx(TComponent* AOwner);

    TImageList* Images() const { return images_; }
    void SetImages(TImageList* value);
    // The system combo box inside the wrapper.
    HWND ComboHandle();

  protected:
    void CreateParams(TCreateParams& params) override;
    void FillWindow() override;
    void Notification(TComponent* component, TOperation operation) override;

  private:
    TImageList* images_ = nullptr;
};
