// Menu items, menus, and the dispatch of menu commands and owner-draw messages to items.
#include "toolkit/controls/menus.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/image_list.h"
#include "toolkit/graphics/system_fonts.h"

namespace {

// Command identifiers in use; the lowest free one is handed out (system commands start at 0xF000).
std::map<UINT, TMenuItem*>& commands() {
    static std::map<UINT, TMenuItem*> map;
    return map;
}

UINT allocateCommand(TMenuItem* item) {
    UINT id = 1;
    for (const auto& [used, _] : commands()) {
        if (used != id) break;
        ++id;
    }
    commands()[id] = item;
    return id;
}

struct KeyName {
    WORD key;
    const char* name;
};
constexpr KeyName keyNames[] = {
    {VK_BACK, "BkSp"},   {VK_TAB, "Tab"},    {VK_RETURN, "Enter"}, {VK_ESCAPE, "Esc"},
    {VK_SPACE, "Space"}, {VK_PRIOR, "PgUp"}, {VK_NEXT, "PgDn"},    {VK_END, "End"},
    {VK_HOME, "Home"},   {VK_LEFT, "Left"},  {VK_UP, "Up"},        {VK_RIGHT, "Right"},
    {VK_DOWN, "Down"},   {VK_INSERT, "Ins"}, {VK_DELETE, "Del"},   {VK_SNAPSHOT, "PrtSc"},
};

std::string keyText(WORD key) {
    if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::string(1, char(key));
    if (key >= VK_F1 && key <= VK_F24) return "F" + std::to_string(key - VK_F1 + 1);
    for (const KeyName& k : keyNames)
        if (k.key == key) return k.name;
    return {};
}

std::string stripAccel(const std::string& caption) {
    std::string out;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&') {
            if (i + 1 < caption.size() && caption[i + 1] == '&') out += '&';
            ++i;
            if (i >= caption.size()) break;
        }
        out += caption[i];
    }
    return out;
}

// Measuring and drawing use the screen's menu font.
win::FontHandle& menuFontHandle() {
    static win::FontHandle font;
    return font;
}

} // namespace

HFONT MenuFont() {
    auto& font = menuFontHandle();
    if (!font) font = win::CreateSystemFont(win::SystemFont::Menu);
    return font ? font.Get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}

TShortCut MakeShortCut(WORD key, TShiftState shift) {
    TShortCut s = TShortCut(key & 0xFF);
    if (shift & ssShift) s |= scShift;
    if (shift & ssCtrl) s |= scCtrl;
    if (shift & ssAlt) s |= scAlt;
    return s;
}

std::string ShortCutToText(TShortCut shortCut) {
    std::string name = keyText(WORD(shortCut & 0xFF));
    if (name.empty()) return {};
    std::string out;
    if (shortCut & scShift) out += "Shift+";
    if (shortCut & scCtrl) out += "Ctrl+";
    if (shortCut & scAlt) out += "Alt+";
    return out + name;
}

TShortCut TextToShortCut(const std::string& text) {
    TShortCut mods = 0;
    std::string rest = text;
    const std::pair<const char*, TShortCut> prefixes[] = {
        {"Shift+", scShift}, {"Ctrl+", scCtrl}, {"Alt+", scAlt}};
    for (bool again = true; again;) {
        again = false;
        for (const auto& [prefix, bit] : prefixes) {
            std::string p = prefix;
            if (rest.size() > p.size() && SameText(rest.substr(0, p.size()), p)) {
                mods |= bit;
                rest = rest.substr(p.size());
                again = true;
            }
        }
    }
    for (WORD key = 1; key < 256; ++key)
        if (std::string name = keyText(key); !name.empty() && SameText(name, rest))
            return TShortCut(mods | key);
    return scNone;
}

const TEnumInfo& MenuAutoFlagInfo() {
    static const TEnumInfo info{"TMenuAutoFlag", {"maAutomatic", "maManual", "maParent"}};
    return info;
}

const TEnumInfo& PopupAlignmentInfo() {
    static const TEnumInfo info{"TPopupAlignment", {"paLeft", "paRight", "paCenter"}};
    return info;
}

// ---- TMenuItem ----

