// Contact-sheet composition: groups of labelled cells laid out in rows, each cell painted with
// the engine's primitives exactly as a skinner would use the piece.
#include "tools/skin_sheet.h"

#include "skin/core/skin_data.h"
#include "skin/paint/skin_paint.h"
#include "tools/skin_slots.h"

#include <algorithm>
#include <functional>

namespace qs::tools {

namespace {

constexpr int kSheetWidth = 760;
constexpr int kPad = 8;
constexpr int kGroupGap = 14;
constexpr int kCellGap = 4;
constexpr int kLabelHeight = 15;
constexpr int kCaptionHeight = 13;
constexpr int kMaxCellHeight = 200;
constexpr COLORREF kSheetBack = RGB(238, 238, 238);
constexpr COLORREF kInk = RGB(24, 24, 24);
constexpr COLORREF kFaint = RGB(110, 110, 110);

using TPaint = std::function<void(HDC, const RECT&)>;

struct TCell {
    int w = 0, h = 0;
    std::string caption;
    TPaint paint;
    bool faceBehind = true; // the skin's face colour under the piece, as on a window
};

struct TGroup {
    explicit TGroup(std::string text) : label(std::move(text)) {}
    std::string label;
    std::vector<TCell> cells;
    // Layout results, relative to the group's top-left corner.
    int w = 0, h = 0;
    std::vector<POINT> at;
};

int frames(const TDataSkinObject& r) {
    return std::max(1, int(r.Frame));
}

TColor resolve(TColor c) {
    return c < 0 ? TColor(GetSysColor(c & 0xFF)) : c;
}

// Preferred cell sizes that show how a piece stretches; 0 keeps the frame's own size.
struct TCellSize {
    const char* name;
    int w, h;
};
const TCellSize kCellSizes[] = {
    {"Buttons", 75, 25},         {"Tabs", 64, 22},
    {"TabPane", 120, 60},        {"MenuItem", 140, 20},
    {"MenuBackground", 140, 60}, {"MenuBar", 240, 0},
    {"Progress", 160, 0},        {"HorzScroll", 90, 0},
    {"VertScroll", 0, 90},       {"HorzScrollThumb", 40, 0},
    {"VertScrollThumb", 0, 40},  {"Track", 120, 0},
    {"TrackVert", 0, 120},       {"GroupBoxEdge", 120, 50},
    {"SunkEdge", 80, 22},        {"Headerbar", 80, 0},
    {"StatusBarEdges", 90, 0},
};

SIZE cellSize(const TSkinPiece& p) {
    const int fw = p.vertical ? p.image->Width() : p.image->Width() / p.frames;
    const int fh = p.vertical ? p.image->Height() / p.frames : p.image->Height();
    SIZE s{fw, fh};
    for (const TCellSize& c : kCellSizes)
        if (p.name == c.name) {
            if (c.w) s.cx = std::max(c.w, int(fw));
            if (c.h) s.cy = std::max(c.h, int(fh));
        }
    s.cx = std::min(s.cx, LONG(kSheetWidth - 2 * kPad));
    s.cy = std::min(s.cy, LONG(kMaxCellHeight));
    return s;
}

std::string describe(const TSkinPiece& p) {
    std::string text = p.name + "  " + std::to_string(p.frames) + (p.frames == 1 ? " frame" : " frames");
    const RECT& m = p.margins;
    if (m.left || m.top || m.right || m.bottom)
        text += "  margins " + std::to_string(m.left) + "," + std::to_string(m.top) + "," +
                std::to_string(m.right) + "," + std::to_string(m.bottom);
    if (p.trans) text += "  trans";
    return text;
}

// Every frame of a piece at its cell size, with the record's own tiling and transparency.
TGroup pieceGroup(const TSkinPiece& p) {
    TGroup g(describe(p));
    const SIZE size = cellSize(p);
    if (size.cx <= 0 || size.cy <= 0) return g;
    const bool isSecondImage = p.record && &p.record->Bitmap != p.image;
    const bool border = dynamic_cast<const TDataSkinBorder*>(p.record) != nullptr;
    // Borders keep their Stretch value in Tile: anything but 1 tiles.
    const bool tile = p.record && (border && isSecondImage ? p.record->Tile != 1 : p.record->Tile == 1);
    // The caption band draws the text background see-through whatever its Trans says.
    const bool trans = p.trans || p.name == "Title";
    for (int f = 1; f <= p.frames; ++f)
        g.cells.push_back({int(size.cx), int(size.cy), p.frames > 1 ? std::to_string(f) : std::string(),
                           [p, f, tile, trans](HDC dc, const RECT& r) {
                               DrawSkinObject(dc, r, *p.image, p.vertical, tile, trans, p.frames, f,
                                              p.margins);
                           }});
    return g;
}

// Whether a caption button shows on the mock: a sizeable, not maximised window with minimise,
// maximise and system menu but no help, no menu-bar skinner and not a dialog.
bool mockVisible(const TDataSkinSysButton& d, bool active) {
    auto condition = [active](int value, bool second, bool first) {
        switch (value) {
        case 0:
        case 2:
        case 6:
        case 8: return true;
        case 3: return active;
        case 4: return !active;
        case 100: return second && first;
        default: return value >= 201 && value <= 999 && !second;
        }
    };
    const bool first = condition(d.Visibility, false, false);
    return first && condition(d.Visibility1, true, first);
}

struct TFrameSizes {
    int caption = 0, left = 0, right = 0, bottom = 0, menu = 0;
};

TFrameSizes frameSizes(TSkinData& s) {
    const TSkinBorders& b = s.Borders;
    TFrameSizes z;
    z.caption = b.Top->Bitmap.Height() / frames(*b.Top);
    z.left = b.Left->Bitmap.Width() / frames(*b.Left);
    z.right = b.Right->Bitmap.Width() / frames(*b.Right);
    z.bottom = b.Bottom->Bitmap.Height() / frames(*b.Bottom);
    if (s.MenuBar && !s.MenuBar->Bitmap.Empty()) z.menu = s.MenuBar->Bitmap.Height() / 2;
    return z;
}

void borderPiece(HDC dc, TDataSkinBorder& b, const RECT& r, bool vertical, bool active) {
    if (r.right <= r.left || r.bottom <= r.top || b.Bitmap.Empty()) return;
    const int frame = (active || frames(b) == 1) ? 1 : 2;
    // Transparent like the window region the form skinner cuts from magenta.
    DrawSkinObject(dc, r, b.Bitmap, vertical, b.Tile != 1, b.Trans != 0, frames(b), frame, b.Margins());
}

// The form skinner's frame, caption text and caption buttons, reduced to what a picture needs.
void paintMockWindow(HDC dc, const RECT& r, TSkinData& s, bool active, HFONT captionFont, HFONT menuFont) {
    const TFrameSizes z = frameSizes(s);
    const int w = r.right - r.left;
    const RECT client{r.left + z.left, r.top + z.caption + z.menu, r.right - z.right, r.bottom - z.bottom};
    FillRect(dc, &client, s.FaceBrush());
    TSkinBorders& b = s.Borders;
    borderPiece(dc, *b.Left, RECT{r.left, r.top, r.left + z.left, r.bottom}, false, active);
    borderPiece(dc, *b.Right, RECT{r.right - z.right, r.top, r.right, r.bottom}, false, active);
    borderPiece(dc, *b.Bottom, RECT{r.left + z.left, r.bottom - z.bottom, r.right - z.right, r.bottom}, true,
                active);
    const RECT cap{r.left + z.left, r.top, r.right - z.right, r.top + z.caption};
    borderPiece(dc, *b.Top, cap, true, active);

    win::SaveDCGuard saved(dc);
    SetBkMode(dc, TRANSPARENT);
    TDataSkinTitle& title = *s.Title;
    const char text[] = "Quillshot";
    SelectObject(dc, captionFont);
    RECT tr{0, 0, 0, 0};
    DrawTextA(dc, text, -1, &tr, DT_CALCRECT | DT_NOCLIP | DT_NOPREFIX | DT_SINGLELINE);
    tr.right += title.TXTBackleft + title.TXTBackRight;
    const int capW = cap.right - cap.left, textW = tr.right - tr.left;
    const int dx = title.TextAlignment == 1   ? (capW - textW) / 2
                   : title.TextAlignment == 2 ? capW - title.RightWidth - textW
                                              : title.LeftWidth;
    OffsetRect(&tr, cap.left + dx, cap.top + (z.caption - (tr.bottom - tr.top)) / 2 + title.TopHeight / 2);
    if (!title.Bitmap.Empty())
        DrawSkinStrip(dc, RECT{tr.left, cap.top, tr.right, cap.bottom}, title.Bitmap, true, true, 2,
                      active ? 1 : 2, RECT{title.TXTBackleft, 0, title.TXTBackRight, 0});
    tr.left += title.TXTBackleft;
    SetTextColor(dc, ColorToRGB(resolve(s.Colour(active ? scTitleTextActive : scTitleTextNoActive))));
    DrawTextA(dc, text, -1, &tr, DT_NOPREFIX | DT_SINGLELINE | DT_NOCLIP);

    for (auto& button : s.SysButtons) {
        TDataSkinSysButton& d = *button;
        if (d.Bitmap.Empty() || !mockVisible(d, active) || d.Visibility == 100) continue;
        const int bw = d.Bitmap.Width() / frames(d), bh = d.Bitmap.Height();
        int x = 0;
        switch (d.Align) {
        case 0: x = d.Xcoord; break;
        case 1: x = w - d.Xcoord; break;
        case 2:
        case 8: x = tr.left - r.left - bw - d.Xcoord; break;
        case 3:
        case 9: x = tr.right - r.left + d.Xcoord; break;
        default: continue;
        }
        const RECT br{r.left + x, r.top + d.Ycoord, r.left + x + bw, r.top + d.Ycoord + bh};
        DrawSkinFrame(dc, br, d.Bitmap, true, frames(d), (frames(d) < 4 || active) ? 1 : 4);
    }

    if (z.menu > 0) {
        TDataSkinObject& m = *s.MenuBar;
        const RECT band{r.left + z.left, r.top + z.caption, r.right - z.right, r.top + z.caption + z.menu};
        if (m.Tile == 1)
            DrawSkinObject(dc, band, m.Bitmap, true, false, false, 2, active ? 1 : 2, m.Margins());
        else
            DrawSkinStrip(dc, band, m.Bitmap, true, false, 2, active ? 1 : 2, m.Margins());
        SelectObject(dc, menuFont);
        SetTextColor(dc, ColorToRGB(resolve(s.Colour(scMenuBarText))));
        RECT items{band.left + std::max(6, int(m.LeftWidth)), band.top, band.right, band.bottom};
        DrawTextA(dc, "File   Edit   View   Help", -1, &items, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
    }
}

class TSheetBuilder {
  public:
    explicit TSheetBuilder(TSkinData& skin) : skin_(skin) {
        LOGFONTA lf{};
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        labelFont_.Reset(CreateFontIndirectA(&lf));
        lf.lfWeight = FW_BOLD;
        lf.lfHeight = -std::clamp(int(skin.Title->FontHeight) * 3 / 4, 8, 14);
        captionFont_.Reset(CreateFontIndirectA(&lf));
    }

    std::unique_ptr<TBitmap> Compose(const std::string& title) {
        heading_ = title;
        addWindows();
        addCaptionButtons();
        for (const TSkinPiece& p : SkinPieces(skin_)) {
            if (p.name == "Top" || p.name == "Left" || p.name == "Right" || p.name == "Bottom" ||
                p.name.compare(0, 9, "SysButton") == 0)
                continue;
            if (TGroup g = pieceGroup(p); !g.cells.empty()) groups_.push_back(std::move(g));
        }
        addColours();
        return draw();
    }

  private:
    void addWindows() {
        const TFrameSizes z = frameSizes(skin_);
        if (z.caption + z.left + z.right + z.bottom == 0) return;
        const int w = 320, h = z.caption + z.menu + 70 + z.bottom;
        TGroup g("Frame and caption (active, inactive)");
        for (bool active : {true, false})
            g.cells.push_back({w, h, active ? "active" : "inactive",
                               [this, active](HDC dc, const RECT& r) {
                                   paintMockWindow(dc, r, skin_, active, captionFont_.Get(),
                                                   labelFont_.Get());
                               },
                               false});
        groups_.push_back(std::move(g));
    }

    void addCaptionButtons() {
        for (size_t i = 0; i < skin_.SysButtons.size(); ++i) {
            TDataSkinSysButton& d = *skin_.SysButtons[i];
            if (d.Bitmap.Empty() || d.Bitmap.Width() < frames(d)) continue;
            TGroup g("SysButton" + std::to_string(i + 1) + "  action " + std::to_string(d.Action) + "  " +
                     std::to_string(frames(d)) + " frames");
            const int bw = d.Bitmap.Width() / frames(d), bh = std::min(d.Bitmap.Height(), kMaxCellHeight);
            for (int f = 1; f <= frames(d); ++f)
                g.cells.push_back({bw, bh, std::to_string(f), [&d, f](HDC dc, const RECT& r) {
                                       DrawSkinFrame(dc, r, d.Bitmap, true, frames(d), f);
                                   }});
            groups_.push_back(std::move(g));
        }
    }

    void addColours() {
        TGroup g("Colours (index)");
        for (int i = 0; i < int(skin_.Colours.size()); ++i) {
            if (i == 9 || i == 10) continue;
            const COLORREF c = ColorToRGB(resolve(skin_.Colour(i)));
            g.cells.push_back({20, 14, std::to_string(i),
                               [c](HDC dc, const RECT& r) {
                                   win::BrushHandle brush(CreateSolidBrush(c));
                                   FillRect(dc, &r, brush.Get());
                               },
                               false});
        }
        groups_.push_back(std::move(g));
    }

    SIZE textSize(HDC dc, const std::string& text) {
        SIZE s{};
        GetTextExtentPoint32A(dc, text.c_str(), int(text.size()), &s);
        return s;
    }

    // Cells flow left to right inside a group, groups likewise across the sheet.
    int layout(HDC dc) {
        const int maxW = kSheetWidth - 2 * kPad;
        int x = 0, y = kLabelHeight + 8, rowH = 0;
        for (TGroup& g : groups_) {
            g.at.clear();
            int cx = 0, cy = kLabelHeight, lineH = 0, widest = int(textSize(dc, g.label).cx);
            const bool captions = std::any_of(g.cells.begin(), g.cells.end(),
                                              [](const TCell& c) { return !c.caption.empty(); });
            for (const TCell& c : g.cells) {
                if (cx > 0 && cx + c.w > maxW) {
                    cx = 0;
                    cy += lineH + kCellGap;
                    lineH = 0;
                }
                g.at.push_back(POINT{cx, cy});
                cx += c.w + kCellGap;
                widest = std::max(widest, cx - kCellGap);
                lineH = std::max(lineH, c.h + (captions ? kCaptionHeight : 0));
            }
            g.w = std::min(widest, maxW);
            g.h = cy + lineH;
            if (x > 0 && x + g.w > maxW) {
                x = 0;
                y += rowH + kGroupGap;
                rowH = 0;
            }
            for (POINT& p : g.at) {
                p.x += kPad + x;
                p.y += y;
            }
            g.at.insert(g.at.begin(), POINT{kPad + x, y}); // the label's place first
            x += g.w + kGroupGap;
            rowH = std::max(rowH, g.h);
        }
        return y + rowH + kPad;
    }

    std::unique_ptr<TBitmap> draw() {
        int height = 0;
        {
            win::MemoryDC measure(nullptr);
            win::SelectGuard font(measure.Get(), labelFont_.Get());
            height = layout(measure.Get());
        }
        auto sheet = std::make_unique<TBitmap>(kSheetWidth, height, pf24bit);
        HDC dc = sheet->Canvas().Handle();
        win::SaveDCGuard saved(dc);
        const RECT all{0, 0, kSheetWidth, height};
        win::BrushHandle back(CreateSolidBrush(kSheetBack));
        FillRect(dc, &all, back.Get());
        SelectObject(dc, labelFont_.Get());
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, kInk);
        TextOutA(dc, kPad, 4, heading_.c_str(), int(heading_.size()));
        for (TGroup& g : groups_) {
            SetTextColor(dc, kInk);
            TextOutA(dc, g.at[0].x, g.at[0].y, g.label.c_str(), int(g.label.size()));
            for (size_t i = 0; i < g.cells.size(); ++i) {
                const TCell& c = g.cells[i];
                const POINT p = g.at[i + 1];
                const RECT r{p.x, p.y, p.x + c.w, p.y + c.h};
                if (c.faceBehind) FillRect(dc, &r, skin_.FaceBrush());
                {
                    win::SaveDCGuard cell(dc);
                    IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
                    c.paint(dc, r);
                }
                if (!c.caption.empty()) {
                    SetTextColor(dc, kFaint);
                    RECT cr{r.left, r.bottom, r.right, r.bottom + kCaptionHeight};
                    DrawTextA(dc, c.caption.c_str(), -1, &cr,
                              DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP);
                }
            }
        }
        GdiFlush();
        return sheet;
    }

    TSkinData& skin_;
    win::FontHandle labelFont_, captionFont_;
    std::string heading_;
    std::vector<TGroup> groups_;
};

} // namespace

std::unique_ptr<TBitmap> ComposeSkinSheet(TSkinData& skin, const std::string& title) {
    return TSheetBuilder(skin).Compose(title);
}

} // namespace qs::tools
