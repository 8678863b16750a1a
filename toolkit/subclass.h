// Window subclassing as an owned resource: one Subclass takes a window's procedure over for an
// owner object and gives it back. Every skinner that intercepts a window's messages (form, MDI
// client, popup menu, plain-window control) goes through it, so there is one install, one
// dispatch and one restore order.
//
// Install: the wide variant for a Unicode window, the ANSI one otherwise, so the previous
// procedure sees messages in the character set it expects. Messages reach the handler first;
// CallPrevious lets the window's own procedure run. A handler that throws lets the message go on
// to the previous procedure, unless that has run already; an exception out of the previous
// procedure is the program's and goes to the application's handler, once. No exception leaves
// the window procedure.
//
// A link left in the chain by a Subclass that could not leave it (someone subclassed on top of
// us) is taken over by the next Install of that kind, so the window can be skinned again.
//
// Teardown, the same order on every path (Restore, the destructor, WM_NCDESTROY):
//   1. the handler is no longer called;
//   2. the previous procedure goes back while the window still exists, when ours is still the
//      window's procedure (when someone subclassed on top of us, ours stays in the chain and only
//      passes messages on until the window ends);
//   3. the window property that led to the owner goes;
//   4. at WM_NCDESTROY only, after the handler has seen the message: `ended`, where the owner
//      ends its per-window state (it may free itself and this Subclass there).
//
// One Subclass of each kind per window: the kind names the window property and the procedure.
#pragma once

#include <windows.h>

#include <functional>
#include <utility>

#include "toolkit/controls/application.h"

namespace win {

enum class SubclassKind { Form, MdiClient, PopupMenu, Control };

class Subclass {
  public:
    using Handler = std::function<LRESULT(UINT msg, WPARAM wParam, LPARAM lParam)>;
    using Ended = std::function<void()>;

    Subclass() = default;
    ~Subclass() { Restore(); }
    // The window property points at this object: it stays where it is.
    Subclass(const Subclass&) = delete;
    Subclass& operator=(const Subclass&) = delete;

    // False (nothing changed) for a window that is gone or already has a Subclass of this kind.
    bool Install(HWND window, SubclassKind kind, Handler handler, Ended ended = {});
    // The procedure that was the window's before ours; DefWindowProc when there is none.
    LRESULT CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const;
    void Restore();

    bool Installed() const { return link_ != nullptr; }
    HWND Window() const { return window_; }
    bool Unicode() const { return unicode_; }
    WNDPROC Previous() const { return previous_; }

    // The Subclass of that kind on the window, or null.
    static Subclass* Of(HWND window, SubclassKind kind);
    // The property name of a kind (what tests and diagnostics look for).
    static const char* PropertyName(SubclassKind kind);

  private:
    // What the window property holds. It outlives the Subclass when ours cannot leave the chain.
    struct Link {
        Subclass* owner;
        WNDPROC previous;
        bool unicode;
    };

