// TSkinBox, TSkinBoxH and TSkinSizer: containers and raw windows given the skin's face colour.
#include <windows.h>

#include "skin/controls/skin_containers.h"
#include "skin/core/form_skinner_base.h"
#include "skin/core/skin_data.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TSkinBox::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TSkinBox>("TSkinBox", &TSkinControl::StaticClass()).Build();
    return info;
}

const TClassInfo& TSkinBoxH::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinBoxH>("TSkinBoxH", &TSkinControl::StaticClass()).Build();
    return info;
}

const TClassInfo& TSkinSizer::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinSizer>("TSkinSizer", &TSkinControl::StaticClass()).Build();
    return info;
}

void TSkinBox::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) {
    if (Attached) return;
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (!control) return;
    SkinData = skin;
    Canvas = canvas;
    Control = control;
    Handle = control->Handle();
    SkinForm = skinForm;
    SetColour = setColour;
    if (SkinForm) SkinForm->RegisterChildSkinner(this);
    if (SetColour && SkinData) {
        SavedColor = control->Color();
        control->SetColor(SkinData->Colour(scButtonFace));
    }
    hookControl(control);
    Attached = true;
    State = ctAttached;
}

bool TSkinBoxH::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    if (!SkinData) return true;
    switch (m.Msg) {
    case WM_ERASEBKGND: {
        RECT r{};
        GetWindowRect(Handle, &r);
        OffsetRect(&r, -r.left, -r.top);
        FillFace(HDC(m.WParam), r);
        // Erased: the window's paint has nothing left to clear.
        m.Result = 1;
        return false;
    }
    case WM_CTLCOLORSTATIC: {
        TMessageDepth::Scope scope(Depth());
        CallDefault(m);
        if (!scope.Alive()) return false;
        // Opaque static text sits on the face as well.
        SetBkColor(HDC(m.WParam), COLORREF(ColorToRGB(SkinData->Colour(scButtonFace))));
        m.Result = reinterpret_cast<LRESULT>(SkinData->FaceBrush());
        return false;
    }
    default: return true;
    }
}

void TSkinSizer::DrawSkin(HDC dc, const RECT& rect) {
    if (SkinData) FillFace(dc, rect);
}
