// TStatusPanel, TStatusPanels and TStatusBar.
#include "toolkit/controls/status_bar.h"

#include <commctrl.h>

#include <algorithm>
#include <vector>

#include "toolkit/core/class_builder.h"

namespace {

// The bar draws a panel's text centred after one tab and right-aligned after two.
std::string alignedText(const std::string& text, TAlignment alignment) {
    switch (alignment) {
    case taCenter: return "\t" + text;
    case taRightJustify: return "\t\t" + text;
    case taLeftJustify: break;
    }
    return text;
}

WPARAM bevelFlags(TStatusPanelBevel bevel) {
    switch (bevel) {
    case pbNone: return SBT_NOBORDERS;
    case pbRaised: return SBT_POPOUT;
    case pbLowered: break;
    }
    return 0;
}

} // namespace

const TEnumInfo& StatusPanelStyleInfo() {
    static const TEnumInfo info{"TStatusPanelStyle", {"psText", "psOwnerDraw"}};
    return info;
}
const TEnumInfo& StatusPanelBevelInfo() {
    static const TEnumInfo info{"TStatusPanelBevel", {"pbNone", "pbLowered", "pbRaised"}};
    return info;
}

// ---- TStatusPanel ----

const TClassInfo& TStatusPanel::StaticClass() {
    using P = TStatusPanel;
    static const TClassInfo& info =
        TClassBuilder<P>("TStatusPanel", &TCollectionItem::StaticClass())
            .Str("Text", &P::Text, &P::SetText)
            .Int("Width", &P::Width, &P::SetWidth, 50)
            .Enum("Alignment", AlignmentInfo(), &P::Alignment, &P::SetAlignment, taLeftJustify)
            .Enum("Bevel", StatusPanelBevelInfo(), &P::Bevel, &P::SetBevel, pbLowered)
            .Enum("Style", StatusPanelStyleInfo(), &P::Style, &P::SetStyle, psText)
            .Enum("BiDiMode", BiDiModeInfo(), &P::BiDiMode, &P::SetBiDiMode, bdLeftToRight)
            .Build();
    return info;
}

TStatusPanel::TStatusPanel(TCollection* collection) : TCollectionItem(collection) {}

void TStatusPanel::changed() {
    if (auto* panels = dynamic_cast<TStatusPanels*>(Collection())) panels->Bar()->updatePanels();
}

void TStatusPanel::SetText(const std::string& value) {
    if (update(text_, value)) changed();
}

void TStatusPanel::SetWidth(int value) {
    value = std::max(value, 0);
    if (update(width_, value)) changed();
}

void TStatusPanel::SetAlignment(TAlignment value) {
    if (update(alignment_, value)) changed();
}

void TStatusPanel::SetBevel(TStatusPanelBevel value) {
    if (update(bevel_, value)) changed();
}

void TStatusPanel::SetStyle(TStatusPanelStyle value) {
    if (update(style_, value)) changed();
}

void TStatusPanel::SetBiDiMode(TBiDiMode value) {
    if (update(biDiMode_, value)) changed();
}

void TStatusPanel::Assign(const TPersistent* source) {
    auto* src = dynamic_cast<const TStatusPanel*>(source);
    if (!src) {
        TCollectionItem::Assign(source);
        return;
    }
    text_ = src->text_;
    width_ = src->width_;
    alignment_ = src->alignment_;
    bevel_ = src->bevel_;
    style_ = src->style_;
    biDiMode_ = src->biDiMode_;
    changed();
}

// ---- TStatusPanels ----

const TClassInfo& TStatusPanels::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TStatusPanels>("TStatusPanels", &TCollection::StaticClass()).Build();
    return info;
}

TStatusPanels::TStatusPanels(TStatusBar* bar)
    : TCollection(bar, TStatusPanel::StaticClass(), [](TCollection* c) { return new TStatusPanel(c); }),
      bar_(bar) {}

TStatusPanel* TStatusPanels::Add() {
    auto* panel = static_cast<TStatusPanel*>(TCollection::Add());
    bar_->updatePanels();
    return panel;
}

void TStatusPanels::Delete(int index) {
    TCollection::Delete(index);
    bar_->updatePanels();
}

void TStatusPanels::Clear() {
    TCollection::Clear();
    bar_->updatePanels();
}

// ---- TStatusBar ----

