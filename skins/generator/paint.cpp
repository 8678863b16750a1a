// Faces and glyphs of the generated skins.
#include "skins/generator/paint.h"

#include <algorithm>
#include <cmath>

namespace qs::skingen {
namespace {

void FillShapeV(Image& img, const Rect& r, const Shape& s, Colour top, Colour bottom) {
    const int h = std::max(1, r.height() - 1);
    for (int y = r.top; y < r.bottom; ++y)
        img.paint({r.left, y, r.right, y + 1}, s, Mix(top, bottom, (y - r.top) * 255 / h));
}

void Outline(Image& img, const Rect& r, int radius, Colour c) {
    img.paint(r, Minus(RoundRect(r, radius), RoundRect(r.inset(1), std::max(0, radius - 1))), c);
}

} // namespace

Colour FaceText(const Theme& t, State s) {
    if (s == State::Disabled) return Mix(t.text, t.face, 150);
    if (s == State::Pressed && !t.bevel) return Luma(Mix(t.face, t.accent, 110)) > 140 ? t.text : 0xFFFFFF;
    return t.text;
}

void DrawFace(Image& img, const Rect& r, const Theme& t, State s, int radius) {
    const Shape body = RoundRect(r, radius);
    const Colour base = t.dark ? Lighten(t.face, 18) : Lighten(t.face, 70);
    Colour top = base, bottom = base, border = t.shadow;
    if (t.bevel) {
        top = Lighten(base, t.dark ? 28 : 90);
        bottom = Darken(base, t.dark ? 30 : 22);
        border = t.outline;
    }
    switch (s) {
    case State::Normal: break;
    case State::Hot:
        top = Mix(top, t.accent, 40);
        bottom = Mix(bottom, t.accent, 55);
        border = Mix(border, t.accent, 170);
        break;
    case State::Pressed:
        if (t.bevel) std::swap(top, bottom);
        top = Mix(Darken(top, 20), t.accent, t.bevel ? 40 : 110);
        bottom = Mix(Darken(bottom, 10), t.accent, t.bevel ? 40 : 110);
        border = Mix(t.outline, t.accent, 120);
        break;
    case State::Disabled:
        top = bottom = Mix(base, t.face, 160);
        border = Mix(t.shadow, t.face, 120);
        break;
    case State::Focused:
    case State::Checked:
        top = Mix(top, t.accent, 25);
        bottom = Mix(bottom, t.accent, 25);
        border = t.accent;
        break;
    }
    FillShapeV(img, r, body, top, bottom);
    Outline(img, r, radius, border);
    if (t.bevel && s != State::Disabled) {
        const Colour hi = s == State::Pressed ? Darken(top, 30) : Lighten(top, 120);
        const Colour lo = s == State::Pressed ? Lighten(bottom, 40) : Darken(bottom, 40);
        const int inset = std::max(1, radius / 2);
        img.hline(r.left + inset + 1, r.right - inset - 1, r.top + 1, hi);
        img.vline(r.left + 1, r.top + inset + 1, r.bottom - inset - 1, hi);
        img.hline(r.left + inset + 1, r.right - inset - 1, r.bottom - 2, lo);
        img.vline(r.right - 2, r.top + inset + 1, r.bottom - inset - 1, lo);
    }
    if (s == State::Focused) Outline(img, r.inset(1), std::max(0, radius - 1), Mix(t.accent, top, 110));
}

void DrawWell(Image& img, const Rect& r, const Theme& t, Colour fill, bool focused, bool disabled,
              int radius) {
    const Shape body = RoundRect(r, radius);
    img.paint(r, body, disabled ? Mix(fill, t.face, 140) : fill);
    img.paint(
        r, Minus(body, RoundRect(r.left + 1, r.top + 2, r.right - 1, r.bottom - 1, std::max(0, radius - 1))),
        Mix(t.shadow, fill, 110));
    Outline(img, r, radius, focused ? t.accent : disabled ? Mix(t.shadow, t.face, 100) : t.shadow);
}

void DrawArrow(Image& img, const Rect& r, Dir d, Colour c, double scale) {
    const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    const double a = std::min(r.width(), r.height()) * 0.22 * scale, b = a * 0.5 + 0.25;
    Shape s;
    switch (d) {
    case Dir::Up: s = Triangle(cx - a, cy + b, cx + a, cy + b, cx, cy - b - 0.5); break;
    case Dir::Down: s = Triangle(cx - a, cy - b, cx + a, cy - b, cx, cy + b + 0.5); break;
    case Dir::Left: s = Triangle(cx + b, cy - a, cx + b, cy + a, cx - b - 0.5, cy); break;
    case Dir::Right: s = Triangle(cx - b, cy - a, cx - b, cy + a, cx + b + 0.5, cy); break;
    }
    img.paint(r, s, c);
}

void DrawChevron(Image& img, const Rect& r, Dir d, Colour c, double hw) {
    const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    const double a = std::min(r.width(), r.height()) * 0.25, b = a * 0.5;
    Shape s;
    switch (d) {
    case Dir::Up:
        s = Union(Segment(cx - a, cy + b, cx, cy - b, hw), Segment(cx, cy - b, cx + a, cy + b, hw));
        break;
    case Dir::Down:
        s = Union(Segment(cx - a, cy - b, cx, cy + b, hw), Segment(cx, cy + b, cx + a, cy - b, hw));
        break;
    case Dir::Left:
        s = Union(Segment(cx + b, cy - a, cx - b, cy, hw), Segment(cx - b, cy, cx + b, cy + a, hw));
        break;
    case Dir::Right:
        s = Union(Segment(cx - b, cy - a, cx + b, cy, hw), Segment(cx + b, cy, cx - b, cy + a, hw));
        break;
    }
    img.paint(r, s, c);
}

void DrawGlyph(Image& img, const Rect& r, const std::string& kind, Colour c, double w) {
    const double cx = (r.left + r.right) / 2.0, cy = (r.top + r.bottom) / 2.0;
    const double a = std::floor(std::min(r.width(), r.height()) * 0.4) + 0.5;
    auto box = [&](double l, double t, double rr, double b, double top) {
        return Minus(RoundRect(l, t, rr, b, 0.5), RoundRect(l + w * 2, t + top, rr - w * 2, b - w * 2, 0));
    };
    Shape s;
    if (kind == "close") {
        s = Union(Segment(cx - a, cy - a, cx + a, cy + a, w), Segment(cx - a, cy + a, cx + a, cy - a, w));
    } else if (kind == "max") {
        s = box(cx - a - w, cy - a - w, cx + a + w, cy + a + w, w * 3);
    } else if (kind == "restore") {
        const double o = std::max(2.0, a * 0.45);
        Shape back = box(cx - a + o - w, cy - a - w, cx + a + w, cy + a - o + w, w * 2);
        Shape front = box(cx - a - w, cy - a + o - w, cx + a - o + w, cy + a + w, w * 3);
        s = Union(Minus(back, RoundRect(cx - a - w, cy - a + o - w, cx + a - o + w, cy + a + w, 0)), front);
    } else if (kind == "min") {
        s = Segment(cx - a, cy + a - w, cx + a, cy + a - w, w);
    } else if (kind == "help") {
        const double rr = a * 0.62, ay = cy - a * 0.38;
        Shape arc = Ring(cx, ay, rr + w, rr - w);
        Shape upper = [=](double x, double y) { return y <= ay || x >= cx + rr * 0.2; };
        s = Union(Union([=](double x, double y) { return arc(x, y) && upper(x, y) && !(x < cx && y > ay); },
                        Segment(cx + rr * 0.55, ay + rr * 0.75, cx, ay + rr * 1.25, w)),
                  Union(Segment(cx, ay + rr * 1.25, cx, cy + a * 0.35, w), Disc(cx, cy + a * 0.85, w * 1.3)));
    } else if (kind == "menu") {
        s = Union(Segment(cx - a, cy - a * 0.7, cx + a, cy - a * 0.7, w),
                  Union(Segment(cx - a, cy, cx + a, cy, w),
                        Segment(cx - a, cy + a * 0.7, cx + a, cy + a * 0.7, w)));
    } else if (kind == "pin") {
        s = Union(Disc(cx + a * 0.25, cy - a * 0.35, a * 0.55),
                  Segment(cx + a * 0.1, cy - a * 0.2, cx - a, cy + a, w));
    } else if (kind == "shade") {
        s = Union(Segment(cx - a, cy + a * 0.4, cx, cy - a * 0.5, w),
                  Segment(cx, cy - a * 0.5, cx + a, cy + a * 0.4, w));
    } else {
        s = Disc(cx, cy, a * 0.6);
    }
    img.paint(r, s, c);
}

void DrawCheckMark(Image& img, const Rect& r, Colour c) {
    const double w = r.width(), h = r.height(), hw = std::max(0.9, w / 11.0);
    img.paint(r,
              Union(Segment(r.left + w * 0.24, r.top + h * 0.52, r.left + w * 0.42, r.top + h * 0.72, hw),
                    Segment(r.left + w * 0.42, r.top + h * 0.72, r.left + w * 0.78, r.top + h * 0.28, hw)),
              c);
}

void DrawGrip(Image& img, const Rect& r, bool vertical, Colour light, Colour dark) {
    const int cx = (r.left + r.right) / 2, cy = (r.top + r.bottom) / 2;
    for (int i = -1; i <= 1; ++i) {
        const int o = i * 3;
        if (vertical) {
            img.hline(cx - 3, cx + 3, cy + o - 1, dark);
            img.hline(cx - 3, cx + 3, cy + o, light);
        } else {
            img.vline(cx + o - 1, cy - 3, cy + 3, dark);
            img.vline(cx + o, cy - 3, cy + 3, light);
        }
    }
}

} // namespace qs::skingen
