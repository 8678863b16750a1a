#include "tests/support/skin_mutator.h"

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>
#include <stdexcept>

#include "skin/res/quick_ini.h"
#include "skin/res/skin_reader.h"
#include "toolkit/graphics/bmp_decode.h"
#include "toolkit/graphics/bmp_encode.h"

namespace qs::test {

namespace {

// splitmix64: the same numbers on every compiler and library, unlike std's distributions.
class Random {
  public:
    explicit Random(uint64_t seed) : state_(seed) {}
    uint64_t Next() {
        uint64_t z = (state_ += 0x9E3779B97F4A7C15ull);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
        return z ^ (z >> 31);
    }
    // In [0, n); n > 0.
    size_t Below(size_t n) { return size_t(Next() % n); }
    // In [lo, hi].
    int64_t Between(int64_t lo, int64_t hi) { return lo + int64_t(Next() % uint64_t(hi - lo + 1)); }
    template <class T> const T& Pick(const std::vector<T>& v) { return v[Below(v.size())]; }
    // One that differs from what is there, so a case never leaves the skin as it was.
    template <class T> const T& PickOther(const std::vector<T>& v, const T& current) {
        for (int tries = 0; tries < 16; ++tries)
            if (const T& pick = Pick(v); !(pick == current)) return pick;
        return v.front() == current ? v.back() : v.front();
    }

  private:
    uint64_t state_;
};

bool EndsWith(const std::string& s, const std::string& tail) {
    return s.size() >= tail.size() && s.compare(s.size() - tail.size(), tail.size(), tail) == 0;
}

std::string Trim(const std::string& s) {
    const size_t a = s.find_first_not_of(" \t");
    if (a == std::string::npos) return {};
    return s.substr(a, s.find_last_not_of(" \t") - a + 1);
}

uint32_t Le32(const std::vector<uint8_t>& d, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4 && at + i < d.size(); ++i)
        v |= uint32_t(d[at + i]) << (8 * i);
    return v;
}

void PutLe(std::vector<uint8_t>& d, size_t at, uint32_t v, size_t bytes) {
    for (size_t i = 0; i < bytes && at + i < d.size(); ++i)
        d[at + i] = uint8_t(v >> (8 * i));
}

// The ini member as lines, and its key lines with their sections.
struct IniText {
    struct Entry {
        size_t line;
        std::string section; // as written between the brackets
        std::string key;
        std::string value;
    };
    std::vector<std::string> lines;
    std::vector<Entry> entries;
    std::vector<std::string> sections;

    explicit IniText(const std::vector<uint8_t>& data) {
        std::string line;
        for (uint8_t c : data) {
            if (c == '\n') {
                if (!line.empty() && line.back() == '\r') line.pop_back();
                lines.push_back(line);
                line.clear();
            } else {
                line += char(c);
            }
        }
        if (!line.empty()) lines.push_back(line);
        std::string section;
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string t = Trim(lines[i]);
            if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
                section = t.substr(1, t.size() - 2);
                sections.push_back(section);
                continue;
            }
            const size_t eq = t.find('=');
            if (eq == std::string::npos || t[0] == ';' || section.empty()) continue;
            entries.push_back({i, section, Trim(t.substr(0, eq)), Trim(t.substr(eq + 1))});
        }
    }
    std::vector<uint8_t> Bytes() const {
        std::string out;
        for (const std::string& l : lines)
            out += l + "\r\n";
        return std::vector<uint8_t>(out.begin(), out.end());
    }
    std::vector<const Entry*> Where(const std::function<bool(const Entry&)>& keep) const {
        std::vector<const Entry*> out;
        for (const Entry& e : entries)
            if (keep(e)) out.push_back(&e);
        return out;
    }
    // The line after a section's last line, where a key added to it goes.
    size_t SectionEnd(const std::string& section) const {
        bool inside = false;
        size_t end = lines.size();
        for (size_t i = 0; i < lines.size(); ++i) {
            const std::string t = Trim(lines[i]);
            if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
                if (inside) return end;
                inside = t.substr(1, t.size() - 2) == section;
            }
            if (inside) end = i + 1;
        }
        return end;
    }
};

