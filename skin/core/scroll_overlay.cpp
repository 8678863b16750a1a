// The scroll-bar overlay window and the scroll-bar painter.
#include "skin/core/scroll_overlay.h"

#include <optional>

#include "skin/core/optional_user32.h"
#include "skin/core/own_window.h"
#include "skin/core/skin_control.h"
#include "skin/core/skin_data.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"

namespace {

constexpr int kGlyphFrames = 23;
constexpr int kTrackFrames = 4;
constexpr int kTrackEnabled = 1, kTrackDisabled = 3;
constexpr const char* kOverlayClass = "QsScrollOverlay";

// A record with an image; null otherwise.
TDataSkinObject* drawable(const std::unique_ptr<TDataSkinObject>& record) {
    return record && !record->Bitmap.Empty() ? record.get() : nullptr;
}

// The record whose shared settings (tiling, thumb frames and transparency) both orientations
// use: the horizontal one when the skin has it, else the one being drawn.
const TDataSkinObject& sharedSettings(const std::unique_ptr<TDataSkinObject>& horizontal,
                                      const TDataSkinObject& drawn) {
    return horizontal ? *horizontal : drawn;
}

} // namespace

void DrawScrollBarSkin(HDC dc, const RECT& rect, TSkinData& skin, const TScrollBarLook& look) {
    TDataSkinObject* glyphs = drawable(skin.Scrollbar);
    if (!glyphs) return;
    const bool v = look.Vertical;
    const int length = v ? look.Height : look.Width;
    int cross = v ? look.Width : look.Height;
    if (length <= 0 || cross <= 0) return;
    const int k = ScrollThickness(glyphs->Bitmap.Height(), look.ArrowSize);
    if (look.Stretch) cross = k;
    if (cross <= 0) return;
    const int bw = v ? cross : length, bh = v ? length : cross;
    TBitmap work(bw, bh, pf24bit);
    HDC w = work.Canvas().Handle();
    SetStretchBltMode(w, HALFTONE);
    TSkinControl::FillColour(w, RECT{0, 0, bw, bh}, skin.Colour(scButtonFace));
    // A stretch [from, to) along the bar, `across` thick.
    auto piece = [v](int from, int to, int across) {
        return v ? RECT{0, from, across, to} : RECT{from, 0, to, across};
    };

    const int a = look.ArrowSize;
    if (TDataSkinObject* track = drawable(v ? skin.VertScroll : skin.HorzScroll)) {
        const bool tile = sharedSettings(skin.HorzScroll, *track).Tile != 0;
        DrawSkinObject(w, piece(a, length - a, k), track->Bitmap, false, tile, track->Trans != 0,
                       kTrackFrames, look.Enabled ? kTrackEnabled : kTrackDisabled, track->Margins());
    }

    const int arrow = ScrollArrowLength(length, a);
    const TScrollPiece first = v ? TScrollPiece::UpArrow : TScrollPiece::LeftArrow;
    const TScrollPiece second = v ? TScrollPiece::DownArrow : TScrollPiece::RightArrow;
    DrawSkinFrame(w, piece(0, arrow, k), glyphs->Bitmap, true, kGlyphFrames,
                  ScrollPieceFrame(first, look.HotPart == spFirstArrow, look.Tracking));
    DrawSkinFrame(w, piece(length - arrow, length, k), glyphs->Bitmap, true, kGlyphFrames,
                  ScrollPieceFrame(second, look.HotPart == spSecondArrow, look.Tracking));

    const TThumbExtent& t = look.Thumb;
    const bool thumbHot = look.HotPart == spThumb;
    if (look.Enabled && t.Start >= 0 && t.End <= length && t.Length() > 0) {
        if (TDataSkinObject* thumb = drawable(v ? skin.VertScrollThumb : skin.HorzScrollThumb)) {
            const TDataSkinObject& shared = sharedSettings(skin.HorzScrollThumb, *thumb);
            const int frames = shared.Frames();
            int frame = ScrollPieceFrame(TScrollPiece::Thumb, thumbHot, look.Tracking);
            if (frame > frames) frame = 1;
            DrawSkinObject(w, piece(t.Start, t.End, k), thumb->Bitmap, false, false, shared.Trans != 0,
                           frames, frame, thumb->Margins());
        }
        const int g = glyphs->Bitmap.Height();
        const int offset = GripOffset(t.Length(), g);
        if (offset >= 0 && t.Start + offset + g <= length && g <= cross) {
            const int from = t.Start + offset;
            DrawSkinFrame(w, piece(from, from + g, g), glyphs->Bitmap, true, kGlyphFrames,
                          ScrollPieceFrame(v ? TScrollPiece::VertGrip : TScrollPiece::HorzGrip, thumbHot,
                                           look.Tracking));
        }
    }

    if (look.Stretch) {
        win::SaveDCGuard keep(dc);
        SetStretchBltMode(dc, HALFTONE);
        StretchBlt(dc, rect.left, rect.top, RectWidth(rect), RectHeight(rect), w, 0, 0, bw, bh, SRCCOPY);
    } else {
        BitBlt(dc, rect.left, rect.top, bw, bh, w, 0, 0, SRCCOPY);
    }
}

