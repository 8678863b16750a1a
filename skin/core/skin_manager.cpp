// The skin manager: hook, acceptance of windows, registries, delayed requests; and the
// process-wide services of its unit.
#include "skin/core/skin_manager.h"

#include <algorithm>
#include <cstdlib>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager_link.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/window_class.h"
#include "toolkit/graphics/bitmap.h"

TSkinManage* SkinManager = nullptr;

namespace {

// Set when the manager is gone: the hook procedure then only passes notifications on.
bool hooksDisabled = false;
HHOOK activeHook = nullptr;
constexpr char kTimerClass[] = "TSkinManageTimer";
constexpr UINT_PTR kRequestTimer = 1;

std::string classNameOf(HWND window) {
    char buf[100] = {};
    GetClassNameA(window, buf, sizeof buf);
    return buf;
}

bool contains(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

HWND ownerWindowOf(const TSkinData* skin) {
    auto* owner = dynamic_cast<TWinControl*>(skin->Owner());
    return owner && owner->HandleAllocated() ? owner->Handle() : nullptr;
}

void repaintWhole(HWND window) {
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
}

} // namespace

TSkinnerFactory& SkinnerFactory() {
    static TSkinnerFactory factory;
    return factory;
}

// The skin component reaches the manager through this link; filling it here ties the two units
// together, so a program that has skin components always has the manager.
TSkinManagerLink& SkinManagerLink() {
    static TSkinManagerLink link = [] {
        TSkinManagerLink l;
        l.HasManager = [] { return SkinManager != nullptr; };
        l.RegisterSkin = [](TSkinData* s) { EnsureSkinManager().RegisterSkinData(s); };
        l.UnregisterSkin = [](TSkinData* s) {
            if (SkinManager) SkinManager->UnregisterSkinData(s);
        };
        l.InstallHook = [] { EnsureSkinManager().InstallHook(); };
        l.Schedule = [](TSkinData* s, int request) {
            TSkinManage& m = EnsureSkinManager();
            m.RequestSkin = s;
            m.Schedule(request, 250);
        };
        l.SkinState = [] { return SkinManager ? SkinManager->SkinState : 0; };
        l.SetSkinState = [](int state) { EnsureSkinManager().SkinState = state; };
        l.StartSkin = [](TSkinData* s) {
            TSkinManage& m = EnsureSkinManager();
            m.Skinning = true;
            ++m.SkinState;
            if (s->Active() && dynamic_cast<TCustomForm*>(s->Owner()))
                if (HWND owner = ownerWindowOf(s)) m.SkinWindow(owner);
        };
        l.ReloadSkin = [](TSkinData* s) {
            if (!SkinManager) return;
            SkinManager->RequestSkin = s;
            SkinManager->ReloadSkin();
        };
        return l;
    }();
    return link;
}

TSkinManage& EnsureSkinManager() {
    if (!SkinManager) {
        SkinManager = new TSkinManage();
        static bool atExit = (std::atexit(FreeSkinManager), true);
        (void)atExit;
    }
    return *SkinManager;
}

void FreeSkinManager() {
    delete SkinManager;
    SkinManager = nullptr;
}

bool UseWideApi() {
    static const bool nt = (GetVersion() & 0x80000000u) == 0;
    return nt;
}

bool NotVista() {
    static const bool notVista = LOBYTE(LOWORD(GetVersion())) != 6;
    return notVista;
}

TBitmap& ScratchBitmap() {
    static TBitmap* scratch = [] {
        auto* b = new TBitmap(1, 1, pf24bit);
        SetStretchBltMode(b->Canvas().Handle(), HALFTONE);
        std::atexit([] { delete scratch; });
        return b;
    }();
    return *scratch;
}

TControl* FindToolkitControl(HWND window) {
    return window ? static_cast<TControl*>(static_cast<void*>(GetPropA(window, MAKEINTATOM(ControlAtom()))))
                  : nullptr;
}

TSkinManage::TSkinManage() {
    hooksDisabled = false;
    HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (!GetClassInfoA(inst, kTimerClass, &wc)) {
        wc.lpfnWndProc = TimerWindowProc;
        wc.hInstance = inst;
        wc.lpszClassName = kTimerClass;
        RegisterClassA(&wc);
    }
    timerWindow_ = CreateWindowExA(0, kTimerClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, inst, nullptr);
}

TSkinManage::~TSkinManage() {
    SkinState = 4;
    Skinning = false;
    timer_.Stop();
    if (timerWindow_) DestroyWindow(timerWindow_);
    while (!formSkinners_.empty()) {
        std::unique_ptr<TFormSkinner> last = std::move(formSkinners_.back());
        formSkinners_.pop_back();
        last->Detach();
    }
    while (!popupSkinners_.empty()) {
        std::unique_ptr<TPopupSkinner> last = std::move(popupSkinners_.back());
        popupSkinners_.pop_back();
        last->Detach();
    }
    hook_.Reset();
    activeHook = nullptr;
    hooksDisabled = true;
    if (SkinManager == this) SkinManager = nullptr;
}

LRESULT CALLBACK TSkinManage::TimerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_TIMER && wParam == kRequestTimer && SkinManager) {
        SkinManager->ExecuteRequest();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

void TSkinManage::RegisterSkinData(TSkinData* skin) {
    if (std::find(skinDatas_.begin(), skinDatas_.end(), skin) != skinDatas_.end()) return;
    skinDatas_.push_back(skin);
    if (!DefaultSkin && skin->SkinFormtype() == sfMainform) DefaultSkin = skin;
}

void TSkinManage::UnregisterSkinData(TSkinData* skin) {
    skinDatas_.erase(std::remove(skinDatas_.begin(), skinDatas_.end(), skin), skinDatas_.end());
    if (DefaultSkin == skin) DefaultSkin = nullptr;
    if (RequestSkin == skin) RequestSkin = nullptr;
    // A skinner must not outlive the skin it paints from: give those windows their own look back.
    for (size_t i = formSkinners_.size(); i-- > 0;)
        if (formSkinners_[i]->SkinData == skin) {
            std::unique_ptr<TFormSkinner> s = std::move(formSkinners_[i]);
            formSkinners_.erase(formSkinners_.begin() + long(i));
            if (s->State != fsDestroyed) s->Unskin();
        }
    for (size_t i = popupSkinners_.size(); i-- > 0;)
        if (popupSkinners_[i]->SkinData == skin) {
            std::unique_ptr<TPopupSkinner> s = std::move(popupSkinners_[i]);
            popupSkinners_.erase(popupSkinners_.begin() + long(i));
            s->Detach();
        }
}

void TSkinManage::InstallHook() {
    if (hook_) return;
    hook_.Reset(SetWindowsHookExA(WH_CBT, CbtProc, nullptr, GetCurrentThreadId()));
    activeHook = hook_.Get();
}

LRESULT CALLBACK TSkinManage::CbtProc(int code, WPARAM wParam, LPARAM lParam) {
    if (!hooksDisabled && SkinManager && code >= 0) SkinManager->hookNotification(code, wParam, lParam);
    return CallNextHookEx(activeHook, code, wParam, lParam);
}

void TSkinManage::hookNotification(int code, WPARAM wParam, LPARAM lParam) {
    const HWND window = HWND(wParam);
    switch (code) {
    case HCBT_CREATEWND: {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        const std::string cls = classNameOf(window);
        if (cls == "ScrollBar" && (cs->style & SBS_SIZEGRIP)) {
            if (TFormSkinner* parent = FindFormSkinner(cs->hwndParent)) parent->AttachWindow(window);
        } else if (!(cs->style & WS_CHILD) && cls == "#32768") {
            SkinPopupMenu(window);
        } else if (cs->dwExStyle & WS_EX_MDICHILD) {
            SkinWindow(window);
        }
        break;
    }
    case HCBT_DESTROYWND: RemovePopupSkinner(window); break;
    case HCBT_ACTIVATE:
        if (SkinState == 0) SkinState = 1;
        SkinWindow(window);
        break;
    default: break;
    }
}

TSkinData* TSkinManage::ChooseSkinData(HWND window, const std::string& className) const {
    TSkinData* chosen = nullptr;
    for (TSkinData* s : skinDatas_)
        if (s->SkinFormtype() == sfOnlyThisForm && ownerWindowOf(s) == window) chosen = s;
    if (chosen) return chosen;
    const std::string lower = LowerCase(className);
    if (lower == "tmessageform" || lower == "#32770")
        for (TSkinData* s : skinDatas_)
            if (s->SkinFormtype() == sfDialog) chosen = s;
    if (chosen) return chosen;
    for (TSkinData* s : skinDatas_)
        if (s->SkinFormtype() == sfMainform) chosen = s;
    if (chosen) return chosen;
    return skinDatas_.empty() ? nullptr : skinDatas_.front();
}

bool TSkinManage::AcceptWindow(HWND window, const std::string& className) const {
    if (!DefaultSkin) return true;
    const std::string lower = LowerCase(className);
    if (!InSet(DefaultSkin->Options(), xoPreview) && contains(lower, "preview")) return false;
    if (className == "#32770" && (GetWindowLongA(window, GWL_STYLE) & 0x200)) return false;
    if (lower == "tpopupdbtreeview") return false;
    bool accept = true;
    DefaultSkin->DoFormSkin(window, className, accept);
    return accept;
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!Skinning || !window) return false;
    PurgeFormSkinners();
    if (SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1 || FindFormSkinner(window)) return false;

    TComponent* object = nullptr;
    for (TCustomForm* f : Screen->Forms())
        if (f->HandleAllocated() && f->Handle() == window) object = f;
    if (!object) object = FindToolkitControl(window);

    const LONG style = GetWindowLongA(window, GWL_STYLE), exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    const std::string cls = classNameOf(window);
    if (!ForceSkin && (style & WS_CHILD) && !(exStyle & WS_EX_MDICHILD) &&
        LowerCase(classNameOf(GetParent(window))) != "mdiclient")
        return false;
    if (!object && HINSTANCE(GetWindowLongPtrA(window, GWLP_HINSTANCE)) != GetModuleHandleA(nullptr) &&
        cls != "#32770")
        return false;
    RECT r{};
    GetWindowRect(window, &r);
    if ((r.right - r.left) * (r.bottom - r.top) == 0 && !(exStyle & WS_EX_MDICHILD)) return false;
    // Forms tagged 99 keep their own look whatever the skin's DisableTag says.
    if (object && object->Tag() == 99) return false;
    if (contains(cls, "TcxPopupEditPopupWindow") || contains(cls, "TTERenderWindow") || cls == "TApplication")
        return false;
    if (!AcceptWindow(window, cls)) return false;
    TSkinData* skin = ChooseSkinData(window, cls);
    if (!skin || skin->SkinPending()) return false;

    auto& create = SkinnerFactory().CreateFormSkinner;
    if (!create) return false;
    std::unique_ptr<TFormSkinner> skinner = create(window, cls);
    if (!skinner) return false;
    if (object)
        skinner->SkinForm(skin, object);
    else
        skinner->SkinWindow(skin);
    formSkinners_.push_back(std::move(skinner));
    PostMessageA(window, SKM_SKINFORM, 0, 1000);
    return true;
}

