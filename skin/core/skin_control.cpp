// The control-skin base: attaching, the message path, painting entry, and the painters' helpers.
#include "skin/core/skin_control.h"

#include <algorithm>
#include <vector>

#include "skin/core/face_text.h"
#include "skin/core/form_skinner_base.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/messages.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinControl::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinControl>("TSkinControl", &TComponent::StaticClass()).Build();
    return info;
}

namespace {

// The text of WM_GETTEXT for windows that do not speak UTF-16.
constexpr int kAnsiText = 1000;
// 16-bit mouse coordinates run out past this.
constexpr int kCoordinateLimit = 32768;
// The desktop of the old shell; windows parented to it are popups.
const HWND kShellDesktop = HWND(LONG_PTR(0x10014));

} // namespace

void RunProgramCode(const std::function<void()>& code) {
    try {
        code();
    } catch (...) {
        HandleToolkitException();
    }
}

TSkinControl::TSkinControl(TComponent* owner) : TComponent(owner) {}

TSkinControl::~TSkinControl() {
    unhook();
    if (SkinForm) SkinForm->UnregisterChildSkinner(this);
}

void TSkinControl::hookControl(TControl* control) {
    SavedWindowProc = control->WindowProc();
    control->SetWindowProc([this](TMessage& m) { SkinWndProc(m); });
    hookedControl_ = true;
}

void TSkinControl::unhook() {
    TControl* target = Control ? Control : RepaintTarget;
    if (hookedControl_ && target && !target->IsDestroying()) target->SetWindowProc(SavedWindowProc);
    hookedControl_ = false;
    subclass_.Restore();
}

void TSkinControl::AttachToControl(TFormSkinner* skinForm, TSkinData* skin, bool setColour, TCanvas* canvas) {
    if (Attached) return;
    auto* control = dynamic_cast<TWinControl*>(Owner());
    if (!control) return;
    SkinForm = skinForm;
    SkinData = skin;
    SetColour = setColour;
    Canvas = canvas;
    Control = control;
    Handle = control->Handle();
    IsUnicode = IsWindowUnicode(Handle);
    hookControl(control);
    if (SkinForm) SkinForm->RegisterChildSkinner(this);
    if (SetColour && SkinData) {
        SavedColor = control->Color();
        control->SetColor(SkinData->Colour(scButtonFace));
    }
    control->Invalidate();
    Attached = true;
    State = ctAttached;
}

void TSkinControl::AttachToWindow(HWND window, TSkinData* skin, TFormSkinner* skinForm, TCanvas* canvas) {
    if (Attached || !IsWindow(window)) return;
    // A window that cannot be subclassed is not skinned: nothing registered, a later attach may
    // try again.
    const bool installed =
        subclass_.Install(window, win::SubclassKind::Control, [this](UINT msg, WPARAM wParam, LPARAM lParam) {
            TMessage m{msg, wParam, lParam, 0};
            SkinWndProc(m);
            return m.Result;
        });
    if (!installed) return;
    SkinData = skin;
    SkinForm = skinForm;
    Canvas = canvas;
    Handle = window;
    IsRawWindow = true;
    if (SkinForm) SkinForm->RegisterChildSkinner(this);
    IsUnicode = IsWindowUnicode(window);
    Caption = GetWindowTextWide(window);
    InvalidateRect(window, nullptr, TRUE);
    Attached = true;
    State = ctAttached;
}

void TSkinControl::Unskin() {
    if (!SkinEnabled) return;
    SkinEnabled = false;
    if (State != ctWindowGone && SetColour && Control) Control->SetColor(SavedColor);
}

void TSkinControl::SkinChanged() {
    if (SetColour && Control && SkinData) Control->SetColor(SkinData->Colour(scButtonFace));
    Repaint();
}

void TSkinControl::Repaint() {
    if (RepaintTarget) {
        RepaintTarget->Invalidate();
    } else if (Handle && IsWindow(Handle)) {
        InvalidateRect(Handle, nullptr, TRUE);
        UpdateWindow(Handle);
    }
}

void TSkinControl::CallDefault(TMessage& m) {
    if (defaultCall_) defaultCall_->ran = true;
    RunProgramCode([&] {
        if (SavedWindowProc)
            SavedWindowProc(m);
        else
            m.Result = subclass_.CallPrevious(m.Msg, m.WParam, m.LParam);
    });
}

void TSkinControl::Release() {
    if (SkinForm) SkinForm->UnregisterChildSkinner(this);
    SkinForm = nullptr;
    depth_.Free([this] { delete this; });
}