TWScrollbar::TWScrollbar() : ArrowSize(GetSystemMetrics(SM_CXHSCROLL)) {}

TWScrollbar::~TWScrollbar() = default;

void TWScrollbar::create(HWND parent) {
    if (window_ || !parent || !OwnWindowClass<TWScrollbar>(kOverlayClass)) return;
    window_.Reset(CreateWindowExA(WS_EX_TOOLWINDOW, kOverlayClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0,
                                  parent, nullptr, GetModuleHandleA(nullptr), this));
}

void TWScrollbar::AttachToControl(TSkinControl* owner, TWinControl* control, int kind) {
    if (!control) return;
    TargetControl = control;
    AttachToWindow(owner, control->Handle(), kind);
    if (Kind == 2) Vertical = LowerCase(GetEnumPropName(control, "Kind")) != "sbhorizontal";
    UpdatePosition();
}

void TWScrollbar::AttachToWindow(TSkinControl* owner, HWND window, int kind) {
    Owner = owner;
    Target = window;
    Kind = kind;
    Vertical = kind == 1 || (kind == 2 && (GetWindowLongA(window, GWL_STYLE) & SBS_VERT));
    create(GetParent(window));
    if (!TargetControl) UpdatePosition();
}

bool TWScrollbar::Geometry(TBarGeometry& g) const {
    if (!Target || !IsWindow(Target)) return false;
    if (Kind == 2) {
        RECT r{};
        GetWindowRect(Target, &r);
        MapWindowPoints(nullptr, GetParent(Target), reinterpret_cast<POINT*>(&r), 2);
        SCROLLINFO si{};
        si.cbSize = sizeof(si);
        si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;
        if (!GetScrollInfo(Target, SB_CTL, &si)) return false;
        g.Bar = r;
        g.Thumb = ControlThumb(Vertical ? RectHeight(r) : RectWidth(r), ArrowSize, si.nMin, si.nMax,
                               int(si.nPage), si.nPos);
        g.Hidden = !(GetWindowLongA(Target, GWL_STYLE) & WS_VISIBLE);
        g.Disabled = !IsWindowEnabled(Target);
        return true;
    }
    SCROLLBARINFO info{};
    info.cbSize = sizeof(info);
    if (!SkinGetScrollBarInfo(Target, Kind == 1 ? OBJID_VSCROLL : OBJID_HSCROLL, &info)) return false;
    g.Bar = info.rcScrollBar;
    g.Thumb = TThumbExtent{info.xyThumbTop, info.xyThumbBottom};
    g.Hidden = info.rgstate[0] & STATE_SYSTEM_INVISIBLE;
    g.Disabled = info.rgstate[0] & STATE_SYSTEM_UNAVAILABLE;
    return true;
}

