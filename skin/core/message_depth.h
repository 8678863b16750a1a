// TMessageDepth: how a skinner survives what a program does inside its messages. A program's code
// runs while a skinner is on the stack (an OnClick frees its button, a dialog procedure destroys
// the dialog, a menu handler rebuilds the main menu), so every skinner kind (control, form, popup
// menu, menu bar) follows one rule:
//
//   - each message (or modal loop) the skinner runs is a Scope: it counts the depth;
//   - a free asked for while the depth is above zero waits: it is carried out when the outermost
//     Scope ends, and the skinner is detached at once so that nothing new reaches it;
//   - code after the default procedure asks Scope::Alive() before it touches the skinner: false
//     when the skinner was destroyed meanwhile (its owner freed it) or is waiting to be freed.
//
// The state lives in a block shared with every open Scope, so a Scope may outlive the skinner.
#pragma once

#include <functional>
#include <memory>
#include <utility>

class TMessageDepth {
    struct State {
        int depth = 0;
        bool gone = false;
        std::function<void()> pendingFree;
    };

  public:
    TMessageDepth() : state_(std::make_shared<State>()) {}
    ~TMessageDepth() { state_->gone = true; }
    TMessageDepth(const TMessageDepth&) = delete;
    TMessageDepth& operator=(const TMessageDepth&) = delete;

    class Scope {
      public:
        explicit Scope(TMessageDepth& depth) : state_(depth.state_) { ++state_->depth; }
        ~Scope() {
            if (state_->gone || --state_->depth > 0 || !state_->pendingFree) return;
            std::function<void()> free = std::exchange(state_->pendingFree, nullptr);
            try {
                free();
            } catch (...) {
                // A destructor that fails leaves nothing we could repair here.
            }
        }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;

        // The skinner has not been destroyed (it may be waiting to be freed).
        bool Exists() const { return !state_->gone; }
        // The skinner still exists and is not waiting to be freed.
        bool Alive() const { return !Enabled() || (!state_->gone && !state_->pendingFree); }

      private:
        std::shared_ptr<State> state_;
    };

    bool InMessage() const { return state_->depth > 0; }
    bool FreePending() const { return bool(state_->pendingFree); }
    // Runs `free` now, or once the outermost Scope has ended; a second request adds nothing.
    void Free(std::function<void()> free) {
        if (!InMessage() || !Enabled()) {
            free();
            return;
        }
        if (!state_->pendingFree) state_->pendingFree = std::move(free);
    }

    // Tests switch the rule off to show what it prevents (a freed skinner used); nothing else does.
    static bool& Enabled() {
        static bool enabled = true;
        return enabled;
    }

  private:
    std::shared_ptr<State> state_;
};

// Frees an object owned through a unique_ptr now, or when its outermost message has ended.
template <class T> void FreeWhenIdle(std::unique_ptr<T> object) {
    if (!object) return;
    TMessageDepth& depth = object->Depth();
    // The request is the only owner from here on: the object goes when it runs.
    depth.Free([held = std::shared_ptr<T>(std::move(object))]() mutable { held.reset(); });
}
