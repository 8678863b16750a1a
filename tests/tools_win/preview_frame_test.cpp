// The preview's mock window is the frame the form skinner paints: a live skinned window and the
// mock of the same size, state and caption agree pixel for pixel inside the window's shape.
#include <gtest/gtest.h>

#include <memory>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/menu_bar.h"
#include "skin/form/win_skin_form.h"
#include "tests/skin/paint/pixel_helpers.h"
#include "tests/support/bundled_skins.h"
#include "tests/support/wintest.h"
#include "tools/skin_sheet.h"

namespace {

using qs::test::PixelAt;

LRESULT CALLBACK plainProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return DefWindowProcW(h, msg, w, l);
}

HWND makeWindow(HMENU menu = nullptr) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = plainProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"QsPreviewFrameTest";
    RegisterClassW(&wc);
    HWND h = CreateWindowExW(0, wc.lpszClassName, qs::tools::kMockCaption, WS_OVERLAPPEDWINDOW, 60, 60, 330,
                             190, nullptr, menu, wc.hInstance, nullptr);
    ShowWindow(h, SW_SHOW);
    SetForegroundWindow(h);
    qs::test::PumpFor(30);
    return h;
}

// Pixels of the frame (outside the client area) inside the window region that differ from the mock;
// the icon button is left out, since a live window may have an icon the mock has not.
int frameMismatches(HWND h, TWinSkinForm& skinner, TBitmap& mock) {
    const qs::test::Pixels live = qs::test::CaptureWindowDC(h);
    HRGN shape = CreateRectRgn(0, 0, 0, 0);
    const bool shaped = GetWindowRgn(h, shape) != ERROR;
    RECT client{skinner.BorderLeft, skinner.CaptionHeight, live.width - skinner.BorderRight,
                live.height - skinner.BorderBottom};
    RECT icon{};
    for (auto& b : skinner.CaptionButtons)
        if (b->IsIconButton() && b->Visible) icon = b->Rect;
    int bad = 0;
    for (int y = 0; y < live.height; ++y)
        for (int x = 0; x < live.width; ++x) {
            const POINT p{x, y};
            if (PtInRect(&client, p) || PtInRect(&icon, p)) continue;
            if (shaped && !PtInRegion(shape, x, y)) continue;
            if (live.at(x, y) != PixelAt(mock, x, y)) ++bad;
        }
    DeleteObject(shape);
    return bad;
}

TEST(PreviewFrame, MockWindowMatchesTheSkinnedWindowActiveAndInactive) {
    for (const char* id : {"item9", "item1", "item2"}) {
        TSkinData skin(nullptr);
        const auto& bytes = qs::test::BundledSkinBytes(id);
        ASSERT_FALSE(bytes.empty()) << id;
        skin.SkinStream().Write(bytes.data(), bytes.size());
        ASSERT_TRUE(skin.LoadSkin()) << id;

        HWND h = makeWindow();
        auto skinner = std::make_unique<TWinSkinForm>(h, "");
        skinner->SkinWindow(&skin);
        SendMessageA(h, SKM_SKINFORM, 0, 1000);
        qs::test::PumpFor(60);
        RECT r{};
        GetWindowRect(h, &r);
        const int w = r.right - r.left, hgt = r.bottom - r.top;

        for (bool active : {true, false}) {
            SendMessageA(h, WM_NCACTIVATE, active, 0);
            qs::test::PumpFor(30);
            const std::unique_ptr<TBitmap> mock = qs::tools::PaintMockWindow(skin, w, hgt, active, false);
            EXPECT_EQ(frameMismatches(h, *skinner, *mock), 0) << id << (active ? " active" : " inactive");
        }
        DestroyWindow(h);
        skinner.reset();
    }
}

// The mock's menu band is the one a skinned window with a File, Edit, View, Help menu paints.
TEST(PreviewFrame, MockMenuBandIsTheBandOfASkinnedWindowsMenu) {
    for (const char* id : {"item9", "item4"}) {
        TSkinData skin(nullptr);
        const auto& bytes = qs::test::BundledSkinBytes(id);
        ASSERT_FALSE(bytes.empty()) << id;
        skin.SkinStream().Write(bytes.data(), bytes.size());
        ASSERT_TRUE(skin.LoadSkin()) << id;

        HMENU bar = CreateMenu();
        for (const wchar_t* caption : {L"&File", L"&Edit", L"&View", L"&Help"}) {
            HMENU popup = CreatePopupMenu();
            AppendMenuW(popup, MF_STRING, 100, L"Item");
            AppendMenuW(bar, MF_POPUP | MF_STRING, reinterpret_cast<UINT_PTR>(popup), caption);
        }
        HWND h = makeWindow(bar);
        auto skinner = std::make_unique<TWinSkinForm>(h, "");
        skinner->SkinWindow(&skin);
        SendMessageA(h, SKM_SKINFORM, 0, 1000);
        qs::test::PumpFor(60);
        ASSERT_NE(skinner->MenuBarSkinner, nullptr) << id;
        RECT r{};
        GetWindowRect(h, &r);
        for (bool active : {true, false}) {
            SendMessageA(h, WM_NCACTIVATE, active, 0);
            qs::test::PumpFor(30);
            const RECT band = skinner->MenuBarSkinner->BarRect;
            ASSERT_GT(band.bottom - band.top, 0) << id;
            const std::unique_ptr<TBitmap> mock =
                qs::tools::PaintMockWindow(skin, r.right - r.left, r.bottom - r.top, active, true);
            const qs::test::Pixels live = qs::test::CaptureWindowDC(h);
            // The band without its items, to tell that the captions are there at all.
            TBitmap empty(band.right - band.left, band.bottom - band.top, pf24bit);
            DrawMenuBarBackground(empty.Canvas().Handle(), SIZE{empty.Width(), empty.Height()}, skin, active);
            int bad = 0, inked = 0;
            for (int y = band.top; y < band.bottom; ++y)
                for (int x = band.left; x < band.right; ++x) {
                    bad += live.at(x, y) != PixelAt(*mock, x, y);
                    inked += PixelAt(empty, x - band.left, y - band.top) != PixelAt(*mock, x, y);
                }
            EXPECT_EQ(bad, 0) << id << (active ? " active" : " inactive");
            EXPECT_GT(inked, 100) << id << ": the captions are drawn";
        }
        DestroyWindow(h);
        skinner.reset();
    }
}

} // namespace
