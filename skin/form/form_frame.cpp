// The skinned frame: geometry from the skin's borders, the non-client calculation, the frame,
// caption band and caption text painting, the window region, and the size, activation, paint
// and background handlers.
#include <algorithm>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "skin/paint/skin_paint.h"
#include "skin/paint/skin_region.h"
#include "toolkit/controls/form.h"

namespace {

int frames(const TDataSkinObject& r) {
    return std::max(1, int(r.Frame));
}

bool skinEmpty(const TSkinData& s) {
    return s.Borders.Top->Bitmap.Empty() && s.Borders.Left->Bitmap.Empty() &&
           s.Borders.Right->Bitmap.Empty() && s.Borders.Bottom->Bitmap.Empty();
}

int width(const RECT& r) {
    return r.right - r.left;
}
int height(const RECT& r) {
    return r.bottom - r.top;
}

TColor resolve(TColor c) {
    return c < 0 ? TColor(GetSysColor(c & 0xFF)) : c;
}

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
    if (!SkinData || !SkinData->Borders.Top || skinEmpty(*SkinData)) return;
    const TSkinBorders& b = SkinData->Borders;
    const int oldWidth = BorderLeft + BorderRight, oldHeight = CaptionHeight + BorderBottom;
    if (BorderKind == bkNoCaption) {
        BorderLeft = BorderRight = CaptionHeight = BorderBottom = MenuHeight = 0;
    } else {
        CaptionHeight = b.Top->Bitmap.Height() / frames(*b.Top);
        BorderLeft = b.Left->Bitmap.Width() / frames(*b.Left);
        BorderRight = b.Right->Bitmap.Width() / frames(*b.Right);
        BorderBottom = b.Bottom->Bitmap.Height() / frames(*b.Bottom);
    }
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
            RebuildIconBitmap();
            if (record->Bitmap.Empty()) record->Bitmap.Assign(&IconBitmap);
            if (SkinData->AppIcon().Empty()) SkinData->AppIcon().Assign(&IconBitmap);
            record->Frame = 1;
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
    int w = width(ClientRect) + BorderLeft + BorderRight;
    int clientHeight = height(ClientRect);
    if (refresh) {
        GetClientRect(Handle, &ClientRect);
        clientHeight = height(ClientRect);
    } else if (Form) {
        w = Form->ClientWidth() + BorderLeft + BorderRight;
        clientHeight = MdiKind == 2 ? Form->ClientHeight() : Form->ClientHeight() - MenuHeight;
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
    if ((MdiKind == 2 && WindowState != swNormal) || BorderKind == bkNoCaption) {
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

std::unique_ptr<TBitmap> TWinSkinForm::buildPiece(TDataSkinBorder& border, const RECT& r, bool vertical) {
    const int frame = (Active || frames(border) == 1) ? 1 : 2;
    return BuildSkinBitmap(r, border.Bitmap, border.Margins(), vertical, border.Tile != 1, frames(border),
                           frame);
}

void TWinSkinForm::paintBorderPiece(HDC dc, TDataSkinBorder& border, const RECT& r, bool vertical) {
    if (width(r) <= 0 || height(r) <= 0) return;
    std::unique_ptr<TBitmap> piece = buildPiece(border, r, vertical);
    if (!piece) return;
    BitBlt(dc, r.left, r.top, width(r), height(r), piece->Canvas().Handle(), 0, 0, SRCCOPY);
}

void TWinSkinForm::PaintFrame(HDC dc) {
    if ((State != fsSkinned && State != fsReskinning) || BorderKind == bkNoCaption || !SkinData) return;
    if (MdiKind == 2 && WindowState == swMaximized) return;
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

void TWinSkinForm::paintFrameUnguarded(HDC dc) {
    GetWindowRect(Handle, &WindowRect);
    const int w = width(WindowRect), h = height(WindowRect);
    FrameWidth = w;
    FrameHeight = h;
    TSkinBorders& b = SkinData->Borders;
    if (WindowState == swMinimized) {
        paintCaptionBand(dc, w, h, true);
    } else {
        paintBorderPiece(dc, *b.Left, RECT{0, 0, BorderLeft, h}, false);
        paintBorderPiece(dc, *b.Right, RECT{w - BorderRight, 0, w, h}, false);
        paintBorderPiece(dc, *b.Bottom, RECT{BorderLeft, h - BorderBottom, w - BorderRight, h}, true);
        paintCaptionBand(dc, w, h, false);
        if (MenuHeight > 0) {
            const RECT band{BorderLeft, CaptionHeight, w - BorderRight, CaptionHeight + MenuHeight};
            FillRect(dc, &band, SkinData->FaceBrush());
        }
    }
    // The band shows every button in its resting state; a button held down keeps its press, so
    // an activation repaint between button down and up does not swallow the click.
    if (HotObject && HotObject->MouseState == msPressed)
        HotObject->Paint();
    else if (HotObject) {
        HotObject->MouseState = msNormal;
        HotObject = nullptr;
    }
}

void TWinSkinForm::paintCaptionBand(HDC windowDC, int w, int h, bool minimized) {
    const int bandHeight = minimized ? h : CaptionHeight;
    if (w <= 0 || bandHeight <= 0) return;
    if (CaptionBuffer.Width() != w || CaptionBuffer.Height() != bandHeight)
        CaptionBuffer.SetSize(w, bandHeight);
    HDC dc = CaptionBuffer.Canvas().Handle();
    RECT capRect{};
    if (minimized) {
        const RECT all{0, 0, w, bandHeight};
        FillRect(dc, &all, SkinData->FaceBrush());
        capRect = RECT{0, 0, w, CaptionHeight};
    } else {
        // The side borders have painted the caption's corners already: keep them.
        BitBlt(dc, 0, 0, w, bandHeight, windowDC, 0, 0, SRCCOPY);
        capRect = RECT{BorderLeft, 0, w - BorderRight, CaptionHeight};
    }
    if (width(capRect) > 0 && height(capRect) > 0) {
        std::unique_ptr<TBitmap> top = buildPiece(*SkinData->Borders.Top, capRect, true);
        if (top)
            BitBlt(dc, capRect.left, 0, width(capRect), height(capRect), top->Canvas().Handle(), 0, 0,
                   SRCCOPY);
    }
    paintCaptionText(dc, capRect);
    LayoutButtons();
    PaintButtons(dc);
    BitBlt(windowDC, 0, 0, w, bandHeight, dc, 0, 0, SRCCOPY);
    SetBkMode(windowDC, OPAQUE);
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

void TWinSkinForm::paintCaptionText(HDC dc, const RECT& capRect) {
    TDataSkinTitle& title = *SkinData->Title;
    const std::wstring text = CaptionPrefix + windowText() + CaptionSuffix;

    int rightButtons = 0;
    for (auto& b : CaptionButtons)
        if (b->ButtonData->Align == 1 && !b->ButtonData->Bitmap.Empty() && UpdateVisibility(*b))
            rightButtons = std::max(rightButtons, int(b->ButtonData->Xcoord));

    win::SaveDCGuard saved(dc);
    SelectObject(dc, CaptionFont.Get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, resolve(SkinData->Colour(Active ? scTitleTextActive : scTitleTextNoActive)));

    const int capW = width(capRect);
    RECT r = capRect;
    DrawTextW(dc, text.c_str(), int(text.size()), &r, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX);
    r.right += title.TXTBackleft + title.TXTBackRight;
    const int w = width(r);
    int dx = 0;
    if (!RightToLeft) {
        switch (title.TextAlignment) {
        case 0: dx = title.LeftWidth; break;
        case 1: dx = (capW - w) / 2; break;
        case 2: dx = capW - title.RightWidth - w; break;
        default: dx = 0;
        }
    } else {
        switch (title.TextAlignment) {
        case 0: dx = capW - rightButtons - w; break;
        case 1: dx = (capW - w - rightButtons) / 2; break;
        case 2: dx = title.LeftWidth; break;
        default: dx = 0;
        }
    }
    const int dy = (height(capRect) - height(r)) / 2 + title.TopHeight / 2;
    OffsetRect(&r, dx, dy);
    if (RightToLeft && dx < 1) r.left = title.LeftWidth;
    if (!RightToLeft) {
        if (Style & WS_POPUP) {
            if (rightButtons > 5 && r.right > capRect.right - rightButtons - 5)
                r.right = capRect.right - rightButtons - 5;
        } else if (r.right > capRect.right - title.RightWidth) {
            r.right = capRect.right - title.RightWidth;
        }
    } else {
        OffsetRect(&r, 10, 0);
    }
    // Dialog frames show no icon, so their text starts further left.
    if (BorderKind == bkDialog && title.TextAlignment == 0) r.left -= 16;
    CaptionTextRect = r;

    if (!title.Bitmap.Empty()) {
        const RECT back{r.left, capRect.top, r.right, capRect.bottom};
        DrawSkinStrip(dc, back, title.Bitmap, true, true, 2, Active ? 1 : 2,
                      RECT{title.TXTBackleft, 0, title.TXTBackRight, 0});
    }
    r.left += title.TXTBackleft;
    r.right -= title.TXTBackRight;
    const UINT flags = RightToLeft ? 0x28822 : 0x8820;
    DrawTextW(dc, text.c_str(), int(text.size()), &r, flags);
}

void TWinSkinForm::UpdateRegion() {
    if (State == fsDestroyed || !FrameSkinned || !SkinData || !IsWindow(Handle)) return;
    RECT wr{};
    GetWindowRect(Handle, &wr);
    const int w = width(wr), h = height(wr);
    if (w * h == 0 || (MdiKind == 2 && WindowState != swNormal)) return;
    if (OwnsRegion && w == RegionWidth && h == RegionHeight && MdiKind != 2 && State != fsReskinning) return;
    TSkinBorders& b = SkinData->Borders;
    win::RegionHandle region;
    if (b.Right->Trans + b.Top->Trans + 2 * b.Left->Trans != 0) {
        RegionWidth = w;
        RegionHeight = h;
        region.Reset(CreateRectRgn(BorderLeft, CaptionHeight, w - BorderRight, h - BorderBottom));
        if (BorderKind != bkNoCaption) {
            auto piece = [&](TDataSkinBorder& border, const RECT& r, bool vertical, bool fromImage) {
                if (fromImage) {
                    if (std::unique_ptr<TBitmap> bmp = buildPiece(border, r, vertical))
                        return RegionFromBitmap(*bmp, r.left, r.top, 1, 1, 1, SKIN_KEY_COLOUR);
                }
                return win::RegionHandle(CreateRectRgn(r.left, r.top, r.right, r.bottom));
            };
            const RECT topRect{BorderLeft, 0, w - BorderRight, CaptionHeight};
            win::RegionHandle left =
                piece(*b.Left, RECT{0, 0, BorderLeft, h}, false, b.Left->Trans == 1 && h > 1);
            win::RegionHandle right =
                piece(*b.Right, RECT{w - BorderRight, 0, w, h}, false, b.Right->Trans == 1 && h > 1);
            win::RegionHandle bottom =
                piece(*b.Bottom, RECT{BorderLeft, h - BorderBottom, w - BorderRight, h}, true,
                      b.Bottom->Trans == 1 && BorderBottom >= 2);
            win::RegionHandle top =
                piece(*b.Top, topRect, true, b.Top->Trans == 1 && CaptionHeight > 1 && width(topRect) > 0);
            CombineRgn(left.Get(), left.Get(), right.Get(), RGN_OR);
            CombineRgn(bottom.Get(), bottom.Get(), top.Get(), RGN_OR);
            CombineRgn(region.Get(), region.Get(), left.Get(), RGN_OR);
            CombineRgn(region.Get(), region.Get(), bottom.Get(), RGN_OR);
        }
    } else {
        RegionWidth = w;
        RegionHeight = h;
        region.Reset(CreateRectRgn(0, 0, w, h));
    }
    ++RegionBuilds;
    // The window owns the region once set; we keep the handle only to know we set one.
    if (SetWindowRgn(Handle, region.Get(), TRUE)) {
        (void)region.Release();
        OwnsRegion = true;
    }
}

LRESULT TWinSkinForm::onSize(WPARAM wParam, LPARAM lParam) {
    const LRESULT result = passOn(WM_SIZE, wParam, lParam);
    WindowState = wParam == SIZE_MINIMIZED ? swMinimized : wParam == SIZE_MAXIMIZED ? swMaximized : swNormal;
    if (WindowState == swMinimized) return result;
    if (MdiKind == 2 && ((SkinManager && SkinManager->MdiMaximized) || WindowState != swNormal))
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
    if (MdiKind == 1 && MdiClient) SendMessageA(MdiClient, WM_NCACTIVATE, wParam, 0);
    if (MdiKind == 2) passOn(WM_NCACTIVATE, wParam, 0);
    if (!(MdiKind == 2 && WindowState == swMaximized)) PaintFrame(nullptr);
    return TRUE;
}

LRESULT TWinSkinForm::onNcPaint(WPARAM wParam, LPARAM lParam) {
    removeSysMenuStyle();
    if (SkinData && SkinData->FramePaintEnabled()) {
        if ((MdiKind == 2 && WindowState == swMaximized) || BorderKind == bkNoCaption)
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
