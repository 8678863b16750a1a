// TSkinStatusBar: status bars repainted panel by panel from StatusBarEdges, with a skinned size grip.
#include <windows.h>

#include <commctrl.h>

#include <algorithm>

#include "skin/controls/centred_label.h"
#include "skin/controls/skin_containers.h"
#include "skin/controls/skin_tabs.h"
#include "skin/core/face_text.h"
#include "skin/core/skin_data.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/status_bar.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/rects.h"
#include "toolkit/handles.h"

const TClassInfo& TSkinStatusBar::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinStatusBar>("TSkinStatusBar", &TSkinControl::StaticClass()).Build();
    return info;
}

namespace {

// Frames of StatusBarEdges.
enum : int { kLoweredPanel = 1, kRaisedPanel = 2, kFlatPanel = 3, kEdgeFrames = 3 };
// The size grip is this frame of ExtraImages.
constexpr int kGripFrame = 5;
// A raw bar's texts are read into a buffer of this many characters.
constexpr int kPanelTextLength = 512;

// Every status bar draws in this one bitmap; painting happens on the GUI thread only.
TBitmap& statusWorkBitmap() {
    static TBitmap bitmap;
    return bitmap;
}

TStatusBar* toolkitBar(TControl* control) {
    return dynamic_cast<TStatusBar*>(control);
}

UINT alignmentFlag(TAlignment alignment, bool rightToLeft) {
    switch (alignment) {
    case taCenter: return DT_CENTER;
    case taRightJustify: return rightToLeft ? DT_LEFT : DT_RIGHT;
    case taLeftJustify: break;
    }
    return rightToLeft ? DT_RIGHT : DT_LEFT;
}

int kindOfBevel(TStatusPanelBevel bevel) {
    switch (bevel) {
    case pbRaised: return kRaisedPanel;
    case pbNone: return kFlatPanel;
    case pbLowered: break;
    }
    return kLoweredPanel;
}

// A raw bar's part text and its drawing flags (SBT_*).
std::wstring partText(HWND bar, int part, UINT& flags) {
    wchar_t text[kPanelTextLength] = {};
    const LRESULT length = SendMessageW(bar, SB_GETTEXTLENGTHW, WPARAM(part), 0);
    flags = HIWORD(length);
    if (LOWORD(length) >= kPanelTextLength || (flags & SBT_OWNERDRAW)) return {};
    SendMessageW(bar, SB_GETTEXTW, WPARAM(part), reinterpret_cast<LPARAM>(text));
    return text;
}

} // namespace

bool TSkinStatusBar::BeforeDefault(TMessage& m) {
    if (!TSkinControl::BeforeDefault(m)) return false;
    switch (m.Msg) {
    case WM_PAINT: {
        RECT client{};
        GetClientRect(Handle, &client);
        paintMessage(HDC(m.WParam), client);
        m.Result = 0;
        return false;
    }
    case WM_ERASEBKGND: m.Result = 1; return false;
    default: return true;
    }
}

COLORREF TSkinStatusBar::captionColour() const {
    if (SkinData->StatusBarEdges) return COLORREF(ColorToRGB(SkinData->StatusBarEdges->NormalColour2));
    const TColor own = Control ? Control->Font()->Color() : clBtnText;
    return COLORREF(ColorToRGB(TextColourOnFace(own, SkinData)));
}

bool TSkinStatusBar::simpleMode() const {
    if (const TStatusBar* bar = toolkitBar(Control)) return bar->SimplePanel() || bar->Panels()->Count() == 0;
    return SendMessageA(Handle, SB_ISSIMPLE, 0, 0) != 0;
}

std::wstring TSkinStatusBar::simpleText() const {
    if (const TStatusBar* bar = toolkitBar(Control)) return AnsiToWide(bar->SimpleText());
    // A bar in simple mode answers with its simple text for any part.
    UINT flags = 0;
    return partText(Handle, 0, flags);
}

bool TSkinStatusBar::rightToLeft() const {
    if (const TStatusBar* bar = toolkitBar(Control)) return bar->BiDiMode() == bdRightToLeft;
    return GetLong(Handle, GWL_EXSTYLE) & WS_EX_RTLREADING;
}

std::vector<TStatusPanelView> TSkinStatusBar::panels(const RECT& rect) const {
    std::vector<TStatusPanelView> views;
    TStatusBar* bar = toolkitBar(Control);
    const int count = bar ? bar->Panels()->Count() : int(SendMessageA(Handle, SB_GETPARTS, 0, 0));
    for (int i = 0; i < count; ++i) {
        TStatusPanelView v;
        if (!SendMessageA(Handle, SB_GETRECT, WPARAM(i), reinterpret_cast<LPARAM>(&v.Rect))) continue;
        v.Rect.right = i + 1 == count ? rect.right : v.Rect.right + 2;
        if (bar) {
            TStatusPanel* panel = bar->Panels()->Items(i);
            v.Panel = panel;
            v.Text = AnsiToWide(panel->Text());
            v.Alignment = alignmentFlag(panel->Alignment(), panel->BiDiMode() == bdRightToLeft);
            v.Kind = kindOfBevel(panel->Bevel());
            v.PlainText = panel->Style() == psText;
        } else {
            UINT flags = 0;
            v.Text = partText(Handle, i, flags);
            v.Kind = (flags & SBT_POPOUT)      ? kRaisedPanel
                     : (flags & SBT_NOBORDERS) ? kFlatPanel
                                               : kLoweredPanel;
            v.PlainText = !(flags & SBT_OWNERDRAW);
            v.Alignment = alignmentFlag(taLeftJustify, flags & SBT_RTLREADING);
        }
        views.push_back(std::move(v));
    }
    return views;
}

