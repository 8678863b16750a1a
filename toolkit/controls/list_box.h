// TListBox: a LISTBOX of text lines; its vertical bar shows when the lines do not fit.
#pragma once

#include "toolkit/controls/win_control.h"
#include "toolkit/core/strings.h"

class TListBox : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TListBox(TComponent* AOwner);

    TStrings* Items() const { return &items_; }
    void SetItems(TStrings* value) { items_.Assign(value); }
    // The selected line, -1 for none. Out-of-range values give -1.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    // bsSingle gives a sunken edge; the skin engine reads it by name.
    int BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(int value);

    // OnClick follows every change of selection by the user (mouse or keys).

  protected:
    void CreateParams(TCreateParams& params) override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    void Loaded() override;
    bool ClicksOnMouseUp() const override { return false; }

  private:
    void itemsChanged();
    void fillWindow();

    mutable TStrings items_;
    int itemIndex_ = -1;
    int borderStyle_ = 1;
};
