// The skinned frame: geometry from the skin's borders, the non-client calculation, the frame,
// caption band and caption text painting, the window region, and the size, activation, paint
// and background handlers.
#include <algorithm>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "toolkit/controls/form.h"
#include "toolkit/graphics/rects.h"

namespace {

// A minimised or maximised window comes back to its normal rectangle, which was sized for the
// frame it had then: it grows or shrinks with the frame, so the restored client keeps its size.
void resizeNormalRect(HWND hwnd, int dw, int dh) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof(wp);
    if ((!dw && !dh) || !GetWindowPlacement(hwnd, &wp)) return;
    wp.rcNormalPosition.right += dw;
    wp.rcNormalPosition.bottom += dh;
    wp.flags = 0;
    if (!IsWindowVisible(hwnd))
        wp.showCmd = SW_HIDE;
    else if (wp.showCmd == SW_SHOWMINIMIZED)
        wp.showCmd = SW_SHOWMINNOACTIVE;
    SetWindowPlacement(hwnd, &wp);
}

} // namespace

void TWinSkinForm::RecalcBorders() {
    if (!SkinData || SkinData->Empty()) return;
    const int oldWidth = BorderLeft + BorderRight, oldHeight = CaptionHeight + BorderBottom;
    const TFrameMetrics m = FrameMetrics(*SkinData, BorderKind);
    BorderLeft = m.BorderLeft;
    CaptionHeight = m.CaptionHeight;
    BorderRight = m.BorderRight;
    BorderBottom = m.BorderBottom;
    if (BorderKind == bkNoCaption) MenuHeight = 0;
    if (State != fsCreated && WindowState != swNormal) {
        const int dw = BorderLeft + BorderRight - oldWidth, dh = CaptionHeight + BorderBottom - oldHeight;
        // The toolkit keeps a minimised form's normal bounds itself and writes them back on resizing.
        if (Form && IsIconic(Handle))
            Form->SetBounds(Form->Left(), Form->Top(), Form->Width() + dw, Form->Height() + dh);
        else
            resizeNormalRect(Handle, dw, dh);
    }
    HotObject = nullptr;
    CaptionButtons.clear();
    for (auto& record : SkinData->SysButtons) {
        auto button = std::make_unique<TWinSysButton>(this, record.get());
        if (button->IsIconButton()) {
            // The window's own icon stands in for an icon button without an image; the records
            // are the skin's and stay as loaded.
            RebuildIconBitmap();
            SkinData->AdoptAppIcon(IconBitmap);
        }
        CaptionButtons.push_back(std::move(button));
    }
}

