// The drawing primitives every skinner paints with: one frame of a skin image built to any
// size by nine-slice (fixed corners, stretched edges, stretched or tiled centre), strips for
// bars, single frames, and copies that leave the magenta key colour unpainted.
//
// Frames of an image lie side by side (frame width = image width / frame count) or, when the
// caller says so, stacked (frame height = image height / frame count); they are numbered from 1.
// Margins are (left, top, right, bottom) fixed sizes within a frame. Destination rectangles with
// right < left or bottom < top draw nothing; so do empty images and zero-sized frames.
#pragma once

#include <windows.h>

#include <memory>

#include "toolkit/graphics/bitmap.h"

// The key colour of skin images: pixels of exactly this colour are transparent.
constexpr COLORREF SKIN_KEY_COLOUR = RGB(255, 0, 255);

// A new bitmap of destRect's size (only its size matters) made from one frame; null for a
// degenerate rectangle or an empty image. 24 bits per pixel, so the key colour stays exact.
std::unique_ptr<TBitmap> BuildSkinBitmap(const RECT& destRect, TBitmap& image, const RECT& margins,
                                         bool framesVertical, bool tileCentre, int frameCount,
                                         int frameIndex);

// BuildSkinBitmap, then one copy to dc at destRect (transparent: magenta left unpainted).
void DrawSkinObject(HDC dc, const RECT& destRect, TBitmap& image, bool framesVertical, bool tileCentre,
                    bool transparent, int frameCount, int frameIndex, const RECT& margins);

// Three-slice horizontal strip: caps at natural width, the middle repeated (caption-text
// backgrounds, the menu bar). Only the left and right margins are used.
void DrawSkinStrip(HDC dc, const RECT& destRect, TBitmap& image, bool framesVertical, bool transparent,
                   int frameCount, int frameIndex, const RECT& margins);

// Three-slice horizontal strip with a stretched middle, drawn straight into dc.
void StretchSkinStrip(HDC dc, const RECT& destRect, TBitmap& image, bool framesVertical, int frameCount,
                      int frameIndex, const RECT& margins);

// One frame of a horizontally framed image, stretched to destRect.
void DrawSkinFrame(HDC dc, const RECT& destRect, TBitmap& image, bool transparent, int frameCount,
                   int frameIndex);

// One frame at its natural size, centred in destRect.
void DrawSkinFrameCentered(HDC dc, const RECT& destRect, TBitmap& image, bool transparent, int frameCount,
                           int frameIndex);

// Repeats srcRect of image over destRect from its top-left corner; the last row and column
// overrun destRect (the destination's clipping cuts them).
void TileBitmap(HDC dc, const RECT& destRect, TBitmap& image, const RECT& srcRect);

// Copies the bitmap (from its origin, unscaled) to destRect, leaving the destination alone
// where the bitmap has keyColour.
void DrawTransparentBitmap(HDC dc, const RECT& destRect, TBitmap& bitmap, COLORREF keyColour);

// The ways DrawTransparentBitmap can make its copy. Pixels compares and copies the pixels
// itself: it needs a 24- or 32-bit bitmap, an RGB key and a memory DC holding a 24- or 32-bit
// DIB section with no scaling, mirroring or complex clipping. Otherwise a monochrome mask does
// it through GDI: MaskBlt on NT, three raster operations where MaskBlt is missing.
enum class TKeyCopy { Pixels, MaskBlt, ThreeBlts };
// The way DrawTransparentBitmap takes for this DC and bitmap.
TKeyCopy ChooseKeyCopy(HDC dc, TBitmap& bitmap, COLORREF keyColour);
// DrawTransparentBitmap by the given way (tests and benchmarks compare them). False, with
// nothing drawn, when Pixels is asked for where it cannot work.
bool DrawTransparentBitmapBy(TKeyCopy how, HDC dc, const RECT& destRect, TBitmap& bitmap, COLORREF keyColour);
