// The geometry of a skinned frame, from facts about a window and the skin: the border widths, the
// pieces, where the caption text goes and which caption buttons show where. It reads no window,
// so the form skinner, the preview tool and tests lay a frame out the same way.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TBitmap;
class TSkinData;
class TDataSkinSysButton;

enum TBorderKindValue : int { bkSizeable = 0, bkFixed = 1, bkNoCaption = 2, bkDialog = 3 };
enum TBorderIconFlag : int {
    biMaxBox = 1,
    biMinBox = 2,
    biHelpBox = 4,
    biSysMenuBox = 8,
    biKeepSysMenu = 16 // the system-menu style bit is never toggled
};
enum TSkinWindowState : int { swNormal = 0, swMaximized = 1, swMinimized = 2 };

// Spaces around the window text in the caption.
inline const wchar_t kCaptionPrefix[] = L"  ";
inline const wchar_t kCaptionSuffix[] = L" ";

// What the layout needs to know of the window.
struct TFrameFacts {
    int Width = 0, Height = 0; // the window's size
    int BorderKind = bkFixed;
    int BorderIcons = 0;
    int WindowState = swNormal;
    bool Active = true;
    bool RightToLeft = false;
    bool IsDialog = false;
    bool Popup = false; // WS_POPUP: the text stops short of the right-anchored buttons
    // The menu band shows a maximised MDI child's buttons (an MDI frame with a menu-bar skinner).
    bool MenuBandButtons = false;
    int MenuHeight = 0;
    std::wstring Text; // the window text, without the caption's spaces
    // The window's small icon on magenta, for icon buttons whose record has no image; may be null.
    TBitmap* IconImage = nullptr;
    // Asks the window whether a button with Visibility 1000..2000 shows; none: it does not.
    std::function<bool(int visibility, int action)> AskVisible;
};

struct TFrameMetrics {
    int BorderLeft = 0, CaptionHeight = 0, BorderRight = 0, BorderBottom = 0;
};

// One caption button as laid out.
struct TCaptionButtonPlace {
    const TDataSkinSysButton* Data = nullptr;
    TBitmap* Image = nullptr; // the record's image, or the window icon for an icon button
    int Frames = 1;
    bool Visible = false;
    bool Enabled = true;
    bool Placed = false; // shown with an image: Rect is valid
    RECT Rect{};
};

struct TFrameLayout {
    int Width = 0, Height = 0;
    TFrameMetrics Metrics;
    int MenuHeight = 0;
    bool Active = true;
    bool Minimized = false;
    bool RightToLeft = false;
    RECT Left{}, Right{}, Bottom{};
    RECT Band{};    // the caption band: the top rows, or the whole of a minimised window
    RECT Caption{}; // the Top piece within the band
    RECT MenuBand{};
    std::wstring Text;      // with the caption's spaces
    RECT CaptionTextRect{}; // where the text and its background go
    RECT TextRect{};        // the text itself, inside the background's margins
    UINT TextFormat = 0;
    std::vector<TCaptionButtonPlace> Buttons;
};

// The border widths a skin gives a window of this border kind (none without a caption).
TFrameMetrics FrameMetrics(const TSkinData& skin, int borderKind);

// Whether a caption button shows, and whether it is enabled, for a window with these facts.
bool CaptionButtonVisible(const TDataSkinSysButton& button, const TFrameFacts& facts, bool& enabled);

// Lays the frame out. The caption text is measured with `captionFont` on `measureDC`.
TFrameLayout LayoutFrame(const TFrameFacts& facts, const TSkinData& skin, HDC measureDC, HFONT captionFont);
