// Unicode conversions.
#include "toolkit/resource/unicode_text.h"

bool NextUtf8(const std::string& s, size_t& pos, char32_t& codePoint) {
    auto byte = [&](size_t i) { return static_cast<unsigned char>(s[i]); };
    unsigned char b = byte(pos);
    int extra;
    char32_t cp;
    if (b < 0x80) {
        codePoint = b;
        ++pos;
        return true;
    } else if ((b & 0xE0) == 0xC0) {
        extra = 1, cp = b & 0x1F;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, cp = b & 0x0F;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, cp = b & 0x07;
    } else {
        return false;
    }
    if (s.size() - pos <= size_t(extra)) return false;
    for (int i = 1; i <= extra; ++i) {
        unsigned char c = byte(pos + size_t(i));
        if ((c & 0xC0) != 0x80) return false;
        cp = (cp << 6) | (c & 0x3F);
    }
    static constexpr char32_t kMin[] = {0, 0x80, 0x800, 0x10000};
    if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return false;
    codePoint = cp;
    pos += size_t(extra) + 1;
    return true;
}

bool Utf8ToUtf16(const std::string& utf8, std::u16string& out) {
    out.clear();
    for (size_t pos = 0; pos < utf8.size();) {
        char32_t cp;
        if (!NextUtf8(utf8, pos, cp)) return false;
        if (cp >= 0x10000) {
            out += char16_t(0xD800 + ((cp - 0x10000) >> 10));
            out += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
        } else {
            out += char16_t(cp);
        }
    }
    return true;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | (cp >> 6));
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | (cp >> 12));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | (cp >> 18));
        out += char(0x80 | ((cp >> 12) & 0x3F));
        out += char(0x80 | ((cp >> 6) & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::u16string WideToUtf16(const std::wstring& w) {
    std::u16string out;
    for (wchar_t c : w) {
        auto cp = static_cast<char32_t>(c);
        if constexpr (sizeof(wchar_t) == 4) {
            if (cp >= 0x10000 && cp <= 0x10FFFF) {
                out += char16_t(0xD800 + ((cp - 0x10000) >> 10));
                out += char16_t(0xDC00 + ((cp - 0x10000) & 0x3FF));
                continue;
            }
        }
        out += char16_t(cp);
    }
    return out;
}

std::wstring Utf16ToWide(const std::u16string& u) {
    std::wstring out;
    for (size_t i = 0; i < u.size(); ++i) {
        char32_t c = u[i];
        if constexpr (sizeof(wchar_t) == 4) {
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < u.size() && u[i + 1] >= 0xDC00 && u[i + 1] <= 0xDFFF) {
                c = 0x10000 + ((c - 0xD800) << 10) + (u[++i] - 0xDC00);
            }
        }
        out += wchar_t(c);
    }
    return out;
}