void TWinSkinForm::PreserveClientSize(bool refresh) {
    if (WindowState == swMaximized) {
        NotifyFrameChanged();
        return;
    }
    if (IsDialog || State == fsReskinning) GetClientRect(Handle, &ClientRect);
    int w = RectWidth(ClientRect) + BorderLeft + BorderRight;
    int clientHeight = RectHeight(ClientRect);
    if (refresh) {
        GetClientRect(Handle, &ClientRect);
        clientHeight = RectHeight(ClientRect);
    } else if (Form) {
        w = Form->ClientWidth() + BorderLeft + BorderRight;
        clientHeight = MdiKind == mkChild ? Form->ClientHeight() : Form->ClientHeight() - MenuHeight;
    }
    const int h = clientHeight + CaptionHeight + BorderBottom + MenuHeight;

    if (IsDialog && State == fsResizing) {
        const std::wstring text = windowText();
        win::WindowDC dc = win::WindowDC::Frame(Handle);
        SIZE extent{};
        {
            win::SelectGuard font(dc.Get(), CaptionFont.Get());
            GetTextExtentPoint32W(dc.Get(), text.c_str(), int(text.size()), &extent);
        }
        const int needed = SkinData->Title->LeftWidth + extent.cx + SkinData->Title->RightWidth;
        if (w < needed) {
            const int shift = (needed - w) / 2;
            for (HWND c = GetWindow(Handle, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
                RECT cr{};
                GetWindowRect(c, &cr);
                MapWindowPoints(nullptr, Handle, reinterpret_cast<POINT*>(&cr), 2);
                SetWindowPos(c, nullptr, cr.left + shift, cr.top, 0, 0,
                             SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOSENDCHANGING |
                                 SWP_NOOWNERZORDER);
            }
            w = needed;
        }
    }
    SetWindowPos(Handle, nullptr, 0, 0, w, h, SWP_FRAMECHANGED | SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOMOVE);
}

LRESULT TWinSkinForm::onNcCalcSize(WPARAM wParam, LPARAM lParam) {
    passOn(WM_NCCALCSIZE, wParam, lParam);
    if (!wParam) return 0;
    auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    if ((MdiKind == mkChild && WindowState != swNormal) || BorderKind == bkNoCaption) {
        params->rgrc[1] = params->rgrc[0];
        return WVR_VALIDRECTS;
    }
    const WINDOWPOS& p = *params->lppos;
    const RECT client{p.x + BorderLeft, p.y + CaptionHeight + MenuHeight, p.x + p.cx - BorderRight,
                      p.y + p.cy - BorderBottom};
    params->rgrc[0] = client;
    params->rgrc[1] = client;
    return WVR_VALIDRECTS;
}

void TWinSkinForm::PaintFrame(HDC dc) {
    if ((State != fsSkinned && State != fsReskinning) || BorderKind == bkNoCaption || !SkinData) return;
    if (MdiKind == mkChild && WindowState == swMaximized) return;
    try {
        if (dc) {
            paintFrameUnguarded(dc);
        } else {
            win::WindowDC windowDC = win::WindowDC::Frame(Handle);
            if (windowDC) paintFrameUnguarded(windowDC.Get());
        }
    } catch (...) {
        // A frame that cannot be painted keeps what it shows; the next WM_NCPAINT tries again.
    }
}

TFrameFacts TWinSkinForm::FrameFacts() const {
    TFrameFacts f;
    RECT wr{};
    GetWindowRect(Handle, &wr);
    f.Width = RectWidth(wr);
    f.Height = RectHeight(wr);
    f.BorderKind = BorderKind;
    f.BorderIcons = BorderIcons;
    f.WindowState = WindowState;
    f.Active = Active;
    f.RightToLeft = RightToLeft;
    f.IsDialog = IsDialog;
    f.Popup = Style & WS_POPUP;
    f.MenuHeight = MenuHeight;
    f.MenuBandButtons = MdiKind == mkFrame && MenuBarSkinner && ActiveMdiChildMaximized();
    f.Text = windowText();
    f.IconImage = const_cast<TBitmap*>(&IconBitmap);
    const HWND window = Handle;
    f.AskVisible = [window](int visibility, int action) {
        return SendMessageA(window, SKM_BUTTONVISIBLE, WPARAM(visibility), LPARAM(action)) > 0;
    };
    return f;
}

TFrameArt TWinSkinForm::FrameArt() {
    TFrameArt art;
    art.CaptionFont = CaptionFont.Get();
    art.DrawIcon = [this](HDC dc, const RECT& r) { DrawIcon(dc, r); };
    if (MenuBarSkinner)
        art.DrawMenuBand = [this](HDC dc, const RECT& band) { MenuBarSkinner->PaintBar(dc, band); };
    return art;
}

// The layout decides what the mouse can hit until the next paint.
void TWinSkinForm::takeLayout(const TFrameLayout& layout) {
    FrameWidth = layout.Width;
    FrameHeight = layout.Height;
    CaptionTextRect = layout.CaptionTextRect;
    for (size_t i = 0; i < CaptionButtons.size() && i < layout.Buttons.size(); ++i) {
        TWinSysButton& b = *CaptionButtons[i];
        const TCaptionButtonPlace& p = layout.Buttons[i];
        b.Visible = p.Visible;
        b.Enabled = p.Enabled;
        // A button that is not shown keeps its old place; Visible keeps it out of hit testing.
        if (p.Placed) b.Rect = p.Rect;
        b.Place = p;
        b.Place.Rect = b.Rect;
    }
}

void TWinSkinForm::paintFrameUnguarded(HDC dc) {
    GetWindowRect(Handle, &WindowRect);
    const TFrameLayout layout = LayoutFrame(FrameFacts(), *SkinData, dc, CaptionFont.Get());
    takeLayout(layout);
    DrawFrame(dc, layout, *SkinData, FrameArt(), CaptionBuffer);
    // The band shows every button in its resting state; a button held down keeps its press, so
    // an activation repaint between button down and up does not swallow the click.
    if (HotObject && HotObject->MouseState == msPressed)
        HotObject->Paint();
    else if (HotObject) {
        HotObject->MouseState = msNormal;
        HotObject = nullptr;
    }
}

std::wstring TWinSkinForm::windowText() const {
    if (IsUnicode) {
        const int n = GetWindowTextLengthW(Handle);
        std::wstring text(size_t(std::max(0, n)) + 1, L'\0');
        const int got = GetWindowTextW(Handle, text.data(), n + 1);
        text.resize(size_t(std::max(0, got)));
        return text;
    }
    char buffer[1001] = {};
    const LRESULT got = SendMessageA(Handle, WM_GETTEXT, 1000, LPARAM(buffer));
    const int len = int(std::clamp<LRESULT>(got, 0, 1000));
    if (len == 0) return {};
    const int n = MultiByteToWideChar(CP_ACP, 0, buffer, len, nullptr, 0);
    std::wstring text(size_t(std::max(0, n)), L'\0');
    if (n > 0) MultiByteToWideChar(CP_ACP, 0, buffer, len, text.data(), n);
    return text;
}

void TWinSkinForm::UpdateRegion() {
    if (State == fsDestroyed || !FrameSkinned || !SkinData || !IsWindow(Handle)) return;
    RECT wr{};
    GetWindowRect(Handle, &wr);
    const int w = RectWidth(wr), h = RectHeight(wr);
    if (w * h == 0 || (MdiKind == mkChild && WindowState != swNormal)) return;
    if (OwnsRegion && w == RegionWidth && h == RegionHeight && MdiKind != mkChild && State != fsReskinning)
        return;
    RegionWidth = w;
    RegionHeight = h;
    const TFrameMetrics metrics{BorderLeft, CaptionHeight, BorderRight, BorderBottom};
    win::RegionHandle region = FrameRegion(*SkinData, BorderKind, metrics, w, h, Active);
    ++RegionBuilds;
    // The window owns the region once set; we keep the handle only to know we set one.
    if (SetWindowRgn(Handle, region.Get(), TRUE)) {
        (void)region.Release();
        OwnsRegion = true;
    }
}

LRESULT TWinSkinForm::onSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = passOn(WM_SIZE, wParam, lParam);
    if (released()) return result;
    WindowState = wParam == SIZE_MINIMIZED ? swMinimized : wParam == SIZE_MAXIMIZED ? swMaximized : swNormal;
    if (WindowState == swMinimized) return result;
    if (MdiKind == mkChild && ((SkinManager && SkinManager->MdiMaximized()) || WindowState != swNormal))
        return result;
    if (State == fsSkinned || State == fsReskinning) UpdateRegion();
    return result;
}

