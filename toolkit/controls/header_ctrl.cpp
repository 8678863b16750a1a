// THeaderSection, THeaderSections, TCustomHeaderControl and THeaderControl.
#include "toolkit/controls/header_ctrl.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/core/class_builder.h"

namespace {

int formatOf(TAlignment alignment) {
    switch (alignment) {
    case taCenter: return HDF_CENTER;
    case taRightJustify: return HDF_RIGHT;
    case taLeftJustify: break;
    }
    return HDF_LEFT;
}

} // namespace

// ---- THeaderSection ----

const TClassInfo& THeaderSection::StaticClass() {
    using S = THeaderSection;
    static const TClassInfo& info =
        TClassBuilder<S>("THeaderSection", &TCollectionItem::StaticClass())
            .Str("Text", &S::Text, &S::SetText)
            .Int("Width", &S::Width, &S::SetWidth, 50)
            .Enum("Alignment", AlignmentInfo(), &S::Alignment, &S::SetAlignment, taLeftJustify)
            .Build();
    return info;
}

THeaderSection::THeaderSection(TCollection* collection) : TCollectionItem(collection) {}

void THeaderSection::changed() {
    if (auto* sections = dynamic_cast<THeaderSections*>(Collection())) sections->Header()->updateSections();
}

void THeaderSection::SetText(const std::string& value) {
    if (update(text_, value)) changed();
}

void THeaderSection::SetWidth(int value) {
    value = std::max(value, 0);
    if (update(width_, value)) changed();
}

void THeaderSection::SetAlignment(TAlignment value) {
    if (update(alignment_, value)) changed();
}

int THeaderSection::Left() const {
    int left = 0;
    if (TCollection* c = Collection())
        for (TCollectionItem* item : c->Items()) {
            if (item == this) break;
            left += static_cast<THeaderSection*>(item)->width_;
        }
    return left;
}

void THeaderSection::Assign(const TPersistent* source) {
    auto* src = dynamic_cast<const THeaderSection*>(source);
    if (!src) {
        TCollectionItem::Assign(source);
        return;
    }
    text_ = src->text_;
    width_ = src->width_;
    alignment_ = src->alignment_;
    changed();
}

// ---- THeaderSections ----

const TClassInfo& THeaderSections::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<THeaderSections>("THeaderSections", &TCollection::StaticClass()).Build();
    return info;
}

THeaderSections::THeaderSections(TCustomHeaderControl* header)
    : TCollection(header, THeaderSection::StaticClass(),
                  [](TCollection* c) { return new THeaderSection(c); }),
      header_(header) {}

THeaderSection* THeaderSections::Add() {
    auto* section = static_cast<THeaderSection*>(TCollection::Add());
    header_->updateSections();
    return section;
}

void THeaderSections::Delete(int index) {
    TCollection::Delete(index);
    header_->updateSections();
}

void THeaderSections::Clear() {
    TCollection::Clear();
    header_->updateSections();
}

// ---- TCustomHeaderControl ----

const TClassInfo& TCustomHeaderControl::StaticClass() {
    using H = TCustomHeaderControl;
    static const TClassInfo& info = TClassBuilder<H>("TCustomHeaderControl", &TWinControl::StaticClass())
                                        .Obj("Sections", &H::Sections, &H::SetSections, true)
                                        .Event("OnSectionClick", &H::OnSectionClick)
                                        .Event("OnSectionResize", &H::OnSectionResize)
                                        .Build();
    return info;
}

const TClassInfo& THeaderControl::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<THeaderControl>("THeaderControl", &TCustomHeaderControl::StaticClass())
            .Creatable()
            .Build();
    return info;
}

TCustomHeaderControl::TCustomHeaderControl(TComponent* AOwner) : TWinControl(AOwner), sections_(this) {
    width_ = 200;
    height_ = 17;
}

TCustomHeaderControl::~TCustomHeaderControl() {
    SetStateFlag(csDestroying, true);
}

void TCustomHeaderControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    p.SysClassName = WC_HEADERA;
    p.Style |= HDS_BUTTONS | HDS_HORZ;
}

void TCustomHeaderControl::InitializeWnd() {
    TWinControl::InitializeWnd();
    updateSections();
}

void TCustomHeaderControl::Loaded() {
    TWinControl::Loaded();
    updateSections();
}

void TCustomHeaderControl::updateSections() {
    if (!HandleAllocated() || IsLoading() || IsDestroying()) return;
    HWND h = Handle();
    while (SendMessageA(h, HDM_GETITEMCOUNT, 0, 0) > 0)
        SendMessageA(h, HDM_DELETEITEM, 0, 0);
    for (int i = 0; i < sections_.Count(); ++i) {
        THeaderSection* s = sections_.Items(i);
        HDITEMA item{};
        item.mask = HDI_TEXT | HDI_WIDTH | HDI_FORMAT;
        item.pszText = s->text_.data();
        item.cxy = s->width_;
        item.fmt = HDF_STRING | formatOf(s->alignment_);
        SendMessageA(h, HDM_INSERTITEMA, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
}

bool TCustomHeaderControl::notified(const NMHDR& nm) {
    const auto& header = reinterpret_cast<const NMHEADERA&>(nm);
    const int index = header.iItem;
    if (index < 0 || index >= sections_.Count()) return false;
    THeaderSection* section = sections_.Items(index);
    switch (nm.code) {
    case UINT(HDN_ITEMCLICKA):
    case UINT(HDN_ITEMCLICKW):
        if (OnSectionClick) OnSectionClick(this, section);
        return true;
    case UINT(HDN_ENDTRACKA):
    case UINT(HDN_ENDTRACKW):
        // The window keeps the dragged width; the section takes it without giving it back.
        if (header.pitem && (header.pitem->mask & HDI_WIDTH))
            section->width_ = std::max(0, header.pitem->cxy);
        if (OnSectionResize) OnSectionResize(this, section);
        return true;
    default: return false;
    }
}

void TCustomHeaderControl::WndProc(TMessage& m) {
    if (m.Msg == CN_NOTIFY && notified(*reinterpret_cast<const NMHDR*>(m.LParam))) {
        m.Result = 0;
        return;
    }
    TWinControl::WndProc(m);
}
