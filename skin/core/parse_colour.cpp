// Colours written as "r g b" in skin descriptions.
#include "skin/core/parse_colour.h"

#include <cstdint>
#include <cstdlib>

namespace {

std::string trimmed(const std::string& s) {
    size_t b = 0, e = s.size();
    while (b < e && static_cast<unsigned char>(s[b]) <= 32)
        ++b;
    while (e > b && static_cast<unsigned char>(s[e - 1]) <= 32)
        --e;
    return s.substr(b, e - b);
}

// A number string that does not fit an int32 counts as 0.
int32_t convert(const std::string& digits) {
    if (digits.size() > 10) return 0;
    long long v = std::atoll(digits.c_str());
    return v > 0x7FFFFFFF ? 0 : int32_t(v);
}

// The components as stored, and how many; the number strings are kept to tell a wrap.
int components(const std::string& text, int32_t (&parts)[3], std::string (&digits)[3]) {
    int stored = 0;
    std::string number;
    for (char c : trimmed(text)) {
        if (c >= '0' && c <= '9') {
            number += c;
        } else if (!number.empty()) {
            if (stored < 3) {
                digits[stored] = number;
                parts[stored++] = convert(number);
            }
            number.clear();
        }
    }
    // A last number counts only as the third component: a lone number without separator is ignored.
    if (stored == 2 && !number.empty()) {
        digits[stored] = number;
        parts[stored++] = convert(number);
    }
    return stored;
}

} // namespace

TColor ParseColour(const std::string& text) {
    int32_t parts[3] = {0, 0, 0};
    std::string digits[3];
    components(text, parts, digits);
    return TColor((parts[0] & 0xFF) | (parts[1] & 0xFF) << 8 | (parts[2] & 0xFF) << 16);
}

TColourReading ReadColourText(const std::string& text) {
    int32_t parts[3] = {0, 0, 0};
    std::string digits[3];
    TColourReading r;
    r.components = components(text, parts, digits);
    for (int i = 0; i < r.components; ++i)
        if (parts[i] > 255 || (parts[i] == 0 && digits[i].find_first_not_of('0') != std::string::npos))
            r.wrapped = true;
    return r;
}
