// The form skinner on live windows under Wine: frame pixels, geometry, region, hit testing,
// caption buttons driven by synthetic mouse input, and the life cycle.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "skin/paint/skin_paint.h"
#include "tests/skin/core/test_skin.h"
#include "tests/skin/paint/pixel_helpers.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/graphics/colors.h"

using qs::test::PixelAt;
using qs::test::Pixels;
using qs::test::TestSkin;

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;
constexpr uint32_t kTopFlat = 0x202080;
constexpr uint32_t kText = 0xFFFF00;
// Caption-button frames: normal, pressed, hot, disabled.
constexpr uint32_t kButtonFrames[4] = {0xC00000, 0x00C000, 0x0000C0, 0x808080};

// Left border 6 wide, two frames side by side; its top-left 3 x 3 corner is magenta.
uint32_t leftColour(int x, int y) {
    if (x % 6 < 3 && y < 3) return kMagenta;
    return (x < 6 ? 0x100000 : 0x500000) | uint32_t(x % 6) << 8 | uint32_t(y);
}

TestSkin BaseSkin(int textAlignment = 0, bool withButtons = false, bool flatTop = false) {
    TestSkin t;
    t.ini = "[Personality]\r\nLeft=left.bmp\r\nLeftFrame=2\r\nLeftTopHeight=8\r\nLeftBotHeight=8\r\n"
            "Right=right.bmp\r\nRightTrans=0\r\nTop=top.bmp\r\nTopFrame=2\r\nTopTopHeight=10\r\nTopBotHeight="
            "10\r\n"
            "TopTrans=0\r\nBottom=bottom.bmp\r\nBottomTrans=0\r\nTextShift=8\r\nTextRightClip="
            "20\r\nTextAlignment=" +
            std::to_string(textAlignment) +
            "\r\n[Colours]\r\nTitleTextActive=255 255 0\r\nTitleTextNoActive=255 255 0\r\n";
    t.Bmp("left.bmp", 12, 40, leftColour);
    t.Bmp("right.bmp", 6, 40, [](int x, int y) { return 0x003000u | uint32_t(x) << 16 | uint32_t(y); });
    if (flatTop)
        t.Bmp("top.bmp", 60, 48, kTopFlat);
    else
        t.Bmp("top.bmp", 60, 48,
              [](int x, int y) { return 0x000040u | uint32_t(x) << 16 | uint32_t(y) << 8; });
    t.Bmp("bottom.bmp", 30, 5, [](int x, int y) { return 0x404000u | uint32_t(x) | uint32_t(y) << 20; });
    if (withButtons) {
        auto frames = [](int x, int) { return kButtonFrames[x / 16]; };
        t.ini +=
            "[BUTTON1]\r\nButtonImage=close.bmp\r\nAction=0\r\nAlign=1\r\nXcoord=26\r\nYcoord=4\r\nframe="
            "4\r\n"
            "[BUTTON2]\r\nButtonImage=max.bmp\r\nAction=1\r\nAlign=1\r\nXcoord=46\r\nYcoord=4\r\nframe=4\r\n"
            "[BUTTON3]\r\nButtonImage=min.bmp\r\nAction=2\r\nAlign=1\r\nXcoord=66\r\nYcoord=4\r\nframe=4\r\n";
        t.Bmp("close.bmp", 64, 16, frames).Bmp("max.bmp", 64, 16, frames).Bmp("min.bmp", 64, 16, frames);
    }
    return t;
}

bool Load(TSkinData& skin, const TestSkin& t) {
    const auto bytes = t.Compressed();
    skin.SkinStream().Clear();
    skin.SkinStream().Write(bytes.data(), bytes.size());
    return skin.LoadSkin();
}

int& NcPaintCount() {
    static int count = 0;
    return count;
}
int NcPaintsReachingTheClass() {
    return NcPaintCount();
}

LRESULT CALLBACK TestWindowProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCPAINT) ++NcPaintCount();
    return DefWindowProcA(h, msg, wParam, lParam);
}

const char* TestClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = TestWindowProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QsSkinFormTest";
        wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&wc);
        wc.lpszClassName = "TMessageForm";
        RegisterClassA(&wc);
        return "QsSkinFormTest";
    }();
    return name;
}