void TSkinManage::SkinPopupMenu(HWND window) {
    if (!Skinning || SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1 || HasPopupSkinner(window)) return;
    TSkinData* skin = ChooseSkinData(window, "#32768");
    if (!skin || skin->SkinPending()) return;
    const TSkinControlTypes groups = skin->SkinControls();
    const bool wanted = MenuContext == mcPopup     ? InSet(groups, xcPopupMenu)
                        : MenuContext == mcMenuBar ? InSet(groups, xcMainMenu) || InSet(groups, xcMenuItem)
                                                   : InSet(groups, xcSystemMenu);
    if (!wanted) return;
    auto& create = SkinnerFactory().CreatePopupSkinner;
    if (!create) return;
    std::unique_ptr<TPopupSkinner> skinner = create(window, skin);
    if (!skinner) return;
    skinner->BelongsToMenuBar = MenuLoop;
    popupSkinners_.push_back(std::move(skinner));
}

bool TSkinManage::RemovePopupSkinner(HWND window) {
    auto it = std::find_if(popupSkinners_.begin(), popupSkinners_.end(),
                           [&](const auto& p) { return p->Handle == window; });
    if (it == popupSkinners_.end()) return false;
    std::unique_ptr<TPopupSkinner> skinner = std::move(*it);
    popupSkinners_.erase(it);
    skinner->Detach();
    if (popupSkinners_.empty()) {
        MenuLoop = false;
        MenuContext = mcPopup;
    }
    return true;
}