bool IsNumeric(const std::string& value) {
    int32_t ignored = 0;
    return !value.empty() && IniValueToInteger(value, ignored);
}

std::string LowerKey(const std::string& key) {
    return AsciiLower(key);
}

bool IsFrameKey(const std::string& key) {
    return EndsWith(LowerKey(key), "frame");
}

bool IsMarginKey(const std::string& key) {
    const std::string k = LowerKey(key);
    return k.find("width") != std::string::npos || k.find("height") != std::string::npos ||
           k == "tileleftmenu" || k == "tilerightmenu";
}

const std::vector<std::string> kExtremes = {
    "0",          "-1", "2147483647", "-2147483648", "abc",   "",           "99999999999", "$FFFFFFFF",
    "0x80000000", "-0", "1e9",        "32767",       "65536", "2147483648", "--5",         "0x"};

// One mutation in the making: the unpacked members, changed in place, then packed again.
struct Work {
    std::vector<TSkinMember> members;
    int32_t version;
    Random& random;
    SkinMutation out;

    int Find(const std::string& name) const {
        for (size_t i = 0; i < members.size(); ++i)
            if (members[i].name == name) return int(i);
        return -1;
    }
    int IniIndex() const {
        for (size_t i = 0; i < members.size(); ++i)
            if (members[i].name.find(".ini") != std::string::npos) return int(i);
        return -1;
    }
    std::vector<int> Images() const {
        std::vector<int> out;
        for (size_t i = 0; i < members.size(); ++i)
            if (EndsWith(members[i].name, ".bmp")) out.push_back(int(i));
        return out;
    }
    // An image member, or -1 when the skin has none.
    int AnImage() {
        const std::vector<int> images = Images();
        return images.empty() ? -1 : random.Pick(images);
    }
    // The width and height a BMP member's header gives (0 when it has none).
    std::pair<int64_t, int64_t> Size(const std::string& member) const {
        const int i = Find(AsciiLower(ImageMemberName(member)));
        if (i < 0) return {0, 0};
        const std::vector<uint8_t>& d = members[size_t(i)].data;
        if (d.size() < 26 || d[0] != 'B' || d[1] != 'M') return {0, 0};
        if (Le32(d, 14) == 12) return {Le32(d, 18) & 0xFFFF, Le32(d, 20) & 0xFFFF};
        return {std::llabs(int64_t(int32_t(Le32(d, 18)))), std::llabs(int64_t(int32_t(Le32(d, 22))))};
    }
    IniText Ini() const {
        const int i = IniIndex();
        return IniText(i < 0 ? std::vector<uint8_t>{} : members[size_t(i)].data);
    }
    void SetIni(const IniText& ini) {
        const int i = IniIndex();
        if (i >= 0) members[size_t(i)].data = ini.Bytes();
    }
    void Say(const std::string& text) { out.description = text; }
    void Pack() { out.bytes = WriteCompressedSkin(members, version); }
};

// The image a key of the section draws from: the key with "Frame" (or a margin's side) dropped
// in [Personality] style sections, else the section's first image.
std::string ImageOf(const IniText& ini, const IniText::Entry& e) {
    const std::string k = LowerKey(e.key);
    for (const char* cut : {"frame", "topheight", "botheight", "trans"}) {
        if (EndsWith(k, cut) && k.size() > std::string(cut).size()) {
            const std::string base = k.substr(0, k.size() - std::string(cut).size());
            for (const IniText::Entry& other : ini.entries)
                if (other.section == e.section && LowerKey(other.key) == base) return other.value;
        }
    }
    for (const IniText::Entry& other : ini.entries)
        if (other.section == e.section && EndsWith(AsciiLower(other.value), ".bmp")) return other.value;
    return {};
}

