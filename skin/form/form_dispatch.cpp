// The form skinner's window procedure: three stages route every message of the window to the
// frame, caption-button and lifecycle handlers; whatever is not handled reaches the previous
// procedure. Also the hook that replaces a toolkit form's WindowProc.
#include "skin/core/face_text.h"
#include "skin/core/skin_control.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/tab_ctrls.h"
#include "toolkit/controls/window_class.h"

namespace {
// Undocumented: the themed caption would paint over the skin.
constexpr UINT kNcUahDrawCaption = 0xAE;

// The program's page control decides; a handler that fails keeps the page.
LRESULT askToCloseTab(TPageControl& pages, int index) {
    bool allow = false;
    RunProgramCode([&] { allow = pages.CanCloseTab(index); });
    return allow ? 0 : 1;
}
} // namespace

LRESULT TWinSkinForm::passOn(UINT msg, WPARAM wParam, LPARAM lParam) {
    return subclass_.CallPrevious(msg, wParam, lParam);
}

void TWinSkinForm::callOld(TMessage& m) {
    ++oldCalls_;
    RunProgramCode([&] { oldWindowProc_(m); });
}

bool TWinSkinForm::released() {
    return Depth().FreePending();
}

LRESULT TWinSkinForm::dispatch(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_NCPAINT:
        if (State == fsCreated) return 0;
        break;
    case WM_ERASEBKGND:
        if (Form) return passOn(msg, wParam, lParam);
        return onEraseBkgnd(wParam, lParam);
    case WM_NCDESTROY:
        // The subclass ends the skinner's window life after this (State becomes fsDestroyed).
        State = fsUnskinning;
        ReleaseOnDestroy();
        return passOn(msg, wParam, lParam);
    case WM_NCACTIVATE:
        if (State == fsCreated && MdiKind != mkChild) return 0;
        break;
    case kNcUahDrawCaption: return 0;
    case WM_INITMENUPOPUP:
        if (SkinManager) SkinManager->SetMenuContext(HMENU(wParam) == SystemMenu ? mcSystemMenu : mcMenuBar);
        return passOn(msg, wParam, lParam);
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        if (Form) return passOn(msg, wParam, lParam);
        return onCtlColor(msg, wParam, lParam);
    case TKN_CHILDTEXTCOLOUR:
        // The form is filled with the skin's face.
        if (Form && SkinData) return LRESULT(TextColourOnFace(TColor(lParam), SkinData));
        break;
    case WM_TIMER:
        if (wParam == kHoverTimerId) {
            HoverTick();
            return 0;
        }
        break;
    case SKM_SKINFORM: deferredAttach(); return 0;
    case SKM_RESKINSCROLL: RecreateScrollSkinner(HWND(wParam)); return 0;
    case SKM_ISSKINNED: PostMessageA(Handle, SKM_FRAMESKINNED, 0, SKM_MAGIC); return 1;
    case SKM_TABCLOSE:
        // Tabs of other kinds are the window's own program's to answer.
        if (auto* pages = dynamic_cast<TPageControl*>(FindControl(HWND(wParam))))
            return askToCloseTab(*pages, int(lParam));
        return passOn(msg, wParam, lParam);
    default: break;
    }
    if (!FrameSkinned) return passOn(msg, wParam, lParam);
    return stage2(msg, wParam, lParam);
}

LRESULT TWinSkinForm::stage2(UINT msg, WPARAM wParam, LPARAM lParam) {
    if (IsChild && MdiKind != mkChild) return passOn(msg, wParam, lParam);
    switch (msg) {
    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case SC_SIZE:
        case SC_MOVE:
        case SC_MINIMIZE:
        case SC_MAXIMIZE:
        case SC_NEXTWINDOW:
        case SC_PREVWINDOW:
        case SC_CLOSE:
        case SC_RESTORE: PostMessageA(Handle, WM_SYSCOMMAND, LOWORD(wParam), 0); return 0;
        default: return passOn(msg, wParam, lParam);
        }
    case WM_WINDOWPOSCHANGED: readWindowState(); return passOn(msg, wParam, lParam);
    case WM_SIZE:
        // The size handler runs once, here; stage 3 would only repeat it.
        return onSize(wParam, lParam);
    case WM_ACTIVATE:
    case WM_NCACTIVATE: Active = LOBYTE(wParam) != 0; break;
    case WM_GETMINMAXINFO: {
        const LRESULT r = passOn(msg, wParam, lParam);
        if (!released()) readWindowState();
        return r;
    }
    case WM_SETICON: {
        const LRESULT r = passOn(msg, wParam, lParam);
        if (!released()) RebuildIconBitmap();
        return r;
    }
    case WM_SYSCOMMAND: return onSysCommand(wParam, lParam);
    case SKM_MENUBARCLICK: return onMenuBarClick(lParam);
    case TKN_MENUCHANGED: return onMenuChanged(wParam, lParam);
    default: break;
    }
    return stage3(msg, wParam, lParam);
}

