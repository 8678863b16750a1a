// TToolBar and TToolButton: the bar's window holds one comctl32 button per TToolButton, in the
// order the buttons were given to the bar, and reports clicks and custom drawing back by the
// buttons' command identifiers.
#include "toolkit/controls/tool_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>

#include "toolkit/controls/menus.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/image_list.h"

namespace {

int nextCommandId = 1;

bool isMouseButtonMessage(UINT msg) {
    return msg >= WM_LBUTTONDOWN && msg <= WM_MBUTTONDBLCLK;
}

TCustomDrawState customDrawState(UINT itemState) {
    static constexpr std::pair<UINT, TCustomDrawStateFlag> flags[] = {
        {CDIS_SELECTED, cdsSelected}, {CDIS_GRAYED, cdsGrayed}, {CDIS_DISABLED, cdsDisabled},
        {CDIS_CHECKED, cdsChecked},   {CDIS_FOCUS, cdsFocused}, {CDIS_DEFAULT, cdsDefault},
        {CDIS_HOT, cdsHot},           {CDIS_MARKED, cdsMarked}, {CDIS_INDETERMINATE, cdsIndeterminate}};
    TCustomDrawState state = 0;
    for (auto [cdis, cds] : flags)
        if (itemState & cdis) state |= cds;
    return state;
}

// The canvas draws on a custom-draw DC for one event; whatever the event leaves selected or set
// in the DC is undone before the bar draws on.
class CanvasOnDC {
  public:
    CanvasOnDC(TCanvas& canvas, HDC dc, TFont* font) : canvas_(canvas), saved_(dc) {
        canvas.SetHandle(dc);
        canvas.Font().Assign(font);
    }
    ~CanvasOnDC() { canvas_.SetHandle(nullptr); }
    CanvasOnDC(const CanvasOnDC&) = delete;
    CanvasOnDC& operator=(const CanvasOnDC&) = delete;

  private:
    TCanvas& canvas_;
    win::SaveDCGuard saved_;
};

} // namespace

const TEnumInfo& ToolButtonStyleInfo() {
    static const TEnumInfo info{"TToolButtonStyle", {"tbsButton", "tbsCheck", "tbsSeparator"}};
    return info;
}

// ---- TToolButton ----

const TClassInfo& TToolButton::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TToolButton>("TToolButton", &TGraphicControl::StaticClass())
            .Creatable()
            .Int("ImageIndex", &TToolButton::ImageIndex, &TToolButton::SetImageIndex, -1)
            .Enum("Style", ToolButtonStyleInfo(), &TToolButton::Style, &TToolButton::SetStyle, tbsButton)
            .Bool("Down", &TToolButton::Down, &TToolButton::SetDown, false)
            .Bool("Grouped", &TToolButton::Grouped, &TToolButton::SetGrouped, false)
            .Build();
    return info;
}

TToolButton::TToolButton(TComponent* AOwner) : TGraphicControl(AOwner), commandId_(nextCommandId) {
    nextCommandId = nextCommandId % 0x7FFF + 1; // WM_COMMAND carries the identifier in 16 bits
    width_ = 23;
    height_ = 22;
}

TToolButton::~TToolButton() {
    if (bar_) std::exchange(bar_, nullptr)->buttonRemoved(this);
}

void TToolButton::SetParent(TWinControl* value) {
    if (value == Parent()) return;
    if (bar_) std::exchange(bar_, nullptr)->buttonRemoved(this);
    TGraphicControl::SetParent(value);
    if (auto* bar = dynamic_cast<TToolBar*>(value)) {
        bar_ = bar;
        bar->buttonAdded(this);
    }
}

void TToolButton::placeAt(const RECT& r) {
    left_ = r.left;
    top_ = r.top;
    width_ = r.right - r.left;
    height_ = r.bottom - r.top;
}

void TToolButton::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    if (bar_) bar_->rebuildButtons();
}

void TToolButton::SetStyle(TToolButtonStyle value) {
    if (value == style_) return;
    style_ = value;
    if (bar_) bar_->rebuildButtons();
}

void TToolButton::SetDown(bool value) {
    if (value == down_) return;
    down_ = value;
    if (bar_) bar_->buttonStateChanged(this);
}

