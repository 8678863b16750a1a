// The form skinner on a live 800x600 top-level window: non-client paint unskinned (Wine's own
// frame) and skinned through the skin manager, caption-button hover repaints, region rebuilds
// and resizes.
//   form_frame_bench [SKIN]   SKIN: a .skin path or a bundled id; default item9 (the program's skin)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "bench/win32/bench_harness.h"
#include "bench/win32/bench_skins.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/core/skin_records.h"
#include "skin/form/win_skin_form.h"
#include "skin/paint/skin_paint.h"
#include "tests/support/wintest.h"

using namespace qs::bench;
using qs::test::PumpFor;

namespace {

constexpr int kWidth = 800, kHeight = 600, kLeft = 40, kTop = 40;

HWND makeForm() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QsBenchForm";
    wc.hbrBackground = HBRUSH(COLOR_BTNFACE + 1);
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    RegisterClassA(&wc);
    HWND h = CreateWindowExA(0, wc.lpszClassName, "Quillshot frame benchmark", WS_OVERLAPPEDWINDOW, kLeft,
                             kTop, kWidth, kHeight, nullptr, nullptr, wc.hInstance, nullptr);
    ShowWindow(h, SW_SHOW);
    SetForegroundWindow(h);
    PumpFor(100);
    return h;
}

std::string windowSize(HWND h) {
    RECT w{}, c{};
    GetWindowRect(h, &w);
    GetClientRect(h, &c);
    return SizeText(w.right - w.left, w.bottom - w.top) + " c" + SizeText(c.right, c.bottom);
}

