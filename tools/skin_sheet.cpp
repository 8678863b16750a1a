// Contact-sheet composition: groups of labelled cells laid out in rows, each cell painted with
// the engine's primitives exactly as a skinner would use the piece.
#include "tools/skin_sheet.h"

#include "skin/core/skin_data.h"
#include "skin/form/frame_painter.h"
#include "skin/form/menu_bar.h"
#include "skin/paint/skin_paint.h"
#include "toolkit/graphics/system_fonts.h"
#include "tools/skin_slots.h"

#include <algorithm>
#include <functional>

namespace qs::tools {

namespace {

constexpr int kSheetWidth = 760;
constexpr int kMockWidth = 320;
constexpr int kPad = 8;
constexpr int kGroupGap = 14;
constexpr int kCellGap = 4;
constexpr int kLabelHeight = 15;
constexpr int kCaptionHeight = 13;
constexpr int kMaxCellHeight = 200;
// A skin may claim any number of frames; the sheet shows this many of a piece at most.
constexpr int kMaxFramesShown = 16;
// Groups that would make the sheet taller are left out, and the sheet says how many.
constexpr int kMaxSheetHeight = 4000;
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
    if (p.frames > kMaxFramesShown) text += " (first " + std::to_string(kMaxFramesShown) + " shown)";
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
    for (int f = 1; f <= std::min(p.frames, kMaxFramesShown); ++f)
        g.cells.push_back({int(size.cx), int(size.cy), p.frames > 1 ? std::to_string(f) : std::string(),
                           [p, f, tile, trans](HDC dc, const RECT& r) {
                               DrawSkinObject(dc, r, *p.image, p.vertical, tile, trans, p.frames, f,
                                              p.margins);
                           }});
    return g;
}

// The frame band of a mock window, drawn by the menu bar's own painter with a few typical items.
void paintMockMenuBand(HDC dc, const RECT& band, TSkinData& s, bool active, HFONT font) {
    static const std::vector<TMenuBarItemFace> items = {{L"&File"}, {L"&Edit"}, {L"&View"}, {L"&Help"}};
    const SIZE size{band.right - band.left, band.bottom - band.top};
    win::SaveDCGuard saved(dc);
    // The bar painter draws with the band's top-left corner as its origin.
    OffsetViewportOrgEx(dc, band.left, band.top, nullptr);
    const std::vector<RECT> rects = LayoutMenuBar(dc, font, size, s, items, false);
    DrawMenuBar(dc, size, s, items, rects, active, font);
}

int menuBandHeight(const TSkinData& s) {
    return s.MenuBar && !s.MenuBar->Bitmap.Empty() ? s.MenuBar->Bitmap.Height() / 2 : 0;
}

class TSheetBuilder {
  public:
    explicit TSheetBuilder(TSkinData& skin) : skin_(skin) {
        LOGFONTA lf{};
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof(lf), &lf);
        labelFont_.Reset(CreateFontIndirectA(&lf));
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
        const TFrameMetrics m = FrameMetrics(skin_, bkSizeable);
        if (m.CaptionHeight + m.BorderLeft + m.BorderRight + m.BorderBottom == 0) return;
        const int w = kMockWidth;
        const int h =
            std::min(m.CaptionHeight + menuBandHeight(skin_) + 70 + m.BorderBottom, kMaxSheetHeight / 2);
        // A frame taller than a cell would be is shown at the cell's height.
        const int cellH = std::min(h, kMaxCellHeight * 2);
        TGroup g("Frame and caption (active, inactive)");
        for (bool active : {true, false})
            g.cells.push_back({w, cellH, active ? "active" : "inactive",
                               [this, active, w, h](HDC dc, const RECT& r) {
                                   const std::unique_ptr<TBitmap> mock =
                                       PaintMockWindow(skin_, w, h, active, true, kSheetBack);
                                   BitBlt(dc, r.left, r.top, w, h, mock->Canvas().Handle(), 0, 0, SRCCOPY);
                               },
                               false});
        groups_.push_back(std::move(g));
    }