const TClassInfo& TMenuItem::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TMenuItem>("TMenuItem", &TComponent::StaticClass())
            .Creatable()
            .Str("Caption", &TMenuItem::Caption, &TMenuItem::SetCaption)
            .Bool("Enabled", &TMenuItem::Enabled, &TMenuItem::SetEnabled, true)
            .Bool("Checked", &TMenuItem::Checked, &TMenuItem::SetChecked, false)
            .Bool("Visible", &TMenuItem::Visible, &TMenuItem::SetVisible, true)
            .Bool("Default", &TMenuItem::Default, &TMenuItem::SetDefault, false)
            .Int("ImageIndex", &TMenuItem::ImageIndex, &TMenuItem::SetImageIndex, -1)
            .Int("ShortCut", &TMenuItem::ShortCut, &TMenuItem::SetShortCut, 0)
            .Str("Hint", &TMenuItem::Hint, &TMenuItem::SetHint)
            .Event("OnClick", &TMenuItem::OnClick)
            .Event("OnMeasureItem", &TMenuItem::OnMeasureItem)
            .Event("OnDrawItem", &TMenuItem::OnDrawItem)
            .Build();
    return info;
}

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner) {
    command_ = allocateCommand(this);
}

TMenuItem::~TMenuItem() {
    SetStateFlag(csDestroying, true);
    while (!items_.empty())
        delete items_.back();
    if (parent_) parent_->Remove(this);
    commands().erase(command_);
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
    auto it = commands().find(command);
    return it == commands().end() ? nullptr : it->second;
}

void TMenuItem::changed() {
    if (TMenu* menu = GetParentMenu(); menu && !menu->IsDestroying()) menu->MenuChanged();
}

void TMenuItem::SetCaption(const std::string& value) {
    if (value == caption_) return;
    caption_ = value;
    changed();
}
void TMenuItem::SetEnabled(bool value) {
    if (value == enabled_) return;
    enabled_ = value;
    changed();
}
void TMenuItem::SetChecked(bool value) {
    if (value == checked_) return;
    checked_ = value;
    changed();
}
void TMenuItem::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    changed();
}
void TMenuItem::SetDefault(bool value) {
    if (value == default_) return;
    default_ = value;
    changed();
}
void TMenuItem::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    changed();
}
void TMenuItem::SetShortCut(TShortCut value) {
    if (value == shortCut_) return;
    shortCut_ = value;
    changed();
}

void TMenuItem::Add(TMenuItem* item) {
    Insert(Count(), item);
}

void TMenuItem::Insert(int index, TMenuItem* item) {
    if (!item || item == this) return;
    for (TMenuItem* p = this; p; p = p->parent_)
        if (p == item) throw Exception("A menu item cannot contain itself");
    if (item->parent_) item->parent_->Remove(item);
    index = std::clamp(index, 0, Count());
    items_.insert(items_.begin() + index, item);
    item->parent_ = this;
    changed();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    if (!IsDestroying()) changed();
}

void TMenuItem::Clear() {
    while (!items_.empty())
        delete items_.back();
}

int TMenuItem::MenuIndex() const {
    if (!parent_) return -1;
    auto it = std::find(parent_->items_.begin(), parent_->items_.end(), this);
    return int(it - parent_->items_.begin());
}

TMenu* TMenuItem::GetParentMenu() const {
    const TMenuItem* item = this;
    while (item->parent_)
        item = item->parent_;
    return item->menu_;
}

TComponent* TMenuItem::ParentComponent() const {
    if (!parent_) return nullptr;
    return parent_->menu_ ? static_cast<TComponent*>(parent_->menu_) : parent_;
}

HMENU TMenuItem::Handle() const {
    if (menu_) return menu_->Handle();
    if (TMenu* menu = GetParentMenu()) menu->Handle(); // brings the build up to date
    return handle_;
}

void TMenuItem::Click() {
    if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    TMenu* menu = GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    if (IsLine()) {
        width = 0;
        height = GetSystemMetrics(SM_CYMENU) / 2;
    } else {
        std::string text = stripAccel(caption_);
        SIZE size = canvas.TextExtent(text.empty() ? " " : text);
        width = size.cx + 8;
        if (shortCut_) width += canvas.TextWidth(ShortCutToText(shortCut_)) + 16;
        width += images ? images->Width() + 6 : GetSystemMetrics(SM_CXMENUCHECK) + 6;
        height = std::max<int>(size.cy + 4, GetSystemMetrics(SM_CYMENU) - 1);
        if (images) height = std::max(height, images->Height() + 4);
    }
    if (OnMeasureItem) OnMeasureItem(this, &canvas, width, height);
}

void TMenuItem::DrawItem(TCanvas& canvas, const RECT& rect, bool selected) {
    if (OnDrawItem)
        OnDrawItem(this, &canvas, rect, selected);
    else
        DrawPlain(canvas, rect, selected);
}

