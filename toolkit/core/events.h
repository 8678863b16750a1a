// Events: a callable plus the name of the published method it was bound to, so a stored
// "OnClick = Button1Click" can be read back and written out again.
#pragma once

#include <functional>
#include <string>
#include <utility>

class TObject;

template <class Sig> struct TEvent;

template <class R, class... A> struct TEvent<R(A...)> {
    using Signature = R(A...);
    std::function<R(A...)> fn;
    std::string methodName;

    TEvent() = default;
    TEvent(std::function<R(A...)> f) : fn(std::move(f)) {}
    explicit operator bool() const { return bool(fn); }
    R operator()(A... args) const { return fn(std::forward<A>(args)...); }
};

using TNotifyEvent = TEvent<void(TObject* Sender)>;
