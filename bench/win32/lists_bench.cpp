// Scroll bars and tabs on the gallery's pages, unskinned (the system's look) and skinned:
// scrolling a 1000-line memo by 100 lines with the mouse wheel, one frame of a thumb drag across
// the memo's track (the memo scrolled and every bar repainted, as each mouse move of a drag does),
// and a full repaint of the Tabs page.
//   lists_bench [N]   N: the stored skin the gallery switches to; default 9 (the program's skin)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "bench/win32/bench_gallery.h"
#include "bench/win32/bench_harness.h"
#include "gallery/gallery_form.h"
#include "gallery/pages.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "toolkit/controls/memo.h"
#include "toolkit/core/strings.h"

using namespace qs::bench;

namespace {

constexpr int kLines = 1000;
constexpr int kScrolledLines = 100;

// What is waiting to be painted on the page, painted now (the overlays are the page's children).
void flush(HWND page) {
    RedrawWindow(page, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

void repaintAll(HWND page) {
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

int firstLine(HWND memo) {
    return int(SendMessageA(memo, EM_GETFIRSTVISIBLELINE, 0, 0));
}

void toTop(HWND memo, HWND page) {
    SendMessageA(memo, WM_VSCROLL, SB_TOP, 0);
    flush(page);
}

// Wheel notches until the memo shows line kScrolledLines at its top.
void wheel(HWND memo, HWND page) {
    RECT r{};
    GetWindowRect(memo, &r);
    const LPARAM at = MAKELPARAM((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    for (int notch = 0; notch < kLines && firstLine(memo) < kScrolledLines; ++notch) {
        SendMessageA(memo, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), at);
        flush(page);
    }
}

// Every frame of a thumb drag from the top of the track to its end; the slowest and the median.
struct TDrag {
    double Slowest = 0, Median = 0;
    int Frames = 0;
};

TDrag drag(HWND memo, HWND page) {
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    GetScrollInfo(memo, SB_VERT, &info);
    std::vector<double> frames;
    for (int pos = info.nMin; pos <= info.nMax - int(info.nPage) + 1; pos += 4) {
        const double start = Now();
        SendMessageA(memo, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, pos), 0);
        flush(page);
        frames.push_back(Now() - start);
    }
    SendMessageA(memo, WM_VSCROLL, SB_ENDSCROLL, 0);
    toTop(memo, page);
    TDrag result;
    if (frames.empty()) return result;
    result.Frames = int(frames.size());
    result.Slowest = *std::max_element(frames.begin(), frames.end());
    std::nth_element(frames.begin(), frames.begin() + frames.size() / 2, frames.end());
    result.Median = frames[frames.size() / 2];
    return result;
}

TFigures asFigures(const TDrag& d) {
    TFigures f;
    f.Runs = d.Frames;
    f.Min = f.Median = f.Mean = d.Median;
    f.P90 = d.Slowest;
    return f;
}

std::string ratio(double skinned, double plain, const char* what) {
    char text[64];
    std::snprintf(text, sizeof text, "%.2fx unskinned%s", skinned / plain, what);
    return text;
}

} // namespace

int main(int argc, char** argv) {
    const int stored = argc > 1 ? std::atoi(argv[1]) : 9;
    TReport report("lists_bench: scroll bars and tabs (stored skin " + std::to_string(stored) + ")");
    TGalleryForm* frame = StartGallery(report, stored);
    if (!frame) return 1;

    TCustomForm* lists = nullptr;
    TCustomForm* tabs = nullptr;
    HWND memo = nullptr;
    // An MDI child is skinned when it is made, so each measurement gets fresh pages.
    auto openPages = [&] {
        delete lists;
        delete tabs;
        lists = FindGalleryPage("Lists")->open(frame);
        lists->SetBounds(0, 0, 640, 380);
        auto* long_ = dynamic_cast<TMemo*>(lists->FindComponent("MemoLong"));
        std::string text;
        for (int i = 1; i <= kLines; ++i)
            text += "Line " + std::to_string(i) + " of a memo longer than its window\r\n";
        long_->Lines()->SetText(text);
        memo = long_->Handle();
        tabs = FindGalleryPage("Tabs")->open(frame);
        tabs->SetBounds(0, 0, 640, 380);
        Settle();
    };
    auto skinnedNow = [&] { return SendMessageA(memo, SKM_ISSKINNED, 0, 0) == 1; };

    openPages();
    if (skinnedNow()) report.Note("the memo was still skinned while measured unskinned");
    const TFigures plainWheel =
        Measure([&] { toTop(memo, lists->Handle()); }, [&] { wheel(memo, lists->Handle()); });
    report.Row("wheel 100 lines, unskinned", "1000 lines", plainWheel,
               "one wheel notch at a time, each painted");
    const TDrag plainDrag = drag(memo, lists->Handle());
    report.Row("drag frame, unskinned", "memo", asFigures(plainDrag), "median; p90 column: slowest frame");
    const TFigures plainTabs = Measure([&] { repaintAll(tabs->Handle()); });
    report.Row("Tabs page repaint, unskinned", "640x380", plainTabs, "RedrawWindow, all children");

    frame->SkinData1->SetActive(true);
    Settle();
    openPages();
    if (!skinnedNow()) report.Note("the memo was not skinned again");
    const TFigures skinWheel =
        Measure([&] { toTop(memo, lists->Handle()); }, [&] { wheel(memo, lists->Handle()); });
    report.Row("wheel 100 lines, skinned", "1000 lines", skinWheel,
               ratio(skinWheel.Median, plainWheel.Median, ""));
    const TDrag skinDrag = drag(memo, lists->Handle());
    report.Row("drag frame, skinned", "memo", asFigures(skinDrag),
               ratio(skinDrag.Median, plainDrag.Median, "; target: slowest under 16 ms"));
    const TFigures skinTabs = Measure([&] { repaintAll(tabs->Handle()); });
    report.Row("Tabs page repaint, skinned", "640x380", skinTabs,
               ratio(skinTabs.Median, plainTabs.Median, ""));
    report.Note("drag: WM_VSCROLL SB_THUMBTRACK every 4 positions across the track, each frame painted; " +
                std::to_string(skinDrag.Frames) + " frames");
    delete lists;
    delete tabs;
    delete frame;
    return 0;
}
