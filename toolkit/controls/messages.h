// The toolkit's message record, its replaceable message method, and the notices it sends to
// controls ($B000 to $B0FF) and reflects from parents ($BC00 + the original message).
#pragma once

#include <windows.h>

#include <functional>

// One window message as it travels through a control: handlers write Result.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// A control's message method (its WindowProc). Whoever replaces it keeps the previous one and
// calls it to pass a message on.
using TWndMethod = std::function<void(TMessage&)>;

// Notices. Each is sent through the control's WindowProc at the moment the toolkit changes the
// state it names; the control's own handler applies the change, so a hook that passes the notice
// on and then looks finds the new state.
enum : UINT {
    TKN_BASE = 0xB000,
    TKN_ACTIVATE = 0xB000,     // the form became the active form
    TKN_DEACTIVATE = 0xB001,   // the form stopped being the active form
    TKN_DIALOGKEY = 0xB005,    // WParam: virtual key (Tab, Enter, Esc, arrows); Result 1 = used
    TKN_DIALOGCHAR = 0xB006,   // WParam: character, LParam: key data; Result 1 = used
    TKN_FOCUSCHANGED = 0xB007, // LParam: the control that now has the focus inside the form
    TKN_PARENTFONTCHANGED = 0xB008,
    TKN_PARENTCOLORCHANGED = 0xB009,
    TKN_VISIBLECHANGED = 0xB00B, // WParam: the new state (1 visible, 0 hidden)
    TKN_ENABLEDCHANGED = 0xB00C,
    TKN_COLORCHANGED = 0xB00D,
    TKN_FONTCHANGED = 0xB00E,
    TKN_CURSORCHANGED = 0xB00F,
    TKN_TEXTCHANGED = 0xB012,
    TKN_MOUSEENTER = 0xB013,  // the pointer came over the control
    TKN_MOUSELEAVE = 0xB014,  // the pointer left the control (also sent by the skin engine to reset hover)
    TKN_MENUCHANGED = 0xB015, // to a form: its main menu was rebuilt and should be attached again
    TKN_ENTER = 0xB01A,       // the control received the focus inside its form
    TKN_EXIT = 0xB01B,        // the control lost the focus inside its form
    TKN_RELEASE = 0xB021,     // posted to a form by Release: free it once the message is dispatched
    TKN_RECREATEWND = 0xB033, // the control's window is about to be destroyed and made again
    // Text drawn over a window's face (a windowless child's, or the window's own caption) asks the
    // window for its colour. LParam: the font colour; Result: the colour to draw in (LParam,
    // unless whoever painted the face knows better).
    TKN_CHILDTEXTCOLOUR = 0xB040,
    TKN_LAST = 0xB0FF,

    // Reflected notifications: a parent passes WM_COMMAND, WM_NOTIFY, WM_HSCROLL, WM_VSCROLL,
    // WM_CTLCOLOR*, WM_DRAWITEM and WM_MEASUREITEM to the child they concern as TKN_REFLECT + msg.
    TKN_REFLECT = 0xBC00,
    CN_COMMAND = TKN_REFLECT + WM_COMMAND,
    CN_NOTIFY = TKN_REFLECT + WM_NOTIFY,
    CN_HSCROLL = TKN_REFLECT + WM_HSCROLL,
    CN_VSCROLL = TKN_REFLECT + WM_VSCROLL,
    CN_CTLCOLORMSGBOX = TKN_REFLECT + WM_CTLCOLORMSGBOX,
    CN_CTLCOLOREDIT = TKN_REFLECT + WM_CTLCOLOREDIT,
    CN_CTLCOLORLISTBOX = TKN_REFLECT + WM_CTLCOLORLISTBOX,
    CN_CTLCOLORBTN = TKN_REFLECT + WM_CTLCOLORBTN,
    CN_CTLCOLORDLG = TKN_REFLECT + WM_CTLCOLORDLG,
    CN_CTLCOLORSCROLLBAR = TKN_REFLECT + WM_CTLCOLORSCROLLBAR,
    CN_CTLCOLORSTATIC = TKN_REFLECT + WM_CTLCOLORSTATIC,
    CN_DRAWITEM = TKN_REFLECT + WM_DRAWITEM,
    CN_MEASUREITEM = TKN_REFLECT + WM_MEASUREITEM,
};

inline bool IsToolkitNotice(UINT msg) {
    return msg >= TKN_BASE && msg <= TKN_LAST;
}
