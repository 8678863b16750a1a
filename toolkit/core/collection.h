// Collections of items that live inside a persistent owner and are stored with it
// (item IDs count from 0 in creation order and are never reused).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/core/component.h"

class TCollection;

class TCollectionItem : public TPersistent {
    QS_DECLARE_CLASS()
  public:
    explicit TCollectionItem(TCollection* collection);
    ~TCollectionItem() override;
    TCollectionItem(const TCollectionItem&) = delete;
    TCollectionItem& operator=(const TCollectionItem&) = delete;

    TCollection* Collection() const { return collection_; }
    int ID() const { return id_; }
    int Index() const;
    virtual std::string DisplayName() const; // the class name unless a subclass says better

  protected:
    // Stores `value` in `field`; true when that changed it, so that the item tells its owner.
    template <class T> static bool update(T& field, const T& value) {
        if (field == value) return false;
        field = value;
        return true;
    }

  private:
    friend class TCollection;
    TCollection* collection_;
    int id_ = 0;
};

class TCollection : public TPersistent {
    QS_DECLARE_CLASS()
  public:
    using ItemFactory = std::function<TCollectionItem*(TCollection*)>;

    TCollection(TPersistent* owner, const TClassInfo& itemClass, ItemFactory factory);
    ~TCollection() override;
    TCollection(const TCollection&) = delete;
    TCollection& operator=(const TCollection&) = delete;

    TPersistent* Owner() const { return owner_; }
    const TClassInfo& ItemClass() const { return itemClass_; }
    int Count() const { return int(items_.size()); }
    TCollectionItem* Item(int index) const { return items_.at(size_t(index)); }
    const std::vector<TCollectionItem*>& Items() const { return items_; }

    TCollectionItem* Add();
    void Delete(int index);
    void Clear();
    // Copies the source collection item by item with each item's Assign.
    void Assign(const TPersistent* source) override;

  private:
    friend class TCollectionItem;
    TPersistent* owner_;
    const TClassInfo& itemClass_;
    ItemFactory factory_;
    std::vector<TCollectionItem*> items_;
    int nextId_ = 0;
};
