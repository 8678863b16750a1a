// TSkinButton: a plain push button painted from the skin's button face.
#include "skin/controls/skin_buttons.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/control_background.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/controls/messages.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/graphics_objects.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinButton>("TSkinButton", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

constexpr UINT_PTR kButtonTimer = 1;

bool startsWith(const std::string& text, const char* prefix) {
    return text.rfind(prefix, 0) == 0;
}

} // namespace

TSkinButton::TSkinButton(TComponent* owner) : TSkinControl(owner) {}

void TSkinButton::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToControl(skinForm, skin, setColour, canvas);
    readTransparency();
    if (Control) {
        const std::string name = LowerCase(Control->ClassName());
        SkipMouseForward = startsWith(name, "trz") || startsWith(name, "tel");
    }
}

void TSkinButton::AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToWindow(window, skin, skinForm, canvas);
    readTransparency();
}

void TSkinButton::SkinChanged() {
    readTransparency();
    // A hover or press begun under the old skin may end under a skin that leaves it to the system.
    MouseState = 0;
    TSkinControl::SkinChanged();
}

void TSkinButton::readTransparency() {
    const TControl* control = Control ? Control : RepaintTarget;
    Transparent = (control && control->Tag() == kSeeThroughTag) ||
                  (SkinData && InSet(SkinData->Options(), xoTransparent));
}

TDataSkinButton* TSkinButton::buttons() const {
    TDataSkinButton* b = SkinData ? SkinData->Buttons.get() : nullptr;
    return b && !b->Bitmap.Empty() ? b : nullptr;
}

TSkinButton::Look TSkinButton::readLook() {
    Look look;
    const TControl* control = Control ? Control : RepaintTarget;
    if (Handle) {
        look.Focused = GetFocus() == Handle;
        look.Enabled = !(GetLong(Handle, GWL_STYLE) & WS_DISABLED);
    } else if (control) {
        look.Enabled = control->Enabled();
    }
    if (control) {
        look.Default = SameText(GetEnumPropName(control, "Default"), "True");
        look.Caption = GetWideStrProp(control, "Caption", AnsiToWide);
    } else {
        look.Caption = GetWindowTextWide(Handle);
    }
    look.Caption = PrepareButtonCaption(look.Caption);
    Caption = look.Caption;
    return look;
}

int TSkinButton::faceFrame(const Look& look, std::span<const TFaceRule> rules) const {
    TFaceState state;
    state.Enabled = look.Enabled;
    state.Pressed = Pressed();
    state.Hot = Hot();
    state.Focused = look.Focused || look.Default;
    const TDataSkinButton* b = buttons();
    return FaceFrame(state, rules, b ? b->Frames() : 1);
}

HDC TSkinButton::prepareFace(const RECT& rect, int face) {
    TDataSkinButton* b = buttons();
    const int w = RectWidth(rect), h = RectHeight(rect);
    if (!b || w <= 0 || h <= 0) return nullptr;
    FaceBitmap.SetPixelFormat(pf24bit);
    FaceBitmap.SetSize(w, h);
    HDC dc = FaceBitmap.Canvas().Handle();
    const RECT all{0, 0, w, h};
    const TControl* control = Control ? Control : RepaintTarget;
    if (Transparent && Handle) {
        PaintControlBackground(Handle, dc);
    } else if (Transparent && control && control->Parent()) {
        PaintParentBackground(control->Parent()->Handle(), control->BoundsRect(), dc);
    } else {
        FillFace(dc, all);
    }
    if (face > 0)
        DrawSkinObject(dc, all, b->Bitmap, false, b->Tile != 0, b->Trans != 0, b->Frames(), face,
                       b->Margins());
    return dc;
}

HFONT TSkinButton::captionFont() const {
    const TControl* control = Control ? Control : RepaintTarget;
    if (control) return control->Font()->Handle();
    return HFONT(SendMessageA(Handle, WM_GETFONT, 0, 0));
}

