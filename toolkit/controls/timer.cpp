// Timers: each TTimer has its own identifier on the application's window.
#include "toolkit/controls/timer.h"

#include <map>

#include "toolkit/controls/application.h"
#include "toolkit/core/class_builder.h"

namespace {
std::map<UINT_PTR, TTimer*>& timers() {
    static std::map<UINT_PTR, TTimer*> map;
    return map;
}
UINT_PTR nextTimerId = 1;
} // namespace

const TClassInfo& TTimer::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TTimer>("TTimer", &TComponent::StaticClass())
                                        .Creatable()
                                        .Bool("Enabled", &TTimer::Enabled, &TTimer::SetEnabled, true)
                                        .Int("Interval", &TTimer::Interval, &TTimer::SetInterval, 1000)
                                        .Event("OnTimer", &TTimer::OnTimer)
                                        .Build();
    return info;
}

TTimer::TTimer(TComponent* AOwner) : TComponent(AOwner), id_(nextTimerId++) {
    timers()[id_] = this;
}

TTimer::~TTimer() {
    timer_.Stop();
    timers().erase(id_);
}

void TTimer::SetEnabled(bool value) {
    enabled_ = value;
    update();
}

void TTimer::SetInterval(int value) {
    interval_ = value;
    update();
}

void TTimer::Loaded() {
    TComponent::Loaded();
    update();
}

void TTimer::update() {
    timer_.Stop();
    // A timer read from a form starts once all its properties are known.
    if (IsLoading() || !enabled_ || interval_ <= 0 || !OnTimer) return;
    timer_.Start(Application->Handle(), id_, UINT(interval_));
}

void TTimer::Timer() {
    if (OnTimer) OnTimer(this);
}

bool DispatchTimer(UINT_PTR id) {
    auto it = timers().find(id);
    if (it == timers().end()) return false;
    it->second->Timer();
    return true;
}
