// Edits, combo boxes and the container pages, unskinned (the system's look) and skinned: typing
// 200 characters into an edit (each one painted), opening and closing a combo box's list 50 times,
// and a full repaint of the Text and Containers pages.
//   text_bench [N]   N: the stored skin the gallery switches to; default 9 (the program's skin)
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

constexpr int kTyped = 200;
constexpr int kListOpenings = 50;

HWND handleOf(TCustomForm* page, const char* name) {
    auto* control = dynamic_cast<TWinControl*>(page->FindComponent(name));
    return control ? control->Handle() : nullptr;
}

void repaintAll(HWND page) {
    RedrawWindow(page, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

// Characters as the keyboard gives them to the focused edit, each painted before the next.
void type(HWND edit) {
    SetWindowTextA(edit, "");
    for (int i = 0; i < kTyped; ++i) {
        SendMessageA(edit, WM_CHAR, WPARAM('a' + i % 26), 1);
        UpdateWindow(edit);
    }
}

// The list shown and hidden again, each time painted.
void dropDown(HWND combo) {
    for (int i = 0; i < kListOpenings; ++i) {
        SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(combo, &info)) UpdateWindow(info.hwndList);
        SendMessageA(combo, CB_SHOWDROPDOWN, FALSE, 0);
        UpdateWindow(combo);
    }
}

std::string ratio(double skinned, double plain) {
    char text[48];
    std::snprintf(text, sizeof text, "%.2fx unskinned", skinned / plain);
    return text;
}

struct TFiguresSet {
    TFigures Typing, Lists, Text, Containers;
};

} // namespace

int main(int argc, char** argv) {
    const int stored = argc > 1 ? std::atoi(argv[1]) : 9;
    TReport report("text_bench: edits, combo boxes and containers (stored skin " + std::to_string(stored) +
                   ")");
    TGalleryForm* frame = StartGallery(report, stored);
    if (!frame) return 1;

    TCustomForm* text = nullptr;
    TCustomForm* containers = nullptr;
    // An MDI child is skinned when it is made, so each measurement gets fresh pages.
    auto openPages = [&] {
        delete text;
        delete containers;
        text = FindGalleryPage("Text")->open(frame);
        text->SetBounds(0, 0, 640, 380);
        containers = FindGalleryPage("Containers")->open(frame);
        containers->SetBounds(0, 0, 640, 380);
        Settle();
    };
    auto measure = [&] {
        TFiguresSet f;
        HWND edit = handleOf(text, "EditBorder");
        HWND combo = handleOf(text, "ComboList");
        f.Typing = Measure([&] { type(edit); }, TRunLimits{1, 5, 20, 3.0});
        f.Lists = Measure([&] { dropDown(combo); }, TRunLimits{1, 5, 20, 3.0});
        f.Text = Measure([&] { repaintAll(text->Handle()); });
        f.Containers = Measure([&] { repaintAll(containers->Handle()); });
        return f;
    };
    auto skinnedNow = [&] { return SendMessageA(handleOf(text, "EditBorder"), SKM_ISSKINNED, 0, 0) == 1; };

    openPages();
    if (skinnedNow()) report.Note("the edit was still skinned while measured unskinned");
    const TFiguresSet plain = measure();
    frame->SkinData1->SetActive(true);
    Settle();
    openPages();
    if (!skinnedNow()) report.Note("the edit was not skinned again");
    const TFiguresSet skinned = measure();

    report.Row("typing 200 characters, unskinned", "edit", plain.Typing, "each character painted");
    report.Row("typing 200 characters, skinned", "edit", skinned.Typing,
               ratio(skinned.Typing.Median, plain.Typing.Median));
    report.Row("combo list 50 times, unskinned", "drop-down list", plain.Lists, "shown, painted, hidden");
    report.Row("combo list 50 times, skinned", "drop-down list", skinned.Lists,
               ratio(skinned.Lists.Median, plain.Lists.Median));
    report.Row("Text page repaint, unskinned", "640x380", plain.Text, "RedrawWindow, all children");
    report.Row("Text page repaint, skinned", "640x380", skinned.Text,
               ratio(skinned.Text.Median, plain.Text.Median));
    report.Row("Containers page repaint, unskinned", "640x380", plain.Containers,
               "RedrawWindow, all children");
    report.Row("Containers page repaint, skinned", "640x380", skinned.Containers,
               ratio(skinned.Containers.Median, plain.Containers.Median));
    delete text;
    delete containers;
    delete frame;
    return 0;
}
