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
            m.SetRequestSkin(s);
            m.Schedule(request, kRequestDelayMs);
        };
        l.SkinState = [] { return SkinManager ? SkinManager->SkinState() : ssIdle; };
        l.SetSkinState = [](int state) { EnsureSkinManager().SetSkinState(state); };
        l.StartSkin = [](TSkinData* s) {
            TSkinManage& m = EnsureSkinManager();
            m.SetSkinning(true);
            m.SetSkinState(m.SkinState() + 1);
            if (s->Active() && dynamic_cast<TCustomForm*>(s->Owner()))
                if (HWND owner = ownerWindowOf(s)) m.SkinWindow(owner);
        };
        l.ReloadSkin = [](TSkinData* s) {
            if (!SkinManager) return;
            SkinManager->SetRequestSkin(s);
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

TSkinManage::TSkinManage()
    : hook_([this](int code, WPARAM wParam, LPARAM lParam) { hookNotification(code, wParam, lParam); }),
      timer_([this] { ExecuteRequest(); }) {}

// Ending: no new decisions, no request; every skinner gives its window back, the last first;
// then the hook goes.
TSkinManage::~TSkinManage() {
    skinState_ = ssEnding;
    skinning_ = false;
    timer_.Stop();
    while (std::unique_ptr<TFormSkinner> last = registry_.TakeLastForm()) {
        last->Detach();
        FreeWhenIdle(std::move(last));
    }
    while (std::unique_ptr<TPopupSkinner> last = registry_.TakeLastPopup()) {
        last->Detach();
        FreeWhenIdle(std::move(last));
    }
    if (SkinManager == this) SkinManager = nullptr;
}

void TSkinManage::RegisterSkinData(TSkinData* skin) {
    if (std::find(skinDatas_.begin(), skinDatas_.end(), skin) != skinDatas_.end()) return;
    skinDatas_.push_back(skin);
    if (!defaultSkin_ && skin->SkinFormtype() == sfMainform) defaultSkin_ = skin;
}

void TSkinManage::UnregisterSkinData(TSkinData* skin) {
    skinDatas_.erase(std::remove(skinDatas_.begin(), skinDatas_.end(), skin), skinDatas_.end());
    if (defaultSkin_ == skin) defaultSkin_ = nullptr;
    if (requestSkin_ == skin) requestSkin_ = nullptr;
    // A skinner must not outlive the skin it paints from: give those windows their own look back.
    for (size_t i = registry_.Forms().size(); i-- > 0;)
        if (registry_.Forms()[i]->SkinData == skin) {
            std::unique_ptr<TFormSkinner> s = registry_.TakeForm(registry_.Forms()[i].get());
            if (s->State != fsDestroyed) s->Unskin();
            FreeWhenIdle(std::move(s));
        }
    for (size_t i = registry_.Popups().size(); i-- > 0;)
        if (registry_.Popups()[i]->SkinData == skin) {
            std::unique_ptr<TPopupSkinner> p = registry_.TakePopup(registry_.Popups()[i]->Handle);
            p->Detach();
            FreeWhenIdle(std::move(p));
        }
}

void TSkinManage::InstallHook() {
    hook_.Install();
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
        if (skinState_ == ssIdle) skinState_ = ssStarted;
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
    if (!defaultSkin_) return true;
    const std::string lower = LowerCase(className);
    if (!InSet(defaultSkin_->Options(), xoPreview) && contains(lower, "preview")) return false;
    if (className == "#32770" && (GetWindowLongA(window, GWL_STYLE) & kUnskinnedDialogStyle)) return false;
    if (lower == "tpopupdbtreeview") return false;
    bool accept = true;
    defaultSkin_->DoFormSkin(window, className, accept);
    return accept;
}

bool TSkinManage::SkinWindow(HWND window) {
    if (!skinning_ || !window) return false;
    PurgeFormSkinners();
    if (SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1 || FindFormSkinner(window)) return false;

    TComponent* object = nullptr;
    for (TCustomForm* f : Screen->Forms())
        if (f->HandleAllocated() && f->Handle() == window) object = f;
    if (!object) object = FindToolkitControl(window);

    const LONG style = GetWindowLongA(window, GWL_STYLE), exStyle = GetWindowLongA(window, GWL_EXSTYLE);
    const std::string cls = classNameOf(window);
    if (!forceSkin_ && (style & WS_CHILD) && !(exStyle & WS_EX_MDICHILD) &&
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
    registry_.AddForm(std::move(skinner));
    PostMessageA(window, SKM_SKINFORM, 0, kSkinFormSignature);
    return true;
}

void TSkinManage::SkinPopupMenu(HWND window) {
    if (!skinning_ || SendMessageA(window, SKM_ISSKINNED, 0, 0) == 1 || HasPopupSkinner(window)) return;
    TSkinData* skin = ChooseSkinData(window, "#32768");
    if (!skin || skin->SkinPending()) return;
    if (!menus_.Wants(skin->SkinControls())) return;
    auto& create = SkinnerFactory().CreatePopupSkinner;
    if (!create) return;
    std::unique_ptr<TPopupSkinner> skinner = create(window, skin);
    if (!skinner) return;
    skinner->BelongsToMenuBar = menus_.Loop;
    registry_.AddPopup(std::move(skinner));
}

bool TSkinManage::RemovePopupSkinner(HWND window) {
    std::unique_ptr<TPopupSkinner> skinner = registry_.TakePopup(window);
    if (!skinner) return false;
    skinner->Detach();
    FreeWhenIdle(std::move(skinner));
    if (registry_.Popups().empty()) menus_.Reset();
    return true;
}

TFormSkinner* TSkinManage::FindFormSkinner(HWND window) const {
    return registry_.FindForm(window);
}

std::unique_ptr<TFormSkinner> TSkinManage::UnregisterFormSkinner(HWND window) {
    if (skinState_ == ssEnding) return nullptr;
    return registry_.TakeForm(window);
}

bool TSkinManage::HasPopupSkinner(HWND window) const {
    return registry_.HasPopup(window);
}

void TSkinManage::SetMdiMaximized(bool maximized) {
    if (maximized == mdiMaximized_) return;
    mdiMaximized_ = maximized;
    if (defaultSkin_ && InSet(defaultSkin_->Options(), xoMDIChildBorder)) return;
    for (const auto& s : registry_.Forms())
        if (s->MdiKind == mkChild) s->MdiMaximizedChanged(maximized);
}

void TSkinManage::Schedule(int request, int delayMs) {
    pendingRequest_ = request;
    if (skinState_ != ssIdle) {
        timer_.Start(UINT(delayMs));
        return;
    }
    // Nothing started yet: windows are skinned one by one as they are activated.
    if (request == rqSkinAll || request == rqUnskinAll) skinning_ = request == rqSkinAll;
}

void TSkinManage::ReloadSkin() {
    for (const auto& s : registry_.Forms())
        if (s->SkinData == requestSkin_) s->DiscardCaptionButtons();
}

void TSkinManage::PurgeFormSkinners() {
    if (skinState_ == ssEnding) return;
    registry_.PurgeDestroyedForms();
}

void TSkinManage::unskinAndFree(const TFormSkinner* skinner) {
    std::unique_ptr<TFormSkinner> s = registry_.TakeForm(skinner);
    if (!s) return;
    const HWND window = s->Handle;
    s->Unskin();
    // Unskinned from inside one of its window's messages (a menu loop, a handler): freed after it.
    FreeWhenIdle(std::move(s));
    if (IsWindow(window)) repaintWhole(window);
}

void TSkinManage::skinVisibleForms(TComponent* only) {
    // Top-level forms first, then MDI children (child windows, but forms of their own), so a
    // child's frame is skinned after the frame window it lives in.
    for (const bool mdiChildren : {false, true}) {
        const auto& forms = Screen->Forms();
        for (auto it = forms.rbegin(); it != forms.rend(); ++it) {
            TCustomForm* f = *it;
            if (only && f != only) continue;
            if (!f->HandleAllocated()) continue;
            const HWND h = f->Handle();
            const bool child = GetWindowLongA(h, GWL_STYLE) & WS_CHILD;
            const bool mdiChild = child && (GetWindowLongA(h, GWL_EXSTYLE) & WS_EX_MDICHILD);
            if (IsWindowVisible(h) && (mdiChildren ? mdiChild : !child)) SkinWindow(h);
        }
    }
}

void TSkinManage::ExecuteRequest() {
    timer_.Stop();
    TSkinData* s = requestSkin_;
    if (!s) return;
    const bool onlyThis = s->SkinFormtype() == sfOnlyThisForm;
    switch (pendingRequest_) {
    case rqSkinAll:
        skinning_ = true;
        forceSkin_ = true;
        hideDuringAttach_ = false;
        if (!onlyThis) {
            PurgeFormSkinners();
            skinVisibleForms(nullptr);
        } else if (s->Owner()) {
            // A skin for one form only: without an owner there is no form to skin.
            skinVisibleForms(s->Owner());
        }
        forceSkin_ = false;
        break;
    case rqUnskinAll:
        skinning_ = false;
        PurgeFormSkinners();
        if (onlyThis) {
            for (size_t i = registry_.Forms().size(); i-- > 0;)
                if (registry_.Forms()[i]->SkinData == s) {
                    unskinAndFree(registry_.Forms()[i].get());
                    break;
                }
        } else {
            while (!registry_.Forms().empty())
                unskinAndFree(registry_.Forms().front().get());
        }
        break;
    case rqRefresh: {
        PurgeFormSkinners();
        std::vector<TFormSkinner*> users;
        for (const auto& f : registry_.Forms())
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
    // The request is done even when the program's handler of the change fails.
    try {
        s->DoSkinChanged();
    } catch (...) {
        requestSkin_ = nullptr;
        throw;
    }
    requestSkin_ = nullptr;
}
