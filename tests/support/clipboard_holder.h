// Another party holding the clipboard open, as a clipboard manager or a slow program does.
#pragma once

#include <future>
#include <thread>

namespace qs::test {

// Opens the clipboard from a thread of its own (with a window of that thread) and keeps it open
// until Release or destruction; OpenClipboard from any other thread fails meanwhile.
class ClipboardHolder {
  public:
    ClipboardHolder();
    ~ClipboardHolder();
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

    // Whether the clipboard was opened.
    bool Holding() const { return holding_; }
    void Release();

  private:
    std::promise<void> release_;
    bool holding_ = false;
    std::thread thread_;
};

} // namespace qs::test
