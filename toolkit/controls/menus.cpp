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

// Measuring and drawing use the screen's menu font; default items its bold variant.
win::FontHandle& menuFontHandle() {
    static win::FontHandle font;
    return font;
}

HFONT boldMenuFont() {
    static win::FontHandle font;
    if (!font) {
        LOGFONTA lf{};
        GetObjectA(MenuFont(), sizeof lf, &lf);
        lf.lfWeight = FW_BOLD;
        font.Reset(CreateFontIndirectA(&lf));
    }
    return font ? font.Get() : MenuFont();
}

// The item an HMENU entry stands for: by its identifier, or by the item pointer it carries (items
// that open a sub-menu may report no identifier). Null for entries of others: the MDI client's
// window list, a maximised child's buttons.
TMenuItem* knownItem(UINT command, ULONG_PTR data) {
    if (TMenuItem* item = TMenuItem::FindByCommand(command)) return item;
    for (const auto& [_, item] : commands())
        if (reinterpret_cast<ULONG_PTR>(item) == data) return item;
    return nullptr;
}

TMenuItem* entryItem(HMENU menu, int position) {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_ID | MIIM_DATA;
    if (!GetMenuItemInfoA(menu, UINT(position), TRUE, &mii)) return nullptr;
    return knownItem(mii.wID, mii.dwItemData);
}

int positionOf(HMENU menu, const TMenuItem* item) {
    const int n = GetMenuItemCount(menu);
    for (int i = 0; i < n; ++i)
        if (entryItem(menu, i) == item) return i;
    return -1;
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

const TEnumInfo& BiDiModeInfo() {
    static const TEnumInfo info{"TBiDiMode", {"bdLeftToRight", "bdRightToLeft"}};
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
            .Bool("RadioItem", &TMenuItem::RadioItem, &TMenuItem::SetRadioItem, false)
            .Int("GroupIndex", &TMenuItem::GroupIndex, &TMenuItem::SetGroupIndex, 0)
            .Bool("AutoCheck", &TMenuItem::AutoCheck, &TMenuItem::SetAutoCheck, false)
            .Obj("Action", &TMenuItem::Action, &TMenuItem::SetAction)
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
    if (action_) action_->RemoveClient(this);
    while (!items_.empty())
        delete items_.back();
    if (parent_) parent_->Remove(this);
    commands().erase(command_);
}

TMenuItem* TMenuItem::FindByCommand(UINT command) {
    auto it = commands().find(command);
    return it == commands().end() ? nullptr : it->second;
}

TMenuItem* TMenuItem::FindByHandle(HMENU handle) {
    if (!handle) return nullptr;
    for (const auto& [_, item] : commands())
        if (item->handle_ == handle) return item;
    return nullptr;
}

void TMenuItem::changed() {
    if (TMenu* menu = GetParentMenu(); menu && !menu->IsDestroying()) menu->propertyChanged(this);
}

void TMenuItem::structureChanged() {
    if (TMenu* menu = GetParentMenu(); menu && !menu->IsDestroying()) menu->structureChanged(this);
}

void TMenuItem::forgetHandles() {
    handle_ = nullptr;
    for (TMenuItem* item : items_)
        item->forgetHandles();
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
    if (checked_ && radioItem_) turnSiblingsOff();
    changed();
}
void TMenuItem::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    if (parent_) parent_->structureChanged();
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
void TMenuItem::SetRadioItem(bool value) {
    if (value == radioItem_) return;
    radioItem_ = value;
    if (checked_ && radioItem_) turnSiblingsOff();
    changed();
}
void TMenuItem::SetGroupIndex(int value) {
    if (value == groupIndex_) return;
    groupIndex_ = value;
    if (checked_ && radioItem_) turnSiblingsOff();
}

void TMenuItem::turnSiblingsOff() {
    if (!parent_) return;
    for (TMenuItem* sibling : parent_->items_)
        if (sibling != this && sibling->radioItem_ && sibling->groupIndex_ == groupIndex_)
            sibling->SetChecked(false);
}

void TMenuItem::SetAction(TAction* value) {
    if (value == action_) return;
    if (action_) {
        action_->RemoveClient(this);
        action_->RemoveFreeNotification(this);
    }
    action_ = value;
    if (action_) {
        action_->FreeNotification(this);
        action_->AddClient(this);
        ActionChanged(*action_);
    }
}

void TMenuItem::ActionChanged(const TAction& action) {
    SetCaption(action.Caption());
    SetEnabled(action.Enabled());
    SetChecked(action.Checked());
    SetVisible(action.Visible());
    SetImageIndex(action.ImageIndex());
    SetShortCut(TShortCut(action.ShortCut()));
    SetHint(action.Hint());
}

void TMenuItem::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == action_) action_ = nullptr;
}