TFormSkinner* TSkinManage::FindFormSkinner(HWND window) const {
    if (!window) return nullptr;
    for (const auto& s : formSkinners_)
        if (s->Handle == window) return s.get();
    return nullptr;
}

void TSkinManage::UnregisterFormSkinner(HWND window) {
    if (SkinState == 4) return;
    auto it = std::find_if(formSkinners_.begin(), formSkinners_.end(),
                           [&](const auto& s) { return s->Handle == window; });
    // The caller is freeing the skinner itself: give up ownership without freeing it.
    if (it != formSkinners_.end()) {
        (void)it->release();
        formSkinners_.erase(it);
    }
}

bool TSkinManage::HasPopupSkinner(HWND window) const {
    return std::any_of(popupSkinners_.begin(), popupSkinners_.end(),
                       [&](const auto& p) { return p->Handle == window; });
}

void TSkinManage::MarkPopupsForMenuBar() {
    for (auto& p : popupSkinners_)
        p->BelongsToMenuBar = true;
}

void TSkinManage::AssignMenuToPopup(HMENU menu) {
    for (auto it = popupSkinners_.rbegin(); it != popupSkinners_.rend(); ++it)
        if (!(*it)->Menu) {
            (*it)->Menu = menu;
            return;
        }
}

TBitmap* TSkinManage::FindPopupBitmap(HMENU menu) const {
    for (const auto& p : popupSkinners_)
        if (p->Menu == menu) return p->Background();
    return nullptr;
}

