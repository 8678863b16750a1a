// TCustomComboBox, TComboBox and TComboBoxEx.
#include "toolkit/controls/combo_box.h"

#include <commctrl.h>

#include <algorithm>

#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/image_list.h"
#include "toolkit/handles.h"

const TEnumInfo& ComboBoxStyleInfo() {
    static const TEnumInfo info{"TComboBoxStyle",
                                {"csDropDown", "csSimple", "csDropDownList", "csOwnerDrawFixed"}};
    return info;
}

// ---- TCustomComboBox ----

const TClassInfo& TCustomComboBox::StaticClass() {
    using C = TCustomComboBox;
    static const TClassInfo& info =
        TClassBuilder<C>("TCustomComboBox", &TWinControl::StaticClass())
            .Enum("Style", ComboBoxStyleInfo(), &C::Style, &C::SetStyle, csDropDown)
            .Obj("Items", &C::Items, &C::SetItems, true)
            .Int("ItemIndex", &C::ItemIndex, &C::SetItemIndex, -1)
            .Int("DropDownCount", &C::DropDownCount, &C::SetDropDownCount, 8)
            .Int("ItemHeight", &C::ItemHeight, &C::SetItemHeight, 16)
            .Bool("ButtonOnLeft", &C::ButtonOnLeft, &C::SetButtonOnLeft, false)
            .Bool("TabStop", &C::TabStop, &C::SetTabStop, true)
            .Bool("ParentColor", &C::ParentColor, &C::SetParentColor, false)
            .Event("OnChange", &C::OnChange)
            .Event("OnSelect", &C::OnSelect)
            .Event("OnDrawItem", &C::OnDrawItem)
            .Build();
    return info;
}

TCustomComboBox::TCustomComboBox(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 145;
    height_ = 21;
    color_ = clWindow;
    SetTabStop(true);
    items_.OnChange = TNotifyEvent([this](TObject*) { itemsChanged(); });
}

DWORD TCustomComboBox::ComboStyleBits() const {
    switch (style_) {
    // The list fills the bounds, with no strip left below its last whole line.
    case csSimple: return CBS_SIMPLE | CBS_NOINTEGRALHEIGHT;
    case csDropDownList: return CBS_DROPDOWNLIST;
    case csOwnerDrawFixed: return CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
    case csDropDown: break;
    }
    return CBS_DROPDOWN;
}

int TCustomComboBox::DroppedHeight() const {
    // A simple combo box shows its list in its own bounds.
    if (style_ == csSimple) return height_;
    return height_ + itemHeight_ * std::max(dropDownCount_, 1) + 2;
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "COMBOBOX";
    p.Style |= ComboStyleBits() | CBS_AUTOHSCROLL | WS_VSCROLL;
    // The system keeps the field's height and gives the rest to the drop-down list.
    p.Height = DroppedHeight();
    if (buttonOnLeft_) p.ExStyle |= WS_EX_LEFTSCROLLBAR;
}

void TCustomComboBox::InitializeWnd() {
    TWinControl::InitializeWnd();
    FillWindow();
}

void TCustomComboBox::Loaded() {
    TWinControl::Loaded();
    FillWindow();
    SetItemIndex(itemIndex_);
}

void TCustomComboBox::SetStyle(TComboBoxStyle value) {
    if (value == style_) return;
    style_ = value;
    RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int value) {
    dropDownCount_ = std::max(value, 1);
    RecreateWnd();
}

void TCustomComboBox::SetItemHeight(int value) {
    itemHeight_ = std::max(value, 1);
    RecreateWnd();
}

void TCustomComboBox::SetButtonOnLeft(bool value) {
    if (value == buttonOnLeft_) return;
    buttonOnLeft_ = value;
    RecreateWnd();
}

bool TCustomComboBox::DroppedDown() {
    return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0);
}

void TCustomComboBox::SetItemIndex(int value) {
    // Items may come after ItemIndex in a stored text: Loaded checks the range.
    if (IsLoading()) {
        itemIndex_ = value;
        return;
    }
    if (value < -1 || value >= items_.Count()) value = -1;
    itemIndex_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, WPARAM(value), 0);
    syncing_ = true;
    if (value >= 0) SetCaption(items_.Strings(value));
    syncing_ = false;
}

void TCustomComboBox::itemsChanged() {
    if (IsLoading()) return;
    if (itemIndex_ >= items_.Count()) itemIndex_ = -1;
    FillWindow();
}

void TCustomComboBox::FillWindow() {
    if (!HandleAllocated() || IsLoading()) return;
    HWND h = Handle();
    SendMessageA(h, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.Count(); ++i)
        SendMessageA(h, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.Strings(i).c_str()));
    SendMessageA(h, CB_SETCURSEL, WPARAM(itemIndex_), 0);
    if (itemIndex_ < 0 && style_ != csDropDownList && style_ != csOwnerDrawFixed)
        SetWindowTextA(h, caption_.c_str());
}