void TSkinControl::SkinWndProc(TMessage& m) {
    TMessageDepth::Scope scope(depth_);
    DefaultCall call;
    DefaultCall* outer = std::exchange(defaultCall_, &call);
    try {
        route(m, scope);
    } catch (...) {
        // Ours failed: the control handles the message itself, unless it already has.
        if (scope.Alive() && !call.ran) CallDefault(m);
    }
    if (scope.Exists()) defaultCall_ = outer;
}

void TSkinControl::route(TMessage& m, const TMessageDepth::Scope& scope) {
    MessageHandled = false;
    if (m.Msg == SKM_ENABLE) {
        SkinEnabled = m.WParam > 0;
        if (SkinEnabled) Repaint();
        return;
    }
    if (!SkinEnabled || depth_.FreePending()) {
        CallDefault(m);
        return;
    }
    if (!BeforeDefault(m) || !scope.Alive()) return;
    CallDefault(m);
    // The program may have freed the control, its window or this skinner meanwhile.
    if (scope.Alive()) AfterDefault(m);
}

bool TSkinControl::BeforeDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_NCDESTROY: {
        State = ctWindowGone;
        TMessageDepth::Scope scope(depth_);
        CallDefault(m);
        if (scope.Alive() && SkinEnabled) Unskin();
        return false;
    }
    case SKM_ISSKINNED: m.Result = 1; return false;
    case TKN_CHILDTEXTCOLOUR:
        if (!FillsFace() || !SkinData) return true;
        m.Result = LRESULT(TextColourOnFace(TColor(m.LParam), SkinData));
        return false;
    default: return true;
    }
}

void TSkinControl::AfterDefault(TMessage& m) {
    switch (m.Msg) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case TKN_ENABLEDCHANGED: Repaint(); break;
    case WM_PAINT: PaintWindow(HDC(m.WParam)); break;
    default: break;
    }
}

void TSkinControl::PaintWindow(HDC dc) {
    if (!Handle || !GetWindowRect(Handle, &WindowRect)) return;
    const RECT r{0, 0, RectWidth(WindowRect), RectHeight(WindowRect)};
    try {
        if (dc) {
            DrawSkin(dc, r);
        } else {
            win::WindowDC window = win::WindowDC::Frame(Handle);
            if (window) DrawSkin(window.Get(), r);
        }
    } catch (...) {
        // A skin that cannot be painted leaves the control as it drew itself.
    }
}

void TSkinControl::paintMessage(HDC dc, const RECT& rect) {
    try {
        if (dc) {
            DrawSkin(dc, rect);
        } else {
            win::PaintDC paint(Handle);
            if (paint.Get()) DrawSkin(paint.Get(), rect);
        }
    } catch (...) {
        // The skin could not be drawn; the control keeps what was there.
    }
}

void TSkinControl::DrawSkin(HDC, const RECT&) {}

void TSkinControl::FillFace(HDC dc, const RECT& rect) const {
    FillColour(dc, rect, SkinData ? SkinData->Colour(scButtonFace) : clBtnFace);
}

void TSkinControl::FillColour(HDC dc, const RECT& rect, TColor colour) {
    win::BrushHandle brush(CreateSolidBrush(ColorToRGB(colour)));
    FillRect(dc, &rect, brush.Get());
}

TColor TSkinControl::ParentColour(TColor fallback) const {
    const TControl* control = Control ? Control : RepaintTarget;
    if (!control || !control->Parent()) return fallback;
    const TPropInfo* info = control->Parent()->ClassType().FindProp("Color");
    if (!info || !info->getOrd) return fallback;
    return TColor(info->getOrd(control->Parent()));
}

void TSkinControl::FillParentFace(HDC dc, const RECT& rect) const {
    FillColour(dc, rect, ParentColour(SkinData ? SkinData->Colour(scButtonFace) : clBtnFace));
}

LONG_PTR TSkinControl::GetLong(HWND window, int index) const {
    return IsUnicode ? GetWindowLongPtrW(window, index) : GetWindowLongPtrA(window, index);
}

void TSkinControl::DrawCaptionFocus(HDC dc, UINT format, const RECT& rect) const {
    RECT measured = rect;
    DrawSkinText(dc, Caption, measured, format | DT_CALCRECT | DT_NOCLIP);
    const int tw = RectWidth(measured), th = RectHeight(measured);
    RECT focus{0, 0, tw, th};
    if (format & DT_CENTER)
        OffsetRect(&focus, rect.left + (RectWidth(rect) - tw) / 2,
                   rect.top + (RectHeight(rect) - th) / 2 - 1);
    else if (format & DT_RIGHT)
        OffsetRect(&focus, rect.left + RectWidth(rect) - tw, rect.top);
    else
        OffsetRect(&focus, rect.left, rect.top);
    InflateRect(&focus, 2, 1);
    IntersectRect(&focus, &focus, &rect);
    DrawFocusRect(dc, &focus);
}

