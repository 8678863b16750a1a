// TRadioButton.
#include "toolkit/controls/radio_button.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TRadioButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TRadioButton>("TRadioButton", &TWinControl::StaticClass())
            .Creatable()
            .Enum("Alignment", LeftRightInfo(), &TRadioButton::Alignment, &TRadioButton::SetAlignment,
                  taRightJustify)
            .Bool("Checked", &TRadioButton::Checked, &TRadioButton::SetChecked, false)
            .Build();
    return info;
}

TRadioButton::TRadioButton(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 113;
    height_ = 17;
}

void TRadioButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    p.Style |= BS_RADIOBUTTON;
    if (alignment_ == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TRadioButton::InitializeWnd() {
    TWinControl::InitializeWnd();
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TRadioButton::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    // Only the checked one of a group is a tab stop, as in dialogs.
    SetTabStop(value);
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, value ? BST_CHECKED : BST_UNCHECKED, 0);
    if (!value) return;
    clearSiblings();
    if (!IsLoading()) Click();
}

void TRadioButton::clearSiblings() {
    if (!Parent()) return;
    for (TControl* c : Parent()->Controls())
        if (auto* other = dynamic_cast<TRadioButton*>(c); other && other != this) other->SetChecked(false);
}

void TRadioButton::SetAlignment(TLeftRight value) {
    value = value == taLeftJustify ? taLeftJustify : taRightJustify;
    if (value == alignment_) return;
    alignment_ = value;
    UpdateWindowStyle();
    Invalidate();
}

void TRadioButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) SetChecked(true);
        return;
    case BM_SETCHECK:
        // A mark set from outside (a skinner) moves Checked, and the siblings, with it.
        if (bool on = m.WParam == BST_CHECKED; on != checked_) {
            checked_ = on;
            SetTabStop(on);
            if (on) clearSiblings();
        }
        break;
    case TKN_DIALOGCHAR:
        if (IsAccel(unsigned(m.WParam), caption_) && CanFocus()) {
            SetFocus();
            SetChecked(true);
            m.Result = 1;
        }
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}
