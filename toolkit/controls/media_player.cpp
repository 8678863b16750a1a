// TMediaPlayer.
#include "toolkit/controls/media_player.h"

#include "toolkit/core/class_builder.h"

const TEnumInfo& MPBtnTypeInfo() {
    static const TEnumInfo info = [] {
        TEnumInfo e;
        e.name = "TMPBtnType";
        for (int k = 0; k < kMediaButtonKinds; ++k)
            e.members.emplace_back(MediaButtonName(k));
        return e;
    }();
    return info;
}

const TClassInfo& TMediaPlayer::StaticClass() {
    using M = TMediaPlayer;
    static const TClassInfo& info = TClassBuilder<M>("TMediaPlayer", &TWinControl::StaticClass())
                                        .Creatable()
                                        .Set("VisibleButtons", MPBtnTypeInfo(), 2, &M::VisibleButtons,
                                             &M::SetVisibleButtons, kAllMediaButtons)
                                        .Set("EnabledButtons", MPBtnTypeInfo(), 2, &M::EnabledButtons,
                                             &M::SetEnabledButtons, kAllMediaButtons)
                                        .Set("ColoredButtons", MPBtnTypeInfo(), 2, &M::ColoredButtons,
                                             &M::SetColoredButtons, kAllMediaButtons)
                                        .Event("OnClick", &M::OnClick)
                                        .Build();
    return info;
}

TMediaPlayer::TMediaPlayer(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 253;
    height_ = 30;
}

void TMediaPlayer::SetVisibleButtons(TMPBtnSet value) {
    visible_ = value & kAllMediaButtons;
    Invalidate();
}

void TMediaPlayer::SetEnabledButtons(TMPBtnSet value) {
    enabled_buttons_ = value & kAllMediaButtons;
    Invalidate();
}

void TMediaPlayer::SetColoredButtons(TMPBtnSet value) {
    colored_ = value & kAllMediaButtons;
    Invalidate();
}

int TMediaPlayer::ButtonAt(int x) const {
    return MediaButtonAt(visible_, ClientWidth(), x);
}

RECT TMediaPlayer::ButtonRect(TMPBtnType button) const {
    const int left = MediaButtonLeft(visible_, ClientWidth(), int(button));
    if (left < 0) return RECT{};
    return RECT{left, 0, left + MediaButtonWidth(visible_, ClientWidth()), ClientHeight()};
}

bool TMediaPlayer::usable(int kind) const {
    return enabled_ && HasMediaButton(visible_, kind) && HasMediaButton(enabled_buttons_, kind);
}

void TMediaPlayer::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (button == mbLeft) {
        const int kind = ButtonAt(x);
        pressed_ = usable(kind) && y >= 0 && y < ClientHeight() ? kind : kNoMediaButton;
        pointerOnPressed_ = pressed_ != kNoMediaButton;
        // The release comes back here even off the bar, so a press can be taken back.
        if (pointerOnPressed_) SetCapture(Handle());
        Invalidate();
    }
    TWinControl::MouseDown(button, shift, x, y);
}

void TMediaPlayer::MouseMove(TShiftState shift, int x, int y) {
    if (pressed_ != kNoMediaButton) {
        const bool on = ButtonAt(x) == pressed_ && y >= 0 && y < ClientHeight();
        if (on != pointerOnPressed_) {
            pointerOnPressed_ = on;
            Invalidate();
        }
    }
    TWinControl::MouseMove(shift, x, y);
}

void TMediaPlayer::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    // OnClick may free the player.
    const auto alive = LifeToken();
    if (button == mbLeft && pressed_ != kNoMediaButton) {
        const int kind = pressed_;
        pressed_ = kNoMediaButton;
        pointerOnPressed_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
        Invalidate();
        if (ButtonAt(x) == kind && y >= 0 && y < ClientHeight() && usable(kind) && OnClick) {
            bool doDefault = true;
            OnClick(this, TMPBtnType(kind), doDefault);
            if (!*alive) return;
        }
    }
    TWinControl::MouseUp(button, shift, x, y);
}

void TMediaPlayer::WndProc(TMessage& m) {
    // The system ends a press it interrupts (a dialog, a menu).
    if (m.Msg == WM_CANCELMODE && pressed_ != kNoMediaButton) {
        pressed_ = kNoMediaButton;
        pointerOnPressed_ = false;
        if (GetCapture() == Handle()) ReleaseCapture();
        Invalidate();
    }
    TWinControl::WndProc(m);
}

void TMediaPlayer::paintButton(HDC dc, int kind) {
    RECT cell = ButtonRect(TMPBtnType(kind));
    const bool down = PressedButton() == kind;
    DrawFrameControl(dc, &cell, DFC_BUTTON, DFCS_BUTTONPUSH | (down ? DFCS_PUSHED : 0));
    const int left = cell.left + (cell.right - cell.left - kMediaGlyphWidth) / 2 + (down ? 1 : 0);
    const int top = cell.top + (cell.bottom - cell.top - kMediaGlyphHeight) / 2 + (down ? 1 : 0);
    const bool on = usable(kind);
    // A disabled glyph is embossed: highlight one pixel down and right, shadow over it.
    auto fill = [&](int dx, int dy, COLORREF colour) {
        win::BrushHandle brush(CreateSolidBrush(colour));
        for (int y = 0; y < kMediaGlyphHeight; ++y)
            for (int x = 0; x < kMediaGlyphWidth; ++x) {
                if (!MediaGlyphPixel(kind, x, y)) continue;
                int end = x;
                while (end + 1 < kMediaGlyphWidth && MediaGlyphPixel(kind, end + 1, y))
                    ++end;
                RECT run{left + x + dx, top + y + dy, left + end + 1 + dx, top + y + 1 + dy};
                FillRect(dc, &run, brush.Get());
                x = end;
            }
    };
    if (!on) {
        fill(1, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
        fill(0, 0, GetSysColor(COLOR_BTNSHADOW));
        return;
    }
    const uint32_t rgb = MediaGlyphColour(kind);
    fill(0, 0,
         HasMediaButton(colored_, kind) ? RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF)
                                        : GetSysColor(COLOR_BTNTEXT));
}

void TMediaPlayer::PaintWindow(HDC dc) {
    RECT client{0, 0, ClientWidth(), ClientHeight()};
    FillRect(dc, &client, ColorBrush());
    for (int k = 0; k < kMediaButtonKinds; ++k)
        if (HasMediaButton(visible_, k)) paintButton(dc, k);
}