void TToolButton::SetGrouped(bool value) {
    if (value == grouped_) return;
    grouped_ = value;
    if (bar_) bar_->rebuildButtons();
}

void TToolButton::VisibleChanged(TMessage&) {
    if (bar_) bar_->buttonStateChanged(this);
}

void TToolButton::EnabledChanged(TMessage&) {
    if (bar_) bar_->buttonStateChanged(this);
}

void TToolButton::TextChanged(TMessage&) {
    if (bar_) bar_->rebuildButtons();
}

// ---- TToolBar ----

namespace {

BYTE buttonState(const TToolButton& b) {
    BYTE state = 0;
    if (b.Enabled()) state |= TBSTATE_ENABLED;
    if (!b.Visible()) state |= TBSTATE_HIDDEN;
    if (b.Down()) state |= b.Style() == tbsCheck ? TBSTATE_CHECKED : TBSTATE_PRESSED;
    return state;
}

BYTE buttonStyle(const TToolButton& b) {
    switch (b.Style()) {
    case tbsCheck: return BYTE(BTNS_CHECK | (b.Grouped() ? BTNS_GROUP : 0));
    case tbsSeparator: return BTNS_SEP;
    case tbsButton: break;
    }
    return BTNS_BUTTON;
}

} // namespace

const TClassInfo& TToolBar::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TToolBar>("TToolBar", &TWinControl::StaticClass())
                                        .Creatable()
                                        .Bool("Flat", &TToolBar::Flat, &TToolBar::SetFlat, false)
                                        .Obj("Menu", &TToolBar::Menu, &TToolBar::SetMenu)
                                        .Obj("Images", &TToolBar::Images, &TToolBar::SetImages)
                                        .Event("OnCustomDraw", &TToolBar::OnCustomDraw)
                                        .Event("OnCustomDrawButton", &TToolBar::OnCustomDrawButton)
                                        .Build();
    return info;
}

TToolBar::TToolBar(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 150;
    height_ = 29;
}

TToolBar::~TToolBar() {
    SetStateFlag(csDestroying, true);
    // The buttons go with the windowed control below; they need not tell a bar that is ending.
    for (TToolButton* b : buttons_)
        b->bar_ = nullptr;
    buttons_.clear();
}

void TToolBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    // The class is comctl32's; it exists once the library is initialised for bars.
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    p.SysClassName = TOOLBARCLASSNAMEA;
    // The toolkit places and sizes the bar like any control; the bar only lays out its buttons.
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (flat_) p.Style |= TBSTYLE_FLAT;
}

void TToolBar::InitializeWnd() {
    SendMessageA(Handle(), TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    TWinControl::InitializeWnd();
    rebuildButtons();
}

void TToolBar::SetFlat(bool value) {
    if (value == flat_) return;
    flat_ = value;
    UpdateWindowStyle();
    Invalidate();
}

void TToolBar::SetMenu(TMenu* value) {
    if (value == menu_) return;
    if (menu_) menu_->RemoveFreeNotification(this);
    menu_ = value;
    if (menu_) menu_->FreeNotification(this);
}

void TToolBar::SetImages(TImageList* value) {
    if (value == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    if (images_) images_->FreeNotification(this);
    rebuildButtons();
}

void TToolBar::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation != TOperation::opRemove) return;
    if (component == menu_) menu_ = nullptr;
    if (component == images_) {
        images_ = nullptr;
        rebuildButtons();
    }
}

void TToolBar::FontChanged(TMessage& m) {
    TWinControl::FontChanged(m);
    rebuildButtons();
}

void TToolBar::buttonAdded(TToolButton* button) {
    buttons_.push_back(button);
    rebuildButtons();
}

void TToolBar::buttonRemoved(TToolButton* button) {
    std::erase(buttons_, button);
    rebuildButtons();
}

void TToolBar::buttonStateChanged(TToolButton* button) {
    if (!HandleAllocated() || IsDestroying()) return;
    SendMessageA(Handle(), TB_SETSTATE, WPARAM(button->commandId_), MAKELPARAM(buttonState(*button), 0));
    placeButtons();
}

