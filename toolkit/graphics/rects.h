// The size of a Win32 rectangle.
#pragma once

#include <windows.h>

inline int RectWidth(const RECT& r) {
    return r.right - r.left;
}
inline int RectHeight(const RECT& r) {
    return r.bottom - r.top;
}
