// TCustomCheckBox and TCheckBox.
#include "toolkit/controls/check_box.h"

#include "toolkit/core/class_builder.h"

const TEnumInfo& CheckBoxStateInfo() {
    static const TEnumInfo info{"TCheckBoxState", {"cbUnchecked", "cbChecked", "cbGrayed"}};
    return info;
}

const TEnumInfo& LeftRightInfo() {
    static const TEnumInfo info{"TLeftRight", {"taLeftJustify", "taRightJustify"}};
    return info;
}

const TClassInfo& TCustomCheckBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TCustomCheckBox>("TCustomCheckBox", &TWinControl::StaticClass())
            .Enum("Alignment", LeftRightInfo(), &TCustomCheckBox::Alignment, &TCustomCheckBox::SetAlignment,
                  taRightJustify)
            .Bool("AllowGrayed", &TCustomCheckBox::AllowGrayed, &TCustomCheckBox::SetAllowGrayed, false)
            .Enum("State", CheckBoxStateInfo(), &TCustomCheckBox::State, &TCustomCheckBox::SetState,
                  cbUnchecked)
            .Bool("Checked", &TCustomCheckBox::Checked, &TCustomCheckBox::SetChecked, false)
            .Bool("TabStop", &TCustomCheckBox::TabStop, &TCustomCheckBox::SetTabStop, true)
            .Build();
    return info;
}

const TClassInfo& TCheckBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TCheckBox>("TCheckBox", &TCustomCheckBox::StaticClass()).Creatable().Build();
    return info;
}

TCustomCheckBox::TCustomCheckBox(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 97;
    height_ = 17;
    SetTabStop(true);
}

void TCustomCheckBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    p.Style |= BS_3STATE;
    if (alignment_ == taLeftJustify) p.Style |= BS_LEFTTEXT;
}

void TCustomCheckBox::InitializeWnd() {
    TWinControl::InitializeWnd();
    SendMessageA(Handle(), BM_SETCHECK, WPARAM(state_), 0);
}

void TCustomCheckBox::SetState(TCheckBoxState value) {
    if (value == state_) return;
    state_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETCHECK, WPARAM(value), 0);
    if (!IsLoading()) Click();
}

void TCustomCheckBox::SetAlignment(TLeftRight value) {
    value = value == taLeftJustify ? taLeftJustify : taRightJustify;
    if (value == alignment_) return;
    alignment_ = value;
    UpdateWindowStyle();
    Invalidate();
}

void TCustomCheckBox::Toggle() {
    switch (state_) {
    case cbUnchecked: SetState(cbChecked); break;
    case cbChecked: SetState(allowGrayed_ ? cbGrayed : cbUnchecked); break;
    case cbGrayed: SetState(cbUnchecked); break;
    }
}

void TCustomCheckBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Toggle();
        return;
    case BM_SETCHECK:
        // Whoever sets the mark (the control itself, a skinner, a test) moves State with it.
        if (m.WParam <= BST_INDETERMINATE) state_ = TCheckBoxState(m.WParam);
        break;
    case TKN_DIALOGCHAR:
        if (IsAccel(unsigned(m.WParam), caption_) && CanFocus()) {
            SetFocus();
            Toggle();
            m.Result = 1;
        }
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}
