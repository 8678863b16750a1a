// Draws the program's icon at build time: a rounded blue tile with white viewfinder corners and a
// quill stroke, at 128, 96, 72, 64, 48, 32, 24 and 16 pixels, 32 bits with alpha.
// Usage: app_icon OUT.ico
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "toolkit/core/little_endian.h"

namespace {

struct RGBA {
    double r = 0, g = 0, b = 0, a = 0;
};

// Coverage of one shape at a point of the unit square (0..1 in both directions).
double roundedTile(double x, double y) {
    const double r = 0.18, m = 0.04;
    const double cx = std::clamp(x, m + r, 1 - m - r), cy = std::clamp(y, m + r, 1 - m - r);
    return std::hypot(x - cx, y - cy) <= r ? 1 : 0;
}

bool viewfinder(double x, double y) {
    const double lo = 0.22, hi = 0.78, len = 0.16, w = 0.06;
    auto nearEdge = [&](double v, double edge) { return std::abs(v - edge) <= w / 2; };
    auto inCorner = [&](double v, double edge) { return std::abs(v - edge) <= len; };
    for (double ex : {lo, hi})
        for (double ey : {lo, hi}) {
            if (nearEdge(x, ex) && inCorner(y, ey) && (ey == lo ? y >= lo - w / 2 : y <= hi + w / 2))
                return true;
            if (nearEdge(y, ey) && inCorner(x, ex) && (ex == lo ? x >= lo - w / 2 : x <= hi + w / 2))
                return true;
        }
    return false;
}

bool quill(double x, double y) {
    // A tapering stroke from the lower left towards the upper right.
    const double ax = 0.33, ay = 0.68, bx = 0.68, by = 0.33;
    const double dx = bx - ax, dy = by - ay, len2 = dx * dx + dy * dy;
    const double t = std::clamp(((x - ax) * dx + (y - ay) * dy) / len2, 0.0, 1.0);
    const double px = ax + t * dx, py = ay + t * dy;
    return std::hypot(x - px, y - py) <= 0.015 + 0.06 * t;
}

RGBA sample(double x, double y) {
    if (!roundedTile(x, y)) return {};
    // Vertical gradient from a bright to a deep blue.
    RGBA c{0x2F + (0x16 - 0x2F) * y, 0x80 + (0x3A - 0x80) * y, 0xD0 + (0x6E - 0xD0) * y, 255};
    if (viewfinder(x, y) || quill(x, y)) c = RGBA{250, 250, 250, 255};
    return c;
}

std::vector<uint32_t> render(int size) {
    constexpr int ss = 4; // samples per pixel side
    std::vector<uint32_t> px(size_t(size) * size_t(size));
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            RGBA sum;
            for (int sy = 0; sy < ss; ++sy)
                for (int sx = 0; sx < ss; ++sx) {
                    const RGBA s = sample((x + (sx + 0.5) / ss) / size, (y + (sy + 0.5) / ss) / size);
                    sum.r += s.r * s.a;
                    sum.g += s.g * s.a;
                    sum.b += s.b * s.a;
                    sum.a += s.a;
                }
            const double a = sum.a / (ss * ss);
            const auto chan = [&](double v) { return uint32_t(sum.a > 0 ? std::lround(v / sum.a) : 0); };
            px[size_t(y) * size_t(size) + size_t(x)] =
                uint32_t(std::lround(a)) << 24 | chan(sum.r) << 16 | chan(sum.g) << 8 | chan(sum.b);
        }
    return px;
}

// One icon image: BITMAPINFOHEADER (height doubled), BGRA rows bottom-up, then the AND mask.
std::vector<uint8_t> iconImage(int size) {
    const std::vector<uint32_t> px = render(size);
    const int maskStride = ((size + 31) / 32) * 4;
    std::vector<uint8_t> o;
    PutLE32(o, 40);
    PutLE32(o, uint32_t(size));
    PutLE32(o, uint32_t(size * 2));
    PutLE16(o, 1);
    PutLE16(o, 32);
    PutLE32(o, 0);
    PutLE32(o, uint32_t(size * size * 4 + maskStride * size));
    PutLE32(o, 0);
    PutLE32(o, 0);
    PutLE32(o, 0);
    PutLE32(o, 0);
    for (int y = size - 1; y >= 0; --y)
        for (int x = 0; x < size; ++x)
            PutLE32(o, px[size_t(y) * size_t(size) + size_t(x)]);
    for (int y = size - 1; y >= 0; --y) {
        std::vector<uint8_t> row(size_t(maskStride), 0);
        for (int x = 0; x < size; ++x)
            if ((px[size_t(y) * size_t(size) + size_t(x)] >> 24) < 128)
                row[size_t(x / 8)] |= uint8_t(0x80 >> (x % 8));
        o.insert(o.end(), row.begin(), row.end());
    }
    return o;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 || std::string(argv[1]) == "--help") {
        std::fprintf(argc == 2 ? stdout : stderr, "usage: app_icon OUT.ico\n");
        return argc == 2 ? 0 : 2;
    }
    const int sizes[] = {128, 96, 72, 64, 48, 32, 24, 16};
    std::vector<std::vector<uint8_t>> images;
    for (int s : sizes)
        images.push_back(iconImage(s));
    std::vector<uint8_t> out;
    PutLE16(out, 0);
    PutLE16(out, 1);
    PutLE16(out, uint32_t(images.size()));
    uint32_t offset = 6 + 16 * uint32_t(images.size());
    for (size_t i = 0; i < images.size(); ++i) {
        out.push_back(uint8_t(sizes[i]));
        out.push_back(uint8_t(sizes[i]));
        out.push_back(0);
        out.push_back(0);
        PutLE16(out, 1);
        PutLE16(out, 32);
        PutLE32(out, uint32_t(images[i].size()));
        PutLE32(out, offset);
        offset += uint32_t(images[i].size());
    }
    for (const auto& img : images)
        out.insert(out.end(), img.begin(), img.end());
    std::ofstream f(argv[1], std::ios::binary);
    f.write(reinterpret_cast<const char*>(out.data()), std::streamsize(out.size()));
    if (!f) {
        std::fprintf(stderr, "app_icon: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