    template <SubclassKind K>
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return Dispatch(K, hwnd, msg, wParam, lParam);
    }
    static WNDPROC ProcOf(SubclassKind kind);
    static LRESULT Dispatch(SubclassKind kind, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CallLink(const Link& link, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    // The message being dispatched on this thread: whether its previous procedure has run.
    struct Frame {
        const Subclass* owner;
        bool previousRan;
        Frame* outer;
    };
    static Frame*& CurrentFrame() {
        static thread_local Frame* current = nullptr;
        return current;
    }
    static WNDPROC CurrentProc(HWND hwnd, bool unicode);
    static void SetProc(HWND hwnd, bool unicode, WNDPROC proc);

    HWND window_ = nullptr;
    SubclassKind kind_ = SubclassKind::Form;
    bool unicode_ = false;
    WNDPROC previous_ = nullptr;
    Link* link_ = nullptr;
    Handler handler_;
    Ended ended_;
};

inline const char* Subclass::PropertyName(SubclassKind kind) {
    switch (kind) {
    case SubclassKind::Form: return "QsSubclass.Form";
    case SubclassKind::MdiClient: return "QsSubclass.MdiClient";
    case SubclassKind::PopupMenu: return "QsSubclass.PopupMenu";
    case SubclassKind::Control: return "QsSubclass.Control";
    }
    return "QsSubclass";
}

inline WNDPROC Subclass::ProcOf(SubclassKind kind) {
    switch (kind) {
    case SubclassKind::Form: return &Proc<SubclassKind::Form>;
    case SubclassKind::MdiClient: return &Proc<SubclassKind::MdiClient>;
    case SubclassKind::PopupMenu: return &Proc<SubclassKind::PopupMenu>;
    case SubclassKind::Control: return &Proc<SubclassKind::Control>;
    }
    return nullptr;
}

inline WNDPROC Subclass::CurrentProc(HWND hwnd, bool unicode) {
    return reinterpret_cast<WNDPROC>(unicode ? GetWindowLongPtrW(hwnd, GWLP_WNDPROC)
                                             : GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
}

inline void Subclass::SetProc(HWND hwnd, bool unicode, WNDPROC proc) {
    if (unicode)
        SetWindowLongPtrW(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
    else
        SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(proc));
}

inline Subclass* Subclass::Of(HWND window, SubclassKind kind) {
    if (!window) return nullptr;
    auto* link = static_cast<Link*>(GetPropA(window, PropertyName(kind)));
    return link ? link->owner : nullptr;
}

inline bool Subclass::Install(HWND window, SubclassKind kind, Handler handler, Ended ended) {
    if (link_ || !window || !IsWindow(window)) return false;
    auto* left = static_cast<Link*>(GetPropA(window, PropertyName(kind)));
    if (left && left->owner) return false;
    window_ = window;
    kind_ = kind;
    handler_ = std::move(handler);
    ended_ = std::move(ended);
    if (left) {
        // Our procedure is still in the chain below someone else's: it serves this owner again.
        unicode_ = left->unicode;
        previous_ = left->previous;
        link_ = left;
        link_->owner = this;
        return true;
    }
    unicode_ = IsWindowUnicode(window) != FALSE;
    link_ = new Link{this, nullptr, unicode_};
    SetPropA(window, PropertyName(kind), link_);
    // The property is in place before the first message can reach our procedure.
    previous_ = reinterpret_cast<WNDPROC>(
        unicode_ ? SetWindowLongPtrW(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcOf(kind)))
                 : SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(ProcOf(kind))));
    link_->previous = previous_;
    return true;
}

inline LRESULT Subclass::CallLink(const Link& link, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (!link.previous)
        return link.unicode ? DefWindowProcW(hwnd, msg, wParam, lParam)
                            : DefWindowProcA(hwnd, msg, wParam, lParam);
    return link.unicode ? CallWindowProcW(link.previous, hwnd, msg, wParam, lParam)
                        : CallWindowProcA(link.previous, hwnd, msg, wParam, lParam);
}

inline LRESULT Subclass::CallPrevious(UINT msg, WPARAM wParam, LPARAM lParam) const {
    if (Frame* frame = CurrentFrame(); frame && frame->owner == this) frame->previousRan = true;
    try {
        return CallLink(Link{nullptr, previous_, unicode_}, window_, msg, wParam, lParam);
    } catch (...) {
        HandleToolkitException();
        return 0;
    }
}

inline void Subclass::Restore() {
    if (!link_) return;
    // The handler may be running (an owner restoring from inside a message): it is not touched
    // here, only unlinked, so no later message reaches it.
    Link* link = std::exchange(link_, nullptr);
    if (IsWindow(window_) && CurrentProc(window_, unicode_) == ProcOf(kind_)) {
        SetProc(window_, unicode_, previous_);
        RemovePropA(window_, PropertyName(kind_));
        delete link;
    } else if (IsWindow(window_)) {
        // Someone subclassed on top of us: our procedure stays in their chain and passes every
        // message on; the link goes with the window (WM_NCDESTROY).
        link->owner = nullptr;
    } else {
        delete link;
    }
}

inline LRESULT Subclass::Dispatch(SubclassKind kind, HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    const char* name = PropertyName(kind);
    auto* link = static_cast<Link*>(GetPropA(hwnd, name));
    if (!link)
        return IsWindowUnicode(hwnd) ? DefWindowProcW(hwnd, msg, wParam, lParam)
                                     : DefWindowProcA(hwnd, msg, wParam, lParam);
    // Copied: the owner may restore (and free the link, or itself) while it handles the message.
    const Link seen = *link;
    Ended ended = msg == WM_NCDESTROY && seen.owner ? seen.owner->ended_ : Ended();
    LRESULT result = 0;
    if (!seen.owner || !seen.owner->handler_) {
        result = CallLink(seen, hwnd, msg, wParam, lParam);
    } else {
        Frame frame{seen.owner, false, CurrentFrame()};
        CurrentFrame() = &frame;
        try {
            result = seen.owner->handler_(msg, wParam, lParam);
        } catch (...) {
            // Our handler failed: the window's own procedure handles the message, once.
            if (!frame.previousRan) result = CallLink(seen, hwnd, msg, wParam, lParam);
        }
        CurrentFrame() = frame.outer;
    }
    if (msg != WM_NCDESTROY) return result;

    // The window is going: whoever is still linked ends here, in the written-down order.
    link = static_cast<Link*>(GetPropA(hwnd, name));
    if (link && link->owner) link->owner->Restore();
    // A link left passing messages on (someone subclassed on top of us) ends with the window.
    if (auto* rest = static_cast<Link*>(GetPropA(hwnd, name))) {
        RemovePropA(hwnd, name);
        delete rest;
    }
    if (ended) {
        try {
            ended();
        } catch (...) {
        }
    }
    return result;
}

} // namespace win
