// Collections and their items.
#include "toolkit/core/collection.h"

#include <algorithm>

#include "toolkit/core/class_builder.h"

const TClassInfo& TCollectionItem::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TCollectionItem>("TCollectionItem", &TPersistent::StaticClass()).Build();
    return info;
}

TCollectionItem::TCollectionItem(TCollection* collection) : collection_(collection) {
    if (collection_) {
        id_ = collection_->nextId_++;
        collection_->items_.push_back(this);
    }
}

TCollectionItem::~TCollectionItem() {
    if (collection_) {
        auto& items = collection_->items_;
        items.erase(std::remove(items.begin(), items.end(), this), items.end());
    }
}

int TCollectionItem::Index() const {
    if (!collection_) return -1;
    const auto& items = collection_->items_;
    auto it = std::find(items.begin(), items.end(), this);
    return it == items.end() ? -1 : int(it - items.begin());
}

std::string TCollectionItem::DisplayName() const {
    return ClassName();
}

const TClassInfo& TCollection::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TCollection>("TCollection", &TPersistent::StaticClass()).Build();
    return info;
}

TCollection::TCollection(TPersistent* owner, const TClassInfo& itemClass, ItemFactory factory)
    : owner_(owner), itemClass_(itemClass), factory_(std::move(factory)) {}

TCollection::~TCollection() {
    Clear();
}

TCollectionItem* TCollection::Add() {
    return factory_(this);
}

void TCollection::Delete(int index) {
    delete items_.at(size_t(index));
}

void TCollection::Clear() {
    while (!items_.empty())
        delete items_.back();
}

void TCollection::Assign(const TPersistent* source) {
    auto* src = dynamic_cast<const TCollection*>(source);
    if (!src) {
        TPersistent::Assign(source);
        return;
    }
    if (src == this) return;
    Clear();
    for (TCollectionItem* item : src->items_)
        Add()->Assign(item);
}
