// TSkinComBox: a combo box's frame and drop-down button from the skin, the button's hover and
// press states, and the skin on the drop-down list's scroll bar.
#include <windows.h>

#include "skin/controls/skin_edits.h"
#include "skin/core/optional_user32.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/face_state.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/object.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinComBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinComBox>("TSkinComBox", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

// ComboButton styles: a button over a sunken edge, a simple flat button, and the image the loader
// combined from both (the whole control in one piece).
constexpr int kComboSimple = 1, kComboCombined = 2;
constexpr int kComboFrames = 4;

void frameIn(HDC dc, const RECT& r, COLORREF colour) {
    win::BrushHandle brush(CreateSolidBrush(colour));
    FrameRect(dc, &r, brush.Get());
}

bool hasImage(const TDataSkinObject* record) {
    return record && !record->Bitmap.Empty();
}

// The frame of a record for a state, or its first when it has fewer.
int frameOf(const TDataSkinObject& record, int state) {
    return state <= record.Frames() ? state : 1;
}

// A mirrored strip holds its frames in reverse order as well: frame k sits where frame n + 1 - k
// was.
int mirroredFrame(int frames, int frame) {
    return frames + 1 - frame;
}

bool isEditWindow(HWND window) {
    char name[16] = {};
    GetClassNameA(window, name, sizeof name);
    return LowerCase(name) == "edit";
}

} // namespace

TComboBoxes ComboBoxesFor(const RECT& w, int cx, bool buttonOnLeft) {
    if (buttonOnLeft)
        return TComboBoxes{RECT{cx + 4, 2, w.right - 2, w.bottom - 2}, RECT{0, 0, cx + 2, w.bottom},
                           RECT{2, 0, cx + 2, w.bottom}};
    return TComboBoxes{RECT{2, 2, w.right - cx - 4, w.bottom - 2},
                       RECT{w.right - cx - 2, 0, w.right, w.bottom},
                       RECT{w.right - cx - 2, 0, w.right - 2, w.bottom}};
}

RECT SimpleComboButton(const RECT& w, int imageWidth, int imageHeight, int thumb, bool buttonOnLeft) {
    RECT r = w;
    InflateRect(&r, -2, -2);
    if (buttonOnLeft)
        r.right = r.left + imageWidth;
    else
        r.left = r.right - imageWidth;
    if (imageHeight < thumb) r.bottom = r.top + imageHeight;
    return r;
}

TSkinComBox::~TSkinComBox() {
    freeChildren();
}

void TSkinComBox::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToControl(skinForm, skin, setColour, canvas);
    if (Attached) attachChildren(true);
}

void TSkinComBox::AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToWindow(window, skin, skinForm, canvas);
    if (Attached) attachChildren(false);
}

bool TSkinComBox::fillInfo() {
    if (!OptionalUser32().GetComboBoxInfo) return false;
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (!OptionalUser32().GetComboBoxInfo(Handle, &info)) return false;
    Info = info;
    ListWindow = info.hwndList;
    return true;
}

void TSkinComBox::attachChildren(bool listSkinners) {
    WindowStyle = DWORD(GetLong(Handle, GWL_STYLE));
    WindowExStyle = DWORD(GetLong(Handle, GWL_EXSTYLE));
    const bool haveInfo = fillInfo();
    if ((WindowStyle & 3) != CBS_SIMPLE) {
        // The list skinners belong to this skinner, not to the form: they go with it.
        if (haveInfo && listSkinners && ListWindow) {
            ListScrollbar = std::make_unique<TComboxScrollBar>(nullptr);
            ListScrollbar->AttachToWindow(ListWindow, SkinData, nullptr, Canvas);
        }
        hookEditChild();
        return;
    }
    if (!haveInfo || !listSkinners || !ListWindow) return;
    const LONG_PTR listStyle = GetWindowLongPtrA(ListWindow, GWL_STYLE);
    if ((listStyle & WS_CHILD) && !(listStyle & WS_POPUP) && GetParent(ListWindow) != GetDesktopWindow()) {
        ListScrollbarH = std::make_unique<TSkinScrollbarH>(nullptr);
        ListScrollbarH->AttachToWindow(ListWindow, SkinData, nullptr, Canvas);
    }
}

void TSkinComBox::hookEditChild() {
    HWND child = GetTopWindow(Handle);
    if (!child || !isEditWindow(child)) return;
    EditChild = child;
    editHook_.Install(child, win::SubclassKind::Control, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
        return editChildMessage(msg, wParam, lParam);
    });
}

