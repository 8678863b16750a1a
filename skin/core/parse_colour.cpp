// Colours written as "r g b" in skin descriptions.
#include <cstdlib>
#include <string>

#include "skin/core/skin_data.h"

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

} // namespace

TColor ParseColour(const std::string& text) {
    int32_t parts[3] = {0, 0, 0};
    int stored = 0;
    std::string number;
    for (char c : trimmed(text)) {
        if (c >= '0' && c <= '9') {
            number += c;
        } else if (!number.empty()) {
            if (stored < 3) parts[stored++] = convert(number);
            number.clear();
        }
    }
    // A last number counts only as the third component: a lone number without separator is ignored.
    if (stored == 2 && !number.empty()) parts[stored++] = convert(number);
    return TColor((parts[0] & 0xFF) | (parts[1] & 0xFF) << 8 | (parts[2] & 0xFF) << 16);
}
