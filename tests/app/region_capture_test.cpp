// The region overlay driven by synthetic mouse input while its modal loop runs.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "app/app_texts.h"
#include "app/program_classes.h"
#include "app/qcapture.h"
#include "tests/support/clipboard_holder.h"
#include "tests/support/pattern_window.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"

using namespace qs::test;

namespace {

// The picture under the overlay: cells of 7 x 1 pixels, each of its own colour.
PatternWindow Backdrop() {
    return PatternWindow(RECT{0, 0, 700, 500}, 7, 1, false);
}

void moveTo(int x, int y) {
    MouseMoveTo(x, y);
    Sleep(80);
}

HWND WaitForOverlay() {
    for (int i = 0; i < 300; ++i) {
        HWND h = FindWindowA("TForm5", nullptr);
        if (h && IsWindowVisible(h) && IsZoomed(h)) return h;
        Sleep(20);
    }
    return nullptr;
}

void clickAt(int x, int y) {
    moveTo(x, y);
    MouseButtonAt(x, y, true, true);
    Sleep(40);
    MouseButtonAt(x, y, true, false);
    Sleep(120);
}

// Runs a region capture while `drive` moves and clicks from another thread.
void CaptureWith(const std::function<void()>& drive) {
    std::atomic<bool> overlay{false};
    std::thread driver([&] {
        overlay = WaitForOverlay() != nullptr;
        Sleep(200);
        // Wine drops the first pointer move after the overlay appears under the pointer.
        moveTo(5, 5);
        moveTo(6, 6);
        drive();
    });
    CaptureRegion();
    driver.join();
    ASSERT_TRUE(overlay) << "the overlay never opened";
}

// A shown top-level window of this process with the class, or null.
HWND ShownWindow(const char* className) {
    for (HWND h = nullptr; (h = FindWindowExA(nullptr, h, className, nullptr));) {
        DWORD pid = 0;
        GetWindowThreadProcessId(h, &pid);
        if (pid == GetCurrentProcessId() && IsWindowVisible(h)) return h;
    }
    return nullptr;
}

HWND WaitForShownWindow(const char* className, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    HWND h;
    while (!(h = ShownWindow(className)) && GetTickCount() - start < timeoutMs)
        Sleep(20);
    return h;
}

Pixels Crop(const Pixels& px, int left, int top, int w, int h) {
    Pixels out(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            out.at(x, y) = px.at(left + x, top + y);
    return out;
}

class RegionCapture : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        RegisterProgramClasses();
        Application->Initialize();
    }
};

} // namespace

TEST_F(RegionCapture, DraggedEitherWayGivesTheSameUprightPictureWithoutMarks) {
    const PatternWindow backdrop = Backdrop();
    const Pixels before = CaptureScreen();
    const Pixels expected = Crop(before, 150, 120, 220, 160);

    CaptureWith([] {
        clickAt(150, 120);
        moveTo(300, 200);
        moveTo(370, 280);
        clickAt(370, 280);
    });
    std::optional<Pixels> forward = ReadClipboardBitmap();
    ASSERT_TRUE(forward);
    ASSERT_EQ(forward->width, 220);
    ASSERT_EQ(forward->height, 160);
    EXPECT_EQ(forward->data, expected.data) << "no crosshair or frame in the picture";

    CaptureWith([] {
        clickAt(370, 280);
        moveTo(200, 130);
        clickAt(150, 120);
    });
    std::optional<Pixels> backward = ReadClipboardBitmap();
    ASSERT_TRUE(backward);
    EXPECT_EQ(backward->width, 220);
    EXPECT_EQ(backward->data, expected.data);
}

TEST_F(RegionCapture, BeforeTheFirstClickOnlyTheCrosshairMoves) {
    const PatternWindow backdrop = Backdrop();
    const Pixels before = CaptureScreen();
    const uint32_t kInverted = 0xFFFFFF;
    Pixels during;
    CaptureWith([&] {
        moveTo(100, 300);
        // Under load Wine may replay an older pointer position after a move: move again until
        // the vertical line shows where it should.
        for (int attempt = 0; attempt < 20; ++attempt) {
            moveTo(240, 160);
            during = CaptureScreen();
            if (during.at(240, 50) == (before.at(240, 50) ^ kInverted)) break;
        }
        clickAt(240, 160);
        clickAt(300, 220);
    });
    ASSERT_FALSE(during.empty());
    EXPECT_EQ(during.at(240, 50), before.at(240, 50) ^ kInverted) << "the vertical line";
    EXPECT_EQ(during.at(600, 160), before.at(600, 160) ^ kInverted) << "the horizontal line";
    EXPECT_EQ(during.at(100, 50), before.at(100, 50)) << "the first crosshair was erased";
    EXPECT_EQ(during.at(50, 300), before.at(50, 300));
    EXPECT_EQ(during.at(241, 50), before.at(241, 50));
    std::optional<Pixels> clip = ReadClipboardBitmap();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->data, Crop(before, 240, 160, 60, 60).data);
}

TEST_F(RegionCapture, TwoClicksInOneColumnGiveAOnePixelWideLine) {
    const PatternWindow backdrop = Backdrop();
    const Pixels before = CaptureScreen();
    CaptureWith([] {
        clickAt(200, 100);
        clickAt(200, 180);
    });
    std::optional<Pixels> clip = ReadClipboardBitmap();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->width, 1);
    EXPECT_EQ(clip->height, 80);
    EXPECT_EQ(clip->data, Crop(before, 200, 100, 1, 80).data);
}

// The second click cannot reach the clipboard: the overlay must close all the same, and the next
// capture must work once the clipboard is free.
TEST_F(RegionCapture, AClipboardHeldElsewhereClosesTheOverlayWithOneMessage) {
    const PatternWindow backdrop = Backdrop();
    const Pixels before = CaptureScreen();
    int messages = 0;
    bool overlayWithMessage = false, overlayStuck = false;
    std::string message;
    {
        ClipboardHolder holder;
        ASSERT_TRUE(holder.Holding());
        CaptureWith([&] {
            clickAt(200, 100);
            clickAt(260, 150);
            for (HWND box; (box = WaitForShownWindow("#32770", messages ? 1000 : 5000));) {
                ++messages;
                overlayWithMessage = overlayWithMessage || ShownWindow("TForm5");
                char text[256] = {};
                GetDlgItemTextA(box, 0xFFFF, text, sizeof text);
                message = text;
                PostMessageA(box, WM_COMMAND, IDOK, 0);
                for (int i = 0; i < 250 && IsWindow(box); ++i)
                    Sleep(20);
            }
            // An overlay still open would keep CaptureRegion from returning: close it, and say so.
            if (HWND overlay = ShownWindow("TForm5")) {
                overlayStuck = true;
                PostMessageA(overlay, WM_CLOSE, 0, 0);
            }
        });
    }
    EXPECT_EQ(messages, 1);
    EXPECT_EQ(message, app_text::kClipboardBusy);
    EXPECT_FALSE(overlayWithMessage) << "the overlay closes before the message shows";
    EXPECT_FALSE(overlayStuck);
    EXPECT_TRUE(IsWindowEnabled(backdrop.Handle())) << "the modal loop gave the other windows back";

    CaptureWith([] {
        clickAt(200, 100);
        clickAt(260, 150);
    });
    std::optional<Pixels> clip = ReadClipboardBitmap();
    ASSERT_TRUE(clip);
    EXPECT_EQ(clip->data, Crop(before, 200, 100, 60, 50).data);
}