bool TMenuItem::UpdateAction() {
    return action_ && action_->Update();
}

void TMenuItem::InitiateActions() {
    for (TMenuItem* item : std::vector<TMenuItem*>(items_))
        item->UpdateAction();
}

bool TMenuItem::IsRightToLeft() const {
    TMenu* menu = GetParentMenu();
    return menu && menu->IsRightToLeft();
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
    structureChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
    auto it = std::find(items_.begin(), items_.end(), item);
    if (it == items_.end()) return;
    items_.erase(it);
    item->parent_ = nullptr;
    if (!IsDestroying()) structureChanged();
    item->forgetHandles();
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
    if (TMenu* menu = GetParentMenu()) menu->Handle(); // makes the HMENU on first use
    return handle_;
}

void TMenuItem::Click() {
    if (!enabled_) return;
    if (autoCheck_) SetChecked(radioItem_ || !checked_);
    if (OnClick)
        OnClick(this);
    else if (action_)
        action_->Execute();
}

bool TMenuItem::OwnerDrawnEntry() const {
    TMenu* menu = GetParentMenu();
    if (!parent_ || !parent_->handle_) return menu && menu->OwnerDraw();
    // The entry itself says: a skinner may have switched entries to owner drawing by handle.
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE;
    const int position = positionOf(parent_->handle_, this);
    if (position < 0 || !GetMenuItemInfoA(parent_->handle_, UINT(position), TRUE, &mii))
        return menu && menu->OwnerDraw();
    return (mii.fType & MFT_OWNERDRAW) != 0;
}

void TMenuItem::MeasureItem(TCanvas& canvas, int& width, int& height) {
    TMenu* menu = GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    if (IsLine()) {
        width = 0;
        height = GetSystemMetrics(SM_CYMENU) / 2;
    } else {
        // A default item is drawn bold, so it is measured bold; the caller's canvas stays as it was.
        const TFontStyles style = canvas.Font().Style();
        if (default_) canvas.Font().SetStyle(style | FontStyleBit(fsBold));
        std::string text = stripAccel(caption_);
        SIZE size = canvas.TextExtent(text.empty() ? " " : text);
        width = size.cx + 8;
        if (shortCut_) width += canvas.TextWidth(ShortCutToText(shortCut_)) + 16;
        canvas.Font().SetStyle(style);
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
    const bool rtl = IsRightToLeft();
    const int glyph = images ? images->Width() : GetSystemMetrics(SM_CXMENUCHECK);
    // The glyph column sits at the reading start: the left, or the right of a right-to-left menu.
    RECT box{rect.left + 2, rect.top, rect.left + 2 + glyph, rect.bottom};
    if (rtl) box = {rect.right - 2 - glyph, rect.top, rect.right - 2, rect.bottom};
    if (images && imageIndex_ >= 0 && imageIndex_ < images->Count()) {
        if (checked_) DrawEdge(dc, &box, BDR_SUNKENOUTER, BF_RECT);
        images->Draw(dc, box.left, rect.top + (rect.bottom - rect.top - images->Height()) / 2, imageIndex_,
                     enabled_);
    } else if (checked_) {
        box.top += (rect.bottom - rect.top - glyph) / 2;
        box.bottom = box.top + glyph;
        DrawFrameControl(dc, &box, DFC_MENU, radioItem_ ? DFCS_MENUBULLET : DFCS_MENUCHECK);
    }
    SelectObject(dc, default_ ? boldMenuFont() : MenuFont());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled_ ? COLOR_GRAYTEXT : hot ? COLOR_HIGHLIGHTTEXT : COLOR_MENUTEXT));
    RECT text{rect.left + glyph + 8, rect.top, rect.right - 8, rect.bottom};
    if (rtl) text = {rect.left + 8, rect.top, rect.right - glyph - 8, rect.bottom};
    const UINT align = rtl ? DT_RIGHT | DT_RTLREADING : DT_LEFT;
    DrawTextA(dc, caption_.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS | align);
    if (shortCut_) {
        std::string sc = ShortCutToText(shortCut_);
        DrawTextA(dc, sc.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | (rtl ? DT_LEFT : DT_RIGHT));
    }
}