void IniValue(Work& w) {
    IniText ini = w.Ini();
    const auto numeric = ini.Where([](const IniText::Entry& e) { return IsNumeric(e.value); });
    std::string value = w.random.Pick(kExtremes);
    // A quarter of the cases give a section a numeric key it lacks, seen elsewhere in the skin.
    if (!numeric.empty() && !ini.sections.empty() && w.random.Below(4) == 0) {
        const std::string key = w.random.Pick(numeric)->key;
        const std::string section = w.random.Pick(ini.sections);
        const bool has = !ini.Where([&](const IniText::Entry& e) {
                                 return e.section == section && LowerKey(e.key) == LowerKey(key);
                             })
                              .empty();
        if (!has) {
            ini.lines.insert(ini.lines.begin() + long(ini.SectionEnd(section)), key + "=" + value);
            w.SetIni(ini);
            w.Say("[" + section + "] " + key + "=" + value + " added");
            return;
        }
    }
    if (numeric.empty()) {
        w.Say("no numeric key to change");
        return;
    }
    const IniText::Entry& e = *w.random.Pick(numeric);
    if (value == e.value) value = w.random.PickOther(kExtremes, e.value);
    ini.lines[e.line] = e.key + "=" + value;
    w.SetIni(ini);
    w.Say("[" + e.section + "] " + e.key + "=" + value + " (was " + e.value + ")");
}

void IniAll(Work& w) {
    IniText ini = w.Ini();
    const std::string value = w.random.Pick(kExtremes);
    int changed = 0;
    for (const IniText::Entry& e : ini.entries) {
        if (!IsNumeric(e.value)) continue;
        ini.lines[e.line] = e.key + "=" + value;
        ++changed;
    }
    w.SetIni(ini);
    w.Say("every numeric key (" + std::to_string(changed) + ") =" + value);
}

void IniGarble(Work& w) {
    const int i = w.IniIndex();
    if (i < 0) {
        w.Say("no ini to garble");
        return;
    }
    std::vector<uint8_t>& d = w.members[size_t(i)].data;
    switch (w.random.Below(6)) {
    case 0:
        std::erase_if(d, [](uint8_t c) { return c == '\r' || c == '\n'; });
        w.Say("ini with every line break removed");
        break;
    case 1:
        for (uint8_t& c : d)
            if (w.random.Below(16) == 0) c = 0;
        w.Say("ini with NUL bytes scattered through it");
        break;
    case 2:
        for (uint8_t& c : d)
            c = uint8_t(w.random.Next());
        w.Say("ini replaced by random bytes");
        break;
    case 3:
        std::erase(d, uint8_t('='));
        w.Say("ini without any '='");
        break;
    case 4:
        std::erase(d, uint8_t(']'));
        w.Say("ini whose section headers are never closed");
        break;
    default: {
        const std::string line = "[Personality]\r\nLeft=" + std::string(200000, 'x') + ".bmp\r\n";
        d.insert(d.begin(), line.begin(), line.end());
        w.Say("ini starting with a 200000-character image name");
        break;
    }
    }
}

void FrameCount(Work& w) {
    IniText ini = w.Ini();
    const auto frames =
        ini.Where([](const IniText::Entry& e) { return IsFrameKey(e.key) && IsNumeric(e.value); });
    if (frames.empty()) {
        w.Say("no frame count to change");
        return;
    }
    const IniText::Entry& e = *w.random.Pick(frames);
    const int64_t width = std::max<int64_t>(w.Size(ImageOf(ini, e)).first, 1);
    const std::vector<int64_t> counts = {0,      -1,         width + 1,      width * 3 + 7,
                                         100000, 2147483647, -2147483647 - 1};
    const std::string value =
        std::to_string(w.random.PickOther(counts, int64_t(std::atoll(e.value.c_str()))));
    ini.lines[e.line] = e.key + "=" + value;
    w.SetIni(ini);
    w.Say("[" + e.section + "] " + e.key + "=" + value + " over an image " + std::to_string(width) + " wide");
}