LRESULT TWinSkinForm::stage3(UINT msg, WPARAM wParam, LPARAM lParam) {
    if ((MdiKind == mkChild && WindowState == swMaximized) || State == fsCreated)
        return passOn(msg, wParam, lParam);
    switch (msg) {
    case WM_NCACTIVATE: return onNcActivate(wParam, lParam);
    case WM_NCCALCSIZE: return onNcCalcSize(wParam, lParam);
    case WM_NCHITTEST: return onNcHitTest(wParam, lParam);
    case WM_NCPAINT: return onNcPaint(wParam, lParam);
    case WM_NCMOUSEMOVE: return onNcMouseMove(wParam, lParam);
    case WM_NCLBUTTONDOWN: return onNcLButtonDown(wParam, lParam);
    case WM_NCLBUTTONUP: return onNcLButtonUp(wParam, lParam);
    case WM_NCLBUTTONDBLCLK: return onNcLButtonDblClk(wParam, lParam);
    case WM_NCRBUTTONDOWN: return onNcRButtonDown(wParam, lParam);
    case WM_MEASUREITEM: return onMeasureItem(wParam, lParam);
    case WM_DRAWITEM: return onDrawItem(wParam, lParam);
    case SKM_REPAINTFRAME: PaintFrame(nullptr); return 0;
    default: return passOn(msg, wParam, lParam);
    }
}

LRESULT TWinSkinForm::onMenuChanged(WPARAM wParam, LPARAM lParam) {
    // The toolkit re-attaches its menu here; the system must not paint its frame meanwhile.
    const bool was = SkinData->FramePaintEnabled();
    SkinData->SetFramePaintEnabled(false);
    const LRESULT r = passOn(TKN_MENUCHANGED, wParam, lParam);
    // The program may have unskinned the form, or freed its skin, meanwhile.
    if (released()) return r;
    SkinData->SetFramePaintEnabled(was);
    menuReattached();
    return r;
}

// A failure of ours lets the message go on to the form's own method, unless that has run.
void TWinSkinForm::toolkitHook(TMessage& m) {
    TMessageDepth::Scope scope(Depth());
    const int before = oldCalls_;
    try {
        toolkitMessage(m);
    } catch (...) {
        if (scope.Alive() && oldCalls_ == before) callOld(m);
    }
}

void TWinSkinForm::toolkitMessage(TMessage& m) {
    switch (m.Msg) {
    case WM_SETTEXT:
        if (IsWindowVisible(Handle)) {
            callOld(m);
            if (released()) return;
            if (WindowState == swMaximized) {
                if (SkinManager && SkinManager->MdiClient())
                    PostMessageA(SkinManager->MdiClient(), SKM_MDIREDRAW, WPARAM(Handle), 0);
            } else if (WindowState == swMinimized) {
                PaintFrame(nullptr);
            } else {
                NotifyFrameChanged();
            }
        } else {
            callOld(m);
        }
        return;
    case SKM_RESKIN: Reskin(); return;
    case SKM_PAINTFRAME:
        if (m.LParam == SKM_MAGIC) {
            if (m.WParam) PaintFrame(HDC(m.WParam));
            m.Result = SKM_MAGIC;
        }
        return;
    case SKM_ISSKINFORM: m.Result = m.LParam == SKM_MAGIC ? SKM_MAGIC : 1; return;
    case TKN_DIALOGCHAR: onDialogChar(m); return;
    case TKN_MENUCHANGED: menuChangedInToolkit(m); return;
    default: callOld(m);
    }
}