LRESULT TWinSkinForm::onNcActivate(WPARAM wParam, LPARAM) {
    Active = LOBYTE(wParam) != 0;
    startHoverTimer(Active);
    if (!Active && HoveredControl) {
        SendMessageA(HoveredControl, TKN_MOUSELEAVE, 0, 0);
        HoveredControl = nullptr;
    }
    if (!Active) HideHint();
    if (MdiKind == mkFrame && MdiClient) SendMessageA(MdiClient, WM_NCACTIVATE, wParam, 0);
    if (MdiKind == mkChild) passOn(WM_NCACTIVATE, wParam, 0);
    if (!(MdiKind == mkChild && WindowState == swMaximized)) PaintFrame(nullptr);
    return TRUE;
}

LRESULT TWinSkinForm::onNcPaint(WPARAM wParam, LPARAM lParam) {
    removeSysMenuStyle();
    if (SkinData && SkinData->FramePaintEnabled()) {
        if ((MdiKind == mkChild && WindowState == swMaximized) || BorderKind == bkNoCaption)
            passOn(WM_NCPAINT, wParam, lParam);
        else
            PaintFrame(nullptr);
    }
    return 0;
}

LRESULT TWinSkinForm::onEraseBkgnd(WPARAM wParam, LPARAM lParam) {
    passOn(WM_ERASEBKGND, wParam, lParam);
    if (!SkinData) return 1;
    RECT r{};
    GetClientRect(Handle, &r);
    FillRect(HDC(wParam), &r, SkinData->FaceBrush());
    return 1;
}

LRESULT TWinSkinForm::onCtlColor(UINT msg, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = passOn(msg, wParam, lParam);
    SetBkMode(HDC(wParam), TRANSPARENT);
    if (msg == WM_CTLCOLORSTATIC && SkinData) return LRESULT(SkinData->FaceBrush());
    return result;
}