void Margins(Work& w) {
    IniText ini = w.Ini();
    const auto margins =
        ini.Where([](const IniText::Entry& e) { return IsMarginKey(e.key) && IsNumeric(e.value); });
    if (margins.empty()) {
        w.Say("no margin to change");
        return;
    }
    const IniText::Entry& pick = *w.random.Pick(margins);
    const auto [width, height] = w.Size(ImageOf(ini, pick));
    const int64_t side = std::max(width, height);
    const std::vector<int64_t> values = {side + 1, side * 2 + 7, 32767, 1000000, 2147483647};
    const std::string value = std::to_string(w.random.Pick(values));
    // Every margin of the section at once, or only the one picked.
    const bool all = w.random.Below(2) == 0;
    for (const IniText::Entry& e : ini.entries)
        if (e.section == pick.section && IsMarginKey(e.key) && IsNumeric(e.value) && (all || &e == &pick))
            ini.lines[e.line] = e.key + "=" + value;
    w.SetIni(ini);
    w.Say("[" + pick.section + "] " + (all ? std::string("every margin") : pick.key) + "=" + value +
          " over an image " + std::to_string(width) + "x" + std::to_string(height));
}

// Any member, the description's among them.
size_t AnyMember(Work& w) {
    return w.random.Below(w.members.size());
}

void MemberMissing(Work& w) {
    const size_t i = AnyMember(w);
    w.Say(w.members[i].name + " removed");
    w.members.erase(w.members.begin() + long(i));
}

void MemberDuplicated(Work& w) {
    const size_t i = AnyMember(w), j = AnyMember(w);
    TSkinMember copy{w.members[i].name, w.members[j].data};
    const bool before = w.random.Below(2) == 0;
    w.Say(w.members[i].name + " twice, " + (before ? "first" : "second") + " copy holding " +
          w.members[j].name);
    w.members.insert(w.members.begin() + long(before ? i : i + 1), copy);
}

void MemberSwapped(Work& w) {
    const size_t i = AnyMember(w);
    size_t j = AnyMember(w);
    if (j == i) j = (i + 1) % w.members.size();
    std::swap(w.members[i].data, w.members[j].data);
    w.Say(w.members[i].name + " and " + w.members[j].name + " swapped");
}

void MemberTruncated(Work& w) {
    const size_t i = AnyMember(w);
    std::vector<uint8_t>& d = w.members[i].data;
    // The header boundaries first: a cut there reads as a plausible, short file.
    const std::vector<size_t> cuts = {
        1, 2, 14, 18, 30, 54, 60, d.size() / 2, d.size() > 1 ? d.size() - 1 : 0};
    const size_t cut =
        std::min(w.random.Below(3) ? w.random.Pick(cuts) : w.random.Below(d.size() + 1), d.size());
    w.Say(w.members[i].name + " cut to " + std::to_string(cut) + " of " + std::to_string(d.size()) +
          " bytes");
    d.resize(cut);
}

void MemberEmpty(Work& w) {
    const size_t i = AnyMember(w);
    w.members[i].data.clear();
    w.Say(w.members[i].name + " empty");
}

struct HeaderLie {
    const char* field;
    size_t offset;
    size_t bytes;
    std::vector<uint32_t> values;
};