void TMenuItem::DrawPlain(TCanvas& canvas, const RECT& rect, bool selected) {
    HDC dc = canvas.Handle();
    if (!dc) return;
    win::SaveDCGuard saved(dc);
    bool hot = selected && enabled_ && !IsLine();
    HBRUSH back = GetSysColorBrush(hot ? COLOR_HIGHLIGHT : COLOR_MENU);
    FillRect(dc, &rect, back);
    if (IsLine()) {
        RECT line = rect;
        line.top += (rect.bottom - rect.top) / 2 - 1;
        DrawEdge(dc, &line, EDGE_ETCHED, BF_TOP);
        return;
    }
    TMenu* menu = GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    int glyph = images ? images->Width() : GetSystemMetrics(SM_CXMENUCHECK);
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        images->Draw(dc, rect.left + 2, rect.top + (rect.bottom - rect.top - images->Height()) / 2,
                     imageIndex_, enabled_);
    } else if (checked_) {
        RECT box{rect.left + 2, rect.top, rect.left + 2 + glyph, rect.bottom};
        box.top += (rect.bottom - rect.top - glyph) / 2;
        box.bottom = box.top + glyph;
        DrawFrameControl(dc, &box, DFC_MENU, DFCS_MENUCHECK);
    }
    SelectObject(dc, MenuFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled_ ? COLOR_GRAYTEXT : hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    RECT text{rect.left + glyph + 8, rect.top, rect.right - 8, rect.bottom};
    DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
    if (shortCut_) {
        std::string sc = ShortCutToText(shortCut_);
        DrawTextA(dc, sc.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_RIGHT);
    }
}

// ---- TMenu ----

const TClassInfo& TMenu::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TMenu>("TMenu", &TComponent::StaticClass())
            .Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw, false)
            .Obj("Images", &TMenu::Images, &TMenu::SetImages)
            .Enum("AutoHotkeys", MenuAutoFlagInfo(), &TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys, maAutomatic)
            .Build();
    return info;
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(std::make_unique<TMenuItem>(nullptr)) {
    items_->menu_ = this;
}

TMenu::~TMenu() {
    SetStateFlag(csDestroying, true);
    items_.reset();
}

HMENU TMenu::Handle() {
    if (dirty_ || !handle_) Rebuild();
    return handle_.Get();
}

void TMenu::SetOwnerDraw(bool value) {
    if (value == ownerDraw_) return;
    ownerDraw_ = value;
    MenuChanged();
}

void TMenu::SetImages(TImageList* value) {
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    if (images_) images_->FreeNotification(this);
    MenuChanged();
}

void TMenu::SetAutoHotkeys(TMenuAutoFlag value) {
    if (value == autoHotkeys_) return;
    autoHotkeys_ = value;
    MenuChanged();
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        MenuChanged();
    }
}

void TMenu::Loaded() {
    TComponent::Loaded();
    MenuChanged();
}

void TMenu::MenuChanged() {
    dirty_ = true;
}

TMenuItem* TMenu::FindItem(UINT command) const {
    TMenuItem* item = TMenuItem::FindByCommand(command);
    return item && item->GetParentMenu() == this ? item : nullptr;
}

void TMenu::Rebuild() {
    win::MenuHandle old = std::move(handle_);
    handle_.Reset(CreateMenuHandle());
    dirty_ = false;
    if (handle_) fill(handle_.Get(), items_.get());
    items_->handle_ = handle_.Get();
}

std::string TMenu::itemText(const TMenuItem* item, std::vector<char>& usedKeys) const {
    std::string text = item->caption_;
    if (autoHotkeys_ == maAutomatic && !item->IsLine()) {
        if (size_t amp = text.find('&'); amp != std::string::npos && amp + 1 < text.size()) {
            usedKeys.push_back(char(std::toupper(static_cast<unsigned char>(text[amp + 1]))));
        } else {
            // The first letter or digit no sibling uses yet becomes the accelerator.
            for (size_t i = 0; i < text.size(); ++i) {
                unsigned char c = static_cast<unsigned char>(text[i]);
                if (c >= 0x80) {
                    ++i; // the second byte of a double-byte character is never a key
                    continue;
                }
                char key = char(std::toupper(c));
                if (std::isalnum(c) && std::find(usedKeys.begin(), usedKeys.end(), key) == usedKeys.end()) {
                    usedKeys.push_back(key);
                    text.insert(i, "&");
                    break;
                }
            }
        }
    }
    if (item->shortCut_) text += "\t" + ShortCutToText(item->shortCut_);
    return text;
}

