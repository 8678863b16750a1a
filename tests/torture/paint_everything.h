// Everything the engine paints for a skinned MDI frame and its pages, forced to happen now:
// the frame in each state, its caption buttons hot and pressed, a tray-style popup menu, the
// menu bar and its menus, every child window, through WM_PAINT and WM_PRINT alike.
#pragma once

#include <windows.h>

namespace qs::test {

// Every window of the tree painted at once, frames included.
void PaintNow(HWND window);
// The window's frame (and its own client area, not its children's) painted at once.
void PaintFrameNow(HWND window);
// The window printed (WM_PRINT through PrintWindow) into a memory bitmap.
void PrintNow(HWND window);

// Active and inactive, maximised, minimised and restored; the MDI child `page` maximised inside
// the frame and restored. The frame ends restored and active.
void PaintFrameStates(HWND frame, HWND mdiClient, HWND page);
// The caption buttons and menu-bar items of the skinned frame hot, the buttons pressed too.
void PaintCaptionObjects(HWND frame);
// The menu opened as a tray icon's menu opens (owner made foreground, TrackPopupMenu), its
// first item selected, then closed. False when no menu showed.
bool PaintTrayMenu(HWND owner, HMENU menu);
// The menu bar's first menu opened through the keyboard, the next one after it, then closed.
// False when they did not show.
bool PaintBarMenus(HWND frame);

} // namespace qs::test