HWND MakeWindow(DWORD style = WS_OVERLAPPEDWINDOW, const char* text = "", const char* cls = nullptr) {
    TestClass();
    HWND h = CreateWindowExA(0, cls ? cls : "QsSkinFormTest", text, style, 100, 100, 320, 220, nullptr,
                             nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(h, SW_SHOW);
    SetForegroundWindow(h);
    qs::test::PumpFor(20);
    return h;
}

// A window skinned the way the manager does it: subclassed at once, attached on SKM_SKINFORM.
struct Skinned {
    HWND hwnd;
    std::unique_ptr<TWinSkinForm> skinner;
    Skinned(TSkinData& skin, HWND h, bool attach = true) : hwnd(h) {
        skinner = std::make_unique<TWinSkinForm>(h, "");
        skinner->SkinWindow(&skin);
        if (attach) {
            PostMessageA(h, SKM_SKINFORM, 0, 1000);
            qs::test::PumpFor(60);
        }
    }
    ~Skinned() {
        if (IsWindow(hwnd)) DestroyWindow(hwnd);
        skinner.reset();
    }
};

RECT WindowRectOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

// Compares the screen with a built piece wherever the piece is not magenta.
int Mismatches(const Pixels& screen, int x0, int y0, TBitmap& piece) {
    int bad = 0;
    for (int y = 0; y < piece.Height(); ++y)
        for (int x = 0; x < piece.Width(); ++x) {
            const uint32_t want = PixelAt(piece, x, y);
            if (want != kMagenta && (screen.at(x0 + x, y0 + y) & 0xFFFFFF) != want) ++bad;
        }
    return bad;
}

std::unique_ptr<TBitmap> Piece(TDataSkinBorder& b, int w, int h, bool vertical, bool active) {
    const int frame = active || b.Frame == 1 ? 1 : 2;
    return BuildSkinBitmap(RECT{0, 0, w, h}, b.Bitmap, b.Margins(), vertical, b.Tile != 1, b.Frame, frame);
}

} // namespace

TEST(WinSkinForm, FramePiecesShowTheBuiltBorderBitmapsActiveAndInactive) {
    TSkinData skin(nullptr);
    ASSERT_TRUE(Load(skin, BaseSkin()));
    Skinned s(skin, MakeWindow());
    TWinSkinForm& f = *s.skinner;
    ASSERT_EQ(f.State, fsSkinned);
    EXPECT_EQ(f.BorderLeft, 6);
    EXPECT_EQ(f.BorderRight, 6);
    EXPECT_EQ(f.CaptionHeight, 24);
    EXPECT_EQ(f.BorderBottom, 5);
    for (bool active : {true, false}) {
        SendMessageA(s.hwnd, WM_NCACTIVATE, active, 0);
        qs::test::PumpFor(20);
        const Pixels screen = qs::test::CaptureWindow(s.hwnd);
        const int w = screen.width, h = screen.height;
        TSkinBorders& b = skin.Borders;
        EXPECT_EQ(Mismatches(screen, 0, 0, *Piece(*b.Left, 6, h, false, active)), 0) << active;
        EXPECT_EQ(Mismatches(screen, w - 6, 0, *Piece(*b.Right, 6, h, false, active)), 0) << active;
        EXPECT_EQ(Mismatches(screen, 6, h - 5, *Piece(*b.Bottom, w - 12, 5, true, active)), 0) << active;
        EXPECT_EQ(Mismatches(screen, 6, 0, *Piece(*b.Top, w - 12, 24, true, active)), 0) << active;
    }
}

