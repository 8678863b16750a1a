// Win32 test support: find windows, pump messages, read back the screen, synthesise input,
// read the clipboard. Every reading comes from what the screen really shows (frames included).
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>

#include "tests/support/image_file.h"

namespace qs::test {

// Waits until a top-level window of this class and caption exists (either may be null = any),
// pumping this thread's messages meanwhile. Returns null on timeout.
HWND WaitForWindow(const char* className, const char* caption, DWORD timeoutMs = 5000);
// The same for a window owned by another process (no pumping of ours is needed, but it is done).
HWND WaitForWindowGone(HWND hwnd, DWORD timeoutMs = 5000);

// Dispatches this thread's messages for about ms milliseconds.
void PumpFor(DWORD ms);
// Dispatches this thread's messages until done() holds (true) or timeoutMs pass (false). Tests wait
// for what they expect this way rather than for a fixed time, which a loaded machine overruns.
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 3000);

// Copies a screen rectangle from the screen DC: what a person sees, overlapping windows included.
Pixels CaptureScreen(const RECT& r);
Pixels CaptureScreen();
// The whole window rectangle, non-client area included, as it shows on screen.
Pixels CaptureWindow(HWND hwnd);
// The client area as it shows on screen.
Pixels CaptureClient(HWND hwnd);
// The whole window as it painted itself (its window DC), also where other windows cover it.
Pixels CaptureWindowDC(HWND hwnd);

// Synthetic input through SendInput.
void KeyDown(WORD vk);
void KeyUp(WORD vk);
void KeyPress(WORD vk);
// Presses the modifiers in order, the key, then releases everything in reverse order.
void KeyChord(std::initializer_list<WORD> keys);
// Moves the pointer and waits (pumping) until the cursor is there.
void MouseMoveTo(int x, int y);
void MouseButton(bool left, bool down);
// A press or release that carries its position: under load Wine may replay an older pointer
// position after a move, which a following plain press would then take.
void MouseButtonAt(int x, int y, bool left, bool down);
void MouseClickAt(int x, int y, bool left = true);

// The clipboard's CF_BITMAP as pixels, or nothing when it holds none.
std::optional<Pixels> ReadClipboardBitmap();

// Where screenshots of tests go: $QS_SCREENSHOT_DIR or the working directory.
std::string ScreenshotPath(const std::string& name);

// A window's class name, its text (ANSI), and whether its style has every bit of `style`.
std::string WindowClassName(HWND hwnd);
std::string WindowTextOf(HWND hwnd);
bool HasStyle(HWND hwnd, DWORD style);

// Counts GDI and USER objects of this process (GetGuiResources; under Wine, GDI by probing
// handles and USER by this thread's windows, as Wine answers 0 for USER objects).
DWORD GdiObjectCount();
DWORD UserObjectCount();

} // namespace qs::test
