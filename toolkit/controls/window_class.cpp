// Window classes of toolkit controls and the one window procedure they share.
#include "toolkit/controls/window_class.h"

#include <cstdio>
#include <map>

#include "toolkit/controls/win_control.h"

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

thread_local TWinControl* creatingControl = nullptr;

// The default procedure behind each registered class (its system class's, or DefWindowProcA).
std::map<std::string, WNDPROC>& defaultProcs() {
    static std::map<std::string, WNDPROC> procs;
    return procs;
}

LRESULT CALLBACK toolkitWndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FindControl(hwnd);
    if (!control && creatingControl) {
        control = std::exchange(creatingControl, nullptr);
        control->AttachHandle(hwnd);
    }
    if (control) return control->DispatchWindowMessage(msg, wParam, lParam);
    // A window of one of our classes made by someone else: behave like the class below.
    char name[256] = {};
    GetClassNameA(hwnd, name, sizeof name);
    auto it = defaultProcs().find(LowerCase(name));
    return it != defaultProcs().end() ? CallWindowProcA(it->second, hwnd, msg, wParam, lParam)
                                      : DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

HINSTANCE ToolkitInstance() {
    return reinterpret_cast<HINSTANCE>(&__ImageBase);
}

void EnsureWindowClass(const char* className, WNDPROC proc, UINT classStyle) {
    const HINSTANCE inst = GetModuleHandleA(nullptr);
    WNDCLASSA wc{};
    if (GetClassInfoA(inst, className, &wc)) return;
    wc.style = classStyle;
    wc.lpfnWndProc = proc;
    wc.hInstance = inst;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.lpszClassName = className;
    RegisterClassA(&wc);
}

std::string ControlPropName() {
    char name[64];
    // At least 8 digits each; a 64-bit module address keeps all of its digits, so two modules never share a
    // name.
    std::snprintf(name, sizeof name, "ControlOfs%.8llX%.8lX",
                  static_cast<unsigned long long>(reinterpret_cast<uintptr_t>(ToolkitInstance())),
                  static_cast<unsigned long>(GetCurrentThreadId()));
    return name;
}

ATOM ControlAtom() {
    // One GUI thread: the atom is made once for it.
    thread_local ATOM atom = GlobalAddAtomA(ControlPropName().c_str());
    return atom;
}

TWinControl* FindControl(HWND hwnd) {
    if (!hwnd) return nullptr;
    return static_cast<TWinControl*>(GetPropA(hwnd, MAKEINTATOM(ControlAtom())));
}

WNDPROC RegisterToolkitClass(const std::string& className, const std::string& systemClass, UINT classStyle) {
    std::string key = LowerCase(className);
    if (auto it = defaultProcs().find(key); it != defaultProcs().end()) return it->second;

    WNDCLASSEXA wc{};
    wc.cbSize = sizeof wc;
    WNDPROC defProc = DefWindowProcA;
    if (!systemClass.empty()) {
        if (!GetClassInfoExA(nullptr, systemClass.c_str(), &wc)) return nullptr;
        defProc = wc.lpfnWndProc;
        wc.style &= ~UINT(CS_GLOBALCLASS);
    } else {
        wc.style = classStyle;
        wc.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    }
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = toolkitWndProc;
    wc.hInstance = ToolkitInstance();
    wc.lpszClassName = className.c_str();
    wc.hIconSm = nullptr;
    if (!RegisterClassExA(&wc) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) return nullptr;
    defaultProcs()[key] = defProc;
    return defProc;
}

void detail::SetCreatingControl(TWinControl* control) {
    creatingControl = control;
}
