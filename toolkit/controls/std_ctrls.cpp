// TLabel and TButton.
#include "toolkit/controls/std_ctrls.h"

#include <cctype>

#include "toolkit/controls/form.h"
#include "toolkit/core/class_builder.h"

const TEnumInfo& AlignmentInfo() {
    static const TEnumInfo info{"TAlignment", {"taLeftJustify", "taRightJustify", "taCenter"}};
    return info;
}

bool IsAccel(unsigned ch, const std::string& caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] == '&') {
            ++i;
            continue;
        }
        auto c = static_cast<unsigned char>(caption[i + 1]);
        return c < 0x80 && ch < 0x80 && std::toupper(c) == std::toupper(int(ch));
    }
    return false;
}

// ---- TLabel ----

const TClassInfo& TLabel::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TLabel>("TLabel", &TGraphicControl::StaticClass())
            .Creatable()
            .Bool("AutoSize", &TLabel::AutoSize, &TLabel::SetAutoSize, true)
            .Bool("WordWrap", &TLabel::WordWrap, &TLabel::SetWordWrap, false)
            .Bool("Transparent", &TLabel::Transparent, &TLabel::SetTransparent, false)
            .Enum("Alignment", AlignmentInfo(), &TLabel::Alignment, &TLabel::SetAlignment, taLeftJustify)
            .Bool("ShowAccelChar", &TLabel::ShowAccelChar, &TLabel::SetShowAccelChar, true)
            .Bool("ParentColor", &TLabel::ParentColor, &TLabel::SetParentColor, true)
            .Build();
    return info;
}

TLabel::TLabel(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 65;
    height_ = 17;
    parentColor_ = true;
}

void TLabel::SetAutoSize(bool value) {
    autoSize_ = value;
    adjustBounds();
}
void TLabel::SetWordWrap(bool value) {
    wordWrap_ = value;
    adjustBounds();
    Invalidate();
}
void TLabel::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}
void TLabel::SetAlignment(TAlignment value) {
    alignment_ = value;
    Invalidate();
}
void TLabel::SetShowAccelChar(bool value) {
    showAccelChar_ = value;
    adjustBounds();
    Invalidate();
}

UINT TLabel::textFlags() const {
    UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0);
    if (!showAccelChar_) flags |= DT_NOPREFIX;
    if (alignment_ == taRightJustify) flags |= DT_RIGHT;
    if (alignment_ == taCenter) flags |= DT_CENTER;
    return flags;
}

void TLabel::adjustBounds() {
    if (!autoSize_ || IsLoading()) return;
    win::WindowDC screen = win::WindowDC::Screen();
    win::SaveDCGuard saved(screen.Get());
    SelectObject(screen.Get(), Font()->Handle());
    RECT r{0, 0, wordWrap_ ? width_ : 0, 0};
    std::string text = caption_.empty() ? " " : caption_;
    DrawTextA(screen.Get(), text.c_str(), -1, &r, textFlags() | DT_CALCRECT);
    SetBounds(left_, top_, wordWrap_ ? width_ : r.right, r.bottom);
}

void TLabel::Loaded() {
    TGraphicControl::Loaded();
    adjustBounds();
}

void TLabel::WndProc(TMessage& m) {
    TGraphicControl::WndProc(m);
    if (m.Msg == TKN_TEXTCHANGED || m.Msg == TKN_FONTCHANGED) adjustBounds();
}

TColor TLabel::textColour() {
    const TColor own = Font()->Color();
    // Over the parent's face the parent may know a better colour (a skinned face).
    if ((!transparent_ && !parentColor_) || !Parent() || !Parent()->HandleAllocated()) return own;
    return TColor(SendMessageA(Parent()->Handle(), TKN_CHILDTEXTCOLOUR, 0, LPARAM(own)));
}

void TLabel::Paint() {
    TCanvas& canvas = TGraphicControl::Canvas();
    HDC dc = canvas.Handle();
    RECT r = ClientRect();
    if (!transparent_) {
        canvas.Brush().SetColor(color_);
        canvas.FillRect(r);
    }
    win::SaveDCGuard saved(dc);
    SelectObject(dc, Font()->Handle());
    SetBkMode(dc, TRANSPARENT);
    if (!enabled_) {
        RECT shifted = r;
        OffsetRect(&shifted, 1, 1);
        SetTextColor(dc, COLORREF(ColorToRGB(clBtnHighlight)));
        DrawTextA(dc, caption_.c_str(), -1, &shifted, textFlags());
        SetTextColor(dc, COLORREF(ColorToRGB(clBtnShadow)));
    } else {
        SetTextColor(dc, COLORREF(ColorToRGB(textColour())));
    }
    DrawTextA(dc, caption_.c_str(), -1, &r, textFlags());
}

// ---- TButton ----

const TClassInfo& TButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TButton>("TButton", &TWinControl::StaticClass())
            .Creatable()
            .Bool("Default", &TButton::Default, &TButton::SetDefault, false)
            .Bool("Cancel", &TButton::Cancel, &TButton::SetCancel, false)
            .Int("ModalResult", &TButton::ModalResult, &TButton::SetModalResult, 0)
            .Bool("TabStop", &TButton::TabStop, &TButton::SetTabStop, true)
            .Build();
    return info;
}

TButton::TButton(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 75;
    height_ = 25;
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "BUTTON";
    p.Style |= ButtonStyle();
}

void TButton::SetDefault(bool value) {
    default_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), BM_SETSTYLE, ButtonStyle(), TRUE);
}

void TButton::Click() {
    if (modalResult_ != 0)
        if (TCustomForm* form = ParentForm()) form->SetModalResult(modalResult_);
    TWinControl::Click();
}

bool TButton::active() const {
    if (Focused()) return true;
    TCustomForm* form = ParentForm();
    return default_ &&
           !(form && dynamic_cast<TButton*>(form->ActiveControl()) && form->ActiveControl()->Focused());
}

void TButton::dialogKey(TMessage& m) {
    bool enter = m.WParam == VK_RETURN && active();
    bool esc = m.WParam == VK_ESCAPE && cancel_;
    if ((enter || esc) && KeyboardShiftState() == 0 && CanFocus()) {
        Click();
        m.Result = 1;
    }
}

void TButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == BN_CLICKED) Click();
        return;
    case TKN_DIALOGKEY: dialogKey(m); return;
    case TKN_DIALOGCHAR:
        if (IsAccel(unsigned(m.WParam), caption_) && CanFocus()) {
            Click();
            m.Result = 1;
        }
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}
