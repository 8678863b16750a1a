// TCustomEdit and TEdit.
#include "toolkit/controls/edit_ctrls.h"

#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TCustomEdit::StaticClass() {
    using E = TCustomEdit;
    static const TClassInfo& info =
        TClassBuilder<E>("TCustomEdit", &TWinControl::StaticClass())
            .Enum("BorderStyle", BorderStyleInfo(), &E::BorderStyle, &E::SetBorderStyle, 1)
            .Bool("ReadOnly", &E::ReadOnly, &E::SetReadOnly, false)
            .Int("MaxLength", &E::MaxLength, &E::SetMaxLength, 0)
            .Bool("TabStop", &E::TabStop, &E::SetTabStop, true)
            .Bool("ParentColor", &E::ParentColor, &E::SetParentColor, false)
            .Event("OnChange", &E::OnChange)
            .Build();
    return info;
}

const TClassInfo& TEdit::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TEdit>("TEdit", &TCustomEdit::StaticClass()).Creatable().Build();
    return info;
}

TCustomEdit::TCustomEdit(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 121;
    height_ = 21;
    color_ = clWindow;
    SetTabStop(true);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "EDIT";
    p.Style |= ES_AUTOHSCROLL;
    if (readOnly_) p.Style |= ES_READONLY;
    if (borderStyle_ != 0) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::InitializeWnd() {
    TWinControl::InitializeWnd();
    SendMessageA(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::SetBorderStyle(int value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    UpdateWindowStyle();
}

void TCustomEdit::SetReadOnly(bool value) {
    readOnly_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

void TCustomEdit::SetMaxLength(int value) {
    maxLength_ = value < 0 ? 0 : value;
    if (HandleAllocated()) SendMessageA(Handle(), EM_LIMITTEXT, WPARAM(maxLength_), 0);
}

void TCustomEdit::takeWindowText() {
    if (!HandleAllocated()) return;
    const int length = GetWindowTextLengthA(Handle());
    std::string text(size_t(length) + 1, '\0');
    text.resize(size_t(GetWindowTextA(Handle(), text.data(), length + 1)));
    caption_ = text;
    if (OnChange) OnChange(this);
}

void TCustomEdit::TextChanged(TMessage& m) {
    // With a window, the edit reports the new text itself (EN_CHANGE).
    TWinControl::TextChanged(m);
    if (!HandleAllocated() && !IsLoading() && OnChange) OnChange(this);
}

void TCustomEdit::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == EN_CHANGE) takeWindowText();
        return;
    }
    TWinControl::WndProc(m);
}
