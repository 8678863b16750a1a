// TListColumn, TListItem, their collections, TCustomListView and TListView.
#include "toolkit/controls/list_view.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/core/class_builder.h"

namespace {

DWORD viewStyleBits(TViewStyle style) {
    switch (style) {
    case vsSmallIcon: return LVS_SMALLICON;
    case vsList: return LVS_LIST;
    case vsReport: return LVS_REPORT;
    case vsIcon: break;
    }
    return LVS_ICON;
}

} // namespace

const TEnumInfo& ViewStyleInfo() {
    static const TEnumInfo info{"TViewStyle", {"vsIcon", "vsSmallIcon", "vsList", "vsReport"}};
    return info;
}

// ---- TListColumn ----

const TClassInfo& TListColumn::StaticClass() {
    using C = TListColumn;
    static const TClassInfo& info = TClassBuilder<C>("TListColumn", &TCollectionItem::StaticClass())
                                        .Str("Caption", &C::Caption, &C::SetCaption)
                                        .Int("Width", &C::Width, &C::SetWidth, 50)
                                        .Build();
    return info;
}

TListColumn::TListColumn(TCollection* collection) : TCollectionItem(collection) {}

void TListColumn::changed() {
    if (auto* columns = dynamic_cast<TListColumns*>(Collection())) columns->View()->updateColumns();
}

void TListColumn::SetCaption(const std::string& value) {
    if (update(caption_, value)) changed();
}

void TListColumn::SetWidth(int value) {
    value = std::max(value, 0);
    if (update(width_, value)) changed();
}

void TListColumn::Assign(const TPersistent* source) {
    auto* src = dynamic_cast<const TListColumn*>(source);
    if (!src) {
        TCollectionItem::Assign(source);
        return;
    }
    caption_ = src->caption_;
    width_ = src->width_;
    changed();
}

// ---- TListItem ----

const TClassInfo& TListItem::StaticClass() {
    using I = TListItem;
    static const TClassInfo& info = TClassBuilder<I>("TListItem", &TCollectionItem::StaticClass())
                                        .Str("Caption", &I::Caption, &I::SetCaption)
                                        .Obj("SubItems", &I::SubItems, &I::SetSubItems, true)
                                        .Build();
    return info;
}

TListItem::TListItem(TCollection* collection) : TCollectionItem(collection) {
    subItems_.OnChange = TNotifyEvent([this](TObject*) { changed(); });
}

void TListItem::changed() {
    if (auto* items = dynamic_cast<TListItems*>(Collection())) items->View()->updateItems();
}

void TListItem::SetCaption(const std::string& value) {
    if (update(caption_, value)) changed();
}

void TListItem::Assign(const TPersistent* source) {
    auto* src = dynamic_cast<const TListItem*>(source);
    if (!src) {
        TCollectionItem::Assign(source);
        return;
    }
    caption_ = src->caption_;
    subItems_.Assign(&src->subItems_);
    changed();
}

// ---- the collections ----

const TClassInfo& TListColumns::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TListColumns>("TListColumns", &TCollection::StaticClass()).Build();
    return info;
}

TListColumns::TListColumns(TCustomListView* view)
    : TCollection(view, TListColumn::StaticClass(), [](TCollection* c) { return new TListColumn(c); }),
      view_(view) {}

TListColumn* TListColumns::Add() {
    auto* column = static_cast<TListColumn*>(TCollection::Add());
    view_->updateColumns();
    return column;
}

void TListColumns::Delete(int index) {
    TCollection::Delete(index);
    view_->updateColumns();
}

void TListColumns::Clear() {
    TCollection::Clear();
    view_->updateColumns();
}

const TClassInfo& TListItems::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TListItems>("TListItems", &TCollection::StaticClass()).Build();
    return info;
}

TListItems::TListItems(TCustomListView* view)
    : TCollection(view, TListItem::StaticClass(), [](TCollection* c) { return new TListItem(c); }),
      view_(view) {}

TListItem* TListItems::Add() {
    auto* item = static_cast<TListItem*>(TCollection::Add());
    view_->updateItems();
    return item;
}

void TListItems::Delete(int index) {
    TCollection::Delete(index);
    view_->updateItems();
}

void TListItems::Clear() {
    TCollection::Clear();
    view_->updateItems();
}

// ---- TCustomListView ----

const TClassInfo& TCustomListView::StaticClass() {
    using V = TCustomListView;
    static const TClassInfo& info =
        TClassBuilder<V>("TCustomListView", &TWinControl::StaticClass())
            .Obj("Columns", &V::Columns, &V::SetColumns, true)
            .Obj("Items", &V::Items, &V::SetItems, true)
            .Enum("ViewStyle", ViewStyleInfo(), &V::ViewStyle, &V::SetViewStyle, vsIcon)
            .Bool("ReadOnly", &V::ReadOnly, &V::SetReadOnly, false)
            .Bool("RowSelect", &V::RowSelect, &V::SetRowSelect, false)
            .Int("ItemIndex", &V::ItemIndex, &V::SetItemIndex, -1)
            .Bool("TabStop", &V::TabStop, &V::SetTabStop, true)
            .Event("OnSelectItem", &V::OnSelectItem)
            .Event("OnColumnClick", &V::OnColumnClick)
            .Build();
    return info;
}

const TClassInfo& TListView::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TListView>("TListView", &TCustomListView::StaticClass()).Creatable().Build();
    return info;
}

TCustomListView::TCustomListView(TComponent* AOwner) : TWinControl(AOwner), columns_(this), items_(this) {
    width_ = 250;
    height_ = 150;
    color_ = clWindow;
    SetTabStop(true);
}

