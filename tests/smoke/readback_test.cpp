// Proves the Win32 pipeline: a window paints known pixels into its frame and client area,
// and the support library reads them back from the screen exactly.
#include "tests/support/wintest.h"

#include <gtest/gtest.h>

namespace {

constexpr COLORREF kFrame = RGB(200, 30, 40);
constexpr COLORREF kClient = RGB(20, 90, 220);

LRESULT CALLBACK PaintProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCPAINT: {
        HDC dc = GetWindowDC(hwnd);
        RECT r;
        GetWindowRect(hwnd, &r);
        OffsetRect(&r, -r.left, -r.top);
        HBRUSH b = CreateSolidBrush(kFrame);
        FillRect(dc, &r, b);
        DeleteObject(b);
        ReleaseDC(hwnd, dc);
        return 0;
    }
    case WM_NCACTIVATE:
        // Keep the default procedure from painting its own caption over ours.
        RedrawWindow(hwnd, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        return TRUE;
    case WM_ERASEBKGND: {
        RECT r;
        GetClientRect(hwnd, &r);
        HBRUSH b = CreateSolidBrush(kClient);
        FillRect(HDC(wp), &r, b);
        DeleteObject(b);
        return 1;
    }
    }
    return DefWindowProcA(hwnd, msg, wp, lp);
}

uint32_t rgb(COLORREF c) {
    return uint32_t(GetRValue(c)) << 16 | uint32_t(GetGValue(c)) << 8 | GetBValue(c);
}

} // namespace

TEST(Readback, FrameAndClientPixelsComeBackExactly) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = PaintProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QsReadbackTest";
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND hwnd = CreateWindowExA(0, wc.lpszClassName, "readback", WS_OVERLAPPEDWINDOW, 100, 80, 320, 240,
                                nullptr, nullptr, wc.hInstance, nullptr);
    ASSERT_TRUE(hwnd);
    ShowWindow(hwnd, SW_SHOW);
    SetForegroundWindow(hwnd);
    UpdateWindow(hwnd);
    qs::test::PumpFor(200);

    RECT wr, cr;
    GetWindowRect(hwnd, &wr);
    GetClientRect(hwnd, &cr);
    POINT origin{0, 0};
    ClientToScreen(hwnd, &origin);
    const int cx = origin.x - wr.left, cy = origin.y - wr.top;
    ASSERT_GT(cx, 0) << "the window has no left frame";
    ASSERT_GT(cy, 0) << "the window has no caption";

    qs::test::Pixels px = qs::test::CaptureWindow(hwnd);
    qs::test::SaveImage(qs::test::ScreenshotPath("readback.png"), px);
    ASSERT_EQ(px.width, wr.right - wr.left);
    ASSERT_EQ(px.height, wr.bottom - wr.top);
    EXPECT_EQ(px.at(0, 0), rgb(kFrame));
    EXPECT_EQ(px.at(px.width / 2, cy / 2), rgb(kFrame)) << "caption band";
    EXPECT_EQ(px.at(px.width - 1, px.height - 1), rgb(kFrame));
    EXPECT_EQ(px.at(cx, cy), rgb(kClient));
    EXPECT_EQ(px.at(cx + cr.right - 1, cy + cr.bottom - 1), rgb(kClient));
    EXPECT_EQ(px.at(cx - 1, cy), rgb(kFrame)) << "the pixel left of the client area";

    DestroyWindow(hwnd);
    UnregisterClassA(wc.lpszClassName, wc.hInstance);
}