void TMenu::fill(HMENU menu, TMenuItem* parent) {
    std::vector<char> usedKeys;
    UINT position = 0;
    for (TMenuItem* item : parent->items_) {
        item->handle_ = nullptr;
        if (!item->visible_) continue;
        std::string text = itemText(item, usedKeys);
        MENUITEMINFOA mii{};
        mii.cbSize = sizeof mii;
        mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        if (ownerDraw_) {
            // Owner-drawn items carry no text: the item object draws it.
            mii.fType = MFT_OWNERDRAW | (item->IsLine() ? MFT_SEPARATOR : 0);
        } else if (item->IsLine()) {
            mii.fType = MFT_SEPARATOR;
        } else {
            mii.fMask |= MIIM_STRING;
            mii.fType = MFT_STRING;
            mii.dwTypeData = text.data();
        }
        if (!item->enabled_) mii.fState |= MFS_GRAYED;
        if (item->checked_) mii.fState |= MFS_CHECKED;
        if (item->default_) mii.fState |= MFS_DEFAULT;
        mii.wID = item->command_;
        mii.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        if (!item->items_.empty()) {
            item->handle_ = CreatePopupMenu();
            fill(item->handle_, item);
            mii.hSubMenu = item->handle_;
        }
        InsertMenuItemA(menu, position++, TRUE, &mii);
    }
}

// ---- TMainMenu ----

const TClassInfo& TMainMenu::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TMainMenu>("TMainMenu", &TMenu::StaticClass()).Creatable().Build();
    return info;
}

TMainMenu::~TMainMenu() {
    if (window_) window_->SetMenu(nullptr);
}

void TMainMenu::MenuChanged() {
    TMenu::MenuChanged();
    if (IsLoading() || IsDestroying() || !window_ || !window_->HandleAllocated()) return;
    Rebuild();
    window_->Perform(TKN_MENUCHANGED);
}

// ---- TPopupMenu ----

const TClassInfo& TPopupMenu::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TPopupMenu>("TPopupMenu", &TMenu::StaticClass())
            .Creatable()
            .Enum("Alignment", PopupAlignmentInfo(), &TPopupMenu::Alignment, &TPopupMenu::SetAlignment,
                  paLeft)
            .Bool("AutoPopup", &TPopupMenu::AutoPopup, &TPopupMenu::SetAutoPopup, true)
            .Event("OnPopup", &TPopupMenu::OnPopup)
            .Build();
    return info;
}

void TPopupMenu::Popup(int x, int y) {
    if (OnPopup) OnPopup(this);
    UINT flags = TPM_RIGHTBUTTON | (alignment_ == paRight    ? TPM_RIGHTALIGN
                                    : alignment_ == paCenter ? TPM_CENTERALIGN
                                                             : TPM_LEFTALIGN);
    HWND window = Application->Handle();
    TrackPopupMenu(Handle(), flags, x, y, 0, window, nullptr);
    // Lets a menu opened from the tray close properly when the user clicks elsewhere.
    PostMessageA(window, WM_NULL, 0, 0);
}

// ---- dispatch ----

namespace {

TMenuItem* itemOf(UINT command, ULONG_PTR data) {
    if (TMenuItem* item = TMenuItem::FindByCommand(command)) return item;
    // Items that open a sub-menu may report no identifier; their data is the item.
    for (const auto& [_, item] : commands())
        if (reinterpret_cast<ULONG_PTR>(item) == data) return item;
    return nullptr;
}

} // namespace

bool DispatchMenuCommand(UINT command) {
    TMenuItem* item = TMenuItem::FindByCommand(command);
    if (!item) return false;
    item->Click();
    return true;
}

bool DispatchMenuMeasure(MEASUREITEMSTRUCT& measure) {
    TMenuItem* item = itemOf(measure.itemID, measure.itemData);
    if (!item) return false;
    win::WindowDC dc = win::WindowDC::Screen();
    TCanvas canvas;
    canvas.SetHandle(dc.Get());
    canvas.Font().SetFromHandle(MenuFont());
    int width = int(measure.itemWidth), height = int(measure.itemHeight);
    item->MeasureItem(canvas, width, height);
    canvas.SetHandle(nullptr);
    measure.itemWidth = UINT(std::max(width, 0));
    measure.itemHeight = UINT(std::max(height, 0));
    return true;
}

bool DispatchMenuDraw(const DRAWITEMSTRUCT& draw) {
    TMenuItem* item = itemOf(draw.itemID, draw.itemData);
    if (!item) return false;
    TCanvas canvas;
    canvas.SetHandle(draw.hDC);
    canvas.Font().SetFromHandle(MenuFont());
    item->DrawItem(canvas, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
    canvas.SetHandle(nullptr);
    return true;
}