TEST(WinSkinForm, MinimisedWindowPaintsOneCaptionBandOnTheButtonFace) {
    // A 10-pixel caption, lower than any minimised window.
    TestSkin t = BaseSkin(0, false, true);
    std::erase_if(t.members, [](const qs::TSkinMember& m) { return m.name == "top.bmp"; });
    t.Bmp("top.bmp", 60, 20, kTopFlat);
    TSkinData skin(nullptr);
    ASSERT_TRUE(Load(skin, t));
    Skinned s(skin, MakeWindow());
    ShowWindow(s.hwnd, SW_MINIMIZE);
    qs::test::PumpFor(100);
    ASSERT_EQ(s.skinner->WindowState, swMinimized);
    // Painted into a bitmap of the frame's size: where Wine keeps an iconic window is its own affair.
    const RECT wr = WindowRectOf(s.hwnd);
    const int w = std::max<int>(wr.right - wr.left, 40), h = std::max<int>(wr.bottom - wr.top, 40);
    TBitmap frame(w, h, pf24bit);
    const RECT all{0, 0, w, h};
    FillRect(frame.Canvas().Handle(), &all, HBRUSH(GetStockObject(BLACK_BRUSH)));
    s.skinner->PaintFrame(frame.Canvas().Handle());
    const uint32_t face = ColorToRGB(skin.Colour(scButtonFace));
    const int bandW = s.skinner->FrameWidth, bandH = s.skinner->FrameHeight;
    ASSERT_GT(bandH, s.skinner->CaptionHeight);
    EXPECT_EQ(PixelAt(frame, 2, 5), kTopFlat) << "the caption reaches the left edge: no side border";
    EXPECT_EQ(PixelAt(frame, bandW - 3, 5), kTopFlat);
    EXPECT_EQ(PixelAt(frame, bandW / 2, bandH - 1),
              (face & 0xFF) << 16 | (face & 0xFF00) | (face >> 16 & 0xFF))
        << "below the caption: button face";
}