void TSkinStatusBar::drawBackground(HDC dc, const RECT& r, int kind) {
    TDataSkinObject* edges = SkinData->StatusBarEdges.get();
    if (edges && !edges->Bitmap.Empty()) {
        auto piece =
            BuildSkinBitmap(r, edges->Bitmap, edges->Margins(), false, edges->Tile != 0, kEdgeFrames, kind);
        if (piece)
            BitBlt(dc, r.left, r.top, RectWidth(r), RectHeight(r), piece->Canvas().Handle(), 0, 0, SRCCOPY);
        return;
    }
    RECT frame = r;
    if (kind == kLoweredPanel) Frame3D(dc, frame, clBtnShadow, clBtnHighlight, 1);
    if (kind == kRaisedPanel) Frame3D(dc, frame, clBtnHighlight, clBtnShadow, 1);
}

void TSkinStatusBar::drawText(HDC dc, RECT r, const std::wstring& text, UINT alignment) {
    const std::wstring shown = text.empty() ? L" " : text;
    InflateRect(&r, -2, 0);
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    win::SelectGuard clear(dc, GetStockObject(NULL_BRUSH));
    RECT measured = r;
    DrawSkinText(dc, shown, measured, DT_CALCRECT | DT_NOCLIP | DT_EXPANDTABS | alignment);
    const int th = RectHeight(measured);
    RECT line{r.left, r.top + (RectHeight(r) - th) / 2 - 1, r.right, 0};
    line.bottom = line.top + th;
    DrawSkinText(dc, shown, line, DT_EXPANDTABS | alignment | (rightToLeft() ? DT_RTLREADING : 0));
    SetBkMode(dc, oldMode);
}

void TSkinStatusBar::drawSizeGrip(HDC dc, const RECT& rect) {
    TDataSkinObject* extra = SkinData->ExtraImages.get();
    if (!(GetLong(Handle, GWL_STYLE) & SBARS_SIZEGRIP) || !extra || extra->Bitmap.Empty()) return;
    const int frames = extra->Frames();
    const int fw = extra->Bitmap.Width() / frames, fh = extra->Bitmap.Height();
    // A strip without the grip's frame, or too narrow to hold one, shows none.
    if (frames < kGripFrame || fw <= 0 || fh <= 0) return;
    const RECT cell{rect.right - 1 - fw, rect.bottom - 1 - fh, rect.right - 1, rect.bottom - 1};
    DrawSkinObject(dc, cell, extra->Bitmap, false, false, true, frames, kGripFrame, RECT{});
}

void TSkinStatusBar::drawOwnerPanels(HDC dc, const RECT& rect, const std::vector<TStatusPanelView>& views) {
    TStatusBar* bar = toolkitBar(Control);
    if (!bar || !bar->OnDrawPanel) return;
    const auto barExists = bar->LifeToken();
    for (const TStatusPanelView& v : views) {
        if (v.PlainText || !v.Panel) continue;
        RECT inner = v.Rect;
        InflateRect(&inner, -2, -2);
        OffsetRect(&inner, rect.left, rect.top);
        TMessageDepth::Scope scope(Depth());
        RunProgramCode([&] { bar->DrawPanel(v.Panel, dc, inner); });
        // The handler may have freed the bar, its panels or this skinner.
        if (!scope.Alive() || !*barExists) return;
    }
}

void TSkinStatusBar::DrawSkin(HDC dc, const RECT& rect) {
    if (!SkinData || !Handle) return;
    const int w = RectWidth(rect), h = RectHeight(rect);
    if (w <= 0 || h <= 0) return;
    TBitmap& work = statusWorkBitmap();
    work.SetPixelFormat(pf24bit);
    work.SetSize(w, h);
    const RECT r{0, 0, w, h};
    std::vector<TStatusPanelView> views;
    {
        HDC wdc = work.Canvas().Handle();
        FillFace(wdc, r);
        HFONT font = Control ? Control->Font()->Handle() : HFONT(SendMessageA(Handle, WM_GETFONT, 0, 0));
        win::SelectGuard selected(wdc, font ? HGDIOBJ(font) : GetCurrentObject(wdc, OBJ_FONT));
        TPlainFont plain(wdc);
        SetTextColor(wdc, captionColour());
        if (simpleMode()) {
            drawBackground(wdc, r, kLoweredPanel);
            drawText(wdc, r, simpleText(), rightToLeft() ? DT_RIGHT : DT_LEFT);
        } else {
            views = panels(r);
            for (const TStatusPanelView& v : views) {
                drawBackground(wdc, v.Rect, v.Kind);
                if (v.PlainText) drawText(wdc, v.Rect, v.Text, v.Alignment);
            }
        }
        drawSizeGrip(wdc, r);
    }
    BitBlt(dc, rect.left, rect.top, w, h, work.Canvas().Handle(), 0, 0, SRCCOPY);
    PaintWindowlessChildren(Control, dc, rect);
    drawOwnerPanels(dc, rect, views);
}
