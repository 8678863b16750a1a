// A screenshot of a window with its frame, as a person sees it: read back from the screen.
#pragma once

#include <windows.h>

#include <string>

// Writes the window's rectangle of the screen to `path`: PNG, or BMP when the name ends in
// ".bmp". False with the reason when it cannot.
bool SaveWindowShot(HWND window, const std::wstring& path, std::string& error);