void TSkinManage::SetMdiMaximized(bool maximized) {
    if (maximized == MdiMaximized) return;
    MdiMaximized = maximized;
    if (DefaultSkin && InSet(DefaultSkin->Options(), xoMDIChildBorder)) return;
    for (auto& s : formSkinners_)
        if (s->MdiKind == mkChild) s->MdiMaximizedChanged(maximized);
}

void TSkinManage::Schedule(int request, int delayMs) {
    PendingRequest = request;
    interval_ = UINT(delayMs);
    if (SkinState != 0) {
        timer_.Start(timerWindow_, kRequestTimer, interval_);
        return;
    }
    // Nothing started yet: windows are skinned one by one as they are activated.
    if (request == rqSkinAll || request == rqUnskinAll) Skinning = request == rqSkinAll;
}

void TSkinManage::ReloadSkin() {
    for (auto& s : formSkinners_)
        if (s->SkinData == RequestSkin) s->DiscardCaptionButtons();
}

void TSkinManage::PurgeFormSkinners() {
    if (SkinState == 4) return;
    for (size_t i = formSkinners_.size(); i-- > 0;)
        if (formSkinners_[i]->State == fsDestroyed) {
            std::unique_ptr<TFormSkinner> gone = std::move(formSkinners_[i]);
            formSkinners_.erase(formSkinners_.begin() + long(i));
        }
}

void TSkinManage::unskinAndFree(TFormSkinner* skinner) {
    auto it = std::find_if(formSkinners_.begin(), formSkinners_.end(),
                           [&](const auto& s) { return s.get() == skinner; });
    if (it == formSkinners_.end()) return;
    std::unique_ptr<TFormSkinner> s = std::move(*it);
    formSkinners_.erase(it);
    const HWND window = s->Handle;
    s->Unskin();
    if (IsWindow(window)) repaintWhole(window);
}

void TSkinManage::skinVisibleForms(TComponent* only) {
    const auto& forms = Screen->Forms();
    for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
        TCustomForm* f = *it;
        if (only && f != only) continue;
        if (!f->HandleAllocated()) continue;
        const HWND h = f->Handle();
        if (IsWindowVisible(h) && !(GetWindowLongA(h, GWL_STYLE) & WS_CHILD)) SkinWindow(h);
    }
}

void TSkinManage::ExecuteRequest() {
    timer_.Stop();
    TSkinData* s = RequestSkin;
    if (!s) return;
    const bool onlyThis = s->SkinFormtype() == sfOnlyThisForm;
    switch (PendingRequest) {
    case rqSkinAll:
        Skinning = true;
        ForceSkin = true;
        HideDuringAttach = false;
        if (!onlyThis) PurgeFormSkinners();
        skinVisibleForms(onlyThis ? s->Owner() : nullptr);
        ForceSkin = false;
        break;
    case rqUnskinAll:
        Skinning = false;
        PurgeFormSkinners();
        if (onlyThis) {
            for (size_t i = formSkinners_.size(); i-- > 0;)
                if (formSkinners_[i]->SkinData == s) {
                    unskinAndFree(formSkinners_[i].get());
                    break;
                }
        } else {
            while (!formSkinners_.empty())
                unskinAndFree(formSkinners_.front().get());
        }
        break;
    case rqRefresh: {
        PurgeFormSkinners();
        std::vector<TFormSkinner*> users;
        for (auto& f : formSkinners_)
            if (f->SkinData == s) users.push_back(f.get());
        if (onlyThis && users.size() > 1) users.resize(1);
        for (TFormSkinner* f : users) {
            f->DiscardCaptionButtons();
            f->RecalcBorders();
        }
        for (TFormSkinner* f : users)
            f->Reskin();
        break;
    }
    default: break;
    }
    s->DoSkinChanged();
    RequestSkin = nullptr;
}