TEST(WinSkinForm, CaptionTextFollowsAlignmentAndEndsInAnEllipsisAtTheClipEdge) {
    TSkinData skin(nullptr);
    ASSERT_TRUE(Load(skin, BaseSkin(0, false, true)));
    Skinned s(skin,
              MakeWindow(WS_OVERLAPPEDWINDOW, "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
    const Pixels screen = qs::test::CaptureWindow(s.hwnd);
    const int w = screen.width, clipEdge = w - 6 - 20;
    EXPECT_EQ(s.skinner->CaptionTextRect.right, clipEdge);
    int rightmost = -1, leftmost = w;
    for (int y = 0; y < 24; ++y)
        for (int x = 6; x < w - 6; ++x)
            if (((screen.at(x, y) >> 16) & 0xFF) > 0x80) {
                rightmost = std::max(rightmost, x);
                leftmost = std::min(leftmost, x);
            }
    ASSERT_GE(rightmost, 0) << "no caption text on screen";
    EXPECT_LT(rightmost, clipEdge);
    EXPECT_GT(rightmost, clipEdge - 12) << "the text runs up to the clip edge";
    EXPECT_GE(leftmost, 6 + 8) << "alignment 0 starts at TextShift";
    // An ellipsis: the last few columns before the clip edge hold separate dots, not a W.
    int dotColumns = 0;
    for (int x = rightmost - 8; x <= rightmost; ++x)
        for (int y = 0; y < 24; ++y)
            if (((screen.at(x, y) >> 16) & 0xFF) > 0x80) {
                ++dotColumns;
                break;
            }
    EXPECT_LT(dotColumns, 9);

    TSkinData centred(nullptr);
    ASSERT_TRUE(Load(centred, BaseSkin(1, false, true)));
    Skinned c(centred, MakeWindow(WS_OVERLAPPEDWINDOW, "Hi"));
    const RECT& r = c.skinner->CaptionTextRect;
    const int bandCentre = (6 + (c.skinner->FrameWidth - 6)) / 2;
    EXPECT_LE(std::abs((r.left + r.right) / 2 - bandCentre), 1) << "centred between the side borders";
}

TEST(WinSkinForm, APopupCaptionStopsFivePixelsBeforeItsRightmostButton) {
    TSkinData skin(nullptr);
    ASSERT_TRUE(Load(skin, BaseSkin(0, true, true)));
    Skinned s(skin, MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE,
                               "WWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWWW"));
    // The buttons sit 26, 46 and 66 pixels from the right edge; the caption band ends at the
    // right border (6 wide), and the text 5 pixels before the farthest button.
    EXPECT_EQ(s.skinner->CaptionTextRect.right, s.skinner->FrameWidth - 6 - 66 - 5);
}

TEST(WinSkinForm, AWindowWithoutCaptionPaintsNoFrame) {
    TSkinData skin(nullptr);
    ASSERT_TRUE(Load(skin, BaseSkin()));
    Skinned s(skin, MakeWindow(WS_POPUP | WS_VISIBLE));
    ASSERT_EQ(s.skinner->BorderKind, bkNoCaption);
    TBitmap frame(320, 220, pf24bit);
    const RECT all{0, 0, 320, 220};
    win::BrushHandle marker(CreateSolidBrush(RGB(1, 2, 3)));
    FillRect(frame.Canvas().Handle(), &all, marker.Get());
    s.skinner->PaintFrame(frame.Canvas().Handle());
    for (int y = 0; y < 220; y += 7)
        for (int x = 0; x < 320; x += 7)
            ASSERT_EQ(PixelAt(frame, x, y), 0x010203u) << x << "," << y;
}

TEST(WinSkinForm, GeometryKeepsTheClientRectangleAndDialogsWidenForTheirCaption) {
    TSkinData skin(nullptr);
    ASSERT_TRUE(Load(skin, BaseSkin()));
    {
        HWND h = MakeWindow();
        RECT before{}, skinned{}, after{};
        GetClientRect(h, &before);
        Skinned s(skin, h);
        GetClientRect(h, &skinned);
        const RECT wr = WindowRectOf(h);
        EXPECT_EQ(wr.right - wr.left, before.right + 12);
        EXPECT_EQ(wr.bottom - wr.top, before.bottom + 24 + 5);
        s.skinner->Unskin();
        GetClientRect(h, &after);
        EXPECT_TRUE(EqualRect(&before, &skinned));
        EXPECT_TRUE(EqualRect(&before, &after));
    }
    {
        HWND h = MakeWindow(WS_POPUP | WS_VISIBLE);
        RECT before{}, skinned{};
        GetClientRect(h, &before);
        Skinned s(skin, h);
        GetClientRect(h, &skinned);
        EXPECT_EQ(s.skinner->BorderKind, bkNoCaption);
        EXPECT_EQ(s.skinner->BorderLeft + s.skinner->CaptionHeight + s.skinner->BorderRight +
                      s.skinner->BorderBottom + s.skinner->MenuHeight,
                  0);
        EXPECT_TRUE(EqualRect(&before, &skinned));
    }
    {
        const char* caption = "A caption far wider than the little dialog it belongs to";
        HWND h = MakeWindow(WS_POPUP | WS_CAPTION | WS_SYSMENU, caption, "TMessageForm");
        SetWindowPos(h, nullptr, 0, 0, 120, 100, SWP_NOMOVE | SWP_NOZORDER);
        HWND child = CreateWindowExA(0, "STATIC", "x", WS_CHILD | WS_VISIBLE, 10, 10, 30, 20, h, nullptr,
                                     GetModuleHandleA(nullptr), nullptr);
        RECT client{};
        GetClientRect(h, &client);
        Skinned s(skin, h);
        TWinSkinForm& f = *s.skinner;
        EXPECT_TRUE(f.IsDialog);
        std::wstring wide(caption, caption + strlen(caption));
        SIZE extent{};
        {
            win::WindowDC dc = win::WindowDC::Screen();
            win::SelectGuard font(dc.Get(), f.CaptionFont.Get());
            GetTextExtentPoint32W(dc.Get(), wide.c_str(), int(wide.size()), &extent);
        }
        const int needed = 8 + extent.cx + 20, old = client.right + 12;
        ASSERT_GT(needed, old);
        const RECT wr = WindowRectOf(h);
        EXPECT_EQ(wr.right - wr.left, needed);
        RECT cr{};
        GetWindowRect(child, &cr);
        MapWindowPoints(nullptr, h, reinterpret_cast<POINT*>(&cr), 2);
        EXPECT_EQ(cr.left, 10 + (needed - old) / 2);
        EXPECT_EQ(cr.right - cr.left, 30);
    }
}

TEST(WinSkinForm, RegionCutsMagentaCornersAndIsRebuiltOnlyWhenNeeded) {
    TSkinData skin(nullptr);
    ASSERT_TRUE(Load(skin, BaseSkin()));
    Skinned s(skin, MakeWindow());
    TWinSkinForm& f = *s.skinner;
    win::RegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(s.hwnd, rgn.Get()), ERROR);
    EXPECT_FALSE(PtInRegion(rgn.Get(), 0, 0));
    EXPECT_FALSE(PtInRegion(rgn.Get(), 2, 2));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 4, 1)) << "opaque left-border pixel";
    EXPECT_TRUE(PtInRegion(rgn.Get(), 2, 20));
    EXPECT_TRUE(PtInRegion(rgn.Get(), 50, 50));
    const int builds = f.RegionBuilds;
    const RECT wr = WindowRectOf(s.hwnd);
    SetWindowPos(s.hwnd, nullptr, 0, 0, wr.right - wr.left, wr.bottom - wr.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_FRAMECHANGED);
    SendMessageA(s.hwnd, WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_EQ(f.RegionBuilds, builds);
    SetWindowPos(s.hwnd, nullptr, 0, 0, wr.right - wr.left + 10, wr.bottom - wr.top,
                 SWP_NOMOVE | SWP_NOZORDER);
    EXPECT_EQ(f.RegionBuilds, builds + 1);
    f.Reskin();
    EXPECT_GT(f.RegionBuilds, builds + 1);
}

