// Ini parsing and look-up rules: trimmed lines, case-insensitive sections and keys, the first
// occurrence wins, and every malformed value falls back to the caller's default.
#include "skin/res/quick_ini.h"

#include "skin/res/assertion.h"

namespace qs {

namespace {

bool IsBlank(char c) {
    return uint8_t(c) <= 32;
}

std::string Trim(const std::string& s) {
    size_t a = 0, b = s.size();
    while (a < b && IsBlank(s[a]))
        ++a;
    while (b > a && IsBlank(s[b - 1]))
        --b;
    return s.substr(a, b - a);
}

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c;
}

std::string LowerAscii(std::string s) {
    for (char& c : s)
        c = Lower(c);
    return s;
}

bool SameText(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i])) return false;
    return true;
}

bool IsHeader(const std::string& line) {
    return line.size() >= 1 && line.front() == '[' && line.back() == ']';
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

} // namespace

void TQuickIni::LoadFromMemory(const void* data, size_t size) {
    lines_.clear();
    sections_.clear();
    const char* p = static_cast<const char*>(data);
    const char* end = p + size;
    while (p < end && *p != '\0') {
        const char* start = p;
        while (p < end && *p != '\r' && *p != '\n' && *p != '\0')
            ++p;
        const std::string line = Trim(std::string(start, p));
        if (p < end && *p == '\r') ++p;
        if (p < end && *p == '\n') ++p;
        if (line.empty() || line.front() == ';') continue;
        lines_.push_back(line);
        if (IsHeader(line)) sections_.push_back({line, int32_t(lines_.size() - 1)});
    }
}

void TQuickIni::LoadFromStream(TStream& stream) {
    const std::vector<uint8_t> bytes = stream.ReadAll();
    LoadFromMemory(bytes.data(), bytes.size());
}

int32_t TQuickIni::SectionIndex(const std::string& section) const {
    const std::string header = "[" + section + "]";
    for (const Section& s : sections_)
        if (SameText(s.header, header)) return s.line;
    return -1;
}

std::string TQuickIni::ReadString(const std::string& section, const std::string& key,
                                  const std::string& def) const {
    const int32_t header = SectionIndex(section);
    if (header < 0) return def;
    const std::string wanted = LowerAscii(key);
    for (size_t i = size_t(header) + 1; i < lines_.size() && !IsHeader(lines_[i]); ++i) {
        const std::string& line = lines_[i];
        if (IniKeyOf(line) != wanted) continue;
        // The first occurrence decides, even when its value is empty.
        const size_t eq = line.find('=');
        if (eq == std::string::npos) return def;
        const std::string value = Trim(line.substr(eq + 1));
        return value.empty() ? def : value;
    }
    return def;
}

int32_t TQuickIni::ReadInteger(const std::string& section, const std::string& key, int32_t def) const {
    int32_t value = 0;
    return IniValueToInteger(ReadString(section, key, ""), value) ? value : def;
}

// A line without "=" has the empty key: it names nothing, so it never hides a later key.
std::string IniKeyOf(const std::string& line) {
    const size_t eq = line.find('=');
    return eq == std::string::npos ? std::string() : LowerAscii(Trim(line.substr(0, eq)));
}

bool IniValueToInteger(std::string text, int32_t& value) {
    if (text.size() >= 3 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) text = "$" + text.substr(2);
    return ParseIniInteger(text, value);
}

void TQuickIni::ReadSections(std::vector<std::string>* strings) const {
    if (strings == nullptr) throw EAssertionFailed("The parameter Strings is unassigned!", "Winskinini", 318);
    strings->clear();
    for (const Section& s : sections_)
        strings->push_back(Trim(s.header.substr(1, s.header.size() - 2)));
}

bool ParseIniInteger(const std::string& text, int32_t& value) {
    size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';

    uint32_t magnitude = 0;
    bool hex = false;
    if (i < text.size() && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == text.size()) return false;
    for (; i < text.size(); ++i) {
        if (hex) {
            const int d = HexDigit(text[i]);
            if (d < 0 || magnitude > 0x0FFFFFFFu) return false;
            magnitude = magnitude << 4 | uint32_t(d);
        } else {
            if (text[i] < '0' || text[i] > '9') return false;
            const uint32_t d = uint32_t(text[i] - '0');
            if (magnitude > (0x80000000u - d) / 10) return false;
            magnitude = magnitude * 10 + d;
        }
    }
    if (!hex && !negative && magnitude > 0x7FFFFFFFu) return false;
    value = int32_t(negative ? 0u - magnitude : magnitude);
    return true;
}

} // namespace qs
