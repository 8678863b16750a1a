// TCustomTabControl, TTabControl, TPageControl and TTabSheet.
#include "toolkit/controls/tab_ctrls.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/image_list.h"

namespace {

void needTabClass() {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
}

// A property an ancestor publishes, published again as not stored: the owner sets it.
TPropInfo notStored(const TClassInfo& ancestor, const char* name) {
    TPropInfo p = *ancestor.FindProp(name);
    p.stored = false;
    return p;
}

bool holdsFocus(TWinControl* control) {
    if (!control->HandleAllocated()) return false;
    HWND focus = GetFocus(), h = control->Handle();
    return focus && (focus == h || IsChild(h, focus));
}

} // namespace

const TEnumInfo& TabPositionInfo() {
    static const TEnumInfo info{"TTabPosition", {"tpTop", "tpBottom", "tpLeft", "tpRight"}};
    return info;
}
const TEnumInfo& TabStyleInfo() {
    static const TEnumInfo info{"TTabStyle", {"tsTabs", "tsButtons", "tsFlatButtons"}};
    return info;
}

// ---- TCustomTabControl ----

const TClassInfo& TCustomTabControl::StaticClass() {
    using C = TCustomTabControl;
    static const TClassInfo& info =
        TClassBuilder<C>("TCustomTabControl", &TWinControl::StaticClass())
            .Enum("TabPosition", TabPositionInfo(), &C::TabPosition, &C::SetTabPosition, tpTop)
            .Enum("Style", TabStyleInfo(), &C::Style, &C::SetStyle, tsTabs)
            .Bool("MultiLine", &C::MultiLine, &C::SetMultiLine, false)
            .Obj("Images", &C::Images, &C::SetImages)
            .Bool("TabStop", &C::TabStop, &C::SetTabStop, true)
            .Event("OnChange", &C::OnChange)
            .Event("OnChanging", &C::OnChanging)
            .Build();
    return info;
}

TCustomTabControl::TCustomTabControl(TComponent* AOwner) : TWinControl(AOwner) {
    width_ = 289;
    height_ = 193;
    SetTabStop(true);
}

void TCustomTabControl::CreateParams(TCreateParams& p) {
    TWinControl::CreateParams(p);
    needTabClass();
    p.SysClassName = WC_TABCONTROLA;
    switch (tabPosition_) {
    case tpTop: break;
    case tpBottom: p.Style |= TCS_BOTTOM; break;
    case tpLeft: p.Style |= TCS_VERTICAL | TCS_MULTILINE; break;
    case tpRight: p.Style |= TCS_VERTICAL | TCS_RIGHT | TCS_MULTILINE; break;
    }
    if (multiLine_) p.Style |= TCS_MULTILINE;
    if (style_ != tsTabs) p.Style |= TCS_BUTTONS;
    if (style_ == tsFlatButtons) p.Style |= TCS_FLATBUTTONS;
}

void TCustomTabControl::InitializeWnd() {
    TWinControl::InitializeWnd();
    SendMessageA(Handle(), TCM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    UpdateTabs();
}

void TCustomTabControl::SetTabPosition(TTabPosition value) {
    if (value == tabPosition_) return;
    tabPosition_ = value;
    RecreateWnd();
}

void TCustomTabControl::SetStyle(TTabStyle value) {
    if (value == style_) return;
    style_ = value;
    RecreateWnd();
}

void TCustomTabControl::SetMultiLine(bool value) {
    if (value == multiLine_) return;
    multiLine_ = value;
    RecreateWnd();
}

void TCustomTabControl::SetImages(TImageList* value) {
    if (value == images_) return;
    if (images_) images_->RemoveFreeNotification(this);
    images_ = value;
    if (images_) images_->FreeNotification(this);
    if (!HandleAllocated()) return;
    SendMessageA(Handle(), TCM_SETIMAGELIST, 0,
                 reinterpret_cast<LPARAM>(images_ ? images_->Handle() : nullptr));
    UpdateTabs(); // the tabs' sizes follow the images'
}

void TCustomTabControl::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == TOperation::opRemove && component == images_) SetImages(nullptr);
}

RECT TCustomTabControl::DisplayRect() {
    RECT r = ClientRect();
    if (HandleAllocated()) SendMessageA(Handle(), TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&r));
    return r;
}

int TCustomTabControl::IndexOfTabAt(int x, int y) {
    TCHITTESTINFO hit{{x, y}, 0};
    return int(SendMessageA(Handle(), TCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit)));
}

