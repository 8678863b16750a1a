// The skin store and its items.
#include "skin/res/skin_store.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TSkinCollectionItem::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinCollectionItem>("TSkinCollectionItem", &TCollectionItem::StaticClass())
            .Str("Name", &TSkinCollectionItem::Name, &TSkinCollectionItem::SetName)
            .Display("SkinData", &TSkinCollectionItem::SkinData)
            .Int("DataSize", &TSkinCollectionItem::DataSize, nullptr)
            .Binary("DataStream", &TSkinCollectionItem::ReadDataStream, &TSkinCollectionItem::WriteDataStream)
            .Build();
    return info;
}

TSkinCollectionItem::TSkinCollectionItem(TCollection* collection)
    : TCollectionItem(collection), name_("SkinItem" + std::to_string(ID())) {}

void TSkinCollectionItem::SetName(const std::string& value) {
    if (value == name_) return;
    if (TCollection* c = Collection())
        for (TCollectionItem* other : c->Items())
            if (other != this && static_cast<TSkinCollectionItem*>(other)->name_ == value)
                throw Exception("The name " + value + " is already used.");
    name_ = value;
}

void TSkinCollectionItem::ReadDataStream(const std::vector<uint8_t>& bytes) {
    data_.Clear();
    data_.Write(bytes.data(), bytes.size());
    data_.SetPosition(0);
}

void TSkinCollectionItem::Assign(const TPersistent* source) {
    auto* src = dynamic_cast<const TSkinCollectionItem*>(source);
    if (!src) {
        TCollectionItem::Assign(source);
        return;
    }
    name_ = src->name_;
    // The whole stream is copied whatever its position; the source keeps its position.
    data_.Clear();
    data_.Write(src->data_.Memory(), size_t(src->data_.Size()));
    data_.SetPosition(0);
}

const TClassInfo& TSkinCollection::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinCollection>("TSkinCollection", &TCollection::StaticClass()).Build();
    return info;
}

TSkinCollection::TSkinCollection(TPersistent* owner)
    : TCollection(owner, TSkinCollectionItem::StaticClass(),
                  [](TCollection* c) { return new TSkinCollectionItem(c); }) {}

const TClassInfo& TSkinStore::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TSkinStore>("TSkinStore", &TComponent::StaticClass())
                                        .Creatable()
                                        .Obj("Store", &TSkinStore::Store, &TSkinStore::SetStore, true)
                                        .Build();
    return info;
}

TSkinStore::TSkinStore(TComponent* AOwner)
    : TComponent(AOwner), store_(std::make_unique<TSkinCollection>(this)) {}

void TSkinStore::SetStore(TSkinCollection* value) {
    if (value && value != store_.get()) store_->Assign(value);
}
