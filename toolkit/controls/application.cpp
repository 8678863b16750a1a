// TApplication and TScreen: the message loop, keyboard navigation of forms, the hidden
// application window, message boxes and the list of forms.
#include "toolkit/controls/application.h"

#include <algorithm>

#include "toolkit/controls/menus.h"
#include "toolkit/controls/timer.h"
#include "toolkit/controls/window_class.h"
#include "toolkit/core/class_builder.h"

TApplication* const Application = new TApplication(nullptr);
TScreen* const Screen = new TScreen(nullptr);

namespace {

// The application window handles what belongs to no form: timers and open popup menus.
LRESULT CALLBACK applicationWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    try {
        switch (msg) {
        case WM_TIMER:
            if (DispatchTimer(wParam)) return 0;
            break;
        case WM_COMMAND:
            if (lParam == 0 && HIWORD(wParam) <= 1 && DispatchMenuCommand(LOWORD(wParam))) return 0;
            break;
        case WM_INITMENUPOPUP: DispatchMenuPopup(reinterpret_cast<HMENU>(wParam)); break;
        case WM_MEASUREITEM: {
            auto* mi = reinterpret_cast<MEASUREITEMSTRUCT*>(lParam);
            if (mi->CtlType == ODT_MENU && DispatchMenuMeasure(*mi)) return TRUE;
            break;
        }
        case WM_DRAWITEM: {
            auto* di = reinterpret_cast<DRAWITEMSTRUCT*>(lParam);
            if (di->CtlType == ODT_MENU && DispatchMenuDraw(*di)) return TRUE;
            break;
        }
        default: break;
        }
    } catch (...) {
        HandleToolkitException();
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

std::string moduleTitle() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string name = path;
    if (size_t slash = name.find_last_of("\\/"); slash != std::string::npos) name = name.substr(slash + 1);
    if (size_t dot = name.rfind('.'); dot != std::string::npos) name = name.substr(0, dot);
    return name;
}

} // namespace

void HandleToolkitException() {
    Application->HandleException(std::current_exception());
}

const TClassInfo& TApplication::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TApplication>("TApplication", &TComponent::StaticClass())
            .Str("Title", &TApplication::Title, &TApplication::SetTitle)
            .Int("HintPause", &TApplication::HintPause, &TApplication::SetHintPause, 500)
            .Int("HintHidePause", &TApplication::HintHidePause, &TApplication::SetHintHidePause, 2500)
            .Build();
    return info;
}

TApplication::TApplication(TComponent* AOwner) : TComponent(AOwner), title_(moduleTitle()) {}

TApplication::~TApplication() {
    if (handle_) DestroyWindow(handle_);
}

void TApplication::Initialize() {
    Handle();
}

HWND TApplication::Handle() {
    if (handle_) return handle_;
    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = applicationWndProc;
    wc.hInstance = ToolkitInstance();
    wc.lpszClassName = "TApplication";
    RegisterClassExA(&wc);
    handle_ = CreateWindowExA(WS_EX_TOOLWINDOW, "TApplication", title_.c_str(), WS_POPUP, 0, 0, 0, 0, nullptr,
                              nullptr, ToolkitInstance(), nullptr);
    return handle_;
}

void TApplication::SetTitle(const std::string& value) {
    title_ = value;
    if (handle_) SetWindowTextA(handle_, title_.c_str());
}

void TApplication::FormDestroyed(TCustomForm* form) {
    if (form != mainForm_) return;
    mainForm_ = nullptr;
    // Destroying the main form by any path ends the application, as closing it does.
    if (!IsDestroying()) Terminate();
}

void TApplication::Run() {
    Handle();
    if (mainForm_ && showMainForm_) mainForm_->Show();
    while (!terminated_)
        HandleMessage();
    while (!Components().empty())
        delete Components().back();
}

void TApplication::Terminate() {
    if (!terminated_) PostQuitMessage(0);
}

void TApplication::ProcessMessages() {
    MSG msg;
    while (processMessage(msg)) {
    }
}

void TApplication::HandleMessage() {
    MSG msg;
    if (!processMessage(msg) && !terminated_) WaitMessage();
}

bool TApplication::processMessage(MSG& msg) {
    if (!PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return true;
    }
    if (msg.message == TKN_RELEASE) {
        if (auto* form = dynamic_cast<TCustomForm*>(FindControl(msg.hwnd))) {
            delete form;
            return true;
        }
    }
    // A plain dialog's keys are its own: GetParent of an owned popup is its owner, so the form
    // that owns it would take Tab and Esc otherwise.
    if (isMdiSysAccel(msg) || isMenuShortCut(msg) || isModelessDialogMessage(msg) || isDialogMessage(msg))
        return true;
    TranslateMessage(&msg);
    DispatchMessageA(&msg);
    return true;
}