TEST(WinSkinForm, HitTestKeepsTheSystemsTopRowsAndMovesTheWindowElsewhere) {
    TSkinData skin(nullptr);
    ASSERT_TRUE(Load(skin, BaseSkin()));
    Skinned s(skin, MakeWindow());
    const RECT wr = WindowRectOf(s.hwnd);
    const int mid = (wr.left + wr.right) / 2;
    for (int row = 0; row < 3; ++row) {
        const LPARAM at = MAKELPARAM(mid, wr.top + row);
        EXPECT_EQ(SendMessageA(s.hwnd, WM_NCHITTEST, 0, at), DefWindowProcA(s.hwnd, WM_NCHITTEST, 0, at))
            << row;
    }
    EXPECT_EQ(SendMessageA(s.hwnd, WM_NCHITTEST, 0, MAKELPARAM(mid, wr.top + 12)), HTCAPTION);
    EXPECT_EQ(SendMessageA(s.hwnd, WM_NCHITTEST, 0, MAKELPARAM(mid, wr.top + 60)), HTCLIENT);
}

namespace {

struct ButtonWindow {
    TSkinData skin{nullptr};
    std::unique_ptr<Skinned> s;
    explicit ButtonWindow(DWORD style = WS_OVERLAPPEDWINDOW, const TestSkin& t = BaseSkin(0, true)) {
        EXPECT_TRUE(Load(skin, t));
        s = std::make_unique<Skinned>(skin, MakeWindow(style));
        SendMessageA(s->hwnd, WM_NCACTIVATE, TRUE, 0);
        qs::test::PumpFor(20);
    }
    TWinSysButton& Button(int action) {
        for (auto& b : s->skinner->CaptionButtons)
            if (b->ButtonData->Action == action) return *b;
        throw std::runtime_error("no button");
    }
    POINT Centre(int action) {
        const RECT wr = WindowRectOf(s->hwnd);
        const RECT& r = Button(action).Rect;
        return POINT{wr.left + (r.left + r.right) / 2, wr.top + (r.top + r.bottom) / 2};
    }
    uint32_t ScreenAt(POINT p) {
        qs::test::PumpFor(20);
        return qs::test::CaptureScreen(RECT{p.x, p.y, p.x + 1, p.y + 1}).at(0, 0) & 0xFFFFFF;
    }
};

} // namespace

TEST(CaptionButtons, LayoutAnchorsRightButtonsByXcoord) {
    ButtonWindow w;
    const int width = w.s->skinner->FrameWidth;
    EXPECT_EQ(w.Button(0).Rect.left, width - 26);
    EXPECT_EQ(w.Button(0).Rect.right, width - 10);
    EXPECT_EQ(w.Button(0).Rect.top, 4);
    EXPECT_TRUE(w.Button(1).Visible && w.Button(1).Enabled);
}

