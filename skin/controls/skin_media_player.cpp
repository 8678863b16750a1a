// TSkinMP and its panel TWMediaPlayer.
#include "skin/controls/skin_media_player.h"

#include <optional>
#include <string>

#include "skin/core/own_window.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_records.h"
#include "skin/paint/face_state.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/controls/messages.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"

const TClassInfo& TSkinMP::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TSkinMP>("TSkinMP", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

constexpr const char* kPanelClass = "QsMediaPanel";
constexpr int kFaceFrames = 5;
enum TGlyphLook { glEnabled, glDisabled, glColoured };
constexpr const char* kGlyphPrefix[3] = {"EN", "DI", "CL"};

TDataSkinButton* faces(const TSkinData* skin) {
    TDataSkinButton* b = skin ? skin->Buttons.get() : nullptr;
    return b && !b->Bitmap.Empty() ? b : nullptr;
}

// A set property as its text: a kind is in it when its name appears anywhere in the text.
bool named(const std::string& text, int kind) {
    return text.find(MediaButtonName(kind)) != std::string::npos;
}

} // namespace

TWMediaPlayer::TWMediaPlayer(TSkinMP* skinner) : Skinner(skinner) {
    const HINSTANCE module = GetModuleHandleA(nullptr);
    for (int k = 0; k < kMediaButtonKinds; ++k)
        for (int look = 0; look < 3; ++look) {
            const std::string name = std::string(kGlyphPrefix[look]) + "_" + MediaGlyphName(k);
            if (!FindResourceA(module, name.c_str(), MAKEINTRESOURCEA(2))) continue;
            try {
                ButtonSlots[size_t(k)].Glyph[look].LoadFromResourceName(module, name.c_str());
            } catch (...) {
                // A glyph that cannot be read leaves the face without it.
                ButtonSlots[size_t(k)].Glyph[look].Clear();
            }
        }
}

TWMediaPlayer::~TWMediaPlayer() = default;

void TWMediaPlayer::Attach(TWinControl* media) {
    MediaControl = media;
    if (!media || window_ || !OwnWindowClass<TWMediaPlayer>(kPanelClass)) return;
    const HWND parent = GetParent(media->Handle());
    if (!parent) return;
    window_.Reset(CreateWindowExA(0, kPanelClass, "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, parent, nullptr,
                                  GetModuleHandleA(nullptr), this));
    Place();
}

