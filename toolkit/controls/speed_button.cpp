// TSpeedButton.
#include "toolkit/controls/speed_button.h"

#include <algorithm>

#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TSpeedButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSpeedButton>("TSpeedButton", &TGraphicControl::StaticClass())
            .Creatable()
            .Int("GroupIndex", &TSpeedButton::GroupIndex, &TSpeedButton::SetGroupIndex, 0)
            .Bool("AllowAllUp", &TSpeedButton::AllowAllUp, &TSpeedButton::SetAllowAllUp, false)
            .Bool("Down", &TSpeedButton::Down, &TSpeedButton::SetDown, false)
            .Bool("Flat", &TSpeedButton::Flat, &TSpeedButton::SetFlat, false)
            .Bool("Transparent", &TSpeedButton::Transparent, &TSpeedButton::SetTransparent, true)
            .Obj("Glyph", &TSpeedButton::Glyph, &TSpeedButton::SetGlyph, true)
            .Int("NumGlyphs", &TSpeedButton::NumGlyphs, &TSpeedButton::SetNumGlyphs, 1)
            .Enum("Layout", ButtonLayoutInfo(), &TSpeedButton::Layout, &TSpeedButton::SetLayout, blGlyphLeft)
            .Int("Margin", &TSpeedButton::Margin, &TSpeedButton::SetMargin, -1)
            .Int("Spacing", &TSpeedButton::Spacing, &TSpeedButton::SetSpacing, 4)
            .Build();
    return info;
}

TSpeedButton::TSpeedButton(TComponent* AOwner) : TGraphicControl(AOwner) {
    width_ = 23;
    height_ = 22;
    glyph_.OnChange = TNotifyEvent([this](TObject*) { Invalidate(); });
}

template <class F> void TSpeedButton::forEachInGroup(F f) {
    if (!Parent() || groupIndex_ == 0) return;
    for (TControl* c : Parent()->Controls())
        if (auto* other = dynamic_cast<TSpeedButton*>(c);
            other && other != this && other->groupIndex_ == groupIndex_)
            f(*other);
}

void TSpeedButton::SetGroupIndex(int value) {
    groupIndex_ = value;
    if (value == 0 && down_) {
        down_ = false;
        Invalidate();
    }
}

void TSpeedButton::SetDown(bool value) {
    if (groupIndex_ == 0) value = false;
    if (value == down_) return;
    if (down_ && !allowAllUp_) return;
    down_ = value;
    if (value)
        forEachInGroup([](TSpeedButton& other) {
            if (!other.down_) return;
            other.down_ = false;
            other.Invalidate();
        });
    Invalidate();
}

void TSpeedButton::SetAllowAllUp(bool value) {
    allowAllUp_ = value;
    forEachInGroup([value](TSpeedButton& other) { other.allowAllUp_ = value; });
}

void TSpeedButton::Loaded() {
    TGraphicControl::Loaded();
    // Siblings read later than this one's setters: the group agrees once all are there.
    bool allUp = allowAllUp_;
    forEachInGroup([&](TSpeedButton& other) { allUp = allUp || other.allowAllUp_; });
    SetAllowAllUp(allUp);
    if (down_) forEachInGroup([](TSpeedButton& other) { other.down_ = false; });
}

void TSpeedButton::SetFlat(bool value) {
    flat_ = value;
    Invalidate();
}
void TSpeedButton::SetTransparent(bool value) {
    transparent_ = value;
    Invalidate();
}
void TSpeedButton::SetNumGlyphs(int value) {
    numGlyphs_ = std::clamp(value, 1, 4);
    Invalidate();
}
void TSpeedButton::SetLayout(TButtonLayout value) {
    layout_ = value;
    Invalidate();
}
void TSpeedButton::SetMargin(int value) {
    margin_ = std::max(value, -1);
    Invalidate();
}
void TSpeedButton::SetSpacing(int value) {
    spacing_ = std::max(value, -1);
    Invalidate();
}

void TSpeedButton::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft && enabled_) {
        dragging_ = true;
        pressed_ = true;
        Invalidate();
    }
    TGraphicControl::MouseDown(button, shift, x, y);
}

