// TMemo.
#include "toolkit/controls/memo.h"

#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/core/class_builder.h"

const TEnumInfo& ScrollStyleInfo() {
    static const TEnumInfo info{"TScrollStyle", {"ssNone", "ssHorizontal", "ssVertical", "ssBoth"}};
    return info;
}

namespace {

// Lines as the edit shows them: no line ending after the last one.
std::string editText(const TStrings& lines) {
    std::string text = lines.Text();
    if (text.size() >= 2) text.resize(text.size() - 2);
    return text;
}

} // namespace

const TClassInfo& TMemo::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TMemo>("TMemo", &TWinControl::StaticClass())
            .Creatable()
            .Obj("Lines", &TMemo::Lines, &TMemo::SetLines, true)
            .Enum("ScrollBars", ScrollStyleInfo(), &TMemo::ScrollBars, &TMemo::SetScrollBars, ssNone)
            .Bool("WordWrap", &TMemo::WordWrap, &TMemo::SetWordWrap, true)
            .Bool("ReadOnly", &TMemo::ReadOnly, &TMemo::SetReadOnly, false)
            .Enum("BorderStyle", BorderStyleInfo(), &TMemo::BorderStyle, &TMemo::SetBorderStyle, 1)
            .Bool("TabStop", &TMemo::TabStop, &TMemo::SetTabStop, true)
            .Bool("ParentColor", &TMemo::ParentColor, &TMemo::SetParentColor, false)
            .Event("OnChange", &TMemo::OnChange)
            .Build();
    return info;
}

TMemo::TMemo(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 185;
    height_ = 89;
    color_ = clWindow;
    SetTabStop(true);
    lines_.OnChange = TNotifyEvent([this](TObject*) { linesChanged(); });
}

void TMemo::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "EDIT";
    p.Caption = editText(lines_);
    p.Style |= ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL;
    if (!wordWrap_) p.Style |= ES_AUTOHSCROLL;
    if (readOnly_) p.Style |= ES_READONLY;
    if (scrollBars_ == ssHorizontal || scrollBars_ == ssBoth) p.Style |= WS_HSCROLL;
    if (scrollBars_ == ssVertical || scrollBars_ == ssBoth) p.Style |= WS_VSCROLL;
    if (borderStyle_ != 0) p.ExStyle |= WS_EX_CLIENTEDGE;
}

// An edit takes wrapping and its bars only when it is made: those changes make the window again,
// from Lines, which holds the text the user typed.
void TMemo::SetScrollBars(TScrollStyle value) {
    if (value == scrollBars_) return;
    scrollBars_ = value;
    RecreateWnd();
}

void TMemo::SetWordWrap(bool value) {
    if (value == wordWrap_) return;
    wordWrap_ = value;
    RecreateWnd();
}

void TMemo::SetReadOnly(bool value) {
    readOnly_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), EM_SETREADONLY, value, 0);
}

void TMemo::SetBorderStyle(int value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    UpdateWindowStyle();
}

void TMemo::linesChanged() {
    if (syncing_) return;
    syncing_ = true;
    caption_ = editText(lines_);
    if (HandleAllocated()) SetWindowTextA(Handle(), caption_.c_str());
    syncing_ = false;
    if (OnChange && !IsLoading()) OnChange(this);
}

void TMemo::takeWindowText() {
    if (syncing_ || !HandleAllocated()) return;
    const int length = GetWindowTextLengthA(Handle());
    std::string text(size_t(length) + 1, '\0');
    text.resize(size_t(GetWindowTextA(Handle(), text.data(), length + 1)));
    syncing_ = true;
    caption_ = text;
    lines_.SetText(text);
    syncing_ = false;
    if (OnChange) OnChange(this);
}

void TMemo::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        if (HIWORD(m.WParam) == EN_CHANGE) takeWindowText();
        return;
    case WM_SETTEXT:
        // A multi-line edit reports no EN_CHANGE for text set this way.
        TWinControl::WndProc(m);
        takeWindowText();
        return;
    case TKN_TEXTCHANGED:
        // Text given before the window exists (an up-down's number) is what the window is made
        // from: Lines.
        if (!HandleAllocated() && !syncing_) {
            syncing_ = true;
            lines_.SetText(caption_);
            syncing_ = false;
        }
        break;
    default: break;
    }
    TWinControl::WndProc(m);
}
