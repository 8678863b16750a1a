// Popup menus: opening a toolkit popup until its window has painted, unskinned (the system's look)
// and skinned (menu window from MenuBackground, owner-drawn items), and one item's repaint as the
// pointer moves onto it.
//   menu_bench [SKIN]   SKIN: a .skin path or a bundled id; default item9 (the program's skin)
#include <windows.h>

#include <cstdio>
#include <memory>
#include <string>

#include "bench/win32/bench_harness.h"
#include "bench/win32/bench_skins.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/controls/register.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/subclass.h"

using namespace qs::bench;

namespace {

// The open menu window, subclassed to close the menu as soon as it has painted once.
HHOOK hook = nullptr;
std::unique_ptr<win::Subclass> watcher;

LRESULT CALLBACK watchCreation(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        char name[16] = {};
        GetClassNameA(HWND(wParam), name, sizeof name);
        if (std::string(name) == "#32768" && !watcher) {
            watcher = std::make_unique<win::Subclass>();
            win::Subclass* s = watcher.get();
            s->Install(HWND(wParam), win::SubclassKind::Control, [s](UINT msg, WPARAM w, LPARAM l) {
                const LRESULT r = s->CallPrevious(msg, w, l);
                if (msg == WM_PAINT) EndMenu();
                return r;
            });
        }
    }
    return CallNextHookEx(hook, code, wParam, lParam);
}

void openUntilPainted(TPopupMenu& menu) {
    menu.Popup(200, 150);
    watcher.reset();
    qs::test::PumpFor(1); // the closed menu's last messages
}

} // namespace

int main(int argc, char** argv) {
    const TSkinFile file = ChooseSkin(argc > 1 ? argv[1] : "", "item9");
    TReport report("menu_bench: a six-item toolkit popup menu (" + file.Id + ")");
    RegisterControlClasses();
    Application->Initialize();
    std::unique_ptr<TForm> form(NewForm<TForm>(nullptr));
    form->SetBounds(100, 100, 400, 300);
    form->Show();
    auto* menu = new TPopupMenu(form.get());
    for (const char* caption : {"&Open", "&Save", "-", "&Print", "P&review", "E&xit"}) {
        auto* item = new TMenuItem(menu);
        item->SetCaption(caption);
        menu->Items()->Add(item);
    }
    SetForegroundWindow(form->Handle());
    qs::test::PumpFor(100);
    hook = SetWindowsHookExA(WH_CBT, watchCreation, nullptr, GetCurrentThreadId());

    const TRunLimits limits{3, 20, 200, 3.0};
    const TFigures plain = Measure([&] { openUntilPainted(*menu); }, limits);
    report.Row("open until painted, unskinned", "6 items", plain, "Popup, first WM_PAINT, EndMenu");

    RegisterFormSkinning();
    TSkinData skin(nullptr);
    if (!LoadInto(skin, file)) {
        report.Note("skin " + file.Id + " not accepted");
        return 1;
    }
    TSkinManage& manager = EnsureSkinManager();
    manager.RegisterSkinData(&skin);
    manager.SetSkinning(true);
    manager.InstallHook();
    if (!manager.SkinWindow(form->Handle())) {
        report.Note("the skin manager did not skin the form");
        return 1;
    }
    qs::test::PumpFor(150);
    const TFigures skinned = Measure([&] { openUntilPainted(*menu); }, limits);
    char ratio[48];
    std::snprintf(ratio, sizeof ratio, "%.2fx unskinned", skinned.Median / plain.Median);
    report.Row("open until painted, skinned", "6 items", skinned, ratio);

    // One item drawn selected, as the pointer reaches it: the skin's face against the plain one.
    auto* skinner = dynamic_cast<TWinSkinForm*>(manager.FindFormSkinner(form->Handle()));
    TMenuItem& item = *menu->Items()->Item(0);
    TBitmap target(160, 22, pf24bit);
    TCanvas canvas;
    canvas.SetHandle(target.Canvas().Handle());
    const RECT rect{0, 0, 160, 22};
    const TFigures plainItem = Measure([&] { item.DrawPlain(canvas, rect, true); });
    report.Row("item repaint, plain", "160x22", plainItem);
    if (skinner) {
        const TFigures skinItem = Measure([&] { skinner->DrawMenuItem(&item, &canvas, rect, true); });
        std::snprintf(ratio, sizeof ratio, "%.2fx plain", skinItem.Median / plainItem.Median);
        report.Row("item repaint, skinned", "160x22", skinItem, ratio);
    }
    canvas.SetHandle(nullptr);
    UnhookWindowsHookEx(hook);
    return 0;
}