void TCustomTabControl::UpdateTabs() {
    if (!HandleAllocated() || IsLoading()) return;
    HWND h = Handle();
    SendMessageA(h, TCM_DELETEALLITEMS, 0, 0);
    for (int i = 0; i < TabCount(); ++i) {
        std::string text = TabText(i);
        TCITEMA item{};
        item.mask = TCIF_TEXT | TCIF_IMAGE;
        item.pszText = text.data();
        item.iImage = TabImage(i);
        SendMessageA(h, TCM_INSERTITEMA, WPARAM(i), reinterpret_cast<LPARAM>(&item));
    }
    SendMessageA(h, TCM_SETCURSEL, WPARAM(SelectedTab()), 0);
    DisplayChanged();
}

bool TCustomTabControl::CanChange() {
    bool allow = true;
    if (OnChanging) OnChanging(this, allow);
    return allow;
}

void TCustomTabControl::FontChanged(TMessage& m) {
    TWinControl::FontChanged(m);
    DisplayChanged();
}

void TCustomTabControl::paint(TMessage& m) {
    // The window draws its tabs; the windowless children go over them, as on any container.
    if (HDC dc = reinterpret_cast<HDC>(m.WParam)) {
        RECT clip{};
        GetClipBox(dc, &clip);
        DefaultHandler(m);
        PaintControls(dc, clip);
        return;
    }
    win::PaintDC dc(Handle());
    if (!dc.Get()) return;
    TMessage inner{WM_PAINT, reinterpret_cast<WPARAM>(dc.Get()), 0, 0};
    DefaultHandler(inner);
    PaintControls(dc.Get(), dc.PaintRect());
}

void TCustomTabControl::WndProc(TMessage& m) {
    switch (m.Msg) {
    case CN_NOTIFY: {
        const auto* nm = reinterpret_cast<const NMHDR*>(m.LParam);
        if (nm->code == UINT(TCN_SELCHANGING)) {
            m.Result = CanChange() ? FALSE : TRUE;
            return;
        }
        if (nm->code == UINT(TCN_SELCHANGE)) {
            m.Result = 0;
            TabSelected(int(SendMessageA(Handle(), TCM_GETCURSEL, 0, 0)));
            if (OnChange) OnChange(this);
            return;
        }
        break;
    }
    case WM_PAINT: paint(m); return;
    case WM_SIZE:
        TWinControl::WndProc(m);
        DisplayChanged();
        return;
    default: break;
    }
    TWinControl::WndProc(m);
}

// ---- TTabControl ----

const TClassInfo& TTabControl::StaticClass() {
    using T = TTabControl;
    static const TClassInfo& info = TClassBuilder<T>("TTabControl", &TCustomTabControl::StaticClass())
                                        .Creatable()
                                        .Obj("Tabs", &T::Tabs, &T::SetTabs, true)
                                        .Int("TabIndex", &T::TabIndex, &T::SetTabIndex, -1)
                                        .Build();
    return info;
}

TTabControl::TTabControl(TComponent* AOwner) : TCustomTabControl(AOwner) {
    tabs_.OnChange = TNotifyEvent([this](TObject*) { tabsChanged(); });
}

void TTabControl::InitializeWnd() {
    TCustomTabControl::InitializeWnd();
    if (displayKnown_) return;
    display_ = DisplayRect();
    displayKnown_ = true;
}

void TTabControl::Loaded() {
    TCustomTabControl::Loaded();
    SetTabIndex(tabIndex_);
    UpdateTabs();
}

void TTabControl::SetTabIndex(int value) {
    // Tabs may come after TabIndex in a stored text: Loaded checks the range.
    if (IsLoading()) {
        tabIndex_ = value;
        return;
    }
    if (value < -1 || value >= tabs_.Count()) value = -1;
    tabIndex_ = value;
    if (HandleAllocated()) SendMessageA(Handle(), TCM_SETCURSEL, WPARAM(value), 0);
}

void TTabControl::tabsChanged() {
    if (IsLoading()) return;
    tabIndex_ = std::min(tabIndex_, tabs_.Count() - 1);
    UpdateTabs();
}

void TTabControl::TabSelected(int index) {
    tabIndex_ = index;
}

