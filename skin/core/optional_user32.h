// user32 functions that older systems lack, looked up by name once; a missing one switches off
// the feature that needs it.
#pragma once

#include <windows.h>

struct TOptionalUser32 {
    BOOL(WINAPI* GetScrollBarInfo)(HWND, LONG, PSCROLLBARINFO) = nullptr;
    BOOL(WINAPI* TrackMouseEvent)(LPTRACKMOUSEEVENT) = nullptr;
    BOOL(WINAPI* GetComboBoxInfo)(HWND, PCOMBOBOXINFO) = nullptr;
};

const TOptionalUser32& OptionalUser32();

// False when GetScrollBarInfo is missing, else its result.
bool SkinGetScrollBarInfo(HWND window, LONG objectId, SCROLLBARINFO* info);
// Asks for WM_MOUSELEAVE for the window; nothing when TrackMouseEvent is missing.
void TrackMouseLeave(HWND window);