void BmpHeader(Work& w) {
    const int i = w.AnImage();
    if (i < 0) {
        w.Say("no image to change");
        return;
    }
    std::vector<uint8_t>& d = w.members[size_t(i)].data;
    const uint32_t size = uint32_t(d.size());
    const uint32_t width = Le32(d, 18), height = Le32(d, 22);
    const std::vector<HeaderLie> lies = {
        {"bfSize", 2, 4, {0, 1, 0xFFFFFFFF, size * 2}},
        {"bfOffBits", 10, 4, {0, 14, 53, size, size + 100, 0xFFFFFFF0, 0x7FFFFFFF}},
        {"biSize", 14, 4, {0, 12, 39, 41, 64, 108, 124, 0xFFFFFFFF}},
        {"biWidth", 18, 4, {0, 0xFFFFFFFF, 32768, 0x7FFFFFFF, 0x80000000, width * 2, width + 1}},
        {"biHeight", 22, 4, {0, 0u - height, 0x7FFFFFFF, 0x80000000, height * 2, height + 1}},
        {"biPlanes", 26, 2, {0, 2, 0xFFFF}},
        {"biBitCount", 28, 2, {0, 1, 2, 4, 8, 16, 24, 32, 48, 64, 0xFFFF}},
        {"biCompression", 30, 4, {1, 2, 3, 4, 5, 6, 0xFFFFFFFF}},
        {"biSizeImage", 34, 4, {0, 1, size * 4, 0xFFFFFFFF}},
        {"biClrUsed", 46, 4, {1, 2, 255, 256, 257, 65536, 0x40000000, 0xFFFFFFFF}},
        {"biClrImportant", 50, 4, {0xFFFFFFFF, 257}},
    };
    const HeaderLie& lie = w.random.Pick(lies);
    const uint32_t mask = lie.bytes == 2 ? 0xFFFF : 0xFFFFFFFF;
    const uint32_t value = w.random.PickOther(lie.values, Le32(d, lie.offset) & mask);
    PutLe(d, lie.offset, value, lie.bytes);
    w.Say(w.members[size_t(i)].name + " " + lie.field + "=" + std::to_string(value) +
          (d.size() < lie.offset + lie.bytes ? " (past its end: unchanged)" : ""));
}

// A BMP of that depth with the image's pixels (grey levels for the indexed depths).
std::vector<uint8_t> Reencode(const BmpImage& source, int depth) {
    BmpImage out;
    out.width = source.width;
    out.height = source.height;
    out.bitsPerPixel = depth;
    out.pixels.assign(out.Stride() * size_t(out.height), 0);
    if (depth <= 8) {
        const uint32_t levels = 1u << depth;
        for (uint32_t n = 0; n < levels; ++n) {
            const uint32_t g = n * 255 / (levels - 1);
            out.palette.push_back(g << 16 | g << 8 | g);
        }
    }
    if (depth == 16) {
        out.redMask = 0xF800;
        out.greenMask = 0x07E0;
        out.blueMask = 0x001F;
    }
    for (int y = 0; y < out.height; ++y) {
        uint8_t* row = out.Row(y);
        for (int x = 0; x < out.width; ++x) {
            const uint32_t c = source.PixelRGB(x, y);
            const uint32_t r = c >> 16 & 0xFF, g = c >> 8 & 0xFF, b = c & 0xFF;
            switch (depth) {
            case 1:
            case 4:
            case 8: {
                const uint32_t index = ((r * 30 + g * 59 + b * 11) / 100) >> (8 - depth);
                const int bit = x * depth;
                row[bit / 8] |= uint8_t(index << (8 - depth - bit % 8));
                break;
            }
            case 16: {
                const uint32_t v = (r >> 3) << 11 | (g >> 2) << 5 | b >> 3;
                row[2 * x] = uint8_t(v);
                row[2 * x + 1] = uint8_t(v >> 8);
                break;
            }
            case 24:
                row[3 * x] = uint8_t(b);
                row[3 * x + 1] = uint8_t(g);
                row[3 * x + 2] = uint8_t(r);
                break;
            default:
                row[4 * x] = uint8_t(b);
                row[4 * x + 1] = uint8_t(g);
                row[4 * x + 2] = uint8_t(r);
                break;
            }
        }
    }
    return EncodeBmp(out);
}

// The member's image, or a small stripe pattern when it does not decode.
BmpImage Decoded(const std::vector<uint8_t>& d) {
    try {
        return DecodeBmp(d.data(), d.size());
    } catch (const std::exception&) {
        BmpImage stripes;
        stripes.width = 8;
        stripes.height = 8;
        stripes.pixels.assign(stripes.Stride() * 8, 0);
        for (int y = 0; y < 8; ++y)
            for (int x = 0; x < 8; ++x)
                stripes.Row(y)[3 * x + 1] = uint8_t(x % 2 ? 255 : 0);
        return stripes;
    }
}