void TSkinControl::ForwardMouseDown(const TMessage& m) const {
    if (!Control) return;
    int x = short(LOWORD(m.LParam)), y = short(HIWORD(m.LParam));
    if (Control->Width() > kCoordinateLimit || Control->Height() > kCoordinateLimit) {
        POINT cursor{};
        GetCursorPos(&cursor);
        ScreenToClient(Handle, &cursor);
        x = cursor.x;
        y = cursor.y;
    }
    RunProgramCode([&] { Control->MouseDown(mbLeft, KeysToShiftState(m.WParam), x, y); });
}

std::wstring AnsiToWide(const std::string& text) {
    if (text.empty()) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), nullptr, 0);
    std::wstring out(size_t(std::max(0, n)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, text.data(), int(text.size()), out.data(), n);
    return out;
}

std::wstring GetWindowTextWide(HWND window) {
    if (!window) return {};
    if (UseWideApi()) {
        const int n = GetWindowTextLengthW(window);
        std::wstring text(size_t(std::max(0, n)) + 1, L'\0');
        const int got = GetWindowTextW(window, text.data(), n + 1);
        text.resize(size_t(std::max(0, got)));
        return text;
    }
    char buffer[kAnsiText + 1] = {};
    const LRESULT got = SendMessageA(window, WM_GETTEXT, kAnsiText, LPARAM(buffer));
    return AnsiToWide(std::string(buffer, size_t(std::clamp<LRESULT>(got, 0, kAnsiText))));
}

int DrawSkinText(HDC dc, const std::wstring& text, RECT& rect, UINT format) {
    if (UseWideApi()) return DrawTextW(dc, text.c_str(), int(text.size()), &rect, format);
    const int n =
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), nullptr, 0, nullptr, nullptr);
    std::string ansi(size_t(std::max(0, n)), '\0');
    if (n > 0)
        WideCharToMultiByte(CP_ACP, 0, text.c_str(), int(text.size()), ansi.data(), n, nullptr, nullptr);
    return DrawTextA(dc, ansi.c_str(), -1, &rect, format);
}

void CopyBitmap(const TBitmap& source, TBitmap& destination) {
    destination.Assign(&source);
}

void CreateDisabledGlyph(const TBitmap& glyph, TBitmap& result) {
    const int w = glyph.Width(), h = glyph.Height();
    result.SetPixelFormat(pf24bit);
    result.SetSize(w, h);
    if (w <= 0 || h <= 0) return;
    HDC dc = result.Canvas().Handle();
    const RECT all{0, 0, w, h};
    FillRect(dc, &all, GetSysColorBrush(COLOR_BTNFACE));
    // The glyph's shape as set bits: the background (the bottom-left pixel's colour) converts to
    // 1, so the conversion is inverted; the raster operation then puts the brush on the shape.
    TBitmap& source = const_cast<TBitmap&>(glyph);
    HDC src = source.Canvas().Handle();
    win::BitmapHandle mask(CreateBitmap(w, h, 1, 1, nullptr));
    {
        win::MemoryDC maskDC(dc);
        win::SelectGuard selected(maskDC.Get(), mask.Get());
        const COLORREF back = SetBkColor(src, GetPixel(src, 0, h - 1));
        BitBlt(maskDC.Get(), 0, 0, w, h, src, 0, 0, NOTSRCCOPY);
        SetBkColor(src, back);
    }
    win::MemoryDC maskDC(dc);
    win::SelectGuard selected(maskDC.Get(), mask.Get());
    const COLORREF text = SetTextColor(dc, RGB(0, 0, 0)), back = SetBkColor(dc, RGB(255, 255, 255));
    // Where the mask is set (the glyph) the brush goes in; elsewhere the face stays.
    constexpr DWORD kBrushWhereBlack = 0x00E20746;
    {
        win::SelectGuard brush(dc, GetSysColorBrush(COLOR_BTNHIGHLIGHT));
        BitBlt(dc, 1, 1, w, h, maskDC.Get(), 0, 0, kBrushWhereBlack);
    }
    {
        win::SelectGuard brush(dc, GetSysColorBrush(COLOR_BTNSHADOW));
        BitBlt(dc, 0, 0, w, h, maskDC.Get(), 0, 0, kBrushWhereBlack);
    }
    SetTextColor(dc, text);
    SetBkColor(dc, back);
}

bool IsPopupWindow(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_POPUP) || GetParent(window) == kShellDesktop;
}

void ResetHover(HWND window) {
    if (window) SendMessageA(window, TKN_MOUSELEAVE, 0, 0);
}