namespace {

// WM_SYSCOMMAND values posted to this thread's windows while the hook is in.
std::vector<WPARAM>& PostedCommands() {
    static std::vector<WPARAM> commands;
    return commands;
}

LRESULT CALLBACK RecordSysCommands(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* m = reinterpret_cast<const MSG*>(lParam);
    if (code == HC_ACTION && wParam == PM_REMOVE && m->message == WM_SYSCOMMAND)
        PostedCommands().push_back(m->wParam);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TEST(CaptionButtons, HoverPressAndReleaseRunTheActions) {
    win::HookHandle hook(SetWindowsHookExA(WH_GETMESSAGE, RecordSysCommands, nullptr, GetCurrentThreadId()));
    PostedCommands().clear();
    for (int action : {2, 1, 0}) {
        ButtonWindow w;
        const POINT c = w.Centre(action);
        EXPECT_EQ(w.ScreenAt(c), kButtonFrames[0]) << action;
        qs::test::MouseMoveTo(c.x, c.y);
        EXPECT_EQ(w.ScreenAt(c), kButtonFrames[2]) << "hot, action " << action;
        qs::test::MouseButton(true, true);
        EXPECT_EQ(w.ScreenAt(c), kButtonFrames[1]) << "pressed, action " << action;
        PostedCommands().clear();
        qs::test::MouseButton(true, false);
        const HWND h = w.s->hwnd;
        if (action == 2) {
            EXPECT_TRUE(qs::test::PumpUntil([&] { return IsIconic(h) != FALSE; }));
        }
        if (action == 1) {
            EXPECT_TRUE(qs::test::PumpUntil([&] { return IsZoomed(h) != FALSE; }));
            ASSERT_FALSE(PostedCommands().empty());
            EXPECT_EQ(PostedCommands().front(), WPARAM(SC_MAXIMIZE));
            qs::test::PumpFor(100);
            // The same button, now at the maximised frame's edge, restores.
            const POINT again = w.Centre(1);
            qs::test::MouseClickAt(again.x, again.y);
            EXPECT_TRUE(qs::test::PumpUntil([&] { return !IsZoomed(h); }));
            EXPECT_EQ(w.s->skinner->WindowState, swNormal);
        }
        if (action == 0) {
            EXPECT_TRUE(qs::test::PumpUntil([&] { return !IsWindow(h); }));
        }
        qs::test::MouseMoveTo(10, 700);
    }
}

namespace {

void DoubleClickAt(POINT p) {
    qs::test::MouseMoveTo(p.x, p.y);
    for (int i = 0; i < 2; ++i) {
        qs::test::MouseButton(true, true);
        qs::test::MouseButton(true, false);
    }
    // Past the double-click time, so the next pair starts afresh.
    qs::test::PumpFor(GetDoubleClickTime() + 100);
}

} // namespace

TEST(CaptionButtons, DoubleClickOnTheCaptionMaximisesAndRestores) {
    ButtonWindow w;
    const RECT wr = WindowRectOf(w.s->hwnd);
    DoubleClickAt(POINT{wr.left + 60, wr.top + 12});
    EXPECT_TRUE(IsZoomed(w.s->hwnd));
    const RECT zoomed = WindowRectOf(w.s->hwnd);
    // Under Wine the presses that follow a press on a maximised window's caption often arrive as
    // client messages (measured), so the restoring double-click is sent as the system sends it.
    SendMessageA(w.s->hwnd, WM_NCLBUTTONDBLCLK, HTCAPTION, MAKELPARAM(zoomed.left + 200, zoomed.top + 12));
    qs::test::PumpFor(300);
    EXPECT_FALSE(IsZoomed(w.s->hwnd));
    EXPECT_EQ(WindowRectOf(w.s->hwnd).right - WindowRectOf(w.s->hwnd).left, wr.right - wr.left);
    qs::test::MouseMoveTo(10, 700);
}

TEST(CaptionButtons, DoubleClickOnTheIconButtonCloses) {
    TestSkin t = BaseSkin(0, true);
    t.ini +=
        "[BUTTON4]\r\nButtonImage=icon.bmp\r\nAction=3\r\nAlign=0\r\nXcoord=8\r\nYcoord=4\r\nframe=1\r\n";
    t.Bmp("icon.bmp", 16, 16, 0x00FFFF);
    ButtonWindow w(WS_OVERLAPPEDWINDOW, t);
    DoubleClickAt(w.Centre(3));
    EXPECT_FALSE(IsWindow(w.s->hwnd));
    qs::test::MouseMoveTo(10, 700);
}

TEST(CaptionButtons, DisabledMaximiseShowsFrameFourAndDoesNothing) {
    ButtonWindow w(WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX);
    EXPECT_FALSE(w.Button(1).Enabled);
    const POINT c = w.Centre(1);
    EXPECT_EQ(w.ScreenAt(c), kButtonFrames[3]);
    qs::test::MouseClickAt(c.x, c.y);
    qs::test::PumpFor(100);
    EXPECT_FALSE(IsZoomed(w.s->hwnd));
    EXPECT_EQ(w.ScreenAt(c), kButtonFrames[3]);
    qs::test::MouseMoveTo(10, 700);
}

TEST(CaptionButtons, InactiveWindowShowsFrameFour) {
    ButtonWindow w;
    SendMessageA(w.s->hwnd, WM_NCACTIVATE, FALSE, 0);
    EXPECT_EQ(w.ScreenAt(w.Centre(0)), kButtonFrames[3]);
}

TEST(CaptionButtons, CloseHintAppearsAfterTwiceHintPause) {
    Application->SetHintPause(200);
    ButtonWindow w;
    const POINT c = w.Centre(0);
    qs::test::MouseMoveTo(c.x, c.y);
    qs::test::PumpUntil([&] { return w.s->skinner->HotObject == &w.Button(0); });
    ASSERT_EQ(w.s->skinner->HotObject, &w.Button(0));
    EXPECT_FALSE(w.skin.CaptionHint().HintShowing);
    w.s->skinner->HoverTick(); // 250 ms
    EXPECT_FALSE(w.skin.CaptionHint().HintShowing);
    w.s->skinner->HoverTick(); // 500 ms >= 2 x 200
    EXPECT_TRUE(w.skin.CaptionHint().HintShowing);
    // Leaving the button for the client area: the next tick finds the cursor outside it.
    const RECT wr = WindowRectOf(w.s->hwnd);
    const POINT away{(wr.left + wr.right) / 2, (wr.top + wr.bottom) / 2};
    qs::test::MouseMoveTo(away.x, away.y);
    // A loaded machine delivers the move late: the tick must see the cursor where it went.
    qs::test::PumpUntil([&] {
        POINT p{};
        GetCursorPos(&p);
        return p.x == away.x && p.y == away.y;
    });
    w.s->skinner->HoverTick();
    EXPECT_EQ(w.s->skinner->HotObject, nullptr);
    EXPECT_FALSE(w.skin.CaptionHint().HintShowing);
    Application->SetHintPause(500);
}

TEST(WinSkinFormLifeCycle, NcPaintBeforeTheDeferredAttachPaintsNothing) {
    TSkinData skin(nullptr);
    ASSERT_TRUE(Load(skin, BaseSkin()));
    Skinned s(skin, MakeWindow(), false);
    const int before = NcPaintsReachingTheClass();
    EXPECT_EQ(SendMessageA(s.hwnd, WM_NCPAINT, 1, 0), 0);
    EXPECT_EQ(SendMessageA(s.hwnd, WM_NCACTIVATE, TRUE, 0), 0);
    EXPECT_EQ(NcPaintsReachingTheClass(), before) << "the standard frame must not flash";
    EXPECT_EQ(s.skinner->FrameWidth, 0) << "no skinned frame either";
    SendMessageA(s.hwnd, SKM_SKINFORM, 0, 1000);
    SendMessageA(s.hwnd, WM_NCPAINT, 1, 0);
    EXPECT_GT(s.skinner->FrameWidth, 0);
}

TEST(WinSkinFormLifeCycle, ManyCyclesLeakNoGdiObjects) {
    TSkinData skin(nullptr);
    ASSERT_TRUE(Load(skin, BaseSkin(0, true)));
    auto cycle = [&] {
        HWND h = MakeWindow(WS_OVERLAPPEDWINDOW, "cycle");
        auto f = std::make_unique<TWinSkinForm>(h, "");
        f->SkinWindow(&skin);
        SendMessageA(h, SKM_SKINFORM, 0, 1000);
        SendMessageA(h, WM_NCACTIVATE, FALSE, 0);
        DestroyWindow(h);
        EXPECT_EQ(f->State, fsDestroyed);
    };
    for (int i = 0; i < 20; ++i)
        cycle();
    const DWORD before = qs::test::GdiObjectCount();
    for (int i = 0; i < 500; ++i)
        cycle();
    EXPECT_LE(qs::test::GdiObjectCount(), before + 5);
}