TCustomListView::~TCustomListView() {
    SetStateFlag(csDestroying, true);
}

void TCustomListView::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&icc);
    p.SysClassName = WC_LISTVIEWA;
    p.Style |= viewStyleBits(viewStyle_) | LVS_SHOWSELALWAYS | LVS_SINGLESEL | WS_BORDER;
    if (!readOnly_) p.Style |= LVS_EDITLABELS;
}

void TCustomListView::InitializeWnd() {
    TWinControl::InitializeWnd();
    applyExtendedStyle();
    updateColumns();
    updateItems();
}

void TCustomListView::Loaded() {
    TWinControl::Loaded();
    updateColumns();
    updateItems();
}

void TCustomListView::applyExtendedStyle() {
    if (!HandleAllocated()) return;
    SendMessageA(Handle(), LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_FULLROWSELECT,
                 rowSelect_ ? LVS_EX_FULLROWSELECT : 0);
}

void TCustomListView::SetViewStyle(TViewStyle value) {
    if (value == viewStyle_) return;
    viewStyle_ = value;
    UpdateWindowStyle();
    RecreateWnd();
}

void TCustomListView::SetReadOnly(bool value) {
    if (value == readOnly_) return;
    readOnly_ = value;
    RecreateWnd();
}

void TCustomListView::SetRowSelect(bool value) {
    if (value == rowSelect_) return;
    rowSelect_ = value;
    applyExtendedStyle();
}

int TCustomListView::ItemIndex() const {
    if (!HandleAllocated() || IsLoading()) return pendingIndex_;
    HWND h = const_cast<TCustomListView*>(this)->Handle();
    return int(SendMessageA(h, LVM_GETNEXTITEM, WPARAM(-1), LVNI_SELECTED));
}

void TCustomListView::SetItemIndex(int value) {
    if (value < -1 || value >= items_.Count()) value = -1;
    pendingIndex_ = value;
    if (!HandleAllocated() || IsLoading()) return;
    LVITEMA state{};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, WPARAM(-1), reinterpret_cast<LPARAM>(&state));
    if (value < 0) return;
    state.state = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(Handle(), LVM_SETITEMSTATE, WPARAM(value), reinterpret_cast<LPARAM>(&state));
    SendMessageA(Handle(), LVM_ENSUREVISIBLE, WPARAM(value), FALSE);
}

void TCustomListView::updateColumns() {
    if (!HandleAllocated() || IsLoading() || IsDestroying()) return;
    HWND h = Handle();
    while (SendMessageA(h, LVM_DELETECOLUMN, 0, 0)) {
    }
    for (int i = 0; i < columns_.Count(); ++i) {
        TListColumn* c = columns_.Items(i);
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = c->caption_.data();
        column.cx = c->width_;
        column.iSubItem = i;
        SendMessageA(h, LVM_INSERTCOLUMNA, WPARAM(i), reinterpret_cast<LPARAM>(&column));
    }
}

void TCustomListView::updateItems() {
    if (!HandleAllocated() || IsLoading() || IsDestroying()) return;
    HWND h = Handle();
    const int selected = rebuilding_ ? pendingIndex_ : ItemIndex();
    rebuilding_ = true;
    SendMessageA(h, LVM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < items_.Count(); ++i) {
        TListItem* source = items_.Items(i);
        std::string caption = source->Caption();
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = caption.data();
        SendMessageA(h, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        for (int s = 0; s < source->SubItems()->Count(); ++s) {
            std::string text = source->SubItems()->Strings(s);
            LVITEMA sub{};
            sub.iSubItem = s + 1;
            sub.pszText = text.data();
            SendMessageA(h, LVM_SETITEMTEXTA, WPARAM(i), reinterpret_cast<LPARAM>(&sub));
        }
    }
    SetItemIndex(selected);
    rebuilding_ = false;
}

bool TCustomListView::notified(const NMHDR& nm, LRESULT& result) {
    switch (nm.code) {
    case UINT(LVN_ITEMCHANGED): {
        const auto& change = reinterpret_cast<const NMLISTVIEW&>(nm);
        const bool selectionChanged =
            (change.uChanged & LVIF_STATE) && ((change.uOldState ^ change.uNewState) & LVIS_SELECTED);
        if (rebuilding_ || !selectionChanged || change.iItem < 0 || change.iItem >= items_.Count())
            return true;
        const bool selected = change.uNewState & LVIS_SELECTED;
        if (selected) pendingIndex_ = change.iItem;
        if (OnSelectItem) OnSelectItem(this, items_.Items(change.iItem), selected);
        return true;
    }
    case UINT(LVN_COLUMNCLICK): {
        const auto& click = reinterpret_cast<const NMLISTVIEW&>(nm);
        if (click.iSubItem >= 0 && click.iSubItem < columns_.Count() && OnColumnClick)
            OnColumnClick(this, columns_.Items(click.iSubItem));
        return true;
    }
    case UINT(LVN_ENDLABELEDITA): {
        // The edited caption becomes the item's; the window keeps it (a true answer).
        const auto& edit = reinterpret_cast<const NMLVDISPINFOA&>(nm);
        const int i = edit.item.iItem;
        if (!edit.item.pszText || i < 0 || i >= items_.Count()) return false;
        items_.Items(i)->caption_ = edit.item.pszText;
        result = TRUE;
        return true;
    }
    default: return false;
    }
}

void TCustomListView::WndProc(TMessage& m) {
    LRESULT result = 0;
    if (m.Msg == CN_NOTIFY && notified(*reinterpret_cast<const NMHDR*>(m.LParam), result)) {
        m.Result = result;
        return;
    }
    TWinControl::WndProc(m);
}
