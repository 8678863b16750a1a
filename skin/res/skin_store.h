// TSkinStore (unit WinSkinStore): a component that keeps several compressed skins under names,
// so a program can switch between them; the skins are stored with the form.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "toolkit/core/collection.h"
#include "toolkit/core/component.h"
#include "toolkit/core/stream.h"

class TSkinCollectionItem : public TCollectionItem {
    QS_DECLARE_CLASS()
  public:
    explicit TSkinCollectionItem(TCollection* collection);

    std::string Name() const { return name_; }
    // Raises "The name <value> is already used." when another item of the collection has it.
    void SetName(const std::string& value);
    // Always "Load Skin"; writing does nothing.
    std::string SkinData() const { return "Load Skin"; }
    int32_t DataSize() const { return int32_t(data_.Size()); }
    TMemoryStream& DataStream() { return data_; }
    // The stored property: the compressed skin bytes alone.
    void ReadDataStream(const std::vector<uint8_t>& bytes);
    std::vector<uint8_t> WriteDataStream() const { return data_.Bytes(); }

    void Assign(const TPersistent* source) override;
    std::string DisplayName() const override { return name_; }

  private:
    std::string name_;
    TMemoryStream data_;
};

class TSkinCollection : public TCollection {
    QS_DECLARE_CLASS()
  public:
    explicit TSkinCollection(TPersistent* owner);
    TSkinCollectionItem* Items(int index) const { return static_cast<TSkinCollectionItem*>(Item(index)); }
    TSkinCollectionItem* Add() { return static_cast<TSkinCollectionItem*>(TCollection::Add()); }
};

class TSkinStore : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TSkinStore(TComponent* AOwner);
    TSkinCollection* Store() const { return store_.get(); }
    // Copies the collection's items into the store's own; nil is ignored.
    void SetStore(TSkinCollection* value);

  private:
    std::unique_ptr<TSkinCollection> store_;
};
