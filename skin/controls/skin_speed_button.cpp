// TSkinSpeedButton: a windowless tool button. It has no window to subclass, so it hooks the
// control's message method and paints wherever the control is asked to paint.
#include "skin/controls/skin_buttons.h"
#include "skin/core/form_skinner_base.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "toolkit/controls/messages.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinSpeedButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinSpeedButton>("TSkinSpeedButton", &TSkinBitButton::StaticClass()).Build();
    return info;
}

namespace {

bool reads(const TControl* control, const char* property, const char* value) {
    return SameText(GetEnumPropName(control, property), value);
}

// Clears the re-entrancy guard on every way out of a paint.
class PaintingGuard {
  public:
    explicit PaintingGuard(bool& flag) : flag_(flag) { flag_ = true; }
    ~PaintingGuard() { flag_ = false; }
    PaintingGuard(const PaintingGuard&) = delete;
    PaintingGuard& operator=(const PaintingGuard&) = delete;

  private:
    bool& flag_;
};

} // namespace

void TSkinSpeedButton::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool, TCanvas* canvas) {
    AttachToGraphic(skinForm, skin, canvas);
}

void TSkinSpeedButton::AttachToGraphic(TFormSkinner* skinForm, TSkinData* skin, TCanvas* canvas) {
    auto* control = dynamic_cast<TControl*>(Owner());
    if (Attached || !control) return;
    SkinForm = skinForm;
    SkinData = skin;
    Canvas = canvas;
    RepaintTarget = control;
    hookControl(control);
    if (SkinForm) SkinForm->RegisterChildSkinner(this);
    State = ctAttached;
    Attached = true;
    readTransparency();
    control->Invalidate();
}

bool TSkinSpeedButton::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    switch (m.Msg) {
    case WM_PAINT:
        // Without a button face in the skin the button paints itself.
        if (!m.WParam || !RepaintTarget || !buttons()) return true;
        PaintSpeedButton(HDC(m.WParam), RECT{0, 0, RepaintTarget->Width(), RepaintTarget->Height()});
        m.Result = 1;
        return false;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        TMessageDepth::Scope scope(Depth());
        CallDefault(m);
        // The press may have freed the button.
        if (!scope.Alive()) return false;
        SetPressed(true);
        PaintWindow(nullptr);
        return false;
    }
    default: return true;
    }
}

void TSkinSpeedButton::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_ENABLE:
    case TKN_FOCUSCHANGED:
    case TKN_ENABLEDCHANGED: break;
    case WM_NCDESTROY:
    case TKN_RELEASE: unhook(); break;
    case WM_KEYDOWN:
    case WM_KEYUP:
        if (m.WParam == VK_SPACE) {
            SetPressed(m.Msg == WM_KEYDOWN);
            PaintWindow(nullptr);
        }
        break;
    case WM_LBUTTONUP:
        SetPressed(false);
        PaintWindow(nullptr);
        break;
    case TKN_MOUSEENTER:
        SetHot(true);
        PaintWindow(nullptr);
        break;
    case TKN_MOUSELEAVE:
        MouseState = 0;
        if (RepaintTarget && RepaintTarget->Visible()) PaintWindow(nullptr);
        break;
    default: TSkinControl::AfterDefault(m);
    }
}

void TSkinSpeedButton::PaintWindow(HDC dc) {
    TControl* control = RepaintTarget;
    if (!control) return;
    const RECT r{0, 0, control->Width(), control->Height()};
    try {
        if (dc) {
            PaintSpeedButton(dc, r);
            return;
        }
        TWinControl* parent = control->Parent();
        if (!parent || !parent->HandleAllocated() || !control->Visible()) return;
        win::WindowDC window = win::WindowDC::Client(parent->Handle());
        if (!window) return;
        win::SaveDCGuard keep(window.Get());
        OffsetViewportOrgEx(window.Get(), control->Left(), control->Top(), nullptr);
        IntersectClipRect(window.Get(), 0, 0, r.right, r.bottom);
        PaintSpeedButton(window.Get(), r);
    } catch (...) {
        // The skin could not be drawn; the button keeps what was there.
    }
}

void TSkinSpeedButton::PaintSpeedButton(HDC dc, const RECT& rect) {
    TDataSkinButton* b = buttons();
    TControl* control = RepaintTarget;
    if (!b || !control || Painting || reads(control, "Visible", "False")) return;
    if (RectWidth(rect) < 1 || RectHeight(rect) < 1) return;
    PaintingGuard guard(Painting);

    const bool down = reads(control, "Down", "True");
    const bool enabled = reads(control, "Enabled", "True");
    TFaceState state;
    state.Enabled = enabled;
    state.Pressed = Pressed() || down;
    state.Hot = Hot();
    const int face = down ? int(ffPressed) : FaceFrame(state, kSpeedButtonFace, b->Frames());
    const bool showFace = face == ffPressed || face == ffHot || !reads(control, "Flat", "True");

    // The face without its frame when idle and flat: only the background shows.
    HDC faceDC = prepareFace(rect, showFace ? face : 0);
    if (!faceDC) return;
    const RECT all{0, 0, RectWidth(rect), RectHeight(rect)};
    win::SelectGuard font(faceDC, captionFont());
    std::wstring caption = GetWideStrProp(control, "Caption", AnsiToWide);
    if (glyphOf(control)) {
        drawGlyphAndCaption(faceDC, all, control, face, GlyphIndexFor(face, down), caption, enabled, true,
                            false);
    } else {
        caption = PrepareButtonCaption(caption);
        const COLORREF oldColour = SetTextColor(
            faceDC,
            ColorToRGB(ButtonTextColour(*b, face, enabled, startTextColour(), TColour2Use::AtRestOnly)));
        DrawCentredCaption(faceDC, caption, all, readingFlags(), false);
        SetTextColor(faceDC, oldColour);
    }
    BitBlt(dc, rect.left, rect.top, all.right, all.bottom, faceDC, 0, 0, SRCCOPY);
}
