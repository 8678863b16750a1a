// The program's start-up run in-process, as its entry runs it. Creating the main form shows the
// instructions dialog modally; a thread timer looks at it from inside that modal loop.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "app/program_classes.h"
#include "app/unit_capscr.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/nc_objects.h"
#include "skin/form/win_skin_form.h"
#include "skin/paint/skin_paint.h"
#include "tests/skin/paint/pixel_helpers.h"
#include "tests/support/bundled_skin_data.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"

using namespace qs::test;

namespace {

constexpr uint32_t kNotCompared = 0xFFFFFFFF;
constexpr uint32_t kMagenta = 0xFF00FF;
constexpr int kMinimiseAction = 2; // the caption-button action that minimises

// The frame `skin` gives a window of w x h at the skinner's geometry, put together from its border
// pieces with the engine's primitives. Magenta (cut away), the client area, the caption text and
// the caption buttons are left kNotCompared.
Pixels ExpectedFrame(const TWinSkinForm& f, TSkinData& skin, int w, int h) {
    Pixels expected(w, h, kNotCompared);
    auto place = [&](TDataSkinBorder& border, const RECT& at, bool vertical) {
        const int frames = std::max(1, int(border.Frame));
        const std::unique_ptr<TBitmap> piece =
            BuildSkinBitmap(at, border.Bitmap, border.Margins(), vertical, border.Tile != 1, frames,
                            f.Active || frames == 1 ? 1 : 2);
        ASSERT_TRUE(piece);
        for (int y = at.top; y < at.bottom; ++y)
            for (int x = at.left; x < at.right; ++x)
                expected.at(x, y) = PixelAt(*piece, x - at.left, y - at.top);
    };
    const int l = f.BorderLeft, r = f.BorderRight;
    place(*skin.Borders.Left, RECT{0, 0, l, h}, false);
    place(*skin.Borders.Right, RECT{w - r, 0, w, h}, false);
    place(*skin.Borders.Bottom, RECT{l, h - f.BorderBottom, w - r, h}, true);
    place(*skin.Borders.Top, RECT{l, 0, w - r, f.CaptionHeight}, true);
    auto skipColumns = [&](LONG from, LONG to) {
        for (int y = 0; y < f.CaptionHeight; ++y)
            for (int x = std::max(0, int(from)); x < std::min(w, int(to)); ++x)
                expected.at(x, y) = kNotCompared;
    };
    skipColumns(f.CaptionTextRect.left - 16, f.CaptionTextRect.right + 16);
    for (const auto& button : f.CaptionButtons)
        if (button->Visible) skipColumns(button->Rect.left - 2, button->Rect.right + 2);
    return expected;
}

// Pixels of `shown` that differ from the compared pixels of `expected`.
int Differing(const Pixels& shown, const Pixels& expected) {
    int differing = 0;
    for (size_t i = 0; i < expected.data.size(); ++i)
        if (expected.data[i] != kNotCompared && expected.data[i] != kMagenta &&
            shown.data[i] != expected.data[i])
            ++differing;
    return differing;
}

bool QuillshotRunning() {
    HANDLE mark = OpenMutexA(SYNCHRONIZE, FALSE, "quillshot");
    if (mark) CloseHandle(mark);
    return mark != nullptr;
}

// What the timer saw of the instructions dialog.
struct Sight {
    LONG style = 0, exStyle = 0;
    int captionIcons = 0; // what the skinned caption read of the style
    bool skinned = false;
    int framePixels = 0;           // compared pixels of the frame
    int differingFromSkin9 = -1;   // ... that are not skin 9's
    int differingFromOwnSkin = -1; // ... that are not the form's own skin's
    bool minimiseButton = false;   // the skinned caption has an enabled minimise button
    int ticks = 0;
};
Sight sight;
TSkinData* skin9 = nullptr;
TSkinData* ownSkin = nullptr;

// Looks until the frame is skin 9's (the manager's requests may repaint it meanwhile), or gives
// up; then closes the dialog, which lets start-up go on.
void CALLBACK LookAtInstructions(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = FindWindowA("TForm3", nullptr);
    if (!dialog || !IsWindowVisible(dialog)) return;
    ++sight.ticks;
    sight.style = GetWindowLongA(dialog, GWL_STYLE);
    sight.exStyle = GetWindowLongA(dialog, GWL_EXSTYLE);
    sight.skinned = SendMessageA(dialog, SKM_ISSKINNED, 0, 0) == 1;
    auto* f = SkinManager ? dynamic_cast<TWinSkinForm*>(SkinManager->FindFormSkinner(dialog)) : nullptr;
    if (f && f->FrameWidth > 0) {
        sight.captionIcons = f->BorderIcons;
        const Pixels shown = CaptureWindow(dialog);
        const Pixels expected = ExpectedFrame(*f, *skin9, shown.width, shown.height);
        sight.framePixels = int(std::count_if(expected.data.begin(), expected.data.end(),
                                              [](uint32_t c) { return c != kNotCompared && c != kMagenta; }));
        sight.differingFromSkin9 = Differing(shown, expected);
        sight.differingFromOwnSkin = Differing(shown, ExpectedFrame(*f, *ownSkin, shown.width, shown.height));
        sight.minimiseButton =
            std::any_of(f->CaptionButtons.begin(), f->CaptionButtons.end(), [](const auto& b) {
                return b->ButtonData->Action == kMinimiseAction && b->Visible && b->Enabled;
            });
    }
    if (sight.differingFromSkin9 == 0 || sight.ticks > 100) PostMessageA(dialog, WM_CLOSE, 0, 0);
}

} // namespace

TEST(Startup, TheInstructionsDialogIsAMinimisableToolWindowFramedByStoredSkinNine) {
    RegisterProgramClasses();
    Application->Initialize();
    const std::unique_ptr<TSkinData> nine = LoadBundledSkin("item9"), own = LoadBundledSkin("default");
    skin9 = nine.get();
    ownSkin = own.get();
    ASSERT_TRUE(skin9->Borders.Top && ownSkin->Borders.Top);
    ASSERT_FALSE(QuillshotRunning()) << "a second instance would end this process at once, passing nothing";

    const UINT_PTR timer = SetTimer(nullptr, 0, 100, LookAtInstructions);
    TForm1* main = nullptr;
    Application->CreateForm(main); // returns once the instructions dialog is closed
    KillTimer(nullptr, timer);

    EXPECT_TRUE(sight.skinned);
    // The skinner takes WS_SYSMENU away while it draws the caption; it keeps it in its icons.
    EXPECT_EQ(sight.style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX), LONG(WS_MINIMIZEBOX));
    EXPECT_TRUE(sight.exStyle & WS_EX_TOOLWINDOW);
    EXPECT_EQ(sight.captionIcons & (biSysMenuBox | biMinBox | biMaxBox), biSysMenuBox | biMinBox);
    EXPECT_TRUE(sight.minimiseButton);
    EXPECT_GT(sight.framePixels, 500);
    EXPECT_EQ(sight.differingFromSkin9, 0);
    EXPECT_GT(sight.differingFromOwnSkin, 0) << "the stored skin replaced the one read with the form";
    delete main;
}
