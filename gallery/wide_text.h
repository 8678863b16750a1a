// UTF-8 and UTF-16 for the gallery's texts: file names arrive wide, messages are written in UTF-8.
#pragma once

#include <string>

std::string Utf8(const std::wstring& text);
std::wstring Wide(const std::string& utf8);
