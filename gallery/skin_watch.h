// Change notification for a skin being edited: the folder PATH names, or the folder holding the
// file PATH names (then only that file's changes count). Polled from the UI thread with no wait,
// so nothing blocks and no thread outlives the window it would tell.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/handles.h"

class TSkinWatch {
  public:
    // Editors write a file in several steps (truncate, write, rename): the rebuild waits for this
    // much quiet after the last change.
    static constexpr DWORD kSettleMs = 120;

    TSkinWatch() = default;
    ~TSkinWatch();
    TSkinWatch(const TSkinWatch&) = delete;
    TSkinWatch& operator=(const TSkinWatch&) = delete;

    // False with the reason when the folder cannot be watched.
    bool Start(const std::wstring& path, std::string& error);
    // True once after a change followed by kSettleMs of quiet (`now` is GetTickCount's): the moment
    // to rebuild the skin.
    bool Settled(DWORD now);
    // Why the watch stopped (the folder went away, say); empty while it runs.
    const std::string& Failure() const { return failure_; }

  private:
    bool read();
    void collect(DWORD now);
    bool concernsUs(DWORD bytes) const;

    win::KernelHandle folder_, event_;
    OVERLAPPED overlapped_{};
    std::vector<DWORD> buffer_ = std::vector<DWORD>(4096); // DWORD-aligned, as the records need
    std::wstring fileName_;                                // empty: every change in the folder
    bool reading_ = false;
    bool changed_ = false;
    DWORD lastChange_ = 0;
    std::string failure_;
};
