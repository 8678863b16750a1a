// TSkinUpDown: both arrow buttons of an up-down painted from the skin's arrow strips.
#include <windows.h>

#include <commctrl.h>

#include "skin/controls/range_geometry.h"
#include "skin/controls/skin_ranges.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinUpDown::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinUpDown>("TSkinUpDown", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

constexpr int kArrowFrames = 8;

TBox boxOf(const RECT& r) {
    return TBox{int(r.left), int(r.top), int(r.right), int(r.bottom)};
}

RECT rectOf(const TBox& b) {
    return RECT{b.Left, b.Top, b.Right, b.Bottom};
}

void line(HDC dc, int x1, int y1, int x2, int y2) {
    MoveToEx(dc, x1, y1, nullptr);
    LineTo(dc, x2, y2);
}

// The system-less arrow: a 9 x 5 chevron for up and down, a 3-pixel triangle for left and right.
void drawArrow(HDC dc, TArrowKind kind, int cx, int cy) {
    switch (kind) {
    case akUp:
        line(dc, cx - 4, cy + 2, cx, cy - 2);
        line(dc, cx, cy - 2, cx + 5, cy + 3);
        break;
    case akDown:
        line(dc, cx - 4, cy - 2, cx, cy + 2);
        line(dc, cx, cy + 2, cx + 5, cy - 3);
        break;
    case akLeft:
        for (int i = 0; i < 3; ++i)
            line(dc, cx - 1 + i, cy - i, cx - 1 + i, cy + i + 1);
        break;
    case akRight:
        for (int i = 0; i < 3; ++i)
            line(dc, cx + 1 - i, cy - i, cx + 1 - i, cy + i + 1);
        break;
    }
}

} // namespace

bool TSkinUpDown::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    switch (m.Msg) {
    case WM_PAINT: {
        RECT client{};
        GetClientRect(Handle, &client);
        paintMessage(HDC(m.WParam), client);
        m.Result = 0;
        return false;
    }
    case WM_ERASEBKGND:
        if (IsRawWindow) {
            RECT client{};
            GetClientRect(Handle, &client);
            FillRect(HDC(m.WParam), &client, HBRUSH(GetStockObject(WHITE_BRUSH)));
        }
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
    case WM_LBUTTONUP: {
        const bool down = m.Msg != WM_LBUTTONUP;
        if (!down) SetPressed(false);
        TMessageDepth::Scope scope(Depth());
        // The step (and the program's handler of it) comes first; it may free the control.
        CallDefault(m);
        if (!scope.Alive()) return false;
        if (down) SetPressed(true);
        PaintWindow(nullptr);
        return false;
    }
    default: return true;
    }
}

void TSkinUpDown::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData) return;
    RECT r = rect;
    if (InEdit) {
        RECT client{};
        GetClientRect(Handle, &client);
        FillRect(dc, &client, HBRUSH(GetStockObject(WHITE_BRUSH)));
        RECT self{}, edit{};
        if (GetWindowRect(Handle, &self) && GetWindowRect(GetParent(Handle), &edit))
            r = rectOf(KeepInsideEditFrame(boxOf(r), boxOf(self), boxOf(edit)));
    }
    const int w = RectWidth(r), h = RectHeight(r);
    if (w <= 0 || h <= 0) return;
    TBitmap work(w, h, pf24bit);
    HDC wdc = work.Canvas().Handle();
    FillFace(wdc, RECT{0, 0, w, h});

    const LONG_PTR style = GetLong(Handle, GWL_STYLE);
    TUpDownFacts facts;
    facts.Width = w;
    facts.Height = h;
    facts.Horizontal = Horizontal || (style & UDS_HORZ);
    facts.Enabled = !(style & WS_DISABLED);
    facts.Pressed = Pressed();
    facts.Hot = Hot();
    POINT cursor{};
    GetCursorPos(&cursor);
    ScreenToClient(Handle, &cursor);
    facts.CursorX = cursor.x - r.left;
    facts.CursorY = cursor.y - r.top;
    for (const TArrowButton& b : UpDownButtons(facts))
        drawButton(wdc, rectOf(b.Box), b.Kind, b.Frame(), b.State);
    BitBlt(dc, r.left, r.top, w, h, wdc, 0, 0, SRCCOPY);
}

void TSkinUpDown::drawButton(HDC dc, const RECT& box, int kind, int frame, int state) {
    const bool horizontal = kind == akLeft || kind == akRight;
    TDataSkinBorder* strip = horizontal ? SkinData->UpDownHorz.get() : SkinData->UpDownVert.get();
    if (strip && !strip->Bitmap.Empty()) {
        DrawSkinFrame(dc, box, strip->Bitmap, true, kArrowFrames, frame);
        if (!strip->Bitmap2.Empty())
            DrawSkinFrameCentered(dc, box, strip->Bitmap2, true, kArrowFrames, frame);
        return;
    }
    const bool sunk = state == asPressed || state == asHot;
    FillColour(dc, box, SkinData->Colour(sunk ? scButtonShadow : scButtonFace));
    const COLORREF dark = ColorToRGB(SkinData->Colour(scButtonDkShadow));
    win::BrushHandle frameBrush(CreateSolidBrush(dark));
    FrameRect(dc, &box, frameBrush.Get());
    win::PenHandle pen(CreatePen(PS_SOLID, 1, dark));
    win::SelectGuard keep(dc, pen.Get());
    const int cx = int(box.left + box.right) / 2, cy = int(box.top + box.bottom) / 2;
    drawArrow(dc, TArrowKind(kind), cx, horizontal ? cy : cy - 2);
}