// ---- TMenu ----

const TClassInfo& TMenu::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TMenu>("TMenu", &TComponent::StaticClass())
            .Bool("OwnerDraw", &TMenu::OwnerDraw, &TMenu::SetOwnerDraw, false)
            .Obj("Images", &TMenu::Images, &TMenu::SetImages)
            .Enum("AutoHotkeys", MenuAutoFlagInfo(), &TMenu::AutoHotkeys, &TMenu::SetAutoHotkeys, maAutomatic)
            .Enum("BiDiMode", BiDiModeInfo(), &TMenu::BiDiMode, &TMenu::SetBiDiMode, bdLeftToRight)
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
    if (!handle_) {
        handle_.Reset(CreateMenuHandle());
        items_->handle_ = handle_.Get();
        if (handle_) insertItems(handle_.Get(), items_.get(), 0);
    }
    return handle_.Get();
}

void TMenu::SetOwnerDraw(bool value) {
    if (value == ownerDraw_) return;
    ownerDraw_ = value;
    structureChanged(items_.get());
}

void TMenu::SetImages(TImageList* value) {
    if (value == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    if (images_) images_->FreeNotification(this);
    structureChanged(items_.get());
}

void TMenu::SetAutoHotkeys(TMenuAutoFlag value) {
    if (value == autoHotkeys_) return;
    autoHotkeys_ = value;
    structureChanged(items_.get());
}

void TMenu::SetBiDiMode(TBiDiMode value) {
    if (value == biDiMode_) return;
    biDiMode_ = value;
    structureChanged(items_.get());
}

void TMenu::Notification(TComponent* component, TOperation operation) {
    TComponent::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) {
        images_ = nullptr;
        structureChanged(items_.get());
    }
}

void TMenu::Loaded() {
    TComponent::Loaded();
    MenuChanged();
}

TMenuItem* TMenu::FindItem(UINT command) const {
    TMenuItem* item = TMenuItem::FindByCommand(command);
    return item && item->GetParentMenu() == this ? item : nullptr;
}

TMenuItem* TMenu::FindItemByHandle(HMENU handle) const {
    TMenuItem* item = TMenuItem::FindByHandle(handle);
    return item && item->GetParentMenu() == this ? item : nullptr;
}

namespace {

TMenuItem* findShortCut(const TMenuItem* level, TShortCut shortCut) {
    for (TMenuItem* item : level->Items()) {
        if (!item->Visible()) continue;
        if (item->ShortCut() == shortCut) return item;
        if (TMenuItem* found = findShortCut(item, shortCut)) return found;
    }
    return nullptr;
}

} // namespace

bool TMenu::IsShortCut(TShortCut shortCut) {
    TMenuItem* item = shortCut == scNone ? nullptr : findShortCut(items_.get(), shortCut);
    if (!item) return false;
    item->UpdateAction();
    if (!item->Enabled() || !item->Visible()) return false;
    item->Click();
    return true;
}

