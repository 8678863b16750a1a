// Pixel buffers and shape painting of the skin generator.
#include "skins/generator/image.h"

#include <algorithm>
#include <cmath>

namespace qs::skingen {

Colour Mix(Colour a, Colour b, int t) {
    t = std::clamp(t, 0, 255);
    auto ch = [t](int x, int y) { return (x * (255 - t) + y * t + 127) / 255; };
    return Rgb(ch(Red(a), Red(b)), ch(Green(a), Green(b)), ch(Blue(a), Blue(b)));
}
Colour Lighten(Colour c, int t) {
    return Mix(c, 0xFFFFFF, t);
}
Colour Darken(Colour c, int t) {
    return Mix(c, 0x000000, t);
}
int Luma(Colour c) {
    return (Red(c) * 299 + Green(c) * 587 + Blue(c) * 114) / 1000;
}
Colour Grey(Colour c) {
    int l = Luma(c);
    return Rgb(l, l, l);
}
bool IsKeyLike(Colour c) {
    return Red(c) == 255 && Green(c) <= 1 && Blue(c) == 255;
}
Colour Opaque(Colour c) {
    return IsKeyLike(c) ? Rgb(254, Green(c), 255) : c;
}

void Image::cover(int x, int y, Colour c, double coverage) {
    if (x < 0 || y < 0 || x >= w_ || y >= h_ || coverage <= 0.0) return;
    Colour& p = px_[size_t(y) * size_t(w_) + size_t(x)];
    if (p == kKey || coverage >= 1.0) {
        if (coverage >= 0.5) p = Opaque(c);
        return;
    }
    p = Opaque(Mix(p, c, int(coverage * 255.0 + 0.5)));
}

void Image::fill(const Rect& r, Colour c) {
    for (int y = std::max(0, r.top); y < std::min(h_, r.bottom); ++y)
        for (int x = std::max(0, r.left); x < std::min(w_, r.right); ++x)
            px_[size_t(y) * size_t(w_) + size_t(x)] = c;
}

void Image::frame(const Rect& r, Colour c) {
    if (r.width() <= 0 || r.height() <= 0) return;
    hline(r.left, r.right, r.top, c);
    hline(r.left, r.right, r.bottom - 1, c);
    vline(r.left, r.top, r.bottom, c);
    vline(r.right - 1, r.top, r.bottom, c);
}

void Image::hline(int x0, int x1, int y, Colour c) {
    for (int x = x0; x < x1; ++x)
        set(x, y, c);
}
void Image::vline(int x, int y0, int y1, Colour c) {
    for (int y = y0; y < y1; ++y)
        set(x, y, c);
}

void Image::gradientV(const Rect& r, Colour top, Colour bottom) {
    const int h = std::max(1, r.height() - 1);
    for (int y = r.top; y < r.bottom; ++y)
        hline(r.left, r.right, y, Mix(top, bottom, (y - r.top) * 255 / h));
}
void Image::gradientH(const Rect& r, Colour left, Colour right) {
    const int w = std::max(1, r.width() - 1);
    for (int x = r.left; x < r.right; ++x)
        vline(x, r.top, r.bottom, Mix(left, right, (x - r.left) * 255 / w));
}

void Image::bevel(const Rect& r, Colour light, Colour dark) {
    if (r.width() <= 0 || r.height() <= 0) return;
    hline(r.left, r.right, r.top, light);
    vline(r.left, r.top, r.bottom, light);
    hline(r.left, r.right, r.bottom - 1, dark);
    vline(r.right - 1, r.top + 1, r.bottom, dark);
}

namespace {
double Coverage(const Shape& s, int x, int y) {
    int n = 0;
    for (int j = 0; j < 4; ++j)
        for (int i = 0; i < 4; ++i)
            n += s(x + (i + 0.5) / 4.0, y + (j + 0.5) / 4.0) ? 1 : 0;
    return n / 16.0;
}
} // namespace

void Image::paint(const Rect& clip, const Shape& shape, Colour c) {
    for (int y = std::max(0, clip.top); y < std::min(h_, clip.bottom); ++y)
        for (int x = std::max(0, clip.left); x < std::min(w_, clip.right); ++x)
            cover(x, y, c, Coverage(shape, x, y));
}

void Image::cut(const Rect& clip, const Shape& keep) {
    for (int y = std::max(0, clip.top); y < std::min(h_, clip.bottom); ++y)
        for (int x = std::max(0, clip.left); x < std::min(w_, clip.right); ++x)
            if (Coverage(keep, x, y) < 0.5) set(x, y, kKey);
}

void Image::blit(const Image& src, int x, int y) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            set(x + i, y + j, src.at(i, j));
}
void Image::blitKeyed(const Image& src, int x, int y) {
    for (int j = 0; j < src.height(); ++j)
        for (int i = 0; i < src.width(); ++i)
            if (src.at(i, j) != kKey) set(x + i, y + j, src.at(i, j));
}