void TCustomComboBox::TextChanged(TMessage& m) {
    if (syncing_) return;
    if (style_ == csDropDownList || style_ == csOwnerDrawFixed) {
        // A list-only combo shows an item or nothing: the text picks the item.
        const int index = items_.IndexOf(caption_);
        itemIndex_ = index;
        if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, WPARAM(index), 0);
        if (index < 0) caption_.clear();
    } else {
        TWinControl::TextChanged(m);
    }
    if (!IsLoading() && !HandleAllocated() && OnChange) OnChange(this);
}

void TCustomComboBox::takeWindowText() {
    const int length = GetWindowTextLengthA(Handle());
    std::string text(size_t(length) + 1, '\0');
    text.resize(size_t(GetWindowTextA(Handle(), text.data(), length + 1)));
    caption_ = text;
    // Typed text selects the item it spells out, and nothing else.
    itemIndex_ = items_.IndexOf(text);
    if (OnChange) OnChange(this);
}

void TCustomComboBox::selectionChanged() {
    const int index = int(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    itemIndex_ = index >= 0 && index < items_.Count() ? index : -1;
    caption_ = itemIndex_ >= 0 ? items_.Strings(itemIndex_) : std::string();
    if (OnSelect) OnSelect(this);
    if (OnChange) OnChange(this);
}

void TCustomComboBox::drawItem(TMessage& m) {
    auto* d = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
    m.Result = TRUE;
    const bool selected = d->itemState & ODS_SELECTED;
    const int index = int(d->itemID);
    if (OnDrawItem) {
        OnDrawItem(this, d->hDC, index, d->rcItem, selected);
        return;
    }
    FillRect(d->hDC, &d->rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    if (index < 0 || index >= items_.Count()) return;
    const int mode = SetBkMode(d->hDC, TRANSPARENT);
    const COLORREF text =
        SetTextColor(d->hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    RECT r = d->rcItem;
    r.left += 2;
    DrawTextA(d->hDC, items_.Strings(index).c_str(), -1, &r, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    SetTextColor(d->hDC, text);
    SetBkMode(d->hDC, mode);
}

void TCustomComboBox::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_COMMAND:
        switch (HIWORD(m.WParam)) {
        case CBN_SELCHANGE: selectionChanged(); break;
        case CBN_EDITCHANGE: takeWindowText(); break;
        default: break;
        }
        return;
    case CN_DRAWITEM: drawItem(m); return;
    case CN_MEASUREITEM:
        reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)->itemHeight = UINT(itemHeight_);
        m.Result = TRUE;
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}

// ---- TComboBox ----

const TClassInfo& TComboBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TComboBox>("TComboBox", &TCustomComboBox::StaticClass()).Creatable().Build();
    return info;
}

// ---- TComboBoxEx ----

const TClassInfo& TComboBoxEx::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TComboBoxEx>("TComboBoxEx", &TCustomComboBox::StaticClass())
                                        .Creatable()
                                        .Obj("Images", &TComboBoxEx::Images, &TComboBoxEx::SetImages)
                                        .Build();
    return info;
}

TComboBoxEx::TComboBoxEx(TComponent* AOwner) : TCustomComboBox(AOwner) {
    SetStyle(csDropDownList);
}

void TComboBoxEx::CreateParams(TCreateParams& p) {
    TCustomComboBox::CreateParams(p);
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_USEREX_CLASSES};
    InitCommonControlsEx(&icc);
    p.SysClassName = WC_COMBOBOXEXA;
    // The wrapper takes no owner drawing: it draws its items and their images itself.
    p.Style &= ~DWORD(CBS_OWNERDRAWFIXED | CBS_HASSTRINGS | CBS_AUTOHSCROLL | WS_VSCROLL);
}

HWND TComboBoxEx::ComboHandle() {
    return reinterpret_cast<HWND>(SendMessageA(Handle(), CBEM_GETCOMBOCONTROL, 0, 0));
}

void TComboBoxEx::SetImages(TImageList* value) {
    if (value == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    if (images_) images_->FreeNotification(this);
    FillWindow();
}

void TComboBoxEx::Notification(TComponent* component, TOperation operation) {
    TCustomComboBox::Notification(component, operation);
    if (operation != TOperation::opRemove || component != images_) return;
    images_ = nullptr;
    if (HandleAllocated()) SendMessageA(Handle(), CBEM_SETIMAGELIST, 0, 0);
}

void TComboBoxEx::FillWindow() {
    if (!HandleAllocated() || IsLoading()) return;
    HWND h = Handle();
    SendMessageA(h, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    while (SendMessageA(h, CB_GETCOUNT, 0, 0) > 0)
        SendMessageA(h, CBEM_DELETEITEM, 0, 0);
    for (int i = 0; i < Items()->Count(); ++i) {
        std::string text = Items()->Strings(i);
        COMBOBOXEXITEMA item{};
        item.mask = CBEIF_TEXT | (images_ ? CBEIF_IMAGE | CBEIF_SELECTEDIMAGE : 0);
        item.iItem = i;
        item.pszText = text.data();
        item.iImage = item.iSelectedImage = i;
        SendMessageA(h, CBEM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(h, CB_SETCURSEL, WPARAM(ItemIndex()), 0);
}
