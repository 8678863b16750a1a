// The gallery's 16x16 menu icons, drawn in code: an image list for its menus and actions.
#pragma once

class TImageList;

enum TGalleryIcon { giNewWindow, giOpen, giCascade, giTile, giRefresh, giAbout, giCount };

// Replaces the list's images with the gallery's icons, in TGalleryIcon order.
void DrawGalleryIcons(TImageList& list);
