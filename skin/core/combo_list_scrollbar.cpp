// TComboxScrollBar: a combo drop-down list's vertical bar, painted into the list's non-client
// area, with its own thumb dragging.
#include "skin/core/optional_user32.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_scrollbar.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/rects.h"

const TClassInfo& TComboxScrollBar::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TComboxScrollBar>("TComboxScrollBar", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

// The list box tells its combo box that the caret shows again; the list has redrawn itself.
constexpr UINT kListCaretOn = 0x1AE;

bool vertBarInfo(HWND window, SCROLLBARINFO& info) {
    info = SCROLLBARINFO{};
    info.cbSize = sizeof(info);
    return SkinGetScrollBarInfo(window, OBJID_VSCROLL, &info) && !(info.rgstate[0] & STATE_SYSTEM_INVISIBLE);
}

} // namespace

bool TComboxScrollBar::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_NCMOUSEMOVE:
        // The system would hot-track its own bar over the skin.
        if (m.WParam == HTHSCROLL || m.WParam == HTVSCROLL) return false;
        return true;
    case WM_NCLBUTTONDOWN: {
        SCROLLBARINFO info;
        if (m.WParam != HTVSCROLL || !vertBarInfo(Handle, info)) return true;
        const int y = short(HIWORD(m.LParam)) - info.rcScrollBar.top;
        if (y < info.xyThumbTop || y >= info.xyThumbBottom) return true;
        trackThumb(POINT{short(LOWORD(m.LParam)), short(HIWORD(m.LParam))});
        return false;
    }
    default: return TSkinControl::BeforeDefault(m);
    }
}

void TComboxScrollBar::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_HSCROLL:
    case WM_VSCROLL:
    case kListCaretOn: PaintWindow(nullptr); break;
    default: TSkinControl::AfterDefault(m); break;
    }
}

void TComboxScrollBar::DrawSkin(HDC dc, const RECT&) {
    SCROLLBARINFO info;
    RECT frame{};
    if (!SkinData || !vertBarInfo(Handle, info) || !GetWindowRect(Handle, &frame)) return;
    RECT bar = info.rcScrollBar;
    OffsetRect(&bar, -frame.left, -frame.top);
    BarLength = RectHeight(bar);
    ThumbStart = info.xyThumbTop;
    ThumbEnd = info.xyThumbBottom;
    TScrollBarLook look;
    look.Vertical = true;
    look.ArrowSize = ArrowSize;
    look.Width = RectWidth(bar);
    look.Height = BarLength;
    look.Enabled = !(info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE);
    look.Thumb = TThumbExtent{ThumbStart, ThumbEnd};
    DrawScrollBarSkin(dc, bar, *SkinData, look);
}

void TComboxScrollBar::trackThumb(POINT screen) {
    SCROLLBARINFO info;
    SCROLLINFO si{};
    si.cbSize = sizeof(si);
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
    if (!vertBarInfo(Handle, info) || !GetScrollInfo(Handle, SB_VERT, &si)) return;
    TMessageDepth::Scope scope(Depth());
    const HWND list = Handle;
    const int thumbStart = info.xyThumbTop, thumbLength = info.xyThumbBottom - info.xyThumbTop;
    const int track = RectHeight(info.rcScrollBar) - 2 * ArrowSize;
    const int page = int(si.nPage);
    int position = si.nPos;
    SetCapture(list);
    // Every message is dispatched as it comes, so the list (and everything else) keeps painting.
    MSG msg{};
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_LBUTTONUP || msg.message == WM_NCLBUTTONUP) {
            SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position), 0);
            PostMessageA(list, WM_VSCROLL, SB_ENDSCROLL, 0);
            break;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
        if (!scope.Alive() || !IsWindow(list)) return;
        if (msg.message != WM_MOUSEMOVE && msg.message != WM_NCMOUSEMOVE) continue;
        POINT cursor{};
        GetCursorPos(&cursor);
        const int offset = thumbStart - ArrowSize + (cursor.y - screen.y);
        const int now = ComboThumbPosition(offset, track, thumbLength, si.nMin, si.nMax, page);
        if (now != position) {
            position = now;
            SendMessageA(list, WM_VSCROLL, MAKEWPARAM(SB_THUMBTRACK, position), 0);
            if (!scope.Alive()) return;
        }
        if (GetCapture() != list) break;
    }
    if (msg.message == WM_QUIT) PostQuitMessage(int(msg.wParam));
    ReleaseCapture();
}
