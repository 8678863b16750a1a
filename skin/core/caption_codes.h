// The codes a caption button's section stores: what it does, where it is anchored and when it
// shows. Portable, so the skin checker knows them too.
#pragma once

#include <cstdint>

// What a caption button does (its stored Action). Several values mean the same thing: skins of
// different generations use one or the other.
enum TCaptionAction : int32_t {
    acNone = -1, // a decoration that is never hit
    acClose = 0,
    acMaximize = 1,
    acMinimize = 2,
    acSystemMenu = 3,
    acHelp = 4,
    acMdiChildMinimize = 7,
    acMdiChildRestore = 8,
    acMdiChildClose = 9,
    acSystemMenuIcon = 11,
    acSystemMenuAlt = 12,
    acMaximizeAlt = 22,
    acMinimizeAlt = 23,
    acMdiChildMinimizeAlt = 60,
    acMdiChildRestoreAlt = 61,
    acMdiChildCloseAlt = 62,
};
constexpr bool IsCloseAction(int a) {
    return a == acClose;
}
constexpr bool IsMaximizeAction(int a) {
    return a == acMaximize || a == acMaximizeAlt;
}
constexpr bool IsMinimizeAction(int a) {
    return a == acMinimize || a == acMinimizeAlt;
}
// The buttons that show the window's icon.
constexpr bool IsIconAction(int a) {
    return a == acSystemMenu || a == acSystemMenuIcon;
}
constexpr bool IsSystemMenuAction(int a) {
    return IsIconAction(a) || a == acSystemMenuAlt;
}
constexpr bool IsMdiMinimizeAction(int a) {
    return a == acMdiChildMinimize || a == acMdiChildMinimizeAlt;
}
constexpr bool IsMdiRestoreAction(int a) {
    return a == acMdiChildRestore || a == acMdiChildRestoreAlt;
}
constexpr bool IsMdiCloseAction(int a) {
    return a == acMdiChildClose || a == acMdiChildCloseAlt;
}

// Where a caption button is anchored (its stored Align).
enum TCaptionAlign : int32_t {
    caLeftEdge = 0,      // Xcoord from the window's left edge
    caRightEdge = 1,     // Xcoord is the distance from the right edge to the button's left edge
    caBeforeText = 2,    // left of the caption text
    caAfterText = 3,     // right of the caption text
    caBeforeTextAlt = 8, // as 2
    caAfterTextAlt = 9,  // as 3
    caMenuBand = 100,    // on the menu band, from the right
};

// When a caption button shows (its stored Visibility and Visibility1): the first condition comes
// from Visibility, the second from Visibility1, and both must hold.
enum TCaptionVisibility : int32_t {
    cvNever = -1, // skins hide a button with it
    cvAlways = 0,
    cvMaximized = 1,
    cvNotMaximized = 2,
    cvActive = 3,
    cvInactive = 4,
    cvMinOrMaxBox = 6,
    cvNoMaxBox = 7,
    cvMinOrMaxBoxAlt = 8,
    cvNoMinBox = 9,
    cvHelpOnly = 10,
    cvMenuBand = 100,      // a maximised MDI child's controls on the frame's menu band
    cvDialogFrame = 200,   // a dialog-framed window that is not a dialog
    cvFirstOnlyFrom = 201, // 201..999: the first condition holds, the second never
    cvFirstOnlyTo = 999,
    cvAskWindowFrom = 1000, // 1000..2000: the window answers SKM_BUTTONVISIBLE
    cvAskWindowTo = 2000,
};

// The actions the engine acts on itself; it sends a window any other action of 0 or more to act on.
constexpr bool IsKnownCaptionAction(int a) {
    return a == acNone || IsCloseAction(a) || IsMaximizeAction(a) || IsMinimizeAction(a) ||
           IsSystemMenuAction(a) || a == acHelp || IsMdiMinimizeAction(a) || IsMdiRestoreAction(a) ||
           IsMdiCloseAction(a);
}
