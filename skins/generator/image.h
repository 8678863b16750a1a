// 24-bit pixel buffers and the shape painting the skin generator draws with.
// Shapes are anti-aliased by supersampling, except against the magenta key: a pixel that would be a blend of
// a colour and magenta is decided all-or-nothing, because the region builder treats colours next to magenta
// as transparent and a blended edge would leave a ragged window outline.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace qs::skingen {

using Colour = uint32_t; // 0x00RRGGBB
constexpr Colour kKey = 0xFF00FF;

constexpr Colour Rgb(int r, int g, int b) {
    return Colour(r & 255) << 16 | Colour(g & 255) << 8 | Colour(b & 255);
}
constexpr int Red(Colour c) {
    return int(c >> 16 & 255);
}
constexpr int Green(Colour c) {
    return int(c >> 8 & 255);
}
constexpr int Blue(Colour c) {
    return int(c & 255);
}

// a at t = 0, b at t = 255.
Colour Mix(Colour a, Colour b, int t);
Colour Lighten(Colour c, int t);
Colour Darken(Colour c, int t);
Colour Grey(Colour c); // same luminance, no hue
int Luma(Colour c);
// The key itself, or a colour the region builder would mistake for it.
bool IsKeyLike(Colour c);
// Moves a key-like colour that is not the key one step off, so it stays opaque everywhere.
Colour Opaque(Colour c);

struct Rect {
    int left = 0, top = 0, right = 0, bottom = 0;
    int width() const { return right - left; }
    int height() const { return bottom - top; }
    Rect inset(int d) const { return {left + d, top + d, right - d, bottom - d}; }
    Rect inset(int dx, int dy) const { return {left + dx, top + dy, right - dx, bottom - dy}; }
    Rect moved(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
};

// Inside test at a sub-pixel position (pixel centres are at .5).
using Shape = std::function<bool(double x, double y)>;

class Image {
  public:
    Image() = default;
    Image(int w, int h, Colour fill = kKey) : w_(w), h_(h), px_(size_t(w) * size_t(h), fill) {}

    int width() const { return w_; }
    int height() const { return h_; }
    bool empty() const { return w_ <= 0 || h_ <= 0; }
    Rect bounds() const { return {0, 0, w_, h_}; }
    Colour at(int x, int y) const { return px_[size_t(y) * size_t(w_) + size_t(x)]; }
    void set(int x, int y, Colour c) {
        if (x >= 0 && y >= 0 && x < w_ && y < h_) px_[size_t(y) * size_t(w_) + size_t(x)] = c;
    }
    const std::vector<Colour>& pixels() const { return px_; }

    // Covers the pixel by `coverage` (0..1) of colour c; see the file comment for the key rule.
    void cover(int x, int y, Colour c, double coverage);

    void fill(const Rect& r, Colour c);
    void frame(const Rect& r, Colour c); // 1-pixel outline
    void hline(int x0, int x1, int y, Colour c);
    void vline(int x, int y0, int y1, Colour c);
    void gradientV(const Rect& r, Colour top, Colour bottom);
    void gradientH(const Rect& r, Colour left, Colour right);
    // Raised: light top/left, dark bottom/right; swap the colours for sunken.
    void bevel(const Rect& r, Colour light, Colour dark);
    // Paints c where the shape covers, sampled 4 x 4 per pixel, limited to clip.
    void paint(const Rect& clip, const Shape& shape, Colour c);
    // Turns everything outside the shape into the key (hard edge), limited to clip.
    void cut(const Rect& clip, const Shape& keep);
    void blit(const Image& src, int x, int y);
    // Copies src but leaves the destination where src has the key.
    void blitKeyed(const Image& src, int x, int y);
    Image crop(const Rect& r) const;
    Image flippedV() const;
    void replace(Colour from, Colour to);

  private:
    int w_ = 0, h_ = 0;
    std::vector<Colour> px_;
};

// Frames side by side (left to right) or stacked (top to bottom); every frame must have the same size.
Image JoinH(const std::vector<Image>& frames);
Image JoinV(const std::vector<Image>& frames);

// Shape builders.
Shape RoundRect(double l, double t, double r, double b, double radius);
Shape RoundRect(const Rect& rc, double radius);
// Rounded only at the top (tabs) or with separate top and bottom radii (window outlines).
Shape RoundRect2(const Rect& rc, double topRadius, double bottomRadius);
Shape Disc(double cx, double cy, double radius);
Shape Ring(double cx, double cy, double outer, double inner);
Shape Segment(double x0, double y0, double x1, double y1, double halfWidth);
Shape Triangle(double x0, double y0, double x1, double y1, double x2, double y2);
Shape Union(Shape a, Shape b);
Shape Minus(Shape a, Shape b);

} // namespace qs::skingen
