// A one-shot delay on the GUI thread: a window timer on a message-only window runs the tick some
// milliseconds after Start. Nothing the tick throws leaves the timer's window procedure.
#pragma once

#include <windows.h>

#include <functional>

#include "toolkit/handles.h"

class TRequestTimer {
  public:
    explicit TRequestTimer(std::function<void()> tick);
    ~TRequestTimer();
    TRequestTimer(const TRequestTimer&) = delete;
    TRequestTimer& operator=(const TRequestTimer&) = delete;

    // (Re)starts the delay; the tick runs once unless it starts the timer again.
    void Start(UINT ms);
    void Stop() { timer_.Stop(); }
    bool Running() const { return timer_.Running(); }

  private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);

    std::function<void()> tick_;
    HWND window_ = nullptr;
    win::WindowTimer timer_;
};
