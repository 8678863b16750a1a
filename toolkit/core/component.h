// TPersistent (assignable objects) and TComponent (named, owned, tagged objects that form
// resources create by class name and that are told when loading has finished).
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "toolkit/core/object.h"

class TPersistent : public TObject {
    QS_DECLARE_CLASS()
  public:
    // Copies what the source describes; raises EConvertError when neither side knows the other.
    virtual void Assign(const TPersistent* source);

  protected:
    virtual bool AssignTo(TPersistent* dest) const; // false: not handled
};

enum TComponentStateFlag : uint32_t {
    csLoading = 1,    // a form resource is being read into the component
    csReading = 2,    // its own properties are being read
    csDestroying = 4, // its destructor is running
    csDesigning = 8,  // design time: the program never sets it
};

enum class TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
    QS_DECLARE_CLASS()
  public:
    explicit TComponent(TComponent* AOwner);
    ~TComponent() override;
    TComponent(const TComponent&) = delete;
    TComponent& operator=(const TComponent&) = delete;

    TComponent* Owner() const { return owner_; }
    const std::vector<TComponent*>& Components() const { return components_; }
    int ComponentCount() const { return int(components_.size()); }
    TComponent* FindComponent(const std::string& name) const; // case-insensitive, owned ones only

    std::string Name() const { return name_; }
    virtual void SetName(const std::string& value);
    int32_t Tag() const { return tag_; }
    void SetTag(int32_t value) { tag_ = value; }

    uint32_t ComponentState() const { return state_; }
    bool IsLoading() const { return state_ & csLoading; }
    bool IsDesigning() const { return state_ & csDesigning; }
    bool IsDestroying() const { return state_ & csDestroying; }
    void SetStateFlag(TComponentStateFlag flag, bool on);

    // Runs once after a form resource has set every property of every component.
    virtual void Loaded();

    // True while the component exists: code that runs a program's handler keeps one and asks it
    // afterwards, since the handler may have freed the component.
    std::shared_ptr<const bool> LifeToken();

    // Asks to be told (Notification opRemove) when `other` goes away, although it is not owned.
    void FreeNotification(TComponent* other);
    void RemoveFreeNotification(TComponent* other);

  protected:
    virtual void Notification(TComponent* component, TOperation operation);

  private:
    void insertComponent(TComponent* c);
    void removeComponent(TComponent* c);

    TComponent* owner_ = nullptr;
    std::vector<TComponent*> components_;
    std::vector<TComponent*> freeNotifies_;
    std::string name_;
    int32_t tag_ = 0;
    uint32_t state_ = 0;
    std::shared_ptr<bool> alive_;
};