TColor TSkinButton::startTextColour() const {
    const TControl* control = Control ? Control : RepaintTarget;
    if (control) return control->Font()->Color();
    return SkinData ? SkinData->Colour(scButtonText) : clBtnText;
}

UINT TSkinButton::readingFlags() const {
    const TControl* control = Control ? Control : RepaintTarget;
    return control && SameText(GetEnumPropName(control, "BiDiMode"), "bdRightToLeft") ? DT_RTLREADING : 0;
}

bool TSkinButton::focusRectWanted(const Look& look) const {
    return look.Focused && !(SkinData && InSet(SkinData->Options(), xoNoFocusRect));
}

void TSkinButton::DrawSkin(HDC dc, const RECT& rect) {
    TDataSkinButton* b = buttons();
    if (!b) return;
    const Look look = readLook();
    const int face = faceFrame(look, kButtonFace);
    HDC face_dc = prepareFace(rect, face);
    if (!face_dc) return;
    const RECT all{0, 0, RectWidth(rect), RectHeight(rect)};
    win::SelectGuard font(face_dc, captionFont());
    const COLORREF oldColour = SetTextColor(
        face_dc,
        ColorToRGB(ButtonTextColour(*b, face, look.Enabled, startTextColour(), TColour2Use::Always)));
    DrawCentredCaption(face_dc, look.Caption, all, readingFlags(), focusRectWanted(look));
    SetTextColor(face_dc, oldColour);
    BitBlt(dc, rect.left, rect.top, all.right, all.bottom, face_dc, 0, 0, SRCCOPY);
}

void TSkinButton::paintNow(HDC dc) {
    if (!Handle || !GetWindowRect(Handle, &WindowRect)) return;
    paintMessage(dc, RECT{0, 0, RectWidth(WindowRect), RectHeight(WindowRect)});
}

void TSkinButton::click() {
    if (Control) {
        RunProgramCode([control = Control] { control->Click(); });
        return;
    }
    if (!Handle) return;
    char name[64] = {};
    GetClassNameA(Handle, name, sizeof name);
    const WPARAM id = LowerCase(name) == "tbutton" ? 0 : WPARAM(GetDlgCtrlID(Handle));
    PostMessageA(GetParent(Handle), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), LPARAM(Handle));
}

bool TSkinButton::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    // A skin without a button face leaves the button to the system: its painting and its presses.
    if (!buttons()) return true;
    switch (m.Msg) {
    case WM_PAINT: paintNow(HDC(m.WParam)); return false;
    case WM_ERASEBKGND: m.Result = 1; return false;
    case WM_TIMER: KillTimer(Handle, kButtonTimer); return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (GetFocus() != Handle) SetFocus(Handle);
        SetPressed(true);
        PaintWindow(nullptr);
        if (!SkipMouseForward && Control) ForwardMouseDown(m);
        return false;
    default: return true;
    }
}

void TSkinButton::AfterDefault(TMessage& m) {
    if (!buttons()) {
        TSkinControl::AfterDefault(m);
        return;
    }
    switch (m.Msg) {
    case WM_SETTEXT: PaintWindow(nullptr); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam == VK_SPACE) {
            SetPressed(m.Msg == WM_KEYDOWN);
            Repaint();
        }
        break;
    case WM_MOUSEMOVE: {
        if (!(GetLong(Handle, GWL_STYLE) & WS_DISABLED) && !Hot()) {
            SetHot(true);
            Repaint();
        }
        TRACKMOUSEEVENT track{sizeof(track), TME_LEAVE, Handle, 0};
        TrackMouseEvent(&track);
        break;
    }
    case WM_LBUTTONUP:
        if (Pressed()) {
            SetPressed(false);
            Repaint();
            click();
        }
        break;
    case WM_MOUSELEAVE:
    case TKN_MOUSELEAVE:
        MouseState = 0;
        Repaint();
        break;
    case TKN_DIALOGKEY:
    case TKN_FOCUSCHANGED: Repaint(); break;
    default: TSkinControl::AfterDefault(m);
    }
}
