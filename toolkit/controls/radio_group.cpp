// TCustomRadioGroup and TRadioGroup.
#include "toolkit/controls/radio_group.h"

#include <algorithm>

#include "toolkit/core/class_builder.h"

const TClassInfo& TCustomRadioGroup::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TCustomRadioGroup>("TCustomRadioGroup", &TCustomGroupBox::StaticClass())
            .Obj("Items", &TCustomRadioGroup::Items, &TCustomRadioGroup::SetItems, true)
            .Int("ItemIndex", &TCustomRadioGroup::ItemIndex, &TCustomRadioGroup::SetItemIndex, -1)
            .Int("Columns", &TCustomRadioGroup::Columns, &TCustomRadioGroup::SetColumns, 1)
            .Build();
    return info;
}

const TClassInfo& TRadioGroup::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TRadioGroup>("TRadioGroup", &TCustomRadioGroup::StaticClass()).Creatable().Build();
    return info;
}

TCustomRadioGroup::TCustomRadioGroup(TComponent* AOwner) : TCustomGroupBox(AOwner) {
    items_.OnChange = TNotifyEvent([this](TObject*) { itemsChanged(); });
}

void TCustomRadioGroup::SetItemIndex(int value) {
    // Items may come after ItemIndex in a stored text: Loaded checks the range.
    if (IsLoading()) {
        itemIndex_ = value;
        return;
    }
    if (value < -1 || value >= int(buttons_.size())) value = -1;
    itemIndex_ = value;
    applyItemIndex();
}

void TCustomRadioGroup::SetColumns(int value) {
    value = std::clamp(value, 1, 16);
    if (value == columns_) return;
    columns_ = value;
    arrangeButtons();
    Invalidate();
}

void TCustomRadioGroup::SetBounds(int left, int top, int width, int height) {
    TCustomGroupBox::SetBounds(left, top, width, height);
    arrangeButtons();
}

void TCustomRadioGroup::Loaded() {
    TCustomGroupBox::Loaded();
    SetItemIndex(itemIndex_);
    arrangeButtons();
}

void TCustomRadioGroup::EnabledChanged(TMessage& m) {
    TCustomGroupBox::EnabledChanged(m);
    for (TRadioButton* b : buttons_)
        b->SetEnabled(enabled_);
}

void TCustomRadioGroup::FontChanged(TMessage& m) {
    TCustomGroupBox::FontChanged(m);
    arrangeButtons();
}

void TCustomRadioGroup::itemsChanged() {
    const size_t count = size_t(items_.Count());
    while (buttons_.size() > count) {
        delete buttons_.back();
        buttons_.pop_back();
    }
    while (buttons_.size() < count) {
        auto* button = new TRadioButton(this);
        button->OnClick = TNotifyEvent([this, button](TObject*) { buttonClicked(button); });
        button->SetEnabled(enabled_);
        button->SetParent(this);
        buttons_.push_back(button);
    }
    for (size_t i = 0; i < count; ++i)
        buttons_[i]->SetCaption(items_.Strings(int(i)));
    if (!IsLoading()) {
        if (itemIndex_ >= int(count)) itemIndex_ = -1;
        applyItemIndex();
    }
    arrangeButtons();
}

void TCustomRadioGroup::buttonClicked(TRadioButton* button) {
    if (updating_) return;
    auto it = std::find(buttons_.begin(), buttons_.end(), button);
    if (it == buttons_.end()) return;
    itemIndex_ = int(it - buttons_.begin());
    Click();
}

void TCustomRadioGroup::applyItemIndex() {
    updating_ = true;
    for (size_t i = 0; i < buttons_.size(); ++i)
        buttons_[i]->SetChecked(int(i) == itemIndex_);
    updating_ = false;
}

void TCustomRadioGroup::arrangeButtons() {
    if (buttons_.empty() || IsLoading()) return;
    const int count = int(buttons_.size());
    const int perColumn = (count + columns_ - 1) / columns_;
    const int lineHeight = CaptionHeight();
    const int columnWidth = (width_ - 10) / columns_;
    const int room = std::max(height_ - lineHeight - 5, 0);
    const int rowHeight = room / perColumn;
    // Rows fill the room below the caption; what does not divide evenly goes half above.
    const int firstTop = lineHeight + 1 + (room % perColumn) / 2;
    for (int i = 0; i < count; ++i)
        buttons_[size_t(i)]->SetBounds((i / perColumn) * columnWidth + 8,
                                       (i % perColumn) * rowHeight + firstTop, columnWidth, rowHeight);
}