void BmpDepth(Work& w) {
    const int i = w.AnImage();
    if (i < 0) {
        w.Say("no image to change");
        return;
    }
    std::vector<uint8_t>& d = w.members[size_t(i)].data;
    const BmpImage source = Decoded(d);
    const std::vector<int> valid = {1, 4, 8, 16, 24, 32};
    const std::vector<uint32_t> invalid = {0, 2, 3, 7, 15, 31, 33, 64, 0xFFFF};
    const std::string name = w.members[size_t(i)].name;
    if (w.random.Below(4) == 0) {
        d = Reencode(source, 24);
        const uint32_t depth = w.random.Pick(invalid);
        PutLe(d, 28, depth, 2);
        w.Say(name + " claiming " + std::to_string(depth) + " bits a pixel");
        return;
    }
    const int depth = w.random.Pick(valid);
    d = Reencode(source, depth);
    // Half of them top-down: negative height, rows reversed.
    if (w.random.Below(2) == 0 && source.height > 0) {
        const size_t stride = BmpImage::RowBytes(source.width, depth), offset = Le32(d, 10);
        std::vector<uint8_t> rows(d.begin() + long(offset), d.end());
        for (int y = 0; y < source.height; ++y)
            std::copy_n(rows.begin() + long(stride * size_t(source.height - 1 - y)), stride,
                        d.begin() + long(offset + stride * size_t(y)));
        PutLe(d, 22, uint32_t(-source.height), 4);
        w.Say(name + " at " + std::to_string(depth) + " bits a pixel, top-down");
        return;
    }
    w.Say(name + " at " + std::to_string(depth) + " bits a pixel");
}

void BmpTiny(Work& w) {
    const int i = w.AnImage();
    if (i < 0) {
        w.Say("no image to change");
        return;
    }
    const std::vector<std::pair<int, int>> sizes = {{1, 1}, {0, 0}, {1, 1}, {0, 5}, {5, 0}};
    const auto [width, height] = w.random.Pick(sizes);
    const int depth = w.random.Pick(std::vector<int>{1, 4, 8, 16, 24, 32});
    BmpImage tiny;
    tiny.width = width;
    tiny.height = height;
    tiny.pixels.assign(BmpImage::RowBytes(width, 24) * size_t(height), 0x80);
    w.members[size_t(i)].data = Reencode(tiny, depth);
    w.Say(w.members[size_t(i)].name + " " + std::to_string(width) + "x" + std::to_string(height) + " at " +
          std::to_string(depth) + " bits");
}

void ArchiveVersion(Work& w) {
    const std::vector<int32_t> versions = {0, 1, -1, 10000, 19999, 20001, 69999, 70001, 80000, 2147483647};
    w.version = w.random.Pick(versions);
    w.out.verdict = SkinVerdict::Refused;
    w.Say("archive version " + std::to_string(w.version));
}

void ArchiveTruncated(Work& w) {
    w.Pack();
    // At most three quarters kept: the stream then cannot produce the size it announces.
    const size_t keep = w.random.Below(w.out.bytes.size() * 3 / 4 + 1);
    w.Say("compressed stream cut to " + std::to_string(keep) + " of " + std::to_string(w.out.bytes.size()) +
          " bytes");
    w.out.bytes.resize(keep);
    w.out.verdict = SkinVerdict::Refused;
}

void ArchiveSize(Work& w) {
    w.Pack();
    const uint32_t real = Le32(w.out.bytes, 0);
    const std::vector<uint32_t> sizes = {
        0, 1, real / 2, real - 1, real + 1, real * 2, 0x7FFFFFFF, 0x80000000, 64u * 1024 * 1024 + 1};
    const uint32_t size = w.random.Pick(sizes);
    PutLe(w.out.bytes, 0, size, 4);
    w.Say("compressed stream announcing " + std::to_string(int32_t(size)) + " bytes (really " +
          std::to_string(real) + ")");
    // Beyond what the codec takes at all: never read.
    w.out.verdict = int32_t(size) > 64 * 1024 * 1024 ? SkinVerdict::Refused : SkinVerdict::Either;
}

