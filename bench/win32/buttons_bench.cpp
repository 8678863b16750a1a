// The gallery's Buttons page: a full repaint of the page with its push, bit and speed buttons,
// unskinned (the system's look) and skinned, and the repaint one button gets when the pointer
// comes over it.
//   buttons_bench [N]   N: the stored skin the gallery switches to; default 9 (the program's skin)
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/win32/bench_gallery.h"
#include "bench/win32/bench_harness.h"
#include "gallery/gallery_form.h"
#include "gallery/pages.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"

using namespace qs::bench;

namespace {

void repaintAll(HWND page) {
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

} // namespace

int main(int argc, char** argv) {
    const int stored = argc > 1 ? std::atoi(argv[1]) : 9;
    TReport report("buttons_bench: the gallery's Buttons page (stored skin " + std::to_string(stored) + ")");
    TGalleryForm* frame = StartGallery(report, stored);
    if (!frame) return 1;
    TCustomForm* page = nullptr;
    HWND button = nullptr;
    // An MDI child is skinned when it is made (switching skinning on again skins top-level forms).
    auto openPage = [&] {
        delete page;
        page = FindGalleryPage("Buttons")->open(frame);
        page->SetBounds(0, 0, 640, 360);
        Settle();
        button = dynamic_cast<TWinControl*>(page->FindComponent("ButtonNormal"))->Handle();
    };
    openPage();
    auto hover = [&button] {
        SendMessageA(button, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
        SendMessageA(button, WM_MOUSELEAVE, 0, 0);
    };
    auto hoverPlain = [&button] {
        InvalidateRect(button, nullptr, TRUE);
        UpdateWindow(button);
    };

    auto skinnedNow = [&button] { return SendMessageA(button, SKM_ISSKINNED, 0, 0) == 1; };
    if (skinnedNow()) report.Note("the page's buttons were still skinned while measured unskinned");
    const TFigures plain = Measure([&] { repaintAll(page->Handle()); });
    report.Row("page repaint, unskinned", "640x360", plain, "RedrawWindow, all children");
    const TFigures plainHover = Measure(hoverPlain);
    report.Row("button repaint, unskinned", "75x25", plainHover, "invalidate and update");

    frame->SkinData1->SetActive(true);
    Settle();
    openPage();
    if (!skinnedNow()) report.Note("the page's buttons were not skinned again");
    char ratio[48];
    const TFigures skinned = Measure([&] { repaintAll(page->Handle()); });
    std::snprintf(ratio, sizeof ratio, "%.2fx unskinned", skinned.Median / plain.Median);
    report.Row("page repaint, skinned", "640x360", skinned, ratio);
    const TFigures skinnedHover = Measure(hover);
    std::snprintf(ratio, sizeof ratio, "%.2fx unskinned; hot, then back",
                  skinnedHover.Median / (2 * plainHover.Median));
    report.Row("button hover, skinned", "75x25", skinnedHover, ratio);
    report.Note("hover: pointer on (hot face) and off again, two repaints, against two plain ones");
    delete frame;
    return 0;
}
