// The menu window's procedure: its background and frame from the skin.
#include "skin/form/popup_skinner.h"

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

namespace {

// The width of a menu window's frame.
constexpr int kFrame = 3;

// The frame strips of a w x h window: top, bottom, left, right.
void copyFrameStrips(HDC dc, HDC image, int w, int h) {
    BitBlt(dc, 0, 0, w, kFrame, image, 0, 0, SRCCOPY);
    BitBlt(dc, 0, h - kFrame, w, kFrame, image, 0, h - kFrame, SRCCOPY);
    BitBlt(dc, 0, 0, kFrame, h, image, 0, 0, SRCCOPY);
    BitBlt(dc, w - kFrame, 0, kFrame, h, image, w - kFrame, 0, SRCCOPY);
}

SIZE windowSize(HWND hwnd) {
    RECT r{};
    GetWindowRect(hwnd, &r);
    return SIZE{RectWidth(r), RectHeight(r)};
}

} // namespace

TWinSkinPopMenu::TWinSkinPopMenu(HWND window, TSkinData* skin) {
    Handle = window;
    SkinData = skin;
    // The window may go before the manager hears of it: the subclass gives the procedure back at
    // WM_NCDESTROY on its own.
    subclass_.Install(window, win::SubclassKind::PopupMenu, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        TMessageDepth::Scope scope(Depth());
        return message(msg, wParam, lParam);
    });
}

TWinSkinPopMenu::~TWinSkinPopMenu() {
    Detach();
}

void TWinSkinPopMenu::Detach() {
    subclass_.Restore();
    background_.reset();
}

POINT TWinSkinPopMenu::ClientOffset() const {
    RECT window{};
    GetWindowRect(Handle, &window);
    POINT client{0, 0};
    ClientToScreen(Handle, &client);
    return POINT{client.x - window.left, client.y - window.top};
}

bool TWinSkinPopMenu::canPaint() const {
    return SkinData && !SkinData->Empty() && SkinData->MenuBackground &&
           !SkinData->MenuBackground->Bitmap.Empty();
}

TBitmap* TWinSkinPopMenu::buildBackground() {
    const SIZE size = windowSize(Handle);
    TDataSkinObject& back = *SkinData->MenuBackground;
    background_ = BuildSkinBitmap(RECT{0, 0, size.cx, size.cy}, back.Bitmap, back.Margins(), false,
                                  back.Tile == 1, 1, 1);
    return background_.get();
}

LRESULT TWinSkinPopMenu::message(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == SKM_ISSKINNED) return 1;
    if (!SkinManager || !SkinManager->Skinning()) return subclass_.CallPrevious(msg, wParam, lParam);
    switch (msg) {
    case WM_DESTROY: {
        Detach();
        return subclass_.CallPrevious(msg, wParam, lParam);
    }
    case WM_ERASEBKGND: return onEraseBackground(wParam, lParam);
    case WM_NCPAINT: return onNcPaint(wParam, lParam);
    case WM_PRINT: return onPrint(wParam, lParam);
    case WM_PAINT: return onPaint(wParam, lParam);
    default: return subclass_.CallPrevious(msg, wParam, lParam);
    }
}

LRESULT TWinSkinPopMenu::onEraseBackground(WPARAM wParam, LPARAM lParam) {
    // Systems that draw their own menus (9x) are neither passed on nor answered.
    if (!UseWideApi()) return 0;
    if (!SkinData || !InSet(SkinData->Options(), xoMenuBG))
        subclass_.CallPrevious(WM_ERASEBKGND, wParam, lParam);
    return 1;
}

LRESULT TWinSkinPopMenu::onNcPaint(WPARAM wParam, LPARAM lParam) {
    if (!canPaint() || wParam != 1) return subclass_.CallPrevious(WM_NCPAINT, wParam, lParam);
    TBitmap* image = buildBackground();
    win::WindowDC dc = win::WindowDC::Frame(Handle);
    if (image && dc) {
        HDC src = image->Canvas().Handle();
        copyFrameStrips(dc.Get(), src, image->Width(), image->Height());
        BitBlt(dc.Get(), 0, 0, image->Width(), image->Height(), src, 0, 0, SRCCOPY);
    }
    // Not passed on: the system draws no menu border.
    return 0;
}

LRESULT TWinSkinPopMenu::onPrint(WPARAM wParam, LPARAM lParam) {
    const HDC dc = HDC(wParam);
    if (!canPaint() || !dc) return subclass_.CallPrevious(WM_PRINT, wParam, lParam);
    TBitmap* image = buildBackground();
    if (!image) return subclass_.CallPrevious(WM_PRINT, wParam, lParam);
    const int w = image->Width(), h = image->Height();
    BitBlt(dc, 0, 0, w, h, image->Canvas().Handle(), 0, 0, SRCCOPY);
    // The menu prints its items over the image, inside the frame.
    const int mode = SetBkMode(dc, TRANSPARENT);
    win::RegionHandle inside(CreateRectRgn(kFrame, kFrame, w - kFrame, h - kFrame));
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, inside.Get());
    const LRESULT result = subclass_.CallPrevious(WM_PRINT, wParam, lParam);
    RestoreDC(dc, saved);
    SetBkMode(dc, mode);
    return result;
}

LRESULT TWinSkinPopMenu::onPaint(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = subclass_.CallPrevious(WM_PAINT, wParam, lParam);
    // A menu window without a non-client area drew its frame inside the client: ours goes over it.
    const POINT offset = ClientOffset();
    if (!canPaint() || offset.x != 0 || offset.y != 0) return result;
    const SIZE size = windowSize(Handle);
    TBitmap* image = background_ && background_->Width() == size.cx && background_->Height() == size.cy
                         ? background_.get()
                         : buildBackground();
    win::WindowDC dc = win::WindowDC::Frame(Handle);
    if (image && dc) copyFrameStrips(dc.Get(), image->Canvas().Handle(), image->Width(), image->Height());
    return result;
}
