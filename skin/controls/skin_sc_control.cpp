// TSkinScControl: the overlay over a stand-alone scroll-bar control.
#include "skin/controls/skin_media_player.h"
#include "skin/core/form_skinner_base.h"
#include "toolkit/controls/messages.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TSkinScControl::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinScControl>("TSkinScControl", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

// The overlay's kind for a control that is itself the bar.
constexpr int kControlBar = 2;

} // namespace

TSkinScControl::~TSkinScControl() = default;

void TSkinScControl::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour,
                                     TCanvas* canvas) {
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (Attached || !control || !skin) return;
    SkinData = skin;
    SkinForm = skinForm;
    SetColour = setColour;
    Canvas = canvas;
    Control = control;
    Handle = control->Handle();
    IsUnicode = IsWindowUnicode(Handle);
    if (SkinForm) SkinForm->RegisterChildSkinner(this);
    EmbeddedScrollbar = std::make_unique<TWScrollbar>();
    EmbeddedScrollbar->AttachToControl(this, control, kControlBar);
    EmbeddedScrollbar->SetEnabled(control->Enabled());
    if (!control->Visible()) EmbeddedScrollbar->HideBar();
    hookControl(control);
    Attached = true;
    State = ctAttached;
}

void TSkinScControl::reposition() {
    auto* control = dynamic_cast<TWinControl*>(Control);
    if (!EmbeddedScrollbar || !control || !control->HandleAllocated()) return;
    // A window made again (a new Kind) gets the overlay bound to it anew.
    if (control->Handle() != Handle) {
        Handle = control->Handle();
        EmbeddedScrollbar->AttachToControl(this, control, kControlBar);
        EmbeddedScrollbar->SetEnabled(control->Enabled());
    }
    EmbeddedScrollbar->UpdatePosition();
}

void TSkinScControl::Unskin() {
    if (!SkinEnabled) return;
    TSkinControl::Unskin();
    if (State != ctWindowGone)
        EmbeddedScrollbar.reset();
    else if (EmbeddedScrollbar)
        EmbeddedScrollbar->HideBar();
}

void TSkinScControl::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
    case WM_NCPAINT: reposition(); break;
    case SBM_SETSCROLLINFO:
    case SBM_SETPOS:
    case SBM_SETRANGE:
    // The bar's own notices, reflected back to it: a scroll by the user.
    case CN_VSCROLL:
    case CN_HSCROLL:
        if (EmbeddedScrollbar) EmbeddedScrollbar->Repaint();
        break;
    case TKN_VISIBLECHANGED:
        if (m.WParam != 0)
            reposition();
        else if (EmbeddedScrollbar)
            EmbeddedScrollbar->HideBar();
        break;
    case TKN_ENABLEDCHANGED:
        if (EmbeddedScrollbar && Control) {
            EmbeddedScrollbar->SetEnabled(Control->Enabled());
            EmbeddedScrollbar->Repaint();
        }
        break;
    default: TSkinControl::AfterDefault(m); break;
    }
}

void TSkinScControl::DrawSkin(HDC, const RECT&) {
    if (EmbeddedScrollbar) EmbeddedScrollbar->Repaint();
}

void TSkinScControl::SkinChanged() {
    TSkinControl::SkinChanged();
    if (EmbeddedScrollbar) EmbeddedScrollbar->Repaint();
}