void TTabControl::DisplayChanged() {
    if (!HandleAllocated() || !displayKnown_) return;
    const RECT r = DisplayRect();
    const int dx = r.left - display_.left, dy = r.top - display_.top;
    if (dx || dy)
        for (TControl* c : std::vector<TControl*>(Controls()))
            c->SetBounds(c->Left() + dx, c->Top() + dy, c->Width(), c->Height());
    display_ = r;
}

// ---- TPageControl ----

const TClassInfo& TPageControl::StaticClass() {
    using P = TPageControl;
    static const TClassInfo& info = TClassBuilder<P>("TPageControl", &TCustomTabControl::StaticClass())
                                        .Creatable()
                                        .Obj("ActivePage", &P::ActivePage, &P::SetActivePage)
                                        .Event("OnCloseTab", &P::OnCloseTab)
                                        .Build();
    return info;
}

TPageControl::TPageControl(TComponent* AOwner) : TCustomTabControl(AOwner) {}

TPageControl::~TPageControl() {
    // The pages go with the window's children; by then this part of the object is gone.
    for (TTabSheet* page : pages_)
        page->pageControl_ = nullptr;
    pages_.clear();
    active_ = nullptr;
}

void TPageControl::Loaded() {
    TCustomTabControl::Loaded();
    if (active_ && active_->pageControl_ != this) active_ = nullptr;
    if (!active_) active_ = FindNextPage(nullptr, true);
    UpdateTabs();
    showActivePage();
}

int TPageControl::ActivePageIndex() const {
    auto it = std::find(pages_.begin(), pages_.end(), active_);
    return it == pages_.end() ? -1 : int(it - pages_.begin());
}

void TPageControl::SetActivePageIndex(int index) {
    SetActivePage(index >= 0 && index < PageCount() ? pages_[size_t(index)] : nullptr);
}

void TPageControl::SetActivePage(TTabSheet* page) {
    // A stored ActivePage is resolved before the pages are all in: Loaded checks it.
    if (IsLoading()) {
        active_ = page;
        return;
    }
    if (page == active_ || (page && page->pageControl_ != this)) return;
    active_ = page;
    showActivePage();
}

TTabSheet* TPageControl::FindNextPage(TTabSheet* current, bool goForward) const {
    const int n = PageCount();
    auto it = std::find(pages_.begin(), pages_.end(), current);
    const int at = it != pages_.end() ? int(it - pages_.begin()) : goForward ? -1 : n;
    for (int step = 1; step <= n; ++step) {
        const int i = ((at + (goForward ? step : -step)) % n + n) % n;
        if (pages_[size_t(i)]->tabVisible_) return pages_[size_t(i)];
    }
    return nullptr;
}

int TPageControl::TabCount() const {
    return int(
        std::count_if(pages_.begin(), pages_.end(), [](const TTabSheet* p) { return p->tabVisible_; }));
}

std::string TPageControl::TabText(int index) const {
    return PageOfTab(index)->Caption();
}

int TPageControl::TabImage(int index) const {
    return PageOfTab(index)->imageIndex_;
}

int TPageControl::SelectedTab() const {
    return tabIndexOf(active_);
}

int TPageControl::tabIndexOf(const TTabSheet* page) const {
    if (!page || !page->tabVisible_) return -1;
    int index = 0;
    for (const TTabSheet* p : pages_) {
        if (p == page) return index;
        if (p->tabVisible_) ++index;
    }
    return -1;
}

TTabSheet* TPageControl::PageOfTab(int index) const {
    for (TTabSheet* p : pages_)
        if (p->tabVisible_ && index-- == 0) return p;
    return nullptr;
}

bool TPageControl::CanCloseTab(int index) {
    bool allow = true;
    if (OnCloseTab) OnCloseTab(this, index, allow);
    return allow;
}

void TPageControl::TabSelected(int index) {
    if (TTabSheet* page = PageOfTab(index)) {
        active_ = page;
        showActivePage();
    }
}

void TPageControl::showActivePage() {
    if (IsLoading()) return;
    bool focusInside = false;
    if (active_) {
        const RECT r = DisplayRect();
        active_->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
        active_->SetVisible(true);
        active_->BringToFront();
    }
    for (TTabSheet* p : pages_)
        if (p != active_) {
            focusInside = focusInside || holdsFocus(p);
            p->SetVisible(false);
        }
    // A hidden page would keep the keys; the tabs take them instead.
    if (focusInside && HandleAllocated()) ::SetFocus(Handle());
    if (HandleAllocated()) SendMessageA(Handle(), TCM_SETCURSEL, WPARAM(SelectedTab()), 0);
}

