// UTF-8, UTF-16 and wchar_t conversions for the form formats (texts are UTF-8, wide strings are
// stored as UTF-16 whatever the platform's wchar_t is).
#pragma once

#include <string>

// Strict: overlong forms, encoded surrogates and values above U+10FFFF are rejected.
bool Utf8ToUtf16(const std::string& utf8, std::u16string& out);
void AppendUtf8(std::string& out, char32_t codePoint);
// Decodes one code point at `pos` and advances it; false (pos unchanged) on a malformed sequence.
bool NextUtf8(const std::string& s, size_t& pos, char32_t& codePoint);

// A lone surrogate survives both directions, so any wide property value round-trips.
std::u16string WideToUtf16(const std::wstring& w);
std::wstring Utf16ToWide(const std::u16string& u);
