// TSkinCheckBox and TSkinRadioButton: the skin's glyph frame for the check state, the caption beside.
#include <algorithm>

#include "skin/controls/skin_choices.h"
#include "skin/core/face_text.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/control_background.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/controls/control.h"
#include "toolkit/controls/messages.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/graphics_objects.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinChoiceButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinChoiceButton>("TSkinChoiceButton", &TSkinControl::StaticClass()).Build();
    return info;
}
const TClassInfo& TSkinCheckBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinCheckBox>("TSkinCheckBox", &TSkinChoiceButton::StaticClass()).Build();
    return info;
}
const TClassInfo& TSkinRadioButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinRadioButton>("TSkinRadioButton", &TSkinChoiceButton::StaticClass()).Build();
    return info;
}

namespace {

bool hasProperty(const TControl* control, const char* name) {
    return control && control->ClassType().FindProp(name) != nullptr;
}

// The system that draws its own focus cue on themed check boxes: no focus rectangle there.
bool focusRectShown() {
    return LOBYTE(LOWORD(GetVersion())) != 6;
}

} // namespace

bool TSkinChoiceButton::propertyTrue(const char* name) const {
    return SameText(GetEnumPropName(Control, name), "True");
}

void TSkinChoiceButton::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour,
                                        TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToControl(skinForm, skin, setColour, canvas);
    readSkin();
}

void TSkinChoiceButton::AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm,
                                       TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToWindow(window, skin, skinForm, canvas);
    readSkin();
}

void TSkinChoiceButton::SkinChanged() {
    readSkin();
    TSkinControl::SkinChanged();
}

void TSkinChoiceButton::readSkin() {
    TDataSkinButton* b = SkinData ? SkinData->Buttons.get() : nullptr;
    TBitmap* image = b ? glyphImage(*b) : nullptr;
    Skinned = Control && image && !image->Empty();
    Transparent = (Control && Control->Tag() == kSeeThroughTag) ||
                  (SkinData && InSet(SkinData->Options(), xoTransparent));
}

bool TSkinChoiceButton::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    switch (m.Msg) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (!Skinned) return true;
        paint(HDC(m.WParam));
        return false;
    case WM_ERASEBKGND:
        if (!Transparent) return true;
        erase(HDC(m.WParam));
        m.Result = 1;
        return false;
    default: return true;
    }
}

void TSkinChoiceButton::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case BM_SETCHECK:
    // The system draws the pushed state (Space held, a press dragged on or off) straight to the
    // screen, its own glyph included.
    case BM_SETSTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case TKN_EXIT: Repaint(); break;
    default: TSkinControl::AfterDefault(m);
    }
}

void TSkinChoiceButton::paint(HDC dc) {
    RECT client{};
    GetClientRect(Handle, &client);
    paintMessage(dc, client);
}

void TSkinChoiceButton::erase(HDC dc) {
    if (Control) {
        PaintControlBackground(Handle, dc);
        return;
    }
    RECT client{};
    GetClientRect(Handle, &client);
    FillColour(dc, client, SkinData ? SkinData->Colour(scButtonFace) : clBtnFace);
}

void TSkinChoiceButton::DrawSkin(HDC dc, const RECT& rect) {
    TDataSkinButton* b = SkinData ? SkinData->Buttons.get() : nullptr;
    if (!b) return;
    TBitmap* image = glyphImage(*b);
    if (!image || image->Empty()) {
        Skinned = false;
        return;
    }
    const int frames = std::max(1, glyphFrames(*b));
    const int fw = image->Width() / frames, fh = image->Height();
    if (fw <= 0 || fh <= 0) return;
    const int frame = FitChoiceFrame(glyphFrame(frames), frames);

    const bool leftText = GetLong(Handle, GWL_STYLE) & BS_LEFTTEXT;
    const bool rtl = Control && SameText(GetEnumPropName(Control, "BiDiMode"), "bdRightToLeft");
    const int top = rect.top + (RectHeight(rect) - fh) / 2;
    RECT glyph{}, text = rect;
    UINT flags = 0;
    if (!leftText) {
        glyph = RECT{rect.left, top, rect.left + fw, top + fh};
        text.left = glyph.right + 2;
        flags = rtl ? DT_RTLREADING : 0;
    } else {
        const int right = rect.right - leftTextInset();
        glyph = RECT{right - fw, top, right, top + fh};
        text.right = glyph.left - 2;
        flags = rtl ? DT_RTLREADING | DT_RIGHT : 0;
    }
    if (Skinned && !Transparent) FillFace(dc, rect);

    TBitmap cell(fw, fh, pf24bit);
    BitBlt(cell.Canvas().Handle(), 0, 0, fw, fh, image->Canvas().Handle(), (frame - 1) * fw, 0, SRCCOPY);
    DrawTransparentBitmap(dc, glyph, cell, SKIN_KEY_COLOUR);
    if (Skinned) drawCaption(dc, text, flags);
}