LRESULT TSkinComBox::editChildMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    // The edit's own handling first; its change notices may run the program, which may free the
    // combo box and with it this skinner.
    TMessageDepth::Scope scope(Depth());
    const LRESULT result = editHook_.CallPrevious(msg, wParam, lParam);
    if (!scope.Alive() || !SkinEnabled) return result;
    switch (msg) {
    case WM_PAINT: PaintWindow(nullptr); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetPressed(true);
        PaintWindow(nullptr);
        break;
    case WM_LBUTTONUP:
        SetPressed(false);
        PaintWindow(nullptr);
        break;
    default: break;
    }
    return result;
}

void TSkinComBox::freeChildren() {
    editHook_.Restore();
    EditChild = nullptr;
    if (ListScrollbar && ListScrollbar->State != ctWindowGone) ListScrollbar->Unskin();
    if (ListScrollbarH && ListScrollbarH->State != ctWindowGone) ListScrollbarH->Unskin();
    FreeWhenIdle(std::move(ListScrollbar));
    FreeWhenIdle(std::move(ListScrollbarH));
}

void TSkinComBox::Unskin() {
    if (!SkinEnabled) return;
    freeChildren();
    TSkinControl::Unskin();
}

void TSkinComBox::mouseMoved(LPARAM position) {
    POINT p{short(LOWORD(position)), short(HIWORD(position))};
    RECT window{};
    if (!ClientToScreen(Handle, &p) || !GetWindowRect(Handle, &window)) return;
    p.x -= window.left;
    p.y -= window.top;
    const bool enabled = !(GetLong(Handle, GWL_STYLE) & WS_DISABLED);
    const bool over = PtInRect(&HotRect, p);
    if (IsRawWindow) TrackMouseLeave(Handle);
    if (Hot() == (over && enabled) || !enabled) return;
    SetHot(over);
    PaintWindow(nullptr);
}

void TSkinComBox::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    // The combo box repaints itself when the focus moves; its paint brings the skin back.
    case WM_SETFOCUS:
    case WM_KILLFOCUS: break;
    case WM_MOUSEMOVE: mouseMoved(m.LParam); break;
    case WM_DRAWITEM:
    case WM_NCPAINT: PaintWindow(nullptr); break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        SetPressed(true);
        PaintWindow(nullptr);
        break;
    case WM_LBUTTONUP:
        SetPressed(false);
        PaintWindow(nullptr);
        break;
    case WM_MOUSELEAVE:
    case TKN_MOUSELEAVE:
        if (Hot()) {
            SetHot(false);
            PaintWindow(nullptr);
        }
        break;
    default: TSkinControl::AfterDefault(m); break;
    }
}

// A press that opened the list is released over the list, which has the capture: the combo never
// sees the button come up. Once the list is closed and the button is up, the press is over.
void TSkinComBox::releaseLostPress() {
    if (!Pressed() || GetKeyState(VK_LBUTTON) < 0) return;
    if ((WindowStyle & 3) != CBS_SIMPLE && SendMessageA(Handle, CB_GETDROPPEDSTATE, 0, 0)) return;
    SetPressed(false);
}

int TSkinComBox::faceState(bool simple) const {
    TFaceState s;
    s.Enabled = !(WindowStyle & WS_DISABLED);
    s.Pressed = Pressed();
    s.Hot = Hot();
    HWND focus = GetFocus();
    s.Focused = focus && (focus == Handle || IsChild(Handle, focus));
    return simple ? FaceFrame(s, kSimpleComboButtonFace, kComboFrames)
                  : FaceFrame(s, kComboButtonFace, kComboFrames);
}

void TSkinComBox::drawFrame(HDC dc, const RECT& w) const {
    if (!HasNonClientBorder(Handle)) return;
    frameIn(dc, w, ColorToRGB(SkinData->Colour(scButtonShadow)));
    RECT inner = w;
    InflateRect(&inner, -1, -1);
    frameIn(dc, inner, RGB(255, 255, 255));
}

void TSkinComBox::drawFrameOnly(HDC dc, const RECT& w, int state) {
    drawFrame(dc, w);
    RECT child{}, window{};
    if (!EditChild || !GetWindowRect(EditChild, &child) || !GetWindowRect(Handle, &window)) return;
    OffsetRect(&child, -window.left, -window.top);
    FillFace(dc, child);
    TDataSkinObject* arrow = SkinData->ComboxArrow.get();
    if (hasImage(arrow))
        DrawSkinFrame(dc, child, arrow->Bitmap, true, arrow->Frames(), frameOf(*arrow, state));
}