void TPageControl::DisplayChanged() {
    if (!HandleAllocated()) return;
    const RECT r = DisplayRect();
    for (TTabSheet* p : pages_)
        p->SetBounds(r.left, r.top, r.right - r.left, r.bottom - r.top);
}

void TPageControl::insertPage(TTabSheet* page) {
    pages_.push_back(page);
    if (IsLoading()) return;
    if (!active_ && page->tabVisible_) active_ = page;
    UpdateTabs();
    showActivePage();
}

void TPageControl::removePage(TTabSheet* page) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    const auto at = it - pages_.begin();
    const bool hadFocus = holdsFocus(page);
    pages_.erase(it);
    if (active_ == page) {
        // The page that took its place, else the nearest one before it.
        active_ = nullptr;
        for (auto i = at; i < std::ssize(pages_) && !active_; ++i)
            if (pages_[size_t(i)]->tabVisible_) active_ = pages_[size_t(i)];
        for (auto i = at - 1; i >= 0 && !active_; --i)
            if (pages_[size_t(i)]->tabVisible_) active_ = pages_[size_t(i)];
    }
    UpdateTabs();
    showActivePage();
    if (hadFocus && HandleAllocated()) ::SetFocus(Handle());
}

void TPageControl::movePage(TTabSheet* page, int index) {
    auto it = std::find(pages_.begin(), pages_.end(), page);
    if (it == pages_.end()) return;
    pages_.erase(it);
    index = std::clamp(index, 0, PageCount());
    pages_.insert(pages_.begin() + index, page);
    UpdateTabs();
}

void TPageControl::pageChanged(TTabSheet* page) {
    if (IsLoading()) return;
    if (page == active_ && !page->tabVisible_) active_ = FindNextPage(page, true);
    if (!active_ && page->tabVisible_) active_ = page;
    UpdateTabs();
    showActivePage();
}

// ---- TTabSheet ----

const TClassInfo& TTabSheet::StaticClass() {
    using S = TTabSheet;
    const TClassInfo& control = TControl::StaticClass();
    static const TClassInfo& info = TClassBuilder<S>("TTabSheet", &TWinControl::StaticClass())
                                        .Creatable()
                                        .Prop(notStored(control, "Left"))
                                        .Prop(notStored(control, "Top"))
                                        .Prop(notStored(control, "Width"))
                                        .Prop(notStored(control, "Height"))
                                        .Prop(notStored(control, "ClientWidth"))
                                        .Prop(notStored(control, "ClientHeight"))
                                        .Prop(notStored(control, "Visible"))
                                        .Bool("TabVisible", &S::TabVisible, &S::SetTabVisible, true)
                                        .Int("ImageIndex", &S::ImageIndex, &S::SetImageIndex, -1)
                                        .Build();
    return info;
}

TTabSheet::TTabSheet(TComponent* AOwner) : TWinControl(AOwner) {}

TTabSheet::~TTabSheet() {
    if (TPageControl* pc = std::exchange(pageControl_, nullptr)) pc->removePage(this);
}

void TTabSheet::SetParent(TWinControl* value) {
    if (value == Parent()) return;
    if (TPageControl* old = std::exchange(pageControl_, nullptr)) old->removePage(this);
    TWinControl::SetParent(value);
    if (auto* pc = dynamic_cast<TPageControl*>(value)) {
        pageControl_ = pc;
        pc->insertPage(this);
    }
}

int TTabSheet::PageIndex() const {
    if (!pageControl_) return -1;
    const auto& pages = pageControl_->pages_;
    return int(std::find(pages.begin(), pages.end(), this) - pages.begin());
}

void TTabSheet::SetPageIndex(int value) {
    if (pageControl_) pageControl_->movePage(this, value);
}

int TTabSheet::TabIndex() const {
    return pageControl_ ? pageControl_->tabIndexOf(this) : -1;
}

void TTabSheet::SetTabVisible(bool value) {
    if (value == tabVisible_) return;
    tabVisible_ = value;
    if (pageControl_) pageControl_->pageChanged(this);
}

void TTabSheet::SetImageIndex(int value) {
    if (value == imageIndex_) return;
    imageIndex_ = value;
    if (pageControl_) pageControl_->pageChanged(this);
}

void TTabSheet::TextChanged(TMessage& m) {
    TWinControl::TextChanged(m);
    if (pageControl_) pageControl_->pageChanged(this);
}