// Ctrl+F4, Ctrl+F6 and the child's system-menu keys of an MDI frame.
bool TApplication::isMdiSysAccel(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    for (TCustomForm* form : Screen->Forms())
        if (HWND client = form->ClientHandle(); client && TranslateMDISysAccel(client, &msg)) return true;
    return false;
}

// A key that is the shortcut of an item of the form's menu (or of its frame's, for an MDI child)
// clicks that item.
bool TApplication::isMenuShortCut(const MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN) return false;
    TWinControl* control = nullptr;
    for (HWND h = msg.hwnd; h && !control; h = GetParent(h))
        control = FindControl(h);
    const TShortCut shortCut = MakeShortCut(WORD(msg.wParam), KeyboardShiftState());
    for (TCustomForm* form = control ? control->ParentForm() : nullptr; form; form = form->MDIFrame())
        if (form->Menu() && form->Menu()->IsShortCut(shortCut)) return true;
    return false;
}

// Tab, Enter, Esc and accelerator characters go to the form as TKN_DIALOGKEY and
// TKN_DIALOGCHAR unless the focused window wants them itself.
bool TApplication::isDialogMessage(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_CHAR && msg.message != WM_SYSCHAR) return false;
    TWinControl* control = nullptr;
    for (HWND h = msg.hwnd; h && !control; h = GetParent(h))
        control = FindControl(h);
    TCustomForm* form = control ? control->ParentForm() : nullptr;
    if (!form) return false;
    LRESULT code = SendMessageA(msg.hwnd, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
    if (code & DLGC_WANTALLKEYS) return false;
    if (msg.message == WM_KEYDOWN) {
        switch (msg.wParam) {
        case VK_TAB:
            if (code & DLGC_WANTTAB) return false;
            break;
        case VK_RETURN:
        case VK_ESCAPE: break;
        default: return false;
        }
        return form->Perform(TKN_DIALOGKEY, msg.wParam, msg.lParam) != 0;
    }
    if (msg.message == WM_CHAR && (code & DLGC_WANTCHARS)) return false;
    return form->Perform(TKN_DIALOGCHAR, msg.wParam, msg.lParam) != 0;
}

void TApplication::AddModelessDialog(HWND dialog) {
    std::erase_if(modelessDialogs_, [](HWND h) { return !IsWindow(h); });
    if (dialog &&
        std::find(modelessDialogs_.begin(), modelessDialogs_.end(), dialog) == modelessDialogs_.end())
        modelessDialogs_.push_back(dialog);
}

void TApplication::RemoveModelessDialog(HWND dialog) {
    std::erase(modelessDialogs_, dialog);
}

// The dialog's own procedure may destroy it (Esc, Enter on OK) inside IsDialogMessage, which
// changes the list: look the dialog up first, call it after.
bool TApplication::isModelessDialogMessage(MSG& msg) {
    HWND dialog = nullptr;
    for (HWND h : modelessDialogs_)
        if (msg.hwnd == h || IsChild(h, msg.hwnd)) dialog = h;
    return dialog && IsDialogMessageA(dialog, &msg);
}

int TApplication::MessageBox(const std::string& text, const std::string& caption, UINT flags) {
    HWND owner = GetActiveWindow();
    if (!owner && mainForm_ && mainForm_->HandleAllocated()) owner = mainForm_->Handle();
    const std::string& title = caption.empty() ? title_ : caption;
    return ::MessageBoxA(owner, text.c_str(), title.c_str(), flags);
}

void TApplication::HandleException(const std::exception_ptr& e) {
    if (OnException) {
        OnException(this, e);
        return;
    }
    std::string text = "Unknown error";
    try {
        std::rethrow_exception(e);
    } catch (const std::exception& ex) {
        text = ex.what();
    } catch (...) {
    }
    ::MessageBoxA(GetActiveWindow(), text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP);
}

const TClassInfo& TScreen::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TScreen>("TScreen", &TComponent::StaticClass()).Build();
    return info;
}

int TScreen::Width() const {
    return GetSystemMetrics(SM_CXSCREEN);
}
int TScreen::Height() const {
    return GetSystemMetrics(SM_CYSCREEN);
}

void TScreen::AddForm(TCustomForm* form) {
    forms_.push_back(form);
}

void TScreen::RemoveForm(TCustomForm* form) {
    std::erase(forms_, form);
    if (activeForm_ == form) activeForm_ = nullptr;
}

void TScreen::FormActivated(TCustomForm* form, bool active) {
    if (active)
        activeForm_ = form;
    else if (activeForm_ == form)
        activeForm_ = nullptr;
}
