// The system's own dialogs opened from the gallery's File menu (the common file dialog, the colour
// dialog, a message box) are skinned through their window classes: each opens with its buttons
// drawn from the skin, takes keys and closes, many times over, leaving no GDI or USER object.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <functional>
#include <string>

#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "tests/support/skin_faces.h"
#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/timer.h"

using namespace qs::test;

namespace {

constexpr int kOpenings = 50;

// What one opening of a dialog showed.
struct Seen {
    bool Found = false;
    bool ButtonSkinned = false;
    bool DrawnFromSkin = false;
    bool ClosedByKeys = false;
    bool Active = false;
};

class GalleryDialogs : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterGalleryClasses(); }
    void SetUp() override {
        Application->Initialize();
        frame = NewForm<TGalleryForm>(nullptr);
        std::string error;
        ASSERT_TRUE(frame->Start(GalleryOptions{}, {}, error)) << error;
        frame->Show();
        SetForegroundWindow(frame->Handle());
        ASSERT_TRUE(RunToolkitUntil(
            [&] {
                auto* f = dynamic_cast<TWinSkinForm*>(SkinManager->FindFormSkinner(frame->Handle()));
                return f && f->State == fsSkinned;
            },
            5000));
    }
    void TearDown() override {
        delete frame;
        FreeSkinManager();
    }

    // Opens a modal dialog with `open`; a timer running inside the dialog's loop finds it, looks
    // at its Cancel button, lets `input` type into it and closes it with Esc. A dialog the keys
    // do not close is cancelled, so that a failure cannot hang the run.
    Seen openAndClose(const std::function<void()>& open, bool lookAtPixels,
                      const std::function<void(HWND dialog)>& input = {}, const char* shot = nullptr) {
        Seen seen;
        int ticks = 0;
        bool escaped = false, looking = false;
        TTimer timer(nullptr);
        timer.SetInterval(50);
        timer.OnTimer = TNotifyEvent([&](TObject*) {
            // The look below pumps messages, this timer's among them.
            if (looking) return;
            ++ticks;
            HWND dialog = GetLastActivePopup(frame->Handle());
            if (dialog == frame->Handle() || !IsWindowVisible(dialog)) {
                if (ticks > 200) timer.SetEnabled(false);
                return;
            }
            if (escaped) {
                if (ticks > 100) PostMessageA(dialog, WM_COMMAND, IDCANCEL, 0);
                return;
            }
            seen.Found = true;
            looking = true;
            // Wine shows what a window painted a little later.
            PumpFor(150);
            HWND cancel = GetDlgItem(dialog, IDCANCEL);
            seen.ButtonSkinned = SendMessageA(cancel, SKM_ISSKINNED, 0, 0) == 1;
            if (lookAtPixels) {
                seen.DrawnFromSkin = DrawnFromSkin(cancel, *frame->SkinData1);
                // Taken from the active, enabled dialog, as a user sees it.
                seen.Active = GetForegroundWindow() == dialog && IsWindowEnabled(dialog);
                RECT r{};
                GetWindowRect(dialog, &r);
                if (shot) SaveImage(ScreenshotPath(shot), CaptureScreen(r));
            }
            if (input) input(dialog);
            escaped = true;
            looking = false;
            ticks = 0;
            KeyPress(VK_ESCAPE);
        });
        timer.SetEnabled(true);
        open();
        seen.ClosedByKeys = seen.Found && ticks <= 100;
        return seen;
    }

    // Every opening shows a skinned Cancel button and closes by keys; nothing is left behind.
    void openManyTimes(const char* name, const std::function<void()>& open,
                       const std::function<void(HWND dialog)>& input = {}, const char* shot = nullptr) {
        const Seen first = openAndClose(open, true, input, shot);
        EXPECT_TRUE(first.Active) << name << ": looked at while active and enabled";
        EXPECT_TRUE(first.Found) << name;
        EXPECT_TRUE(first.ButtonSkinned) << name;
        EXPECT_TRUE(first.DrawnFromSkin) << name << ": Cancel shows a face of the skin";
        EXPECT_TRUE(first.ClosedByKeys) << name;
        RunToolkitUntil([] { return false; }, 100);
        const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
        int good = 0;
        for (int i = 1; i < kOpenings; ++i) {
            const Seen seen = openAndClose(open, false, input);
            good += seen.Found && seen.ButtonSkinned && seen.ClosedByKeys;
        }
        RunToolkitUntil([] { return false; }, 100);
        const DWORD gdiAfter = GdiObjectCount(), userAfter = UserObjectCount();
        std::printf("%s: %d openings: GDI %lu -> %lu, USER %lu -> %lu\n", name, kOpenings, gdi, gdiAfter,
                    user, userAfter);
        EXPECT_EQ(good, kOpenings - 1) << name;
        EXPECT_LE(gdiAfter, gdi + 4) << name;
        EXPECT_LE(userAfter, user + 4) << name;
    }

    TGalleryForm* frame = nullptr;
};

std::string focusedText() {
    char text[256] = {};
    GetWindowTextA(GetFocus(), text, sizeof text);
    return text;
}

} // namespace

TEST_F(GalleryDialogs, TheColourDialogOpensSkinnedAndCloses) {
    openManyTimes("colour dialog", [&] { frame->ChooseColourClick(nullptr); });
}

TEST_F(GalleryDialogs, AMessageBoxOpensSkinnedAndCloses) {
    openManyTimes("message box", [&] { frame->MessageBoxClick(nullptr); });
}

TEST_F(GalleryDialogs, TheFileDialogOpensSkinnedTakesAFileNameAndCloses) {
    std::string typed;
    openManyTimes(
        "file dialog", [&] { frame->OpenSkinExecute(nullptr); },
        [&](HWND) {
            for (WORD key : {WORD('Q'), WORD('S')})
                KeyPress(key);
            PumpFor(30);
            typed = focusedText();
        },
        "gallery-file-dialog-item9.png");
    EXPECT_NE(typed.find("qs"), std::string::npos) << "the file name field took the keys: " << typed;
}
