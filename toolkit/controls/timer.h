// TTimer: a window timer (on the application's window) that fires OnTimer every Interval
// milliseconds while Enabled.
#pragma once

#include <windows.h>

#include "toolkit/core/component.h"
#include "toolkit/core/events.h"
#include "toolkit/handles.h"

class TTimer : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TTimer(TComponent* AOwner);
    ~TTimer() override;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    int Interval() const { return interval_; }
    void SetInterval(int value);
    // Runs while Enabled, Interval > 0 and OnTimer is assigned.
    bool Running() const { return timer_.Running(); }

    TNotifyEvent OnTimer;

  protected:
    void Loaded() override;
    virtual void Timer();

  private:
    friend bool DispatchTimer(UINT_PTR id);
    void update();

    bool enabled_ = true;
    int interval_ = 1000;
    UINT_PTR id_;
    win::WindowTimer timer_;
};

// WM_TIMER of the application window: runs the timer with that identifier; false when none.
bool DispatchTimer(UINT_PTR id);
