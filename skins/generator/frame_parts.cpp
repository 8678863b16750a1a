// The window frame: border pieces cut from one drawn master window (so corners, caption and edges line up
// whatever the piece sizes), the caption-text background, the menu band, the caption buttons and the MDI
// child buttons.
#include "skins/generator/paint.h"
#include "skins/generator/skin.h"

#include <algorithm>
#include <cmath>

namespace qs::skingen {
namespace {

constexpr int kTilePeriod = 8; // texture period; tiled centres are whole multiples of it

int TextureDelta(const std::string& texture, int x, int y) {
    if (texture == "stripes") return (x + y) % kTilePeriod == 0 ? -14 : (x + y) % kTilePeriod == 1 ? 8 : 0;
    if (texture == "dots") return (x % 4 == 1 && y % 4 == 1) ? 18 : (x % 4 == 2 && y % 4 == 2) ? -12 : 0;
    if (texture == "brushed") {
        const unsigned h = unsigned((x % kTilePeriod) * 7 + (y % kTilePeriod) * 13) * 2654435761u;
        return int(h >> 28) - 8;
    }
    return 0;
}

Colour Textured(const Theme& t, Colour c, int x, int y) {
    const int d = TextureDelta(t.texture, x, y);
    return d > 0 ? Lighten(c, d * 3) : d < 0 ? Darken(c, -d * 3) : c;
}

struct FrameGeometry {
    int w = 0, h = 0;                // master window size
    int sideTop = 0, sideBottom = 0; // caps of the left/right pieces
    int topLeft = 0, topRight = 0;   // caps of the top and bottom pieces
    int bottomLeft = 0, bottomRight = 0;
};

FrameGeometry Geometry(const Theme& t) {
    FrameGeometry g;
    g.sideTop = t.captionHeight + 2;
    g.sideBottom = std::max(t.borderBottom, t.bottomRadius) + 2;
    g.topLeft = g.topRight = std::max(0, t.radius - t.border) + 6;
    g.bottomLeft = g.bottomRight = std::max(0, t.bottomRadius - t.border) + 4;
    g.w = 2 * t.border + g.topLeft + g.topRight + kTilePeriod * 10;
    g.h = g.sideTop + g.sideBottom + kTilePeriod * 8;
    return g;
}

// The whole window as the skin draws it, client area included (it never reaches a piece).
Image MasterFrame(const Theme& t, const FrameGeometry& g, bool active) {
    const int W = g.w, H = g.h, B = t.border, BB = t.borderBottom, C = t.captionHeight;
    Image img(W, H);
    const Rect all{0, 0, W, H};
    const Shape outer = RoundRect2(all, t.radius, t.bottomRadius);
    const Shape inner = RoundRect2(all.inset(1), std::max(0, t.radius - 1), std::max(0, t.bottomRadius - 1));
    const Colour capTop = active ? t.captionTop : t.captionTopInactive;
    const Colour capBottom = active ? t.captionBottom : t.captionBottomInactive;
    const Colour rim = t.bevel ? t.face : Mix(capBottom, t.outline, 40);
    const Colour outline = active ? t.outline : Mix(t.outline, t.face, 70);

    // Frame body, textured.
    for (int y = 0; y < H; ++y)
        for (int x = 0; x < W; ++x)
            if (outer(x + 0.5, y + 0.5)) img.set(x, y, Textured(t, rim, x, y));
    img.cut(all, outer);

    // Caption band: inside the bevelled rim for classic frames, edge to edge for flat ones.
    const Rect band = t.bevel ? Rect{B, B, W - B, C - 1} : Rect{1, 1, W - 1, C};
    const Shape bandShape = t.bevel ? RoundRect(band, 0) : inner;
    for (int y = band.top; y < band.bottom; ++y) {
        const Colour row = Mix(capTop, capBottom, (y - band.top) * 255 / std::max(1, band.height() - 1));
        for (int x = band.left; x < band.right; ++x)
            if (bandShape(x + 0.5, y + 0.5)) img.set(x, y, Textured(t, row, x, y));
    }
    if (!t.bevel) {
        for (int x = 1; x < W - 1; ++x)
            if (inner(x + 0.5, 1.5)) img.set(x, 1, Mix(img.at(x, 1), 0xFFFFFF, 40)); // soft top sheen
        if (t.accentLine && active)
            img.hline(1, W - 1, C - 2, t.captionLine), img.hline(1, W - 1, C - 1, Darken(t.captionLine, 60));
        else
            img.hline(1, W - 1, C - 1, Mix(capBottom, t.outline, 90));
    } else if (t.accentLine && active) {
        img.hline(band.left, band.right, band.bottom - 1, t.captionLine);
    }

    // Rims: the outline with an anti-aliased inside edge, then the bevel highlight.
    img.paint(all, Minus(outer, inner), outline);
    if (t.bevel) {
        const Shape in2 =
            RoundRect2(all.inset(2), std::max(0, t.radius - 2), std::max(0, t.bottomRadius - 2));
        for (int y = 0; y < H; ++y)
            for (int x = 0; x < W; ++x) {
                if (!inner(x + 0.5, y + 0.5) || in2(x + 0.5, y + 0.5)) continue;
                const bool lit = std::min(x, y) <= std::min(W - 1 - x, H - 1 - y);
                img.set(x, y, lit ? Lighten(t.face, 150) : t.shadow);
            }
    }

    // Client edge: sunken for bevelled frames, a quiet line for flat ones with room for it.
    const Rect client{B, C, W - B, H - BB};
    if (t.bevel) {
        img.bevel(client.inset(-1), t.shadow, t.hilight);
    } else if (B >= 2) {
        img.frame(client.inset(-1), Mix(rim, t.outline, 110));
    }
    img.fill(client, t.face);
    return img;
}

void AddTextBack(const Theme& t, Skin& skin, IniText::Section& p) {
    const int C = t.captionHeight, L = t.txtBackLeft, R = t.txtBackRight, mid = 16;
    std::vector<Image> frames;
    for (bool active : {true, false}) {
        Image f(L + mid + R, C);
        const Rect pill{1, 3, f.width() - 1, C - 3};
        const Colour fill = active ? Mix(t.captionBottom, t.titleText, t.dark ? 40 : 60)
                                   : Mix(t.captionBottomInactive, t.face, 60);
        const Colour edge = active ? Mix(fill, t.titleText, 90) : Mix(fill, t.outline, 60);
        const Shape body = RoundRect(pill, std::min(pill.height() / 2, L - 1));
        f.paint(f.bounds(), body, fill);
        f.paint(f.bounds(), Minus(body, RoundRect(pill.inset(1), std::min(pill.height() / 2, L - 1) - 1)),
                edge);
        frames.push_back(f);
    }
    p.set("TextBack", skin.add("textback.bmp", JoinV(frames)));
    p.set("Textbackground", 1);
}

void AddMenuBar(const Theme& t, Skin& skin, IniText::Section& p) {
    const int H = 20, L = 4, R = 4, mid = 16;
    std::vector<Image> frames;
    for (bool active : {true, false}) {
        Image f(L + mid + R, H);
        const Colour top = active ? Lighten(t.menuBar, t.dark ? 10 : 40) : Mix(t.menuBar, t.face, 128);
        f.gradientV(f.bounds(), top, active ? t.menuBar : Mix(t.menuBar, t.face, 200));
        f.hline(0, f.width(), H - 1, Mix(t.menuBar, t.shadow, 140));
        f.vline(0, 0, H - 1, Mix(t.menuBar, t.shadow, 60));
        f.vline(f.width() - 1, 0, H - 1, Mix(t.menuBar, t.shadow, 60));
        frames.push_back(f);
    }
    p.set("menuBar", skin.add("menubar.bmp", JoinV(frames)));
    p.set("TileMenu", t.menuBarTile ? 1 : 0);
    p.set("TileLeftMenu", L);
    p.set("TileRightMenu", R);
}

} // namespace

void AddWindowFrame(const Theme& t, Skin& skin) {
    const FrameGeometry g = Geometry(t);
    std::vector<Image> masters = {MasterFrame(t, g, true)};
    if (t.borderFrames == 2) masters.push_back(MasterFrame(t, g, false));
    const int W = g.w, H = g.h, B = t.border, BB = t.borderBottom, C = t.captionHeight;
    auto cut = [&](Rect r, bool stacked) {
        std::vector<Image> parts;
        for (const Image& m : masters)
            parts.push_back(m.crop(r));
        return stacked ? JoinV(parts) : JoinH(parts);
    };

    IniText::Section& p = skin.ini.section("Personality");
    const int n = int(masters.size());
    struct Side {
        const char* name;
        Rect rect;
        bool stacked;
        int cap1, cap2;
    } sides[] = {
        {"Left", {0, 0, B, H}, false, g.sideTop, g.sideBottom},
        {"Right", {W - B, 0, W, H}, false, g.sideTop, g.sideBottom},
        {"Top", {B, 0, W - B, C}, true, g.topLeft, g.topRight},
        {"Bottom", {B, H - BB, W - B, H}, true, g.bottomLeft, g.bottomRight},
    };
    for (const Side& s : sides) {
        const std::string side = s.name;
        std::string file = side + ".bmp";
        std::transform(file.begin(), file.end(), file.begin(), [](char c) { return char(std::tolower(c)); });
        p.set(side, skin.add(file, cut(s.rect, s.stacked)));
        p.set(side + "Frame", n);
        p.set(side + "TopHeight", s.cap1);
        p.set(side + "BotHeight", s.cap2);
        if (t.tileBorders) p.set(side + "Stretch", 0);
        if (t.trans) p.set(side + "Trans", *t.trans);
    }

    p.set("TextAlignment", t.textAlign);
    p.set("TextShift", t.textShift);
    p.set("TextShiftVert", t.textShiftVert);
    p.set("TextRightClip", t.textRightClip);
    if (t.textBack) AddTextBack(t, skin, p);
    if (t.textBack || t.txtBackLeft || t.txtBackRight) {
        p.set("TXTBackleft", t.txtBackLeft);
        p.set("TXTBackRight", t.txtBackRight);
    }
    if (t.titleRgb) {
        for (auto [prefix, c] :
             {std::pair{"ActiveText", t.titleText}, std::pair{"InActiveText", t.titleTextInactive}}) {
            p.set(std::string(prefix) + "R", Red(c));
            p.set(std::string(prefix) + "G", Green(c));
            p.set(std::string(prefix) + "B", Blue(c));
        }
    }
    if (t.menuBarImage) AddMenuBar(t, skin, p);
    if (t.fontHeight > 0) skin.ini.section("Fonts").set("FontHeight", t.fontHeight);
}

namespace {

enum class BtnState { Normal, Pressed, Hot, Disabled, Inactive, InactiveHot };

Colour RoundButtonColour(const std::string& glyph, const Theme& t) {
    if (glyph == "close") return Rgb(236, 95, 87);
    if (glyph == "min") return Rgb(244, 189, 79);
    if (glyph == "max" || glyph == "restore") return Rgb(96, 196, 84);
    return t.accent;
}

Image CaptionButtonFrame(const Theme& t, const CaptionButton& b, int w, int h, BtnState s) {
    Image f(w, h);
    const Rect r = f.bounds();
    const bool close = b.glyph == "close";
    const bool inactive = s == BtnState::Inactive || s == BtnState::InactiveHot;
    const bool hot = s == BtnState::Hot || s == BtnState::InactiveHot;
    Colour glyph = t.titleText;
    if (s == BtnState::Disabled || inactive) glyph = Mix(t.titleText, t.captionBottomInactive, 130);
    const double weight = std::max(0.75, std::min(w, h) / 16.0);

    if (t.buttonStyle == "round") {
        const double cx = w / 2.0, cy = h / 2.0, rad = std::min(w, h) / 2.0 - 1.5;
        Colour c = RoundButtonColour(b.glyph, t);
        if (s == BtnState::Disabled || inactive) c = Mix(Grey(c), t.captionBottomInactive, 90);
        if (s == BtnState::Pressed) c = Darken(c, 50);
        f.paint(r, Disc(cx, cy, rad + 1), Darken(c, 60));
        f.paint(r, Disc(cx, cy, rad), c);
        f.paint(r, Disc(cx, cy - rad * 0.35, rad * 0.5), Lighten(c, 60));
        f.paint(r, Disc(cx, cy, rad * 0.75), c);
        if (hot || s == BtnState::Pressed)
            DrawGlyph(f, r.inset(w / 6, h / 6), b.glyph, Darken(c, 150), weight * 0.8);
        return f;
    }
    if (t.buttonStyle == "square") {
        const State face = s == BtnState::Pressed    ? State::Pressed
                           : hot                     ? State::Hot
                           : s == BtnState::Disabled ? State::Disabled
                                                     : State::Normal;
        DrawFace(f, r, t, face, 0);
        const Colour g = s == BtnState::Disabled || inactive ? Mix(t.text, t.face, 140)
                         : close && hot                      ? t.closeHot
                                                             : t.text;
        DrawGlyph(f,
                  r.inset(w / 5, h / 5).moved(s == BtnState::Pressed ? 1 : 0, s == BtnState::Pressed ? 1 : 0),
                  b.glyph, g, weight);
        return f;
    }
    // flat and pill: a glyph on the caption, with a soft plate when hot, pressed or (pill) always.
    const int radius = t.buttonStyle == "pill" ? std::min(w, h) / 2 : std::max(2, std::min(w, h) / 5);
    Colour plate = kKey;
    if (hot) plate = close ? t.closeHot : Mix(t.captionTop, t.titleText, 60);
    if (s == BtnState::Pressed)
        plate = close ? Darken(t.closeHot, 50) : Mix(t.captionBottom, t.titleText, 30);
    if (t.buttonStyle == "pill" && plate == kKey)
        plate = inactive || s == BtnState::Disabled ? Mix(t.captionTopInactive, t.face, 90)
                                                    : Mix(t.captionTop, t.titleText, 35);
    if (plate != kKey) f.paint(r, RoundRect(r.inset(1), radius), plate);
    if (close && (hot || s == BtnState::Pressed)) glyph = 0xFFFFFF;
    DrawGlyph(f, r.inset(w / 4, h / 4), b.glyph, glyph, weight);
    return f;
}

} // namespace

void AddCaptionButtons(const Theme& t, Skin& skin) {
    static const BtnState kOrder[] = {BtnState::Normal,   BtnState::Pressed,  BtnState::Hot,
                                      BtnState::Disabled, BtnState::Inactive, BtnState::InactiveHot};
    for (const CaptionButton& b : t.buttons) {
        IniText::Section& s = skin.ini.section("Button" + b.name);
        s.set("Action", b.action);
        s.set("Align", b.align);
        if (b.coords) {
            s.set("Xcoord", b.x);
            s.set("Ycoord", b.y);
        }
        if (b.visibility) s.set("Visibility", *b.visibility);
        if (b.visibility1) s.set("Visibility1", *b.visibility1);
        if (b.combineOp) s.set("CombineOp", *b.combineOp);
        if (b.frameKey) s.set("frame", b.frames);
        if (b.glyph == "none") continue;
        const int w = b.width, h = b.height;
        std::vector<Image> frames;
        for (int i = 0; i < b.frames; ++i)
            frames.push_back(CaptionButtonFrame(t, b, w, h, kOrder[i]));
        std::string file = "btn" + b.name + ".bmp";
        std::transform(file.begin(), file.end(), file.begin(), [](char c) { return char(std::tolower(c)); });
        s.set("ButtonImage", skin.add(file, JoinH(frames)));
    }

    if (!t.mdiControls) return;
    // Twelve cells: minimise, restore, close of the maximised MDI child, four frames each
    // (normal, pressed, disabled, hot: the menu band draws hot with the fourth).
    const int w = 16, h = 14;
    std::vector<Image> cells;
    for (const char* glyph : {"min", "restore", "close"}) {
        for (State st : {State::Normal, State::Pressed, State::Disabled, State::Hot}) {
            Image f(w, h);
            DrawFace(f, f.bounds(), t, st, std::min(2, t.controlRadius));
            DrawGlyph(f, f.bounds().inset(4, 3), glyph, FaceText(t, st), 0.9);
            cells.push_back(f);
        }
    }
    skin.ini.section("MDICONTROLS").set("Image", skin.add("mdicontrols.bmp", JoinH(cells)));
}

} // namespace qs::skingen
