// TBitBtn.
#include "toolkit/controls/bit_btn.h"

#include <algorithm>
#include <array>

#include "toolkit/controls/form.h"
#include "toolkit/core/class_builder.h"

namespace {

struct KindDefaults {
    const char* caption;
    TModalResult result;
};

// Indexed by TBitBtnKind.
constexpr std::array<KindDefaults, 11> kKinds{{{"", mrNone},
                                               {"OK", mrOk},
                                               {"Cancel", mrCancel},
                                               {"&Help", mrNone},
                                               {"&Yes", mrYes},
                                               {"&No", mrNo},
                                               {"&Close", mrNone},
                                               {"Abort", mrAbort},
                                               {"&Retry", mrRetry},
                                               {"&Ignore", mrIgnore},
                                               {"&All", mrAll}}};

constexpr UINT kCaptionFlags = DT_SINGLELINE | DT_EXPANDTABS;

} // namespace

const TEnumInfo& BitBtnKindInfo() {
    static const TEnumInfo info{"TBitBtnKind",
                                {"bkCustom", "bkOK", "bkCancel", "bkHelp", "bkYes", "bkNo", "bkClose",
                                 "bkAbort", "bkRetry", "bkIgnore", "bkAll"}};
    return info;
}

const TClassInfo& TBitBtn::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TBitBtn>("TBitBtn", &TButton::StaticClass())
            .Creatable()
            .Obj("Glyph", &TBitBtn::Glyph, &TBitBtn::SetGlyph, true)
            .Int("NumGlyphs", &TBitBtn::NumGlyphs, &TBitBtn::SetNumGlyphs, 1)
            .Enum("Layout", ButtonLayoutInfo(), &TBitBtn::Layout, &TBitBtn::SetLayout, blGlyphLeft)
            .Int("Margin", &TBitBtn::Margin, &TBitBtn::SetMargin, -1)
            .Int("Spacing", &TBitBtn::Spacing, &TBitBtn::SetSpacing, 4)
            .Enum("Kind", BitBtnKindInfo(), &TBitBtn::Kind, &TBitBtn::SetKind, bkCustom)
            .Obj("Images", &TBitBtn::Images, &TBitBtn::SetImages)
            .Int("ImageIndex", &TBitBtn::ImageIndex, &TBitBtn::SetImageIndex, -1)
            .Int("DisabledIndex", &TBitBtn::DisabledIndex, &TBitBtn::SetDisabledIndex, -1)
            .Build();
    return info;
}

TBitBtn::TBitBtn(TComponent* AOwner) : TButton(AOwner) {
    glyph_.OnChange = TNotifyEvent([this](TObject*) { Invalidate(); });
}

void TBitBtn::SetNumGlyphs(int value) {
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}
void TBitBtn::SetLayout(TButtonLayout value) {
    layout_ = value;
    Invalidate();
}
void TBitBtn::SetMargin(int value) {
    margin_ = std::max(value, -1);
    Invalidate();
}
void TBitBtn::SetSpacing(int value) {
    spacing_ = std::max(value, -1);
    Invalidate();
}
void TBitBtn::SetImageIndex(int value) {
    imageIndex_ = value;
    Invalidate();
}
void TBitBtn::SetDisabledIndex(int value) {
    disabledIndex_ = value;
    Invalidate();
}

void TBitBtn::SetKind(TBitBtnKind value) {
    kind_ = value;
    if (value == bkCustom) return;
    const KindDefaults& d = kKinds.at(size_t(value));
    SetDefault(value == bkOK || value == bkYes);
    SetCancel(value == bkCancel || value == bkNo);
    // A stored caption comes before the kind and is the one the form's author chose.
    if (!IsLoading() || caption_.empty()) SetCaption(d.caption);
    SetModalResult(d.result);
}

void TBitBtn::SetImages(TImageList* value) {
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    if (value) value->FreeNotification(this);
    Invalidate();
}

void TBitBtn::Notification(TComponent* component, TOperation operation) {
    TButton::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) images_ = nullptr;
}

void TBitBtn::WndProc(TMessage& m) {
    // An owner-drawn button reports a quick second click as a double click: it is a click too.
    if (m.Msg == WM_LBUTTONDBLCLK) m.Msg = WM_LBUTTONDOWN;
    if (m.Msg == CN_DRAWITEM) {
        drawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam));
        m.Result = TRUE;
        return;
    }
    TButton::WndProc(m);
}

SIZE TBitBtn::imageSize() const {
    if (images_ && imageIndex_ >= 0) return {images_->Width(), images_->Height()};
    return GlyphCellSize(glyph_, numGlyphs_);
}

void TBitBtn::drawImage(HDC dc, POINT at, bool enabled, bool pressed) {
    if (images_ && imageIndex_ >= 0) {
        if (enabled || disabledIndex_ < 0)
            images_->Draw(dc, at.x, at.y, imageIndex_, enabled);
        else
            images_->Draw(dc, at.x, at.y, disabledIndex_);
        return;
    }
    DrawGlyphCell(dc, at.x, at.y, glyph_, numGlyphs_, !enabled ? bgsDisabled : pressed ? bgsPressed : bgsUp);
}

void TBitBtn::drawItem(const DRAWITEMSTRUCT& d) {
    HDC dc = d.hDC;
    const bool pressed = d.itemState & ODS_SELECTED;
    const bool focused = d.itemState & ODS_FOCUS;
    const bool enabled = !(d.itemState & ODS_DISABLED);
    win::SaveDCGuard saved(dc);
    RECT r = d.rcItem;
    const SIZE client{r.right - r.left, r.bottom - r.top};
    if (focused || Default()) {
        FrameRect(dc, &r, GetSysColorBrush(COLOR_WINDOWFRAME));
        InflateRect(&r, -1, -1);
    }
    DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (pressed ? DFCS_PUSHED : 0));

    SelectObject(dc, Font()->Handle());
    SIZE glyph = imageSize();
    RECT bounds = CaptionBounds(client, glyph, layout_);
    RECT measured = bounds;
    DrawTextA(dc, caption_.c_str(), -1, &measured, kCaptionFlags | DT_CALCRECT);
    SIZE text{caption_.empty() ? 0 : std::min(measured.right - measured.left, bounds.right - bounds.left),
              caption_.empty() ? 0 : measured.bottom - measured.top};
    TButtonLayoutResult place = LayoutButton({client, glyph, text, layout_, margin_, spacing_});
    const int shift = pressed ? 1 : 0;
    POINT glyphAt{d.rcItem.left + place.GlyphPos.x + shift, d.rcItem.top + place.GlyphPos.y + shift};
    drawImage(dc, glyphAt, enabled, pressed);

    RECT textRect = place.TextRect;
    OffsetRect(&textRect, d.rcItem.left + shift, d.rcItem.top + shift);
    SetBkMode(dc, TRANSPARENT);
    const UINT flags = kCaptionFlags | DT_CENTER | DT_VCENTER;
    if (!enabled) {
        RECT raised = textRect;
        OffsetRect(&raised, 1, 1);
        SetTextColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        DrawTextA(dc, caption_.c_str(), -1, &raised, flags);
        SetTextColor(dc, GetSysColor(COLOR_BTNSHADOW));
    } else {
        SetTextColor(dc, COLORREF(ColorToRGB(Font()->Color())));
    }
    DrawTextA(dc, caption_.c_str(), -1, &textRect, flags);
    if (focused) {
        RECT focus = d.rcItem;
        InflateRect(&focus, -4, -4);
        DrawFocusRect(dc, &focus);
    }
}
