// TSkinGroupBox: a rounded frame in the skin's shadow colour with the caption over its top edge.
#include <windows.h>

#include "skin/controls/skin_containers.h"
#include "skin/controls/skin_tabs.h"
#include "skin/core/face_text.h"
#include "skin/core/skin_data.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinGroupBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinGroupBox>("TSkinGroupBox", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

// The caption starts this far in from the frame's side.
constexpr int kCaptionIndent = 8;
// The corner ellipse of the frame.
constexpr int kCornerSize = 5;

} // namespace

void TSkinGroupBox::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour,
                                    TCanvas* canvas) {
    TSkinControl::AttachToControl(skinForm, skin, setColour, canvas);
    PaintChildren = Attached && Control;
}

bool TSkinGroupBox::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    if (m.Msg != WM_PAINT || !PaintChildren) return true;
    RECT client{};
    GetClientRect(Handle, &client);
    paintMessage(HDC(m.WParam), client);
    m.Result = 0;
    return false;
}

COLORREF TSkinGroupBox::captionColour() const {
    const TColor own = Control ? Control->Font()->Color() : clBtnText;
    return COLORREF(ColorToRGB(TextColourOnFace(own, SkinData)));
}

void TSkinGroupBox::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData || !Handle) return;
    if (!Control) {
        // A raw group box has drawn itself: the frame and caption go over its own.
        drawCaptionAndFrame(dc, rect);
        return;
    }
    const int w = RectWidth(rect), h = RectHeight(rect);
    if (w <= 0 || h <= 0) return;
    TBitmap work(w, h, pf24bit);
    HDC wdc = work.Canvas().Handle();
    const RECT r{0, 0, w, h};
    FillFace(wdc, r);
    drawCaptionAndFrame(wdc, r);
    if (PaintChildren) PaintWindowlessChildren(Control, wdc, r);
    BitBlt(dc, rect.left, rect.top, w, h, wdc, 0, 0, SRCCOPY);
}

void TSkinGroupBox::drawCaptionAndFrame(HDC dc, const RECT& r) {
    std::wstring caption = GetWindowTextWide(Handle);
    if (caption.empty() && Control) caption = AnsiToWide(Control->Caption());
    HFONT font = Control ? Control->Font()->Handle() : HFONT(SendMessageA(Handle, WM_GETFONT, 0, 0));
    win::SelectGuard selected(dc, font ? HGDIOBJ(font) : GetCurrentObject(dc, OBJ_FONT));
    SIZE zero{};
    GetTextExtentPoint32W(dc, L"0", 1, &zero);
    const int top = int(zero.cy) / 2 - 1;
    if (!Control) {
        // The native etched frame goes under the face first.
        RECT erase{r.left, r.top + top, r.right, r.bottom};
        FrameRect(dc, &erase, SkinData->FaceBrush());
        InflateRect(&erase, -1, -1);
        FrameRect(dc, &erase, SkinData->FaceBrush());
    }
    {
        win::PenHandle pen(CreatePen(PS_SOLID, 1, COLORREF(ColorToRGB(SkinData->Colour(scButtonShadow)))));
        win::SelectGuard usePen(dc, pen.Get());
        win::SelectGuard noFill(dc, GetStockObject(NULL_BRUSH));
        RoundRect(dc, r.left + 1, r.top + top, r.right - 1, r.bottom - 1, kCornerSize, kCornerSize);
    }
    if (caption.empty()) return;
    // The caption's opaque background hides the frame line behind it.
    const COLORREF oldBack = SetBkColor(dc, COLORREF(ColorToRGB(SkinData->Colour(scButtonFace))));
    const COLORREF oldText = SetTextColor(dc, captionColour());
    const LONG_PTR exStyle = GetLong(Handle, GWL_EXSTYLE);
    if (exStyle & WS_EX_RIGHT) {
        RECT text{r.left, r.top, r.right - kCaptionIndent, r.bottom};
        DrawSkinText(dc, caption, text,
                     DT_EXPANDTABS | DT_RIGHT | ((exStyle & WS_EX_RTLREADING) ? DT_RTLREADING : 0));
    } else {
        RECT text{r.left + kCaptionIndent, r.top, r.right, r.bottom};
        DrawSkinText(dc, caption, text, DT_EXPANDTABS);
    }
    SetTextColor(dc, oldText);
    SetBkColor(dc, oldBack);
}