void setSize(HWND h, int w, int ht) {
    SetWindowPos(h, nullptr, 0, 0, w, ht, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::string timesOf(double value, double baseline, const char* what) {
    if (baseline <= 0) return {};
    char text[64];
    std::snprintf(text, sizeof text, ", %.2fx %s", value / baseline, what);
    return text;
}

struct TNcFigures {
    TFigures NcPaint, Redraw;
};

// The frame-paint figures both looks share; the skinned ones are set beside Wine's own.
TNcFigures benchNcPaint(TReport& report, HWND h, const std::string& look, const TNcFigures* wine) {
    const std::string size = windowSize(h);
    TNcFigures f;
    f.NcPaint = Measure([&] { SendMessageA(h, WM_NCPAINT, 1, 0); });
    report.Row("WM_NCPAINT " + look, size, f.NcPaint,
               "SendMessage, whole frame" +
                   (wine ? timesOf(f.NcPaint.Median, wine->NcPaint.Median, "Wine's") : ""));
    f.Redraw = Measure(
        [&] { RedrawWindow(h, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); });
    report.Row("RedrawWindow frame+client " + look, size, f.Redraw,
               "RDW_FRAME|INVALIDATE|ERASE|UPDATENOW" +
                   (wine ? timesOf(f.Redraw.Median, wine->Redraw.Median, "Wine's") : ""));
    return f;
}

struct TResizeFigures {
    TFigures Time;
    int Resizes = 0, RegionBuilds = 0;
};

// Alternates between two sizes; each run is one resize and the repaint it leaves pending.
TResizeFigures resizeCycle(HWND h, const TWinSkinForm* form) {
    TResizeFigures r;
    const int before = form ? form->RegionBuilds : 0;
    r.Time = Measure([&] {
        ++r.Resizes;
        setSize(h, kWidth + (r.Resizes & 1) * 10, kHeight + (r.Resizes & 1) * 10);
        RedrawWindow(h, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    });
    if (form) r.RegionBuilds = form->RegionBuilds - before;
    setSize(h, kWidth, kHeight);
    PumpFor(50);
    return r;
}

TWinSysButton* hoverTarget(TWinSkinForm& form) {
    TWinSysButton* found = nullptr;
    for (auto& b : form.CaptionButtons)
        if (b->Visible && !b->IsIconButton() && b->Rect.right > b->Rect.left) found = b.get();
    return found;
}

POINT centre(const RECT& r) {
    return POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

LPARAM screenPoint(HWND h, POINT frame) {
    RECT w{};
    GetWindowRect(h, &w);
    return MAKELPARAM(w.left + frame.x, w.top + frame.y);
}

void moveCursor(HWND h, POINT frame) {
    RECT w{};
    GetWindowRect(h, &w);
    const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
    INPUT in{};
    in.type = INPUT_MOUSE;
    in.mi.dx = LONG((w.left + frame.x) * 65535 / (sw - 1));
    in.mi.dy = LONG((w.top + frame.y) * 65535 / (sh - 1));
    in.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    SendInput(1, &in, sizeof(in));
}

// Pumps until done() or about 250 ms; false on the timeout.
template <class Done> bool pumpUntil(Done done) {
    const double end = Now() + 0.25;
    while (!done()) {
        if (Now() > end) return false;
        MSG msg;
        if (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        } else {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
        }
    }
    return true;
}

void benchHover(TReport& report, HWND h, TWinSkinForm& form) {
    TWinSysButton* button = hoverTarget(form);
    if (!button) {
        report.Note("caption-button hover: the skin shows no caption button on this form");
        return;
    }
    const POINT on = centre(button->Rect);
    const POINT off{form.BorderLeft + 40, form.CaptionHeight / 2};
    char size[48];
    std::snprintf(size, sizeof size, "button %ldx%ld", button->Rect.right - button->Rect.left,
                  button->Rect.bottom - button->Rect.top);
    int hot = 0, runs = 0;
    const auto enter = [&] { SendMessageA(h, WM_NCMOUSEMOVE, HTCAPTION, screenPoint(h, on)); };
    const auto leave = [&] { SendMessageA(h, WM_NCMOUSEMOVE, HTCAPTION, screenPoint(h, off)); };
    const TFigures in = Measure(leave, [&] {
        enter();
        ++runs;
        hot += form.HotObject == button && button->MouseState == msHot;
    });
    report.Row("hover enter: WM_NCMOUSEMOVE -> hot frame", size, in,
               "button hot after " + std::to_string(hot) + " of " + std::to_string(runs) + " calls");
    report.Row("hover leave: WM_NCMOUSEMOVE -> normal frame", size, Measure(enter, leave),
               "includes DefWindowProc of the move");
    // What the hot repaint is made of: the window DC, and the button frame drawn (transparent).
    report.Row("  GetWindowDC + ReleaseDC", "window DC", Measure([&] { ReleaseDC(h, GetWindowDC(h)); }),
               "Wine's share");
    TDataSkinSysButton& data = *button->ButtonData;
    const int frames = data.Frame > 0 ? int(data.Frame) : 1;
    TBitmap buffer(kWidth, kHeight, pf24bit);
    report.Row("  DrawSkinFrame hot, to a memory DC", size, Measure([&] {
                   DrawSkinFrame(buffer.Canvas().Handle(), button->Rect, data.Bitmap, true, frames,
                                 std::min(3, frames));
               }),
               "transparent, as the button paints");

    // The real input path: a pointer move through Wine's input queue, hit test and NC move.
    int timeouts = 0;
    const TFigures input = Measure(
        [&] {
            moveCursor(h, off);
            pumpUntil([&] { return form.HotObject == nullptr; });
            // Moves still queued would reach the timed run.
            PumpFor(5);
        },
        [&] {
            moveCursor(h, on);
            timeouts += !pumpUntil([&] { return form.HotObject == button && button->MouseState == msHot; });
        },
        TRunLimits{3, 10, 100, 1.5});
    report.Row("hover via SendInput -> hot frame painted", size, input,
               timeouts ? std::to_string(timeouts) + " runs timed out at 250 ms"
                        : "pointer move to hot frame");
    moveCursor(h, POINT{kWidth / 2, kHeight / 2});
    PumpFor(50);
}

void benchRegion(TReport& report, HWND h, TWinSkinForm& form) {
    const int before = form.RegionBuilds;
    int runs = 0;
    const TFigures rebuild = Measure([&] { form.RegionWidth = 0; },
                                     [&] {
                                         form.UpdateRegion();
                                         ++runs;
                                     });
    report.Row("UpdateRegion forced rebuild", windowSize(h), rebuild,
               std::to_string(form.RegionBuilds - before) + " builds in " + std::to_string(runs) +
                   " calls, " + (form.OwnsRegion ? "SetWindowRgn included" : "NO REGION SET"));
}

} // namespace

int main(int argc, char** argv) {
    const TSkinFile file = ChooseSkin(argc > 1 ? argv[1] : "", "item9");
    TReport report("form_frame_bench: non-client paint of a top-level form (" + file.Id + ")");
    HWND h = makeForm();

    const TNcFigures wine = benchNcPaint(report, h, "unskinned (Wine)", nullptr);
    const TFigures wineResize = resizeCycle(h, nullptr).Time;
    report.Row("resize +-10 px + repaint unskinned (Wine)", windowSize(h), wineResize,
               "SetWindowPos, UpdateWindow");

    RegisterFormSkinning();
    TSkinData skin(nullptr);
    if (!LoadInto(skin, file)) {
        report.Note("skin " + file.Id + " not accepted");
        return 1;
    }
    TSkinManage& manager = EnsureSkinManager();
    manager.RegisterSkinData(&skin);
    manager.SetSkinning(true);
    const bool taken = manager.SkinWindow(h);
    PumpFor(150);
    auto* form = dynamic_cast<TWinSkinForm*>(manager.FindFormSkinner(h));
    if (!taken || !form || form->State != fsSkinned || !form->FrameSkinned) {
        report.Note("the skin manager did not skin the form");
        return 1;
    }
    // The skinner keeps the client size; give the skinned form the same outer size.
    setSize(h, kWidth, kHeight);
    PumpFor(100);

    benchNcPaint(report, h, "skinned", &wine);
    TBitmap buffer(kWidth, kHeight, pf24bit);
    report.Row("PaintFrame to a memory DC skinned", windowSize(h),
               Measure([&] { form->PaintFrame(buffer.Canvas().Handle()); }), "composing only, no window DC");
    benchHover(report, h, *form);
    benchRegion(report, h, *form);
    const TResizeFigures resize = resizeCycle(h, form);
    report.Row("resize +-10 px + repaint skinned", windowSize(h), resize.Time,
               "region rebuilt " + std::to_string(resize.RegionBuilds) + " times in " +
                   std::to_string(resize.Resizes) + " resizes" +
                   timesOf(resize.Time.Median, wineResize.Median, "Wine's"));

    DestroyWindow(h);
    PumpFor(20);
    FreeSkinManager();
    return 0;
}