void TSkinChoiceButton::drawCaption(HDC dc, RECT text, UINT flags) {
    Caption = GetWindowTextWide(Handle);
    if (hasProperty(Control, "Caption")) Caption = GetWideStrProp(Control, "Caption", AnsiToWide);
    win::SelectGuard font(dc, Control->Font()->Handle());
    const bool enabled = !(GetLong(Handle, GWL_STYLE) & WS_DISABLED);
    const TColor colour = enabled ? TextColourOnFace(Control->Font()->Color(), SkinData) : clBtnShadow;
    const COLORREF oldText = SetTextColor(dc, ColorToRGB(colour));
    const COLORREF oldBack = SetBkColor(dc, ColorToRGB(SkinData->Colour(scButtonFace)));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    constexpr UINT kLayout = DT_WORDBREAK | DT_EXPANDTABS;
    RECT measured = text;
    DrawSkinText(dc, Caption, measured, kLayout | DT_CALCRECT | DT_NOCLIP | flags);
    OffsetRect(&text, 0, (RectHeight(text) - RectHeight(measured)) / 2);
    if (GetFocus() == Handle && !Caption.empty() && focusRectShown())
        DrawCaptionFocus(dc, kLayout | flags, text);
    DrawSkinText(dc, Caption, text, kLayout | flags);
    SetBkMode(dc, oldMode);
    SetBkColor(dc, oldBack);
    SetTextColor(dc, oldText);
}

void TSkinCheckBox::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour,
                                    TCanvas* canvas) {
    if (Attached) return;
    TSkinChoiceButton::AttachToControl(skinForm, skin, setColour, canvas);
    LastCheck = 0;
}

void TSkinCheckBox::AfterDefault(TMessage& m) {
    if (m.Msg == BM_SETCHECK) LastCheck = int(m.WParam) + 1;
    TSkinChoiceButton::AfterDefault(m);
}

TBitmap* TSkinCheckBox::glyphImage(TDataSkinButton& buttons) const {
    return &buttons.CheckButton;
}
int TSkinCheckBox::glyphFrames(const TDataSkinButton& buttons) const {
    return buttons.CheckButtonFrame;
}

int TSkinCheckBox::glyphFrame(int frames) {
    const LRESULT state = SendMessageA(Handle, BM_GETSTATE, 0, 0);
    TCheckFacts facts;
    facts.Checked = state & BST_CHECKED;
    facts.Indeterminate = state & BST_INDETERMINATE;
    facts.Disabled = GetLong(Handle, GWL_STYLE) & WS_DISABLED;
    facts.HasState = hasProperty(Control, "State");
    if (facts.HasState) facts.State = GetEnumPropName(Control, "State");
    facts.HasChecked = hasProperty(Control, "Checked");
    facts.CheckedProperty = propertyTrue("Checked");
    facts.HasDataField = hasProperty(Control, "DataField");
    facts.LastCheck = LastCheck;
    facts.HasDataBinding = hasProperty(Control, "DataBinding");
    facts.Frames = frames;
    return CheckBoxFrame(facts);
}

TBitmap* TSkinRadioButton::glyphImage(TDataSkinButton& buttons) const {
    return &buttons.RadioButton;
}
int TSkinRadioButton::glyphFrames(const TDataSkinButton& buttons) const {
    return buttons.RadioButtonFrame;
}

int TSkinRadioButton::glyphFrame(int frames) {
    TRadioFacts facts;
    facts.Checked = SendMessageA(Handle, BM_GETCHECK, 0, 0) & BST_CHECKED;
    facts.Disabled = GetLong(Handle, GWL_STYLE) & WS_DISABLED;
    facts.HasChecked = hasProperty(Control, "Checked");
    facts.CheckedProperty = propertyTrue("Checked");
    facts.Frames = frames;
    return RadioButtonFrame(facts);
}
