// TSkinScrollbar: overlays over a toolkit control's window scroll bars.
#include "skin/core/skin_scrollbar.h"

#include "skin/core/form_skinner_base.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "toolkit/controls/messages.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/rects.h"

const TClassInfo& TSkinScrollbar::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinScrollbar>("TSkinScrollbar", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

bool hasIntegerProp(const TObject* object, const char* name) {
    const TPropInfo* info = object->ClassType().FindProp(name);
    return info && info->kind == TTypeKind::Integer && info->getOrd && info->setOrd;
}

} // namespace

RECT ScrollCorner(HWND window, const TWScrollbar& vert, const TWScrollbar& horz) {
    RECT frame{};
    GetWindowRect(window, &frame);
    POINT origin{0, 0};
    ClientToScreen(window, &origin);
    const int dx = origin.x - frame.left, dy = origin.y - frame.top;
    return RECT{vert.ClientBox.left + dx, horz.ClientBox.top + dy, vert.ClientBox.right + dx,
                horz.ClientBox.bottom + dy};
}

TSkinScrollbar::~TSkinScrollbar() = default;

void TSkinScrollbar::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour,
                                     TCanvas* canvas) {
    SetColour = setColour;
    AttachScrollbars(dynamic_cast<TWinControl*>(Owner()), skin, skinForm, canvas);
}

void TSkinScrollbar::AttachScrollbars(TWinControl* control, TSkinData* skin, TFormSkinner* skinForm,
                                      TCanvas* canvas) {
    if (Attached || !control || !skin) return;
    Control = control;
    SkinData = skin;
    SkinForm = skinForm;
    Canvas = canvas;
    Handle = control->Handle();
    IsUnicode = IsWindowUnicode(Handle);
    if (SkinForm) SkinForm->RegisterChildSkinner(this);
    DrawBorder = LowerCase(GetEnumPropName(control, "BorderStyle")) != "bsnone" &&
                 !control->InheritsFrom("TImageScrollBox") && !SingleMode;
    setFixedColor();
    if (SetColour) {
        SavedColor = control->Color();
        control->SetColor(SkinData->Colour(scButtonFace));
    }
    HorzBar = std::make_unique<TWScrollbar>();
    VertBar = std::make_unique<TWScrollbar>();
    HorzBar->AttachToControl(this, control, 0);
    VertBar->AttachToControl(this, control, 1);
    for (TWScrollbar* bar : {HorzBar.get(), VertBar.get()}) {
        bar->SetEnabled(control->Enabled());
        if (!control->Visible()) bar->HideBar();
    }
    hookControl(control);
    Attached = true;
    State = ctAttached;
    if (DrawBorder)
        SetWindowPos(Handle, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
}

void TSkinScrollbar::setFixedColor() {
    if (!Control || !SkinData || !hasIntegerProp(Control, "FixedColor")) return;
    if (!FixedColorReplaced) {
        SavedFixedColor = TColor(GetIntProp(Control, "FixedColor"));
        FixedColorReplaced = true;
    }
    SetPropFromText(Control, "FixedColor", std::to_string(SkinData->Colour(scButtonFace)));
}

void TSkinScrollbar::RepositionBars() {
    if (HorzBar) HorzBar->UpdatePosition();
    if (VertBar) VertBar->UpdatePosition();
}

void TSkinScrollbar::freeBars() {
    HorzBar.reset();
    VertBar.reset();
}

void TSkinScrollbar::Unskin() {
    if (!SkinEnabled) return;
    // A window made again keeps its control: the colour goes back then too, so that the next
    // skinner saves the program's own.
    if (FixedColorReplaced && Control && !Control->IsDestroying()) {
        SetPropFromText(Control, "FixedColor", std::to_string(SavedFixedColor));
        FixedColorReplaced = false;
    }
    TSkinControl::Unskin();
    if (State != ctWindowGone) {
        freeBars();
    } else {
        // Nothing left to cover until the skinner goes.
        if (HorzBar) HorzBar->HideBar();
        if (VertBar) VertBar->HideBar();
    }
}

void TSkinScrollbar::SkinChanged() {
    setFixedColor();
    TSkinControl::SkinChanged();
}

bool TSkinScrollbar::BeforeDefault(TMessage& m) {
    if (m.Msg == WM_NCPAINT && DrawBorder) {
        TMessageDepth::Scope scope(Depth());
        CallDefault(m);
        if (!scope.Alive()) return false;
        win::WindowDC dc = win::WindowDC::Frame(Handle);
        if (dc) drawBorder(dc.Get());
        return false;
    }
    return TSkinControl::BeforeDefault(m);
}

void TSkinScrollbar::drawBorder(HDC dc) {
    RECT r{};
    if (!SkinData || !GetWindowRect(Handle, &r)) return;
    OffsetRect(&r, -r.left, -r.top);
    win::BrushHandle shadow(CreateSolidBrush(ColorToRGB(SkinData->Colour(scButtonShadow))));
    win::BrushHandle face(CreateSolidBrush(ColorToRGB(SkinData->Colour(scButtonFace))));
    FrameRect(dc, &r, shadow.Get());
    InflateRect(&r, -1, -1);
    FrameRect(dc, &r, face.Get());
}

void TSkinScrollbar::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_SIZE:
    case WM_WINDOWPOSCHANGED: RepositionBars(); break;
    case WM_HSCROLL:
        if (HorzBar) {
            HorzBar->HotPart = LOWORD(m.WParam);
            HorzBar->Repaint();
        }
        break;
    case WM_VSCROLL:
        if (VertBar) {
            VertBar->HotPart = LOWORD(m.WParam);
            VertBar->Repaint();
        }
        break;
    case WM_MOUSEWHEEL:
        if (HorzBar) HorzBar->Repaint();
        if (VertBar) VertBar->Repaint();
        break;
    case TKN_VISIBLECHANGED:
        if (m.WParam != 0) {
            RepositionBars();
        } else {
            if (HorzBar) HorzBar->HideBar();
            if (VertBar) VertBar->HideBar();
        }
        break;
    case TKN_ENABLEDCHANGED:
        for (TWScrollbar* bar : {HorzBar.get(), VertBar.get()})
            if (bar && Control) bar->SetEnabled(Control->Enabled());
        TSkinControl::AfterDefault(m);
        break;
    case TKN_RECREATEWND:
        // The form skinner replaces this skinner once the new window exists.
        if (SkinForm && SkinForm->Handle) PostMessageA(SkinForm->Handle, SKM_RESKINSCROLL, WPARAM(Handle), 0);
        break;
    case SKM_PAINTFRAME:
        if (m.LParam != SKM_MAGIC) break;
        if (m.WParam != 0 && DrawBorder) drawBorder(HDC(m.WParam));
        m.Result = SKM_MAGIC;
        break;
    default: TSkinControl::AfterDefault(m); break;
    }
}

void TSkinScrollbar::DrawSkin(HDC dc, const RECT&) {
    for (auto* bar : {VertBar.get(), HorzBar.get()}) {
        if (!bar) continue;
        const DWORD barStyle = bar == VertBar.get() ? WS_VSCROLL : WS_HSCROLL;
        if (bar->Shown)
            bar->Repaint();
        else if (GetLong(Handle, GWL_STYLE) & barStyle)
            bar->UpdatePosition();
    }
    if (VertBar && HorzBar && VertBar->Shown && HorzBar->Shown) {
        const RECT corner = ScrollCorner(Handle, *VertBar, *HorzBar);
        FillColour(dc, corner, SkinData ? SkinData->Colour(scButtonFace) : clBtnFace);
    }
}