const TClassInfo& TStatusBar::StaticClass() {
    using S = TStatusBar;
    static const TClassInfo& info =
        TClassBuilder<S>("TStatusBar", &TWinControl::StaticClass())
            .Creatable()
            .Obj("Panels", &S::Panels, &S::SetPanels, true)
            .Bool("SimplePanel", &S::SimplePanel, &S::SetSimplePanel, false)
            .Str("SimpleText", &S::SimpleText, &S::SetSimpleText)
            .Bool("SizeGrip", &S::SizeGrip, &S::SetSizeGrip, true)
            .Enum("BiDiMode", BiDiModeInfo(), &S::BiDiMode, &S::SetBiDiMode, bdLeftToRight)
            .Event("OnDrawPanel", &S::OnDrawPanel)
            .Build();
    return info;
}

TStatusBar::TStatusBar(TComponent* AOwner) : TWinControl(AOwner), panels_(this) {
    width_ = 200;
    height_ = 19;
}

TStatusBar::~TStatusBar() {
    // The panels go before the window: nothing is to be given to it meanwhile.
    SetStateFlag(csDestroying, true);
}

void TStatusBar::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_BAR_CLASSES};
    InitCommonControlsEx(&icc);
    p.SysClassName = STATUSCLASSNAMEA;
    // The toolkit places the bar like any control.
    p.Style |= CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;
    if (sizeGrip_) p.Style |= SBARS_SIZEGRIP;
    if (biDiMode_ == bdRightToLeft) p.ExStyle |= WS_EX_RTLREADING;
}

void TStatusBar::InitializeWnd() {
    TWinControl::InitializeWnd();
    updatePanels();
}

void TStatusBar::Loaded() {
    TWinControl::Loaded();
    updatePanels();
}

void TStatusBar::SetSimplePanel(bool value) {
    if (value == simplePanel_) return;
    simplePanel_ = value;
    updatePanels();
}

void TStatusBar::SetSimpleText(const std::string& value) {
    if (value == simpleText_) return;
    simpleText_ = value;
    updatePanels();
}

void TStatusBar::SetSizeGrip(bool value) {
    if (value == sizeGrip_) return;
    sizeGrip_ = value;
    RecreateWnd();
}

void TStatusBar::SetBiDiMode(TBiDiMode value) {
    if (value == biDiMode_) return;
    biDiMode_ = value;
    RecreateWnd();
}

void TStatusBar::updatePanels() {
    if (!HandleAllocated() || IsLoading() || IsDestroying()) return;
    HWND h = Handle();
    const int count = panels_.Count();
    SendMessageA(h, SB_SIMPLE, simplePanel_ || count == 0, 0);
    if (simplePanel_ || count == 0) {
        const WPARAM rtl = biDiMode_ == bdRightToLeft ? SBT_RTLREADING : 0;
        SendMessageA(h, SB_SETTEXTA, SB_SIMPLEID | rtl, reinterpret_cast<LPARAM>(simpleText_.c_str()));
        return;
    }
    // Right edges; the last panel takes the rest of the bar.
    std::vector<int> edges(size_t(count), -1);
    int right = 0;
    for (int i = 0; i + 1 < count; ++i) {
        right += panels_.Items(i)->Width();
        edges[size_t(i)] = right;
    }
    SendMessageA(h, SB_SETPARTS, WPARAM(count), reinterpret_cast<LPARAM>(edges.data()));
    for (int i = 0; i < count; ++i) {
        const TStatusPanel* panel = panels_.Items(i);
        WPARAM flags = WPARAM(i) | bevelFlags(panel->Bevel());
        if (panel->BiDiMode() == bdRightToLeft) flags |= SBT_RTLREADING;
        if (panel->Style() == psOwnerDraw) {
            // An owner-drawn part's text is the value handed back in WM_DRAWITEM: the panel's index.
            SendMessageA(h, SB_SETTEXTA, flags | SBT_OWNERDRAW, LPARAM(i));
            continue;
        }
        const std::string text = alignedText(panel->Text(), panel->Alignment());
        SendMessageA(h, SB_SETTEXTA, flags, reinterpret_cast<LPARAM>(text.c_str()));
    }
}

bool TStatusBar::DrawPanel(TStatusPanel* panel, HDC dc, const RECT& rect) {
    if (!OnDrawPanel || !panel) return false;
    canvas_.SetHandle(dc);
    canvas_.Font().Assign(Font());
    try {
        OnDrawPanel(this, panel, rect);
    } catch (...) {
        canvas_.SetHandle(nullptr);
        throw;
    }
    canvas_.SetHandle(nullptr);
    return true;
}

void TStatusBar::WndProc(TMessage& m) {
    if (m.Msg == CN_DRAWITEM) {
        const auto* d = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
        const int index = int(d->itemID);
        if (index >= 0 && index < panels_.Count()) DrawPanel(panels_.Items(index), d->hDC, d->rcItem);
        m.Result = TRUE;
        return;
    }
    TWinControl::WndProc(m);
}
