// TPersistent and TComponent: assignment, ownership, names and the loading life cycle.
#include "toolkit/core/component.h"

#include <algorithm>

#include "toolkit/core/class_builder.h"

const TClassInfo& TPersistent::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TPersistent>("TPersistent", &TObject::StaticClass()).Build();
    return info;
}

void TPersistent::Assign(const TPersistent* source) {
    if (source && source->AssignTo(this)) return;
    throw EConvertError("Cannot assign a " + (source ? source->ClassName() : std::string("nil")) + " to a " +
                        ClassName());
}

bool TPersistent::AssignTo(TPersistent*) const {
    return false;
}

const TClassInfo& TComponent::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TComponent>("TComponent", &TPersistent::StaticClass())
                                        .Creatable()
                                        .Str("Name", &TComponent::Name, &TComponent::SetName)
                                        .Int("Tag", &TComponent::Tag, &TComponent::SetTag, 0)
                                        .Build();
    return info;
}

TComponent::TComponent(TComponent* AOwner) {
    if (AOwner) AOwner->insertComponent(this);
}

TComponent::~TComponent() {
    state_ |= csDestroying;
    if (alive_) *alive_ = false;
    // Tell everyone who asked, then free what we own (last created first).
    auto notifies = freeNotifies_;
    freeNotifies_.clear();
    for (TComponent* c : notifies) {
        c->Notification(this, TOperation::opRemove);
        auto& back = c->freeNotifies_;
        back.erase(std::remove(back.begin(), back.end(), this), back.end());
    }
    while (!components_.empty())
        delete components_.back();
    if (owner_) owner_->removeComponent(this);
}

void TComponent::insertComponent(TComponent* c) {
    components_.push_back(c);
    c->owner_ = this;
}

void TComponent::removeComponent(TComponent* c) {
    components_.erase(std::remove(components_.begin(), components_.end(), c), components_.end());
    c->owner_ = nullptr;
    Notification(c, TOperation::opRemove);
}

TComponent* TComponent::FindComponent(const std::string& name) const {
    if (name.empty()) return nullptr;
    for (TComponent* c : components_)
        if (SameText(c->name_, name)) return c;
    return nullptr;
}

void TComponent::SetName(const std::string& value) {
    if (value == name_) return;
    if (owner_ && !value.empty()) {
        TComponent* other = owner_->FindComponent(value);
        if (other && other != this) throw Exception("A component named " + value + " already exists");
    }
    name_ = value;
}

void TComponent::SetStateFlag(TComponentStateFlag flag, bool on) {
    if (on)
        state_ |= flag;
    else
        state_ &= ~uint32_t(flag);
}

void TComponent::Loaded() {
    state_ &= ~uint32_t(csLoading);
}

std::shared_ptr<const bool> TComponent::LifeToken() {
    if (!alive_) alive_ = std::make_shared<bool>(true);
    return alive_;
}

void TComponent::FreeNotification(TComponent* other) {
    if (!other || other == this) return;
    if (std::find(other->freeNotifies_.begin(), other->freeNotifies_.end(), this) ==
        other->freeNotifies_.end())
        other->freeNotifies_.push_back(this);
    if (std::find(freeNotifies_.begin(), freeNotifies_.end(), other) == freeNotifies_.end())
        freeNotifies_.push_back(other);
}

void TComponent::RemoveFreeNotification(TComponent* other) {
    if (!other) return;
    auto drop = [](std::vector<TComponent*>& v, TComponent* c) {
        v.erase(std::remove(v.begin(), v.end(), c), v.end());
    };
    drop(other->freeNotifies_, this);
    drop(freeNotifies_, other);
}

void TComponent::Notification(TComponent*, TOperation) {}