void TToolBar::rebuildButtons() {
    if (!HandleAllocated() || IsDestroying()) return;
    HWND h = Handle();
    SendMessageA(h, TB_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    while (SendMessageA(h, TB_BUTTONCOUNT, 0, 0) > 0)
        SendMessageA(h, TB_DELETEBUTTON, 0, 0);
    for (TToolButton* b : buttons_) {
        // The bar copies the text while adding, so the caption need only live for the call.
        const std::string caption = b->Caption();
        TBBUTTON tb{};
        tb.idCommand = b->commandId_;
        tb.fsState = buttonState(*b);
        tb.fsStyle = buttonStyle(*b);
        tb.iBitmap = b->style_ == tbsSeparator ? 0 : b->imageIndex_ >= 0 ? b->imageIndex_ : I_IMAGENONE;
        tb.iString =
            caption.empty() || b->style_ == tbsSeparator ? -1 : reinterpret_cast<INT_PTR>(caption.c_str());
        SendMessageA(h, TB_ADDBUTTONSA, 1, reinterpret_cast<LPARAM>(&tb));
    }
    placeButtons();
    Invalidate();
}

void TToolBar::placeButtons() {
    for (size_t i = 0; i < buttons_.size(); ++i) {
        RECT r{};
        if (!SendMessageA(Handle(), TB_GETITEMRECT, i, reinterpret_cast<LPARAM>(&r))) r = {};
        buttons_[i]->placeAt(r);
    }
}

TToolButton* TToolBar::findButton(int commandId) const {
    auto it = std::find_if(buttons_.begin(), buttons_.end(),
                           [commandId](const TToolButton* b) { return b->commandId_ == commandId; });
    return it == buttons_.end() ? nullptr : *it;
}

void TToolBar::command(TMessage& m) {
    TToolButton* clicked = findButton(LOWORD(m.WParam));
    if (!clicked) return;
    // The bar has already toggled the check buttons (and let up the rest of a group).
    for (TToolButton* b : buttons_)
        if (b->style_ == tbsCheck)
            b->down_ = SendMessageA(Handle(), TB_ISBUTTONCHECKED, WPARAM(b->commandId_), 0) != 0;
    clicked->Click();
}

void TToolBar::customDraw(TMessage& m) {
    auto& cd = *reinterpret_cast<NMTBCUSTOMDRAW*>(m.LParam);
    m.Result = CDRF_DODEFAULT;
    switch (cd.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        if (OnCustomDrawButton) m.Result = CDRF_NOTIFYITEMDRAW;
        if (OnCustomDraw) {
            bool defaultDraw = true;
            {
                CanvasOnDC on(canvas_, cd.nmcd.hdc, Font());
                OnCustomDraw(this, ClientRect(), defaultDraw);
            }
            if (!defaultDraw) m.Result |= CDRF_SKIPDEFAULT;
        }
        break;
    case CDDS_ITEMPREPAINT:
        if (TToolButton* b = findButton(int(cd.nmcd.dwItemSpec)); b && OnCustomDrawButton) {
            bool defaultDraw = true;
            faceDrawn_ = false;
            {
                CanvasOnDC on(canvas_, cd.nmcd.hdc, Font());
                const COLORREF before = SetTextColor(cd.nmcd.hdc, cd.clrText);
                OnCustomDrawButton(this, b, customDrawState(cd.nmcd.uItemState), defaultDraw);
                // The bar draws the caption in clrText, not in the DC's colour.
                cd.clrText = GetTextColor(cd.nmcd.hdc);
                SetTextColor(cd.nmcd.hdc, before);
            }
            if (!defaultDraw)
                m.Result = CDRF_SKIPDEFAULT;
            else if (faceDrawn_)
                m.Result = TBCDRF_NOBACKGROUND | TBCDRF_NOEDGES;
        }
        break;
    default: break;
    }
}

void TToolBar::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND: command(m); return;
    case CN_NOTIFY:
        if (reinterpret_cast<NMHDR*>(m.LParam)->code == UINT(NM_CUSTOMDRAW)) {
            customDraw(m);
            return;
        }
        break;
    default:
        // The bar's window tracks presses itself and keeps the mouse capture it takes; handing
        // them to the windowless buttons would take the capture from it before the release.
        if (isMouseButtonMessage(m.Msg)) {
            TControl::WndProc(m);
            return;
        }
        break;
    }
    TWinControl::WndProc(m);
}
