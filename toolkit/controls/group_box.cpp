// TCustomGroupBox and TGroupBox.
#include "toolkit/controls/group_box.h"

#include "toolkit/core/class_builder.h"

const TClassInfo& TCustomGroupBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TCustomGroupBox>("TCustomGroupBox", &TWinControl::StaticClass()).Build();
    return info;
}

const TClassInfo& TGroupBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TGroupBox>("TGroupBox", &TCustomGroupBox::StaticClass()).Creatable().Build();
    return info;
}

TCustomGroupBox::TCustomGroupBox(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 185;
    height_ = 105;
}

void TCustomGroupBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    // Redrawn whole on resizing: the frame runs along every edge.
    p.WindowClassStyle |= CS_HREDRAW | CS_VREDRAW;
}

int TCustomGroupBox::CaptionHeight() {
    win::WindowDC screen = win::WindowDC::Screen();
    win::SaveDCGuard saved(screen.Get());
    SelectObject(screen.Get(), Font()->Handle());
    TEXTMETRICA tm{};
    GetTextMetricsA(screen.Get(), &tm);
    return tm.tmHeight;
}

void TCustomGroupBox::PaintWindow(HDC dc) {
    win::SaveDCGuard saved(dc);
    SelectObject(dc, Font()->Handle());
    SIZE text{};
    if (!caption_.empty()) GetTextExtentPoint32A(dc, caption_.c_str(), int(caption_.size()), &text);
    const int lineHeight = CaptionHeight();
    RECT frame{0, lineHeight / 2, ClientWidth(), ClientHeight()};
    DrawEdge(dc, &frame, EDGE_ETCHED, BF_RECT);
    if (caption_.empty()) return;
    // The caption interrupts the top edge, on the control's own colour.
    RECT label{8, 0, 8 + text.cx + 4, lineHeight};
    FillRect(dc, &label, ColorBrush());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, COLORREF(ColorToRGB(enabled_ ? Font()->Color() : clGrayText)));
    InflateRect(&label, -2, 0);
    DrawTextA(dc, caption_.c_str(), -1, &label, DT_SINGLELINE | DT_LEFT | DT_TOP);
}