void ArchiveBits(Work& w) {
    w.Pack();
    if (w.out.bytes.size() <= 4) return;
    const int flips = int(w.random.Between(1, 8));
    for (int n = 0; n < flips; ++n) {
        const size_t at = 4 + w.random.Below(w.out.bytes.size() - 4);
        w.out.bytes[at] ^= uint8_t(1u << w.random.Below(8));
    }
    w.Say(std::to_string(flips) + " bits flipped in the compressed stream");
    w.out.verdict = SkinVerdict::Either;
}

struct Kind {
    const char* name;
    void (*make)(Work&);
    SkinVerdict verdict; // unless the maker says otherwise
};

const std::vector<Kind>& KindTable() {
    static const std::vector<Kind> kinds = {
        {"ini-value", IniValue, SkinVerdict::Accepted},
        {"ini-all", IniAll, SkinVerdict::Accepted},
        {"ini-text", IniGarble, SkinVerdict::Accepted},
        {"frame-count", FrameCount, SkinVerdict::Accepted},
        {"margins", Margins, SkinVerdict::Accepted},
        {"member-missing", MemberMissing, SkinVerdict::Accepted},
        {"member-duplicated", MemberDuplicated, SkinVerdict::Accepted},
        {"member-swapped", MemberSwapped, SkinVerdict::Accepted},
        {"member-truncated", MemberTruncated, SkinVerdict::Accepted},
        {"member-empty", MemberEmpty, SkinVerdict::Accepted},
        {"bmp-header", BmpHeader, SkinVerdict::Accepted},
        {"bmp-depth", BmpDepth, SkinVerdict::Accepted},
        {"bmp-tiny", BmpTiny, SkinVerdict::Accepted},
        {"archive-version", ArchiveVersion, SkinVerdict::Refused},
        {"archive-truncated", ArchiveTruncated, SkinVerdict::Refused},
        {"archive-size", ArchiveSize, SkinVerdict::Either},
        {"archive-bits", ArchiveBits, SkinVerdict::Either},
    };
    return kinds;
}

} // namespace

uint64_t CaseSeed(uint64_t seed, uint64_t n) {
    Random r(seed ^ (n * 0xD1B54A32D192ED03ull));
    return r.Next();
}

SkinMutator::SkinMutator(const std::vector<uint8_t>& packed) {
    TSkinReader reader;
    if (!reader.ReadArchive(packed)) throw std::invalid_argument("not a skin archive");
    version_ = reader.Version();
    size_t offset = 0;
    for (int i = 0; i < reader.Count(); ++i) {
        const size_t size = size_t(reader.Sizes()[size_t(i)]);
        const auto from = reader.MemberData().begin() + long(offset);
        members_.push_back({reader.Names()[size_t(i)], std::vector<uint8_t>(from, from + long(size))});
        offset += size;
    }
    if (members_.empty()) throw std::invalid_argument("a skin without members");
}

const std::vector<std::string>& SkinMutator::Kinds() {
    static const std::vector<std::string> names = [] {
        std::vector<std::string> out;
        for (const Kind& k : KindTable())
            out.push_back(k.name);
        return out;
    }();
    return names;
}

SkinMutation SkinMutator::Mutate(const std::string& kind, uint64_t seed) const {
    const auto& table = KindTable();
    const auto k = std::find_if(table.begin(), table.end(), [&](const Kind& x) { return kind == x.name; });
    if (k == table.end()) throw std::invalid_argument("no mutation kind " + kind);
    Random random(seed);
    Work w{members_, version_, random, {}};
    w.out.kind = k->name;
    w.out.verdict = k->verdict;
    k->make(w);
    if (w.out.bytes.empty() && std::string(k->name) != "archive-truncated") w.Pack();
    return w.out;
}

SkinMutation SkinMutator::Case(uint64_t seed, uint64_t n) const {
    return Mutate(Kinds()[size_t(n % Kinds().size())], CaseSeed(seed, n));
}

} // namespace qs::test
