// TFreeWatch: learns when components it does not own go away. Whoever hands its own code to
// another object (an event handler on a control) keeps one, so it can take that code back later
// from the objects still alive, whatever happened to their windows meanwhile.
#pragma once

#include <algorithm>
#include <functional>
#include <utility>
#include <vector>

#include "toolkit/core/component.h"

class TFreeWatch : public TComponent {
  public:
    TFreeWatch() : TComponent(nullptr) {}

    void Watch(TComponent* component) {
        if (!component || Watches(component)) return;
        watched_.push_back(component);
        FreeNotification(component);
    }
    bool Watches(const TComponent* component) const {
        return std::find(watched_.begin(), watched_.end(), component) != watched_.end();
    }
    // The components still alive, in the order they were watched; the watch lets go of them.
    std::vector<TComponent*> Take() {
        for (TComponent* c : watched_)
            RemoveFreeNotification(c);
        return std::exchange(watched_, {});
    }

  protected:
    void Notification(TComponent* component, TOperation operation) override {
        if (operation == TOperation::opRemove) std::erase(watched_, component);
        TComponent::Notification(component, operation);
    }

  private:
    std::vector<TComponent*> watched_;
};
