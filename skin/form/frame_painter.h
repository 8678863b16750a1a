// Painting a laid-out skinned frame into any DC whose origin is the window's top-left corner: the
// border pieces, the caption band (Top piece, text and its background, caption buttons at rest)
// composed off screen and copied in one transfer, and the menu band. The form skinner paints its
// window DC with it, the preview tool a memory DC.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>

#include "skin/form/frame_layout.h"
#include "toolkit/handles.h"

class TBitmap;
class TDataSkinBorder;
class TSkinData;
struct TFaceState;

// What the painter cannot know from the layout and the skin.
struct TFrameArt {
    HFONT CaptionFont = nullptr;
    // Paints the window's icon into an icon button; none: icon buttons draw their image.
    std::function<void(HDC, const RECT&)> DrawIcon;
    // Paints the menu band; none: it is filled with the skin's face colour.
    std::function<void(HDC, const RECT&)> DrawMenuBand;
};

// One border piece (Left, Right, Top or Bottom of the skin's borders) at the size of r, in the
// frame the window's activity selects; null for an empty piece.
std::unique_ptr<TBitmap> BuildBorderPiece(TDataSkinBorder& border, const RECT& r, bool framesVertical,
                                          bool active);

// The window's shape: the client rectangle and every border piece, each either whole or, for a
// see-through border, cut from its image's magenta; the whole window when no border is
// see-through. In window coordinates.
win::RegionHandle FrameRegion(TSkinData& skin, int borderKind, const TFrameMetrics& metrics, int width,
                              int height, bool active);

// Borders, caption band and menu band. `band` is the caption band's drawing space, reused between
// paints (the form skinner keeps one per window).
void DrawFrame(HDC dc, const TFrameLayout& layout, TSkinData& skin, const TFrameArt& art, TBitmap& band);

// The caption band alone (a minimised window shows nothing else).
void DrawCaptionBand(HDC dc, const TFrameLayout& layout, TSkinData& skin, const TFrameArt& art,
                     TBitmap& band);

// A caption button in a mouse state (hot, pressed) straight into dc.
void DrawCaptionButton(HDC dc, const TCaptionButtonPlace& button, const TFaceState& state,
                       const TFrameArt& art);