void TSkinComBox::drawSimple(HDC dc, const RECT& w) {
    TDataSkinBorder& button = *SkinData->ComboButton;
    const int state = faceState(true);
    const bool left = WindowExStyle & WS_EX_LEFTSCROLLBAR;
    HBRUSH brush = HBRUSH(GetCurrentObject(dc, OBJ_BRUSH));
    RECT inner = w;
    InflateRect(&inner, -1, -1);
    FrameRect(dc, &inner, brush);
    InflateRect(&inner, -1, -1);
    const int thumb = GetSystemMetrics(SM_CYVTHUMB);
    RECT native = inner;
    if (left)
        native.right = native.left + thumb;
    else
        native.left = native.right - thumb;
    FillRect(dc, &native, brush);
    frameIn(dc, w, ColorToRGB(SkinData->Colour(scButtonShadow)));
    HotRect =
        SimpleComboButton(w, button.Bitmap.Width() / button.Frames(), button.Bitmap.Height(), thumb, left);
    DrawSkinFrame(dc, HotRect, button.Bitmap, true, button.Frames(), frameOf(button, state));
}

void TSkinComBox::drawButton(HDC dc, const RECT& w, int state) {
    TDataSkinBorder& button = *SkinData->ComboButton;
    const bool left = WindowExStyle & WS_EX_LEFTSCROLLBAR;
    const TComboBoxes boxes = ComboBoxesFor(w, GetSystemMetrics(SM_CXHSCROLL), left);
    HotRect = boxes.Button;
    if (button.Style == kComboCombined) {
        // The combined image holds one cell per SunkEdge frame; its mirror serves the left side.
        const bool mirrored = left && hasImage(SkinData->SunkEdge.get());
        TDataSkinObject* whole = mirrored ? SkinData->SunkEdge.get() : &button;
        const int frames = SkinData->SunkEdge ? SkinData->SunkEdge->Frames() : button.Frames();
        const int frame = state <= frames ? state : 1;
        DrawSkinObject(dc, w, whole->Bitmap, false, false, true, frames,
                       mirrored ? mirroredFrame(frames, frame) : frame, whole->Margins());
        return;
    }
    // Composed off screen over what the control painted, then copied back around its text.
    const int width = RectWidth(w), height = RectHeight(w);
    TBitmap work(width, height, pf24bit);
    HDC wdc = work.Canvas().Handle();
    BitBlt(wdc, 0, 0, width, height, dc, w.left, w.top, SRCCOPY);
    if (TDataSkinObject* edge = SkinData->SunkEdge.get(); hasImage(edge))
        DrawSkinObject(wdc, RECT{0, 0, width, height}, edge->Bitmap, false, edge->Tile != 0, edge->Trans != 0,
                       edge->Frames(), frameOf(*edge, state), edge->Margins());
    const bool mirrored = left && !button.Bitmap2.Empty();
    const int frame = frameOf(button, state);
    DrawSkinFrame(wdc, boxes.Button, mirrored ? button.Bitmap2 : button.Bitmap, true, button.Frames(),
                  mirrored ? mirroredFrame(button.Frames(), frame) : frame);
    if (TDataSkinObject* extra = SkinData->ExtraImages.get(); hasImage(extra))
        DrawSkinFrameCentered(wdc, boxes.Arrow, extra->Bitmap, true, extra->Frames(), frameOf(*extra, state));
    win::SaveDCGuard keep(dc);
    ExcludeClipRect(dc, w.left + boxes.Text.left, w.top + boxes.Text.top, w.left + boxes.Text.right,
                    w.top + boxes.Text.bottom);
    BitBlt(dc, w.left, w.top, width, height, wdc, 0, 0, SRCCOPY);
}

void TSkinComBox::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData) return;
    TDataSkinBorder* button = SkinData->ComboButton.get();
    if (!hasImage(button) || RectWidth(rect) <= 0 || RectHeight(rect) <= 0) return;
    WindowStyle = DWORD(GetLong(Handle, GWL_STYLE));
    WindowExStyle = DWORD(GetLong(Handle, GWL_EXSTYLE));
    if (fillInfo() && (Info.stateButton & STATE_SYSTEM_INVISIBLE)) return;
    if (button->Style == kComboSimple) {
        releaseLostPress();
        drawSimple(dc, rect);
        return;
    }
    releaseLostPress();
    const int state = faceState(false);
    if (FrameOnly) {
        drawFrameOnly(dc, rect, state);
        return;
    }
    drawButton(dc, rect, state);
}