void TWMediaPlayer::Place() {
    if (!window_ || !MediaControl || !MediaControl->HandleAllocated()) return;
    const HWND target = MediaControl->Handle();
    RECT r{};
    GetWindowRect(target, &r);
    MapWindowPoints(nullptr, GetParent(target), reinterpret_cast<POINT*>(&r), 2);
    // Directly in front of the control, so that the control's own painting stays behind it.
    const HWND before = GetWindow(target, GW_HWNDPREV);
    if (before != window_.Get())
        SetWindowPos(window_.Get(), before ? before : HWND_TOP, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    MoveWindow(window_.Get(), r.left, r.top, RectWidth(r), RectHeight(r), TRUE);
    const bool shown =
        (GetWindowLongA(target, GWL_STYLE) & WS_VISIBLE) && Skinner && faces(Skinner->SkinData);
    if (shown != bool(IsWindowVisible(window_.Get()))) ShowWindow(window_.Get(), shown ? SW_SHOWNA : SW_HIDE);
}

void TWMediaPlayer::Invalidate() {
    if (window_) InvalidateRect(window_.Get(), nullptr, FALSE);
}

void TWMediaPlayer::ReadButtons() {
    const std::string visible = GetSetPropText(MediaControl, "VisibleButtons");
    const std::string enabled = GetSetPropText(MediaControl, "EnabledButtons");
    const std::string coloured = GetSetPropText(MediaControl, "ColoredButtons");
    VisibleCount = 0;
    for (int k = 0; k < kMediaButtonKinds; ++k) {
        TMediaButtonSlot& slot = ButtonSlots[size_t(k)];
        slot.Visible = named(visible, k);
        slot.Enabled = named(enabled, k);
        slot.Colored = named(coloured, k);
        VisibleCount += slot.Visible;
    }
}

int TWMediaPlayer::HitTest(int x) const {
    if (VisibleCount <= 0) return kNoMediaButton;
    int s = 0;
    for (int k = 0; k < kMediaButtonKinds; ++k) {
        if (!ButtonSlots[size_t(k)].Visible) continue;
        if (x >= s && x <= s + ButtonWidth) return k;
        s += ButtonWidth;
    }
    return kNoMediaButton;
}

void TWMediaPlayer::drawButton(HDC dc, const RECT& cell, int kind) {
    TMediaButtonSlot& slot = ButtonSlots[size_t(kind)];
    TFaceState state;
    state.Enabled = slot.Enabled;
    state.Pressed = ButtonHeld && kind == PressedIndex;
    const int face = FaceFrame(state, kButtonFace, kFaceFrames);
    if (TDataSkinButton* b = faces(Skinner ? Skinner->SkinData : nullptr))
        DrawSkinObject(dc, cell, b->Bitmap, false, b->Tile != 0, b->Trans != 0, kFaceFrames, face,
                       b->Margins());
    TBitmap& glyph = !slot.Enabled  ? slot.Glyph[glDisabled]
                     : slot.Colored ? slot.Glyph[glColoured]
                                    : slot.Glyph[glEnabled];
    if (glyph.Empty()) return;
    const int w = glyph.Width(), h = glyph.Height();
    const int shift = face == ffPressed ? 1 : 0;
    const int left = cell.left + (RectWidth(cell) - w) / 2 + shift,
              top = cell.top + (RectHeight(cell) - h) / 2 + shift;
    DrawTransparentBitmap(dc, RECT{left, top, left + w, top + h}, glyph, kMediaGlyphKey);
}

void TWMediaPlayer::DrawSkin(HDC dc, const RECT& rect) {
    ReadButtons();
    const TColor face = Skinner && Skinner->SkinData ? Skinner->SkinData->Colour(scButtonFace) : clBtnFace;
    const int w = RectWidth(rect), h = RectHeight(rect);
    if (VisibleCount == 0 || w <= 0 || h <= 0) {
        TSkinControl::FillColour(dc, rect, face);
        return;
    }
    TBitmap work(w, h, pf24bit);
    HDC wdc = work.Canvas().Handle();
    TSkinControl::FillColour(wdc, RECT{0, 0, w, h}, face);
    ButtonWidth = w / VisibleCount;
    int x = 0;
    for (int k = 0; k < kMediaButtonKinds; ++k) {
        if (!ButtonSlots[size_t(k)].Visible) continue;
        drawButton(wdc, RECT{x, 0, x + ButtonWidth, h}, k);
        x += ButtonWidth;
    }
    BitBlt(dc, rect.left, rect.top, w, h, wdc, 0, 0, SRCCOPY);
}

int TWMediaPlayer::hitAt(LPARAM at) {
    // The cells as the last paint cut them, or as the next one will.
    ReadButtons();
    RECT client{};
    GetClientRect(window_.Get(), &client);
    ButtonWidth = VisibleCount > 0 ? RectWidth(client) / VisibleCount : 0;
    return HitTest(short(LOWORD(at)));
}

void TWMediaPlayer::buttonDown(WPARAM keys, LPARAM at) {
    // The player's own handling runs inside the send below, and the program's code may with it.
    std::optional<TMessageDepth::Scope> scope;
    if (Skinner) scope.emplace(Skinner->Depth());
    ButtonHeld = true;
    if (MediaControl) SendMessageA(MediaControl->Handle(), WM_LBUTTONDOWN, keys, at);
    if (scope && !scope->Alive()) return;
    // The player took the capture for its press; the panel keeps it instead, so that a release
    // anywhere comes back here and a press can never stay drawn down.
    SetCapture(window_.Get());
    HitIndex = hitAt(at);
    PressedIndex = HitIndex;
    Invalidate();
}

void TWMediaPlayer::buttonUp(WPARAM keys, LPARAM at) {
    std::optional<TMessageDepth::Scope> scope;
    if (Skinner) scope.emplace(Skinner->Depth());
    ButtonHeld = false;
    if (GetCapture() == window_.Get()) ReleaseCapture();
    HitIndex = hitAt(at);
    // A release off the pressed button is no click.
    if (HitIndex == PressedIndex && HitIndex != kNoMediaButton && MediaControl)
        SendMessageA(MediaControl->Handle(), WM_LBUTTONUP, keys, at);
    if (scope && !scope->Alive()) return;
    PressedIndex = HitIndex;
    Invalidate();
}

LRESULT TWMediaPlayer::handle(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_ERASEBKGND: return 1;
    case WM_PAINT: {
        win::PaintDC paint(window_.Get());
        RECT client{};
        GetClientRect(window_.Get(), &client);
        if (paint.Get()) DrawSkin(paint.Get(), client);
        return 0;
    }
    case WM_LBUTTONDOWN: buttonDown(wParam, lParam); return 0;
    case WM_LBUTTONUP: buttonUp(wParam, lParam); return 0;
    case WM_CAPTURECHANGED:
        // The system took the press away (a dialog, a menu): nothing stays drawn down.
        if (ButtonHeld && HWND(lParam) != window_.Get()) {
            ButtonHeld = false;
            Invalidate();
        }
        return 0;
    default: return DefWindowProcA(window_.Get(), msg, wParam, lParam);
    }
}

TSkinMP::~TSkinMP() = default;

void TSkinMP::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) {
    if (Attached) return;
    TSkinControl::AttachToControl(skinForm, skin, setColour, canvas);
    auto* media = dynamic_cast<TWinControl*>(Control);
    if (!Attached || !media) return;
    Player = std::make_unique<TWMediaPlayer>(this);
    Player->Attach(media);
}

void TSkinMP::Unskin() {
    if (!SkinEnabled) return;
    TSkinControl::Unskin();
    if (State != ctWindowGone) Player.reset();
}

void TSkinMP::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_WINDOWPOSCHANGED:
    case TKN_VISIBLECHANGED:
        if (Player) Player->Place();
        break;
    default: TSkinControl::AfterDefault(m); break;
    }
}

void TSkinMP::DrawSkin(HDC, const RECT&) {
    if (Player) Player->Invalidate();
}

void TSkinMP::SkinChanged() {
    TSkinControl::SkinChanged();
    // The new skin may have button faces the old one lacked, or lack them.
    if (Player) {
        Player->Place();
        Player->Invalidate();
    }
}