Image Image::crop(const Rect& r) const {
    Image out(std::max(0, r.width()), std::max(0, r.height()));
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (r.left + x >= 0 && r.top + y >= 0 && r.left + x < w_ && r.top + y < h_)
                out.set(x, y, at(r.left + x, r.top + y));
    return out;
}

Image Image::flippedV() const {
    Image out(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x)
            out.set(x, h_ - 1 - y, at(x, y));
    return out;
}

void Image::replace(Colour from, Colour to) {
    std::replace(px_.begin(), px_.end(), from, to);
}

Image JoinH(const std::vector<Image>& frames) {
    if (frames.empty()) return {};
    const int fw = frames[0].width(), fh = frames[0].height();
    Image out(fw * int(frames.size()), fh);
    for (size_t i = 0; i < frames.size(); ++i)
        out.blit(frames[i], fw * int(i), 0);
    return out;
}
Image JoinV(const std::vector<Image>& frames) {
    if (frames.empty()) return {};
    const int fw = frames[0].width(), fh = frames[0].height();
    Image out(fw, fh * int(frames.size()));
    for (size_t i = 0; i < frames.size(); ++i)
        out.blit(frames[i], 0, fh * int(i));
    return out;
}

Shape RoundRect(double l, double t, double r, double b, double radius) {
    return [=](double x, double y) {
        if (x < l || x > r || y < t || y > b) return false;
        // Not std::clamp: a radius past half the side (a pill's ends) makes the bounds cross, which clamp
        // does not allow; this takes the far bound then.
        const double cx = std::min(std::max(x, l + radius), r - radius);
        const double cy = std::min(std::max(y, t + radius), b - radius);
        return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
    };
}
Shape RoundRect(const Rect& rc, double radius) {
    return RoundRect(rc.left, rc.top, rc.right, rc.bottom, radius);
}

Shape RoundRect2(const Rect& rc, double topRadius, double bottomRadius) {
    const double mid = (rc.top + rc.bottom) / 2.0;
    Shape top = RoundRect(rc.left, rc.top, rc.right, rc.bottom + topRadius, topRadius);
    Shape bottom = RoundRect(rc.left, rc.top - bottomRadius, rc.right, rc.bottom, bottomRadius);
    return [=](double x, double y) { return y < mid ? top(x, y) : bottom(x, y); };
}

Shape Disc(double cx, double cy, double radius) {
    return [=](double x, double y) { return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius; };
}
Shape Ring(double cx, double cy, double outer, double inner) {
    return [=](double x, double y) {
        const double d = (x - cx) * (x - cx) + (y - cy) * (y - cy);
        return d <= outer * outer && d >= inner * inner;
    };
}
Shape Segment(double x0, double y0, double x1, double y1, double halfWidth) {
    return [=](double x, double y) {
        const double dx = x1 - x0, dy = y1 - y0, len2 = dx * dx + dy * dy;
        double t = len2 > 0 ? ((x - x0) * dx + (y - y0) * dy) / len2 : 0.0;
        t = std::clamp(t, 0.0, 1.0);
        const double ex = x - (x0 + t * dx), ey = y - (y0 + t * dy);
        return ex * ex + ey * ey <= halfWidth * halfWidth;
    };
}
Shape Triangle(double x0, double y0, double x1, double y1, double x2, double y2) {
    return [=](double x, double y) {
        auto side = [&](double ax, double ay, double bx, double by) {
            return (bx - ax) * (y - ay) - (by - ay) * (x - ax);
        };
        const double a = side(x0, y0, x1, y1), b = side(x1, y1, x2, y2), c = side(x2, y2, x0, y0);
        return (a >= 0 && b >= 0 && c >= 0) || (a <= 0 && b <= 0 && c <= 0);
    };
}
Shape Union(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) || b(x, y); };
}
Shape Minus(Shape a, Shape b) {
    return [a = std::move(a), b = std::move(b)](double x, double y) { return a(x, y) && !b(x, y); };
}

} // namespace qs::skingen