void TWScrollbar::UpdatePosition() {
    TBarGeometry g;
    if (!window_ || !Geometry(g)) return;
    if (!(GetWindowLongA(Target, GWL_STYLE) & WS_VISIBLE) || g.Hidden) {
        HideBar();
        return;
    }
    const HWND parent = GetParent(Target);
    RECT box = g.Bar;
    POINT at{box.left, box.top};
    if (Kind != 2) {
        ClientBox = box;
        MapWindowPoints(nullptr, Target, reinterpret_cast<POINT*>(&ClientBox), 2);
        MapWindowPoints(nullptr, parent, &at, 1);
    } else {
        ClientBox = box;
    }
    const int w = RectWidth(box), h = RectHeight(box);
    BarLength = Vertical ? h : w;
    // Directly in front of the target, so that the target's own painting stays behind it.
    const HWND before = GetWindow(Target, GW_HWNDPREV);
    if (before != window_.Get())
        SetWindowPos(window_.Get(), before ? before : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MoveWindow(window_.Get(), at.x, at.y, w, h, TRUE);
    if (!IsWindowVisible(window_.Get())) ShowWindow(window_.Get(), SW_SHOWNA);
    Shown = true;
}

void TWScrollbar::HideBar() {
    if (window_) ShowWindow(window_.Get(), SW_HIDE);
    Shown = false;
}

TScrollPart TWScrollbar::HitTest(POINT p) const {
    return ScrollHitTest(Vertical ? p.y : p.x, ArrowSize, ThumbStart, ThumbEnd, BarLength);
}

void TWScrollbar::Repaint() {
    if (window_ && Shown) RedrawWindow(window_.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
}

void TWScrollbar::SetEnabled(bool enabled) {
    if (window_) EnableWindow(window_.Get(), enabled);
}

void TWScrollbar::DrawSkin(HDC dc, const RECT& rect) {
    if (!Owner || !Owner->SkinData || !drawable(Owner->SkinData->Scrollbar)) return;
    TBarGeometry g;
    if (!Geometry(g) || g.Hidden) return;
    const int w = RectWidth(g.Bar), h = RectHeight(g.Bar);
    if (w < 0 || h < 0 || w > RectWidth(rect) || h > RectHeight(rect)) return;
    BarLength = Vertical ? h : w;
    TThumbExtent thumb = g.Thumb;
    if (Tracking && HotPart == spThumb && Kind != 2) {
        POINT cursor{};
        GetCursorPos(&cursor);
        const int moved = Vertical ? cursor.y - DownCursor.y : cursor.x - DownCursor.x;
        const int length = ThumbEnd - ThumbStart;
        thumb.Start = DragThumbStart(DownThumbStart, moved, ArrowSize, BarLength, length);
        thumb.End = thumb.Start + length;
    }
    ThumbStart = thumb.Start;
    ThumbEnd = thumb.End;
    TScrollBarLook look;
    look.Vertical = Vertical;
    look.ArrowSize = ArrowSize;
    look.Width = w;
    look.Height = h;
    look.Enabled = !g.Disabled;
    look.Thumb = thumb;
    look.HotPart = HotPart;
    look.Tracking = Tracking;
    look.Stretch = Kind == 2;
    DrawScrollBarSkin(dc, RECT{rect.left, rect.top, rect.left + w, rect.top + h}, *Owner->SkinData, look);
}

TThumbExtent TWScrollbar::pressThumb(const TBarGeometry& g) const {
    if (Kind != 2 || !TargetControl) return g.Thumb;
    const auto prop = [this](const char* name) { return int(GetIntProp(TargetControl, name)); };
    const int length = Vertical ? RectHeight(g.Bar) : RectWidth(g.Bar);
    return PropertyThumb(length, ArrowSize, prop("Min"), prop("Max"), prop("PageSize"), prop("Position"));
}

LPARAM TWScrollbar::targetPoint(LPARAM lParam) const {
    POINT p{short(LOWORD(lParam)), short(HIWORD(lParam))};
    if (Kind != 2) {
        TBarGeometry g;
        if (Geometry(g)) {
            p.x += g.Bar.left;
            p.y += g.Bar.top;
        }
    }
    return MAKELPARAM(p.x, p.y);
}

void TWScrollbar::mouseMove(LPARAM lParam) {
    const TScrollPart part = HitTest(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))});
    if (part != HotPart) {
        HotPart = part;
        Repaint();
    }
    TrackMouseLeave(window_.Get());
}

void TWScrollbar::buttonDown(LPARAM lParam) {
    // The system's tracking runs inside the send below, and the program's code with it: it may
    // free the skinner and this overlay.
    std::optional<TMessageDepth::Scope> scope;
    if (Owner) scope.emplace(Owner->Depth());
    GetCursorPos(&DownCursor);
    TBarGeometry g;
    if (!Geometry(g)) return;
    const TThumbExtent thumb = pressThumb(g);
    DownThumbStart = thumb.Start;
    ThumbStart = thumb.Start;
    ThumbEnd = thumb.End;
    HotPart = HitTest(POINT{short(LOWORD(lParam)), short(HIWORD(lParam))});
    Tracking = true;
    Repaint();
    ReleaseCapture();
    if (Kind == 2)
        SendMessageA(Target, WM_LBUTTONDOWN, MK_LBUTTON, lParam);
    else
        SendMessageA(Target, WM_NCLBUTTONDOWN, Vertical ? HTVSCROLL : HTHSCROLL, targetPoint(lParam));
    if (scope && !scope->Alive()) return;
    Tracking = false;
    ReleaseCapture();
    Repaint();
}

void TWScrollbar::buttonUp(LPARAM lParam) {
    Tracking = false;
    ReleaseCapture();
    if (Kind == 2) {
        PostMessageA(Target, WM_LBUTTONUP, MK_LBUTTON, lParam);
        Repaint();
    } else {
        PostMessageA(Target, WM_NCLBUTTONUP, Vertical ? HTVSCROLL : HTHSCROLL, targetPoint(lParam));
    }
}

LRESULT TWScrollbar::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        win::PaintDC paint(window_.Get());
        RECT client{};
        GetClientRect(window_.Get(), &client);
        if (paint.Get()) DrawSkin(paint.Get(), client);
        return 0;
    }
    case WM_MOUSEMOVE: mouseMove(lParam); return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: buttonDown(lParam); return 0;
    case WM_LBUTTONUP: buttonUp(lParam); return 0;
    case WM_MOUSELEAVE:
        if (!Tracking) {
            HotPart = spNone;
            Repaint();
        }
        return 0;
    default: return DefWindowProcA(window_.Get(), msg, wParam, lParam);
    }
}
