// How a window leads back to its toolkit control, and the window classes of toolkit controls:
// each is named after its toolkit class and, where a system class exists, superclasses it.
#pragma once

#include <windows.h>

#include <string>

class TWinControl;

// The window property under which every toolkit window carries its control object:
// "ControlOfs" + module instance + thread id, each as upper-case hex of at least 8 digits (a 64-bit
// instance keeps all of its digits).
std::string ControlPropName();
// The global atom of that name (added on first use; the skin engine adds the same name).
ATOM ControlAtom();
// The control of a toolkit window of this module and thread, or null.
TWinControl* FindControl(HWND hwnd);

// The module whose windows and resources the toolkit uses (the program that links it).
HINSTANCE ToolkitInstance();

// Registers a plain window class of the program's module once (helper windows: timers, hints);
// later calls find it registered. The arrow cursor, no background, no icon.
void EnsureWindowClass(const char* className, WNDPROC proc, UINT classStyle = 0);

// Registers (once) the class `className` for toolkit windows. With `systemClass`, the new class
// is a superclass of it: same styles, cursor, brush and extra bytes, the toolkit's procedure in
// front. Returns the procedure that default handling calls (the system class's, or
// DefWindowProcA); null when registration failed.
WNDPROC RegisterToolkitClass(const std::string& className, const std::string& systemClass, UINT classStyle);

namespace detail {
// The control whose CreateWindowEx call is in progress on this thread; its first message
// attaches it to the new window.
void SetCreatingControl(TWinControl* control);
} // namespace detail