void TMenu::propertyChanged(TMenuItem* item) {
    TMenuItem* level = item->parent_;
    if (!handle_ || !level || !level->handle_) return; // the first build reads everything
    syncLevel(level);
    if (level == items_.get()) MenuChanged();
}

void TMenu::structureChanged(TMenuItem* level) {
    if (!handle_) return;
    // A level that gains its first sub-item, loses its last or is not shown gets (or loses) its
    // sub-menu through the level above.
    while (level->parent_ && (!level->handle_ || level->items_.empty()))
        level = level->parent_;
    refillLevel(level);
    MenuChanged();
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

MENUITEMINFOA TMenu::entryInfo(const TMenuItem* item, std::string& text) const {
    MENUITEMINFOA mii{};
    mii.cbSize = sizeof mii;
    mii.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_BITMAP;
    if (ownerDraw_) {
        // Owner-drawn items carry no text: the item object draws it.
        mii.fType = MFT_OWNERDRAW | (item->IsLine() ? MFT_SEPARATOR : 0);
    } else if (item->IsLine()) {
        mii.fType = MFT_SEPARATOR;
    } else {
        mii.fMask |= MIIM_STRING;
        mii.fType = MFT_STRING;
        mii.dwTypeData = text.data();
        // The system draws the text; the image beside it comes back to the item as a callback.
        if (images_ && item->imageIndex_ >= 0) mii.hbmpItem = HBMMENU_CALLBACK;
    }
    if (item->radioItem_) mii.fType |= MFT_RADIOCHECK;
    if (IsRightToLeft()) mii.fType |= MFT_RIGHTORDER | MFT_RIGHTJUSTIFY;
    if (!item->enabled_) mii.fState |= MFS_GRAYED;
    if (item->checked_) mii.fState |= MFS_CHECKED;
    if (item->default_) mii.fState |= MFS_DEFAULT;
    return mii;
}

void TMenu::insertItems(HMENU menu, TMenuItem* parent, UINT position) {
    std::vector<char> usedKeys;
    for (TMenuItem* item : parent->items_) {
        item->forgetHandles();
        if (!item->visible_) continue;
        std::string text = itemText(item, usedKeys);
        MENUITEMINFOA mii = entryInfo(item, text);
        mii.fMask |= MIIM_ID | MIIM_DATA | MIIM_SUBMENU;
        mii.wID = item->command_;
        mii.dwItemData = reinterpret_cast<ULONG_PTR>(item);
        if (!item->items_.empty()) {
            item->handle_ = CreatePopupMenu();
            insertItems(item->handle_, item, 0);
            mii.hSubMenu = item->handle_;
        }
        InsertMenuItemA(menu, position++, TRUE, &mii);
    }
}

void TMenu::syncLevel(TMenuItem* level) {
    std::vector<char> usedKeys;
    for (TMenuItem* item : level->items_) {
        if (!item->visible_) continue;
        std::string text = itemText(item, usedKeys);
        const int position = positionOf(level->handle_, item);
        if (position < 0) continue;
        MENUITEMINFOA now{};
        now.cbSize = sizeof now;
        now.fMask = MIIM_FTYPE;
        GetMenuItemInfoA(level->handle_, UINT(position), TRUE, &now);
        MENUITEMINFOA mii = entryInfo(item, text);
        // An entry a skinner switched to owner drawing stays so.
        if (now.fType & MFT_OWNERDRAW) {
            mii.fType = (mii.fType & ~UINT(MFT_SEPARATOR)) | MFT_OWNERDRAW | (now.fType & MFT_SEPARATOR);
            mii.fMask &= ~UINT(MIIM_STRING);
        }
        SetMenuItemInfoA(level->handle_, UINT(position), TRUE, &mii);
    }
}

void TMenu::refillLevel(TMenuItem* level) {
    HMENU menu = level->handle_;
    // Entries of others (the MDI client's window list, a maximised child's buttons) stay where
    // they are; ours go, with their sub-menus, and come back where the first of them was.
    int first = -1;
    for (int position = GetMenuItemCount(menu) - 1; position >= 0; --position) {
        if (!entryItem(menu, position)) continue;
        DeleteMenu(menu, UINT(position), MF_BYPOSITION);
        first = position;
    }
    insertItems(menu, level, first < 0 ? 0 : UINT(first));
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
    if (IsLoading() || IsDestroying() || !window_ || !window_->HandleAllocated()) return;
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
    // Under TPM_LAYOUTRTL the system mirrors the alignment too: a right-to-left menu aligned
    // "left" opens leftwards from the point, its reading start.
    UINT flags = TPM_RIGHTBUTTON | (alignment_ == paRight    ? TPM_RIGHTALIGN
                                    : alignment_ == paCenter ? TPM_CENTERALIGN
                                                             : TPM_LEFTALIGN);
    if (IsRightToLeft()) flags |= TPM_LAYOUTRTL;
    HWND window = Application->Handle();
    TrackPopupMenu(Handle(), flags, x, y, 0, window, nullptr);
    // Lets a menu opened from the tray close properly when the user clicks elsewhere.
    PostMessageA(window, WM_NULL, 0, 0);
}

// ---- dispatch ----

namespace {

// An entry whose item is not owner-drawn asks only for its image (a callback bitmap).
void measureImage(const TMenuItem& item, MEASUREITEMSTRUCT& measure) {
    TMenu* menu = item.GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    measure.itemWidth = images ? UINT(images->Width()) : 0;
    measure.itemHeight = images ? UINT(images->Height()) : 0;
}

void drawImage(const TMenuItem& item, const DRAWITEMSTRUCT& draw) {
    TMenu* menu = item.GetParentMenu();
    TImageList* images = menu ? menu->Images() : nullptr;
    if (!images || item.ImageIndex() < 0 || item.ImageIndex() >= images->Count()) return;
    const RECT& r = draw.rcItem;
    images->Draw(draw.hDC, r.left + std::max(0L, (r.right - r.left - images->Width()) / 2),
                 r.top + (r.bottom - r.top - images->Height()) / 2, item.ImageIndex(), item.Enabled());
}

} // namespace

bool DispatchMenuCommand(UINT command) {
    TMenuItem* item = TMenuItem::FindByCommand(command);
    if (!item) return false;
    // An item with a sub-menu is clicked when that opens (DispatchMenuPopup), not by a command
    // someone posts for it (a skinned menu bar does): once is enough.
    if (item->Count() == 0) item->Click();
    return true;
}

bool DispatchMenuMeasure(MEASUREITEMSTRUCT& measure) {
    TMenuItem* item = knownItem(measure.itemID, measure.itemData);
    if (!item) return false;
    if (!item->OwnerDrawnEntry()) {
        measureImage(*item, measure);
        return true;
    }
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
    TMenuItem* item = knownItem(draw.itemID, draw.itemData);
    if (!item) return false;
    if (!item->OwnerDrawnEntry()) {
        drawImage(*item, draw);
        return true;
    }
    TCanvas canvas;
    canvas.SetHandle(draw.hDC);
    canvas.Font().SetFromHandle(MenuFont());
    item->DrawItem(canvas, draw.rcItem, (draw.itemState & ODS_SELECTED) != 0);
    canvas.SetHandle(nullptr);
    return true;
}

void DispatchMenuPopup(HMENU menu) {
    TMenuItem* item = TMenuItem::FindByHandle(menu);
    if (!item) return;
    // A program fills a sub-menu in its item's OnClick (a list of recent files): it runs before
    // the sub-menu shows, and may replace every entry of it.
    if (item->Parent()) item->Click();
    if (TMenuItem::FindByHandle(menu) == item) item->InitiateActions();
}