    void addCaptionButtons() {
        for (size_t i = 0; i < skin_.SysButtons.size(); ++i) {
            TDataSkinSysButton& d = *skin_.SysButtons[i];
            if (d.Bitmap.Empty() || d.Bitmap.Width() < d.Frames()) continue;
            TGroup g("SysButton" + std::to_string(i + 1) + "  action " + std::to_string(d.Action) + "  " +
                     std::to_string(d.Frames()) + " frames");
            const int bw = d.Bitmap.Width() / d.Frames(), bh = std::min(d.Bitmap.Height(), kMaxCellHeight);
            for (int f = 1; f <= std::min(d.Frames(), kMaxFramesShown); ++f)
                g.cells.push_back({bw, bh, std::to_string(f), [&d, f](HDC dc, const RECT& r) {
                                       DrawSkinFrame(dc, r, d.Bitmap, true, d.Frames(), f);
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

    // Cells flow left to right inside a group, groups likewise across the sheet; groups that would
    // take the sheet past its height limit are left out.
    int layout(HDC dc) {
        const int maxW = kSheetWidth - 2 * kPad;
        int x = 0, y = kLabelHeight + 8, rowH = 0;
        for (size_t i = 0; i < groups_.size(); ++i) {
            TGroup& g = groups_[i];
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
            int gx = x, gy = y, nextRowH = rowH;
            if (gx > 0 && gx + g.w > maxW) {
                gx = 0;
                gy += rowH + kGroupGap;
                nextRowH = 0;
            }
            if (gy + g.h + kPad + kLabelHeight > kMaxSheetHeight) {
                omitted_ = groups_.size() - i;
                groups_.erase(groups_.begin() + long(i), groups_.end());
                break;
            }
            x = gx;
            y = gy;
            rowH = nextRowH;
            for (POINT& p : g.at) {
                p.x += kPad + x;
                p.y += y;
            }
            g.at.insert(g.at.begin(), POINT{kPad + x, y}); // the label's place first
            x += g.w + kGroupGap;
            rowH = std::max(rowH, g.h);
        }
        return y + rowH + kPad + (omitted_ ? kLabelHeight : 0);
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
        if (omitted_) {
            SetTextColor(dc, kInk);
            const std::string note = std::to_string(omitted_) + " more pieces left out: the sheet stops at " +
                                     std::to_string(kMaxSheetHeight) + " pixels";
            TextOutA(dc, kPad, height - kPad - kLabelHeight, note.c_str(), int(note.size()));
        }
        GdiFlush();
        return sheet;
    }

    TSkinData& skin_;
    size_t omitted_ = 0;
    win::FontHandle labelFont_;
    std::string heading_;
    std::vector<TGroup> groups_;
};

} // namespace

TFrameFacts MockWindowFacts(TSkinData& skin, int width, int height, bool active, bool menuBand) {
    TFrameFacts f;
    f.Width = width;
    f.Height = height;
    f.BorderKind = bkSizeable;
    f.BorderIcons = biMaxBox | biMinBox | biSysMenuBox;
    f.WindowState = swNormal;
    f.Active = active;
    f.Popup = false;
    f.MenuHeight = menuBand ? menuBandHeight(skin) : 0;
    f.Text = kMockCaption;
    return f;
}

std::unique_ptr<TBitmap> PaintMockWindow(TSkinData& skin, int width, int height, bool active, bool menuBand,
                                         COLORREF shape) {
    auto mock = std::make_unique<TBitmap>(width, height, pf24bit);
    HDC dc = mock->Canvas().Handle();
    const RECT all{0, 0, width, height};
    FillRect(dc, &all, skin.FaceBrush());
    // The same caption font the form skinner draws with.
    win::FontHandle captionFont = win::CreateSystemFont(win::SystemFont::Caption);
    const TFrameLayout layout =
        LayoutFrame(MockWindowFacts(skin, width, height, active, menuBand), skin, dc, captionFont.Get());
    TFrameArt art;
    art.CaptionFont = captionFont.Get();
    win::FontHandle menuFont;
    if (layout.MenuHeight > 0) {
        menuFont = win::CreateSystemFont(win::SystemFont::Menu);
        art.DrawMenuBand = [&skin, active, font = menuFont.Get()](HDC d, const RECT& band) {
            paintMockMenuBand(d, band, skin, active, font);
        };
    }
    TBitmap band;
    DrawFrame(dc, layout, skin, art, band);
    if (shape != kNoShape) {
        // What lies outside the window's region is the desktop behind it.
        win::RegionHandle inside = FrameRegion(skin, bkSizeable, layout.Metrics, width, height, active);
        win::RegionHandle outside(CreateRectRgn(0, 0, width, height));
        CombineRgn(outside.Get(), outside.Get(), inside.Get(), RGN_DIFF);
        win::BrushHandle brush(CreateSolidBrush(shape));
        FillRgn(dc, outside.Get(), brush.Get());
    }
    GdiFlush();
    return mock;
}

std::unique_ptr<TBitmap> ComposeSkinSheet(TSkinData& skin, const std::string& title) {
    return TSheetBuilder(skin).Compose(title);
}

} // namespace qs::tools
