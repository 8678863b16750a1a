// The control sections: push buttons with their check and radio glyphs, scroll bars, tabs, range controls,
// boxes, combo parts, menus, and the colour sections. Frame counts follow what each painter reads; sections
// whose painter copies without a key colour never contain magenta.
#include "skins/generator/paint.h"
#include "skins/generator/skin.h"

#include <algorithm>

namespace qs::skingen {
namespace {

using Section = IniText::Section;

// Generic object section: Image, margins, Frame (unless the loader imposes the count), Trans, Tile.
Section& Object(Skin& skin, const std::string& name, const std::string& file, Image img, int frames, Rect m,
                int trans, int tile, bool frameKey = true) {
    Section& s = skin.ini.section(name);
    s.set("Image", skin.add(file, std::move(img)));
    s.margins(m.left, m.top, m.right, m.bottom);
    if (frameKey) s.set("Frame", frames);
    s.set("Trans", trans);
    s.set("Tile", tile);
    return s;
}

std::string ColourText(Colour c) {
    return std::to_string(Red(c)) + " " + std::to_string(Green(c)) + " " + std::to_string(Blue(c));
}
int ColourInt(Colour c) {
    return Red(c) + 256 * Green(c) + 65536 * Blue(c);
}

void TextColours(const Theme& t, Section& s, Colour normal, Colour hot, Colour pressed) {
    if (t.plainColourKeys) {
        s.set("NormalColour", ColourInt(normal));
        s.set("MouseOverColour", ColourInt(hot));
        s.set("PressedColour", ColourInt(pressed));
    }
    s.set("NormalColour2", ColourText(normal));
    s.set("MouseOverColour2", ColourText(hot));
    s.set("PressedColour2", ColourText(pressed));
}

template <typename Draw> Image Strip(int frames, int w, int h, Draw draw) {
    std::vector<Image> out;
    for (int i = 0; i < frames; ++i) {
        Image f(w, h);
        draw(f, i);
        out.push_back(std::move(f));
    }
    return JoinH(out);
}

// ---- check and radio glyphs -------------------------------------------------------------------------

enum class Mark { Off, On, Mixed };

Image CheckFrame(const Theme& t, int g, Mark m, State s) {
    Image f(g, g);
    const Rect box = f.bounds();
    const bool dis = s == State::Disabled;
    const Colour fill = dis                   ? Mix(t.window, t.face, 140)
                        : s == State::Pressed ? Mix(t.window, t.accent, 50)
                                              : t.window;
    DrawWell(f, box, t, fill, s == State::Hot, dis, std::min(2, t.controlRadius));
    const Colour mark = dis ? Mix(t.windowText, t.face, 150) : t.accent;
    if (m == Mark::On) DrawCheckMark(f, box, mark);
    if (m == Mark::Mixed) f.fill({g / 4 + 1, g / 2 - 1, g - g / 4 - 1, g / 2 + 1}, mark);
    return f;
}

Image RadioFrame(const Theme& t, int g, bool on, State s) {
    Image f(g, g);
    const double c = g / 2.0, r = g / 2.0 - 0.5;
    const bool dis = s == State::Disabled;
    const Colour edge = s == State::Hot ? t.accent : dis ? Mix(t.shadow, t.face, 100) : t.shadow;
    const Colour fill = dis                   ? Mix(t.window, t.face, 140)
                        : s == State::Pressed ? Mix(t.window, t.accent, 50)
                                              : t.window;
    f.paint(f.bounds(), Disc(c, c, r), edge);
    f.paint(f.bounds(), Disc(c, c, r - 1), fill);
    if (on) f.paint(f.bounds(), Disc(c, c, g * 0.2), dis ? Mix(t.windowText, t.face, 150) : t.accent);
    return f;
}

Image CheckStrip(const Theme& t) {
    const int g = t.checkSize;
    std::vector<Image> frames;
    if (t.checkFrames == 12) {
        for (Mark m : {Mark::Off, Mark::On, Mark::Mixed})
            for (State s : {State::Normal, State::Hot, State::Pressed, State::Disabled})
                frames.push_back(CheckFrame(t, g, m, s));
    } else {
        frames = {CheckFrame(t, g, Mark::Off, State::Normal), CheckFrame(t, g, Mark::On, State::Normal),
                  CheckFrame(t, g, Mark::Off, State::Disabled), CheckFrame(t, g, Mark::On, State::Disabled)};
        if (t.checkFrames == 5) frames.push_back(CheckFrame(t, g, Mark::Mixed, State::Normal));
    }
    return JoinH(frames);
}

Image RadioStrip(const Theme& t) {
    const int g = t.checkSize;
    std::vector<Image> frames;
    if (t.radioFrames == 8) {
        for (bool on : {false, true})
            for (State s : {State::Normal, State::Hot, State::Pressed, State::Disabled})
                frames.push_back(RadioFrame(t, g, on, s));
    } else {
        frames = {RadioFrame(t, g, false, State::Normal), RadioFrame(t, g, true, State::Normal),
                  RadioFrame(t, g, false, State::Disabled), RadioFrame(t, g, true, State::Disabled)};
    }
    return JoinH(frames);
}

// ---- scroll bars -----------------------------------------------------------------------------------

void AddScrollbars(const Theme& t, Skin& skin) {
    const int k = t.scrollSize, len = 24;
    const State arrowStates[] = {State::Normal, State::Pressed, State::Disabled, State::Hot};
    const Dir dirs[] = {Dir::Left, Dir::Right, Dir::Up, Dir::Down};
    std::vector<Image> frames;
    for (Dir d : dirs)
        for (State s : arrowStates) {
            Image f(k, k);
            DrawFace(f, f.bounds().inset(t.bevel ? 0 : 1), t, s, std::min(3, t.controlRadius));
            DrawArrow(f,
                      f.bounds().moved(s == State::Pressed && t.bevel ? 1 : 0,
                                       s == State::Pressed && t.bevel ? 1 : 0),
                      d, FaceText(t, s));
            frames.push_back(f);
        }
    for (bool vertical : {false, true})
        for (int i = 0; i < 3; ++i) {
            Image f(k, k);
            const Colour base = i == 1   ? Mix(t.face, t.accent, 120)
                                : i == 2 ? Mix(t.face, t.accent, 60)
                                         : t.face;
            DrawGrip(f, f.bounds(), vertical, Lighten(base, 120), Darken(base, 90));
            frames.push_back(f);
        }
    frames.emplace_back(k, k, t.face); // 23: the corner between two bars
    Object(skin, "Scrollbar", "scrollbar.bmp", JoinH(frames), 23, {0, 0, 0, 0}, 1, 0);

    // Tracks: 1 enabled, 2 pressed, 3 disabled, 4 hot.
    auto track = [&](Image& f, int i, bool vertical) {
        Colour c = i == 2   ? Mix(t.scrollTrack, t.face, 160)
                   : i == 1 ? Mix(t.scrollTrack, t.accent, 50)
                   : i == 3 ? Mix(t.scrollTrack, t.accent, 20)
                            : t.scrollTrack;
        f.fill(f.bounds(), c);
        if (vertical) {
            f.vline(0, 0, f.height(), Darken(c, 25));
            f.vline(f.width() - 1, 0, f.height(), Lighten(c, 40));
        } else {
            f.hline(0, f.width(), 0, Darken(c, 25));
            f.hline(0, f.width(), f.height() - 1, Lighten(c, 40));
        }
    };
    Object(skin, "HorzScroll", "horzscroll.bmp",
           Strip(4, len, k, [&](Image& f, int i) { track(f, i, false); }), 4, {2, 1, 2, 1}, 0, 0);
    Object(skin, "VertScroll", "vertscroll.bmp",
           Strip(4, k, len, [&](Image& f, int i) { track(f, i, true); }), 4, {1, 2, 1, 2}, 0, 0);

    // Thumbs: 1 normal, 2 pressed, 3 hot, (4 disabled).
    const State thumbStates[] = {State::Normal, State::Pressed, State::Hot, State::Disabled};
    const int r = t.rounded ? (k - 4) / 2 : std::min(2, t.controlRadius);
    const int cap = std::max(4, r + 2);
    for (bool vertical : {false, true}) {
        Image img =
            vertical
                ? Strip(t.thumbFrames, k, len,
                        [&](Image& f, int i) { DrawFace(f, f.bounds().inset(2, 0), t, thumbStates[i], r); })
                : Strip(t.thumbFrames, len, k,
                        [&](Image& f, int i) { DrawFace(f, f.bounds().inset(0, 2), t, thumbStates[i], r); });
        Section& s = vertical ? Object(skin, "VertScrollThumb", "vertthumb.bmp", std::move(img),
                                       t.thumbFrames, {2, cap, 2, cap}, 1, 0)
                              : Object(skin, "HorzScrollThumb", "horzthumb.bmp", std::move(img),
                                       t.thumbFrames, {cap, 2, cap, 2}, 1, 0);
        if (t.thumbFrameKey) s.set("FrameCount", t.thumbFrames);
    }
}

// ---- tabs ------------------------------------------------------------------------------------------

void AddTabs(const Theme& t, Skin& skin) {
    const int w = 56, h = 22, r = t.rounded ? 5 : t.bevel ? 2 : 0;
    const State states[] = {State::Normal, State::Checked, State::Hot, State::Disabled, State::Focused};
    Image tabs = Strip(5, w, h, [&](Image& f, int i) {
        const bool selected = i == 1 || i == 4;
        const Rect body = selected ? f.bounds() : Rect{1, 2, w - 1, h};
        const Shape shape = RoundRect2(body, r, 0);
        Colour top = selected ? Lighten(t.face, t.dark ? 20 : 90) : Mix(t.face, t.shadow, 50);
        Colour bottom = selected ? t.face : Mix(t.face, t.shadow, 70);
        if (states[i] == State::Hot) top = Mix(top, t.accent, 50);
        if (states[i] == State::Disabled) top = bottom = Mix(t.face, t.shadow, 30);
        for (int y = body.top; y < body.bottom; ++y)
            f.paint({0, y, w, y + 1}, shape, Mix(top, bottom, (y - body.top) * 255 / h));
        f.paint(f.bounds(),
                Minus(shape, RoundRect2({body.left + 1, body.top + 1, body.right - 1, body.bottom + 1},
                                        std::max(0, r - 1), 0)),
                t.shadow);
        if (selected)
            f.paint(f.bounds(),
                    RoundRect2({body.left + 1, body.top + 1, body.right - 1, body.top + 3},
                               std::max(0, r - 1), 0),
                    t.accent);
        if (!selected) f.hline(0, w, h - 1, t.shadow);
    });
    Section& s = skin.ini.section("Tabs");
    s.set("Image", skin.add("tabs.bmp", std::move(tabs)));
    s.margins(r + 3, 4, r + 3, 2);
    s.set("Trans", 1);
    s.set("Tile", 0);
    s.set("Style", t.tabsStyle);
    TextColours(t, s, Mix(t.text, t.face, 60), t.text, t.text);

    // The page frame, never see-through: an outline and a light inner line; margins as the painter fixes
    // them.
    Image page(40, 40, t.face);
    page.frame(page.bounds(), t.shadow);
    page.bevel(page.bounds().inset(1), Lighten(t.face, t.dark ? 25 : 120), Mix(t.face, t.shadow, 90));
    // Style 0 frames the page with "Border", style 1 with the pane; the pane is always there for the
    // painters that read it directly.
    if (t.tabsStyle == 0) s.set("Border", skin.add("tabborder.bmp", page));
    Object(skin, "Tab.Pane", "tabpane.bmp", std::move(page), 1, {3, 3, 3, 3}, 0, 0);
}

// ---- range controls ---------------------------------------------------------------------------------

void AddRangeControls(const Theme& t, Skin& skin) {
    // Channels are copied without a key colour.
    Image track(16, 4, t.scrollTrack);
    track.hline(0, 16, 0, t.shadow);
    track.hline(0, 16, 3, t.hilight);
    track.vline(0, 0, 4, t.shadow);
    track.vline(15, 0, 4, t.hilight);
    Object(skin, "Track", "track.bmp", track, 1, {3, 0, 3, 0}, 0, 0);
    Image vtrack(4, 16, t.scrollTrack);
    vtrack.vline(0, 0, 16, t.shadow);
    vtrack.vline(3, 0, 16, t.hilight);
    vtrack.hline(0, 4, 0, t.shadow);
    vtrack.hline(0, 4, 15, t.hilight);
    Object(skin, "TRACKVERT", "trackvert.bmp", vtrack, 1, {0, 3, 0, 3}, 0, 0);

    // Thumbs: 1 normal, 2 the face the track bar paints in every state, 3 hot, 4 disabled, 5 pressed.
    const State states[] = {State::Normal, State::Normal, State::Hot, State::Disabled, State::Pressed};
    auto thumb = [&](Image& f, int i, int kind) {
        const Rect r = f.bounds();
        const int w = r.width(), h = r.height();
        Image face(w, h);
        DrawFace(face, r, t, states[i], std::min(3, std::min(w, h) / 3));
        Shape keep;
        switch (kind) {
        case 0:
        case 1: keep = RoundRect(r, std::min(3, std::min(w, h) / 3)); break;
        case 2:
            keep = Union(RoundRect(w * 0.35, 0, w, h, 2), Triangle(0, h / 2.0, w * 0.4, 0, w * 0.4, h));
            break; // left
        case 3:
            keep = Union(RoundRect(0, 0, w * 0.65, h, 2), Triangle(w, h / 2.0, w * 0.6, 0, w * 0.6, h));
            break; // right
        case 4:
            keep = Union(RoundRect(0, h * 0.35, w, h, 2), Triangle(w / 2.0, 0, 0, h * 0.4, w, h * 0.4));
            break; // up
        default:
            keep = Union(RoundRect(0, 0, w, h * 0.65, 2), Triangle(w / 2.0, h, 0, h * 0.6, w, h * 0.6));
            break; // down
        }
        face.cut(r, keep);
        if (kind >= 2) f.paint(r, keep, Mix(t.outline, t.accent, 60));
        f.blitKeyed(face, 0, 0);
        if (kind >= 2) f.cut(r, keep);
    };
    const struct {
        const char* section;
        const char* file;
        int w, h, kind;
    } thumbs[] = {{"Trackbar.ThumbHorz", "thumbhorz.bmp", 11, 20, 0},
                  {"Trackbar.ThumbVert", "thumbvert.bmp", 20, 11, 1},
                  {"Trackbar.ThumbLeft", "thumbleft.bmp", 20, 11, 2},
                  {"Trackbar.ThumbRight", "thumbright.bmp", 20, 11, 3},
                  {"Trackbar.ThumbUp", "thumbup.bmp", 11, 20, 4},
                  {"Trackbar.ThumbDown", "thumbdown.bmp", 11, 20, 5}};
    for (const auto& th : thumbs)
        Object(skin, th.section, th.file,
               Strip(5, th.w, th.h, [&](Image& f, int i) { thumb(f, i, th.kind); }), 5, {0, 0, 0, 0}, 1, 0);

    // Up-down buttons: 1..4 first arrow (normal, pressed, disabled, hot), 5..8 second; glyph strips alike.
    const State ud[] = {State::Normal, State::Pressed, State::Disabled, State::Hot};
    for (bool horizontal : {false, true}) {
        const int w = horizontal ? 12 : 16, h = horizontal ? 16 : 10, gw = horizontal ? 5 : 9,
                  gh = horizontal ? 9 : 5;
        Image faces = Strip(8, w, h, [&](Image& f, int i) {
            DrawFace(f, f.bounds(), t, ud[i % 4], std::min(2, t.controlRadius));
        });
        Image glyphs = Strip(8, gw, gh, [&](Image& f, int i) {
            const Dir d = horizontal ? (i < 4 ? Dir::Left : Dir::Right) : (i < 4 ? Dir::Up : Dir::Down);
            DrawChevron(f, f.bounds(), d, FaceText(t, ud[i % 4]), 0.85);
        });
        Section& s = skin.ini.section(horizontal ? "UpDown.Horz" : "UpDown.Vert");
        s.set("Image", skin.add(horizontal ? "updownhorz.bmp" : "updownvert.bmp", std::move(faces)));
        s.set("GlyphImage",
              skin.add(horizontal ? "updownhglyph.bmp" : "updownvglyph.bmp", std::move(glyphs)));
        s.margins(3, 3, 3, 3);
        s.set("Trans", 1);
        s.set("Tile", 0);
    }

    // Progress: frame 1 the trough, frame 2 the fill; chunk style draws chunks over a one-frame trough.
    const int pw = 48, ph = 16, pr = t.rounded ? 4 : 0;
    auto trough = [&](Image& f) { DrawWell(f, f.bounds(), t, t.scrollTrack, false, false, pr); };
    auto fill = [&](Image& f) {
        const Shape s = RoundRect(f.bounds(), pr);
        for (int y = 0; y < ph; ++y)
            f.paint({0, y, pw, y + 1}, s, Mix(Lighten(t.accent, 70), Darken(t.accent, 30), y * 255 / ph));
        f.hline(pr + 1, pw - pr - 1, 1, Lighten(t.accent, 120));
    };
    Section& p = skin.ini.section("Progress");
    p.set("Style", t.progressStyle);
    if (t.progressStyle == 0) {
        p.set("Bitmap", skin.add("progress.bmp",
                                 Strip(2, pw, ph, [&](Image& f, int i) { i == 0 ? trough(f) : fill(f); })));
    } else {
        p.set("Bitmap", skin.add("progress.bmp", Strip(1, pw, ph, [&](Image& f, int) { trough(f); })));
    }
    {
        Image chunk(9, ph - 6, t.scrollTrack);
        chunk.paint(chunk.bounds(), RoundRect(0, 0, 7, ph - 6, 1), t.accent);
        chunk.hline(1, 6, 1, Lighten(t.accent, 110));
        Object(skin, "Progress.Chunk", "chunk.bmp", chunk, 1, {1, 0, 1, 0}, 0, t.tileBorders ? 0 : 1);
    }
    p.margins(pr + 3, 3, pr + 3, 3);
    p.set("Trans", 1);
    p.set("Tile", 0);
}

// ---- boxes, bars, combo parts, menus -------------------------------------------------------------

void AddBoxes(const Theme& t, Skin& skin) {
    const int r = t.rounded ? 4 : t.bevel ? 0 : 2;
    Image edges = Strip(2, 24, 24, [&](Image& f, int i) {
        f.fill(f.bounds(), t.face);
        if (i == 0)
            f.paint(f.bounds(),
                    Minus(RoundRect(f.bounds(), r), RoundRect(f.bounds().inset(1), std::max(0, r - 1))),
                    t.shadow);
        else
            f.paint(f.bounds(),
                    Minus(RoundRect(f.bounds(), r), RoundRect(f.bounds().inset(1), std::max(0, r - 1))),
                    t.accent);
    });
    Object(skin, "GroupBoxEdge", "groupedge.bmp", edges, 2, {5, 5, 5, 5}, 0, 0);
    Image label(40, 18, t.face);
    label.paint(label.bounds(), RoundRect(label.bounds().inset(0, 1), 4), Mix(t.face, t.accent, 40));
    Section& g = Object(skin, "GroupBox", "groupbox.bmp", label, 1, {6, 0, 6, 0}, 0, 0, false);
    g.set("BackgroundAlignment", t.textAlign);
    g.set("BackgroundLeftShift", 6);
    g.set("BackgroundRightShift", 6);

    // Status panels, copied without a key colour: 1 lowered, 2 raised, 3 no bevel.
    Image status = Strip(3, 24, 20, [&](Image& f, int i) {
        f.fill(f.bounds(), t.face);
        if (i == 0) f.bevel(f.bounds(), t.shadow, t.hilight);
        if (i == 1) f.bevel(f.bounds(), t.hilight, t.shadow);
    });
    Section& st = Object(skin, "StatusBarEdges", "statusbar.bmp", status, 3, {2, 2, 2, 2}, 0, 0);
    st.set("NormalColour2", ColourText(t.text));

    // Tool-bar buttons: 1 idle (see-through), 2 pressed, 3 disabled, 4 hot, 5 checked.
    const State tb[] = {State::Normal, State::Pressed, State::Disabled, State::Hot, State::Checked};
    Image tools = Strip(5, 24, 24, [&](Image& f, int i) {
        if (i == 0 || i == 2) return;
        DrawFace(f, f.bounds(), t, tb[i], std::max(2, t.controlRadius));
    });
    Object(skin, "ToolBars", "toolbars.bmp", tools, 5, {4, 4, 4, 4}, 1, 0);

    // Header items, copied without a key colour: 1 normal, 2 hot, then pressed, disabled, sorted.
    const int hf = t.headerFrames ? t.headerFrames : 5;
    const State hs[] = {State::Normal, State::Hot, State::Pressed, State::Disabled, State::Checked};
    Image header = Strip(hf, 40, 20, [&](Image& f, int i) {
        Colour top = Lighten(t.face, t.dark ? 14 : 80), bottom = t.face;
        if (hs[i] == State::Hot) top = Mix(top, t.accent, 40), bottom = Mix(bottom, t.accent, 40);
        if (hs[i] == State::Pressed) std::swap(top, bottom), bottom = Mix(bottom, t.accent, 60);
        if (hs[i] == State::Disabled) top = bottom;
        f.gradientV(f.bounds(), top, bottom);
        f.hline(0, 40, 19, t.shadow);
        f.vline(39, 3, 17, t.shadow);
        if (hs[i] == State::Checked) f.hline(0, 40, 18, t.accent);
    });
    Section& hb =
        Object(skin, "Headerbar", "headerbar.bmp", header, hf, {3, 3, 3, 3}, 0, 0, t.headerFrames != 0);
    TextColours(t, hb, t.text, t.text, t.text);
}

void AddComboParts(const Theme& t, Skin& skin) {
    const State st[] = {State::Normal, State::Pressed, State::Disabled, State::Hot};
    const int bw = 19, h = 21; // the system scroll-arrow width plus two, the height the composer uses
    Image button = Strip(4, bw, h, [&](Image& f, int i) {
        DrawFace(f, f.bounds().inset(1), t, st[i], std::min(3, t.controlRadius));
    });
    Section& c = skin.ini.section("ComboButton");
    c.set("Image", skin.add("combobutton.bmp", std::move(button)));
    c.margins(3, 3, 3, 3);
    c.set("Trans", 1);
    c.set("Tile", 0);
    if (t.comboStyle != 0) {
        c.set("Style", t.comboStyle);
    } else {
        Image sunk = Strip(4, 24, h, [&](Image& f, int i) {
            f.fill(f.bounds(), i == 2 ? Mix(t.window, t.face, 140) : t.window);
            f.frame(f.bounds(), i == 3 || i == 1 ? t.accent : i == 2 ? Mix(t.shadow, t.face, 100) : t.shadow);
            f.frame(f.bounds().inset(1), Mix(i == 2 ? t.face : t.window, t.shadow, 40));
        });
        Object(skin, "SunkEdge", "sunkedge.bmp", sunk, 4, {2, 2, 2, 2}, 0, 0);
    }

    // Combo arrows for the four states, then the status-bar size grip.
    Image extra = Strip(5, 12, 12, [&](Image& f, int i) {
        if (i < 4) {
            DrawChevron(f, f.bounds(), Dir::Down, FaceText(t, st[i]), 1.0);
            return;
        }
        for (int d = 0; d < 3; ++d)
            for (int k = 0; k <= d; ++k) {
                const int x = 10 - 3 * (d - k) - 1, y = 10 - 3 * k - 1;
                f.fill({x, y, x + 2, y + 2}, t.shadow);
                f.set(x, y, t.hilight);
            }
    });
    Object(skin, "ExtraImages", "extraimages.bmp", extra, 5, {0, 0, 0, 0}, 1, 0);
}

void AddMenus(const Theme& t, Skin& skin) {
    const int w = 40, h = 20, r = t.rounded ? 3 : 0;
    Image items = Strip(5, w, h, [&](Image& f, int i) {
        if (i == 0) return; // normal items show the menu background
        if (i == 1) {       // separator, drawn from the frame's bottom rows
            f.hline(4, w - 4, h - 5, Mix(t.menu, t.shadow, 150));
            f.hline(4, w - 4, h - 4, Mix(t.menu, t.hilight, 150));
            return;
        }
        const Colour sel = i == 2   ? Mix(t.selection, t.menu, 150)
                           : i == 4 ? Mix(t.selection, t.menu, 90)
                                    : t.selection;
        const Shape s = RoundRect(f.bounds().inset(1, 0), r);
        for (int y = 0; y < h; ++y)
            f.paint({0, y, w, y + 1}, s, Mix(Lighten(sel, 30), Darken(sel, 15), y * 255 / h));
    });
    Section& m = Object(skin, "MenuItem", "menuitem.bmp", items, 5, {4, 3, 4, 3}, 1, 0);
    TextColours(t, m, t.menuText, t.selectionText, t.selectionText);

    Image back(32, 32, t.menu);
    back.frame(back.bounds(), Mix(t.outline, t.menu, 60));
    back.frame(back.bounds().inset(1), Lighten(t.menu, t.dark ? 20 : 120));
    back.frame(back.bounds().inset(2), t.menu);
    Object(skin, "MenuBackground", "menuback.bmp", back, 1, {3, 3, 3, 3}, 0, 0);
}

} // namespace

void AddPushButtons(const Theme& t, Skin& skin) {
    const int w = 64, h = 24, r = t.controlRadius, m = std::max(4, r + 2);
    const State states[] = {State::Normal, State::Pressed, State::Disabled, State::Hot, State::Focused};
    Image faces = Strip(5, w, h, [&](Image& f, int i) { DrawFace(f, f.bounds(), t, states[i], r); });
    Section& s = skin.ini.section("Buttons");
    s.set("Bitmap", skin.add("buttons.bmp", std::move(faces)));
    s.set("CheckButton", skin.add("check.bmp", CheckStrip(t)));
    s.set("RadioButton", skin.add("radio.bmp", RadioStrip(t)));
    s.margins(m, m, m, m);
    s.set("Trans", r > 0 ? 1 : 0);
    s.set("Tile", 0);
    if (t.glyphFrameKeys) {
        s.set("CheckButtonFrame", t.checkFrames);
        s.set("RadioButtonFrame", t.radioFrames);
    }
    if (t.buttonColours)
        TextColours(t, s, t.text, t.bevel ? t.text : Darken(t.accent, t.dark ? 0 : 60),
                    FaceText(t, State::Pressed));
}

void AddControlSections(const Theme& t, Skin& skin) {
    AddScrollbars(t, skin);
    AddTabs(t, skin);
    AddRangeControls(t, skin);
    AddBoxes(t, skin);
    AddComboParts(t, skin);
    AddMenus(t, skin);
}

void AddColourSections(const Theme& t, Skin& skin) {
    const std::pair<const char*, Colour> table[] = {
        {"WindowText", t.windowText},
        {"TitleTextActive", t.titleText},
        {"TitleTextNoActive", t.titleTextInactive},
        {"ButtonFace", t.face},
        {"ButtonText", t.text},
        {"ButtonHilight", t.hilight},
        {"Buttonlight", t.light},
        {"ButtonShadow", t.shadow},
        {"ButtonDkShadow", t.dkShadow},
        {"HilightText", t.selectionText},
        {"Hilight", t.selection},
        {"Menubar", t.menuBar},
        {"MenuBarText", t.menuBarText},
        {"MenuText", t.menuText},
        {"Menu", t.menu},
        {"Scrollbar", t.scrollTrack},
    };
    Section& c = skin.ini.section("Colours");
    for (auto [key, colour] : table)
        if (std::find(t.omitColours.begin(), t.omitColours.end(), key) == t.omitColours.end())
            c.colour(key, colour);
    for (const auto& [name, colour] : t.sectionColours)
        skin.ini.section("COLOUR" + name).colour("color", colour);
    if (!t.customColours.empty()) {
        Section& cc = skin.ini.section("Customcolors");
        for (size_t i = 0; i < t.customColours.size() && i < 10; ++i)
            cc.colour("Color" + std::to_string(i), t.customColours[i]);
    }
}

} // namespace qs::skingen
