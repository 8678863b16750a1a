// TRadioGroup: a group box that makes one TRadioButton child per line of Items, laid out in
// Columns, with ItemIndex the checked one.
#pragma once

#include <vector>

#include "toolkit/controls/group_box.h"
#include "toolkit/controls/radio_button.h"
#include "toolkit/core/strings.h"

class TCustomRadioGroup : public TCustomGroupBox {
    QS_DECLARE_CLASS()
  public:
    explicit TCustomRadioGroup(TComponent* AOwner);

    TStrings* Items() const { return &items_; }
    void SetItems(TStrings* value) { items_.Assign(value); }
    // The checked line, -1 for none. Out-of-range values give -1.
    int ItemIndex() const { return itemIndex_; }
    void SetItemIndex(int value);
    int Columns() const { return columns_; }
    void SetColumns(int value);

    // The radio button of each line, in order (children of the group, owned by it).
    const std::vector<TRadioButton*>& Buttons() const { return buttons_; }

    void SetBounds(int left, int top, int width, int height) override;

  protected:
    void Loaded() override;
    void EnabledChanged(TMessage& message) override;
    void FontChanged(TMessage& message) override;

  private:
    void itemsChanged();
    void buttonClicked(TRadioButton* button);
    void applyItemIndex();
    void arrangeButtons();

    mutable TStrings items_;
    std::vector<TRadioButton*> buttons_;
    int itemIndex_ = -1;
    int columns_ = 1;
    bool updating_ = false; // the group itself is checking a button
};

class TRadioGroup : public TCustomRadioGroup {
    QS_DECLARE_CLASS()
  public:
    explicit TRadioGroup(TComponent* AOwner) : TCustomRadioGroup(AOwner) {}
};
