// TSkinDateTime and its TArrowButton: a date-time picker's border from the skin, and the skin's
// drop-down arrow laid over the picker's own button.
#include <windows.h>

#include "skin/controls/skin_edits.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

#include <algorithm>

const TClassInfo& TSkinDateTime::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinDateTime>("TSkinDateTime", &TSkinControl::StaticClass()).Build();
    return info;
}

const TClassInfo& TSkinDateTime::TArrowButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinDateTime::TArrowButton>("TArrowButton", &TWinControl::StaticClass()).Build();
    return info;
}

namespace {

constexpr int kArrowNormal = 1, kArrowHot = 4;

void frameIn(HDC dc, const RECT& r, COLORREF colour) {
    win::BrushHandle brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush.Get());
}

} // namespace

// ---- TArrowButton ----

TSkinDateTime::TArrowButton::TArrowButton(TSkinDateTime* picker, HWND pickerWindow, TControl* pickerControl)
    : TWinControl(nullptr), Picker(picker), PickerWindow(pickerWindow), PickerControl(pickerControl) {
    SetTabStop(false);
    width_ = ButtonWidth;
    height_ = std::max(pickerHeight() - 4, 0);
}

int TSkinDateTime::TArrowButton::pickerHeight() const {
    RECT r{};
    GetWindowRect(PickerWindow, &r);
    return RectHeight(r);
}

void TSkinDateTime::TArrowButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    // A child of the picker's window, which has no toolkit parent for it.
    p.WndParent = PickerWindow;
    p.Style &= ~DWORD(WS_TABSTOP);
}

void TSkinDateTime::TArrowButton::Place(int left) {
    SetBounds(left, 0, ButtonWidth, std::max(pickerHeight() - 4, 0));
    if (HandleAllocated()) InvalidateRect(Handle(), nullptr, FALSE);
}

void TSkinDateTime::TArrowButton::PaintWindow(HDC dc) {
    const RECT r{0, 0, Width(), std::max(pickerHeight() - 4, 0)};
    TSkinData* skin = Picker ? Picker->SkinData : nullptr;
    if (!skin) return;
    win::BrushHandle face(CreateSolidBrush(ColorToRGB(skin->Colour(scButtonFace))));
    FillRect(dc, &r, face.Get());
    TDataSkinObject* arrow = skin->ComboxArrow.get();
    if (!arrow || arrow->Bitmap.Empty()) return;
    const int frame = Hot && arrow->Frames() >= kArrowHot ? kArrowHot : kArrowNormal;
    DrawSkinFrame(dc, r, arrow->Bitmap, false, arrow->Frames(), frame);
}

void TSkinDateTime::TArrowButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case TKN_MOUSEENTER:
        if (IsWindowEnabled(PickerWindow)) {
            Hot = true;
            Invalidate();
        }
        break;
    case TKN_MOUSELEAVE:
        // Cleared even on a disabled picker: the arrow must not stay lit.
        if (Hot) {
            Hot = false;
            Invalidate();
        }
        break;
    case WM_LBUTTONDOWN: {
        TWinControl::WndProc(m);
        // The same press on the picker's own button, which lies under this one.
        const LPARAM at = MAKELPARAM(short(LOWORD(m.LParam)) + Left(), short(HIWORD(m.LParam)) + Top());
        PostMessageA(PickerWindow, WM_LBUTTONDOWN, m.WParam, at);
        PostMessageA(PickerWindow, WM_LBUTTONUP, m.WParam, at);
        Invalidate();
        return;
    }
    case WM_LBUTTONUP:
        TWinControl::WndProc(m);
        ::SetFocus(PickerWindow);
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}

// ---- TSkinDateTime ----

TSkinDateTime::~TSkinDateTime() {
    removeArrow();
}

void TSkinDateTime::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour,
                                    TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToControl(skinForm, skin, setColour, canvas);
    if (Attached) makeArrow();
}

void TSkinDateTime::AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToWindow(window, skin, skinForm, canvas);
    if (Attached) makeArrow();
}

int TSkinDateTime::arrowLeft(const RECT& w) const {
    if (GetLong(Handle, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR) return 2;
    return int(w.right) - (Arrow ? Arrow->ButtonWidth : GetSystemMetrics(SM_CXHSCROLL)) - 4;
}

void TSkinDateTime::makeArrow() {
    // Without the skin's arrow the picker keeps its own button.
    if (Arrow || !SkinData || !SkinData->ComboxArrow || SkinData->ComboxArrow->Bitmap.Empty()) return;
    RECT w{};
    if (!GetWindowRect(Handle, &w)) return;
    OffsetRect(&w, -w.left, -w.top);
    const LONG_PTR style = GetLong(Handle, GWL_STYLE);
    if (!(style & WS_CLIPCHILDREN)) {
        SetWindowLongPtrA(Handle, GWL_STYLE, style | WS_CLIPCHILDREN);
        addedClipChildren_ = true;
    }
    Arrow = std::make_unique<TArrowButton>(this, Handle, Control);
    Arrow->Place(arrowLeft(w));
    Arrow->HandleNeeded();
}

void TSkinDateTime::removeArrow() {
    Arrow.reset();
    if (!addedClipChildren_) return;
    addedClipChildren_ = false;
    if (State != ctWindowGone && IsWindow(Handle))
        SetWindowLongPtrA(Handle, GWL_STYLE, GetLong(Handle, GWL_STYLE) & ~LONG_PTR(WS_CLIPCHILDREN));
}

void TSkinDateTime::Unskin() {
    if (!SkinEnabled) return;
    // The picker's own button shows again.
    removeArrow();
    if (State != ctWindowGone) InvalidateRect(Handle, nullptr, TRUE);
    TSkinControl::Unskin();
}

void TSkinDateTime::AfterDefault(TMessage& m) {
    if (m.Msg == WM_SIZE && Arrow) {
        RECT w{};
        GetWindowRect(Handle, &w);
        OffsetRect(&w, -w.left, -w.top);
        Arrow->Place(arrowLeft(w));
        return;
    }
    TSkinControl::AfterDefault(m);
}

void TSkinDateTime::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData) return;
    if (Arrow) Arrow->Place(arrowLeft(rect));
    if (!HasNonClientBorder(Handle)) return;
    frameIn(dc, rect, ColorToRGB(SkinData->Colour(scButtonShadow)));
    RECT inner = rect;
    InflateRect(&inner, -1, -1);
    frameIn(dc, inner, RGB(255, 255, 255));
}
