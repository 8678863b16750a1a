// The region overlay driven by synthetic mouse input while its modal loop runs.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "app/program_classes.h"
#include "app/qcapture.h"
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
    MouseButton(true, true);
    Sleep(40);
    MouseButton(true, false);
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
    Pixels during;
    CaptureWith([&] {
        moveTo(100, 300);
        moveTo(240, 160);
        during = CaptureScreen();
        clickAt(240, 160);
        clickAt(300, 220);
    });
    ASSERT_FALSE(during.empty());
    const uint32_t kInverted = 0xFFFFFF;
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