void TSpeedButton::MouseMove(TShiftState shift, int x, int y) {
    if (dragging_ && inside(x, y) != pressed_) {
        pressed_ = !pressed_;
        Invalidate();
    }
    TGraphicControl::MouseMove(shift, x, y);
}

void TSpeedButton::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    bool click = false;
    if (button == mbLeft && dragging_) {
        dragging_ = false;
        pressed_ = false;
        Invalidate();
        click = inside(x, y);
    }
    // The click comes last: its handler may free the button.
    const std::shared_ptr<const bool> alive = LifeToken();
    TGraphicControl::MouseUp(button, shift, x, y);
    if (!click || !*alive) return;
    if (groupIndex_ != 0) SetDown(!down_);
    Click();
}

void TSpeedButton::WndProc(TMessage& m) {
    switch (m.Msg) {
    case TKN_MOUSEENTER:
        mouseInControl_ = true;
        if (flat_ && enabled_) Invalidate();
        break;
    case TKN_MOUSELEAVE:
        mouseInControl_ = false;
        if (flat_) Invalidate();
        break;
    case TKN_ENABLEDCHANGED:
        if (!enabled_) dragging_ = pressed_ = false;
        break;
    default: break;
    }
    TGraphicControl::WndProc(m);
}

void TSpeedButton::paintFrame(HDC dc, RECT& r) const {
    const bool in = pressed_ || down_;
    if (!flat_) {
        DrawFrameControl(dc, &r, DFC_BUTTON, DFCS_BUTTONPUSH | (in ? DFCS_PUSHED : 0) | DFCS_ADJUSTRECT);
        return;
    }
    if (in || (mouseInControl_ && enabled_))
        DrawEdge(dc, &r, in ? BDR_SUNKENOUTER : BDR_RAISEDINNER, BF_RECT);
    InflateRect(&r, -1, -1);
}

void TSpeedButton::Paint() {
    TCanvas& canvas = TGraphicControl::Canvas();
    HDC dc = canvas.Handle();
    win::SaveDCGuard saved(dc);
    RECT r = ClientRect();
    if (!flat_ || !transparent_) FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
    paintFrame(dc, r);
    // Stuck down and not held: the face shows a light dither, as tool buttons do.
    if (down_ && !pressed_) {
        const WORD dots[8] = {0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA, 0x55, 0xAA};
        win::BitmapHandle pattern(CreateBitmap(8, 8, 1, 1, dots));
        win::BrushHandle dither(CreatePatternBrush(pattern.Get()));
        SetTextColor(dc, GetSysColor(COLOR_BTNFACE));
        SetBkColor(dc, GetSysColor(COLOR_BTNHIGHLIGHT));
        FillRect(dc, &r, dither.Get());
    }

    SelectObject(dc, Font()->Handle());
    const SIZE client{width_, height_};
    const SIZE glyph = GlyphCellSize(glyph_, numGlyphs_);
    RECT measured = CaptionBounds(client, glyph, layout_);
    SIZE text{};
    if (!caption_.empty()) {
        DrawTextA(dc, caption_.c_str(), -1, &measured, DT_SINGLELINE | DT_CALCRECT);
        text = {measured.right - measured.left, measured.bottom - measured.top};
    }
    TButtonLayoutInput in{client, glyph, text, layout_, margin_, spacing_};
    in.CentredMarginBias = 1;
    TButtonLayoutResult place = LayoutButton(in);
    const int shift = pressed_ || down_ ? 1 : 0;
    const TButtonGlyphState state = !enabled_ ? bgsDisabled : pressed_ ? bgsPressed : down_ ? bgsDown : bgsUp;
    DrawGlyphCell(dc, place.GlyphPos.x + shift, place.GlyphPos.y + shift, glyph_, numGlyphs_, state);
    if (caption_.empty()) return;
    RECT textRect = place.TextRect;
    OffsetRect(&textRect, shift, shift);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, COLORREF(ColorToRGB(enabled_ ? Font()->Color() : clGrayText)));
    DrawTextA(dc, caption_.c_str(), -1, &textRect, DT_SINGLELINE | DT_CENTER | DT_VCENTER);
}
