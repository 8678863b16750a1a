// TListBox.
#include "toolkit/controls/list_box.h"

#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TListBox::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TListBox>("TListBox", &TWinControl::StaticClass())
            .Creatable()
            .Obj("Items", &TListBox::Items, &TListBox::SetItems, true)
            .Int("ItemIndex", &TListBox::ItemIndex, &TListBox::SetItemIndex, -1)
            .Enum("BorderStyle", BorderStyleInfo(), &TListBox::BorderStyle, &TListBox::SetBorderStyle, 1)
            .Bool("TabStop", &TListBox::TabStop, &TListBox::SetTabStop, true)
            .Bool("ParentColor", &TListBox::ParentColor, &TListBox::SetParentColor, false)
            .Build();
    return info;
}

TListBox::TListBox(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 121;
    height_ = 97;
    color_ = clWindow;
    SetTabStop(true);
    items_.OnChange = TNotifyEvent([this](TObject*) { itemsChanged(); });
}

void TListBox::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    p.SysClassName = "LISTBOX";
    // Without LBS_DISABLENOSCROLL the bar comes and goes with the need for it.
    p.Style |= LBS_NOTIFY | LBS_NOINTEGRALHEIGHT | WS_VSCROLL;
    if (borderStyle_ != 0) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::InitializeWnd() {
    TWinControl::InitializeWnd();
    fillWindow();
}

void TListBox::Loaded() {
    TWinControl::Loaded();
    SetItemIndex(itemIndex_);
}

void TListBox::SetBorderStyle(int value) {
    if (value == borderStyle_) return;
    borderStyle_ = value;
    UpdateWindowStyle();
}

void TListBox::SetItemIndex(int value) {
    // Items may come after ItemIndex in a stored text: Loaded checks the range.
    if (IsLoading()) {
        itemIndex_ = value;
        return;
    }
    if (value < -1 || value >= items_.Count()) value = -1;
    itemIndex_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), LB_SETCURSEL, WPARAM(value), 0);
}

void TListBox::itemsChanged() {
    if (!IsLoading() && itemIndex_ >= items_.Count()) itemIndex_ = -1;
    fillWindow();
}

void TListBox::fillWindow() {
    if (!HandleAllocated() || IsLoading()) return;
    HWND h = Handle();
    SendMessageA(h, WM_SETREDRAW, FALSE, 0);
    SendMessageA(h, LB_RESETCONTENT, 0, 0);
    for (int i = 0; i < items_.Count(); ++i)
        SendMessageA(h, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.Strings(i).c_str()));
    SendMessageA(h, LB_SETCURSEL, WPARAM(itemIndex_), 0);
    SendMessageA(h, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(h, nullptr, TRUE);
}

void TListBox::WndProc(TMessage& m) {
    if (m.Msg == CN_COMMAND) {
        if (HIWORD(m.WParam) == LBN_SELCHANGE) {
            itemIndex_ = int(SendMessageA(Handle(), LB_GETCURSEL, 0, 0));
            Click();
        }
        return;
    }
    TWinControl::WndProc(m);
}
