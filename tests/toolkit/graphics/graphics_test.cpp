// The GDI layer under Wine: bitmaps of every file layout, canvas drawing, transparent
// drawing, the clipboard, image lists, pictures, and no GDI object left behind.
#include <gtest/gtest.h>

#include "tests/support/wintest.h"
#include "toolkit/core/prop_access.h"
#include "toolkit/graphics/clipboard.h"
#include "toolkit/graphics/image_list.h"
#include "toolkit/graphics/system_fonts.h"

namespace {

std::string fixture(const std::string& name) {
    return std::string(QS_GRAPHICS_FIXTURES) + "/" + name;
}

// TColor values of the fixtures' src.ppm, top row first.
const TColor kSource[3][5] = {
    {clRed, clLime, clBlue, clWhite, clBlack},
    {clFuchsia, clYellow, clAqua, clGray, clRed},
    {clBlack, clRed, clRed, clRed, clWhite},
};

std::vector<uint8_t> rowBytes(TBitmap& b) {
    std::vector<uint8_t> all;
    for (int y = 0; y < b.Height(); ++y)
        all.insert(all.end(), b.ScanLine(y), b.ScanLine(y) + 3 * b.Width());
    return all;
}

void fill(TBitmap& b, TColor c) {
    b.Canvas().Brush().SetColor(c);
    b.Canvas().FillRect({0, 0, b.Width(), b.Height()});
}

int channelDiff(TColor a, TColor b) {
    return std::max({std::abs(ColorRed(a) - ColorRed(b)), std::abs(ColorGreen(a) - ColorGreen(b)),
                     std::abs(ColorBlue(a) - ColorBlue(b))});
}

} // namespace

TEST(Bitmap, LoadsEveryFileLayoutWithItsFormat) {
    struct Case {
        const char* file;
        TPixelFormat format;
        int tolerance;
    } cases[] = {{"rgb24.bmp", pf24bit, 0}, {"os2_24.bmp", pf24bit, 0}, {"pal4.bmp", pf4bit, 0},
                 {"rle8.bmp", pf8bit, 0},   {"bf555.bmp", pf15bit, 8},  {"bf565.bmp", pf16bit, 8},
                 {"argb32.bmp", pf32bit, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        TBitmap b;
        b.LoadFromFile(fixture(c.file));
        ASSERT_EQ(b.Width(), 5);
        ASSERT_EQ(b.Height(), 3);
        EXPECT_EQ(b.PixelFormat(), c.format);
        for (int y = 0; y < 3; ++y)
            for (int x = 0; x < 5; ++x)
                EXPECT_LE(channelDiff(b.Canvas().Pixel(x, y), kSource[y][x]), c.tolerance) << x << "," << y;
    }
    TBitmap bw;
    bw.LoadFromFile(fixture("pal1.bmp"));
    EXPECT_EQ(bw.PixelFormat(), pf1bit);
    EXPECT_EQ(bw.Canvas().Pixel(0, 0), clBlack);
    EXPECT_EQ(bw.Canvas().Pixel(9, 0), clWhite);
    EXPECT_EQ(bw.Canvas().Pixel(9, 1), clBlack);
}

TEST(Bitmap, DamagedStreamRaisesAndKeepsTheImage) {
    TBitmap b(2, 2);
    TMemoryStream s;
    s.LoadFromFile(fixture("rgb24.bmp"));
    std::vector<uint8_t> bytes = s.Bytes();
    bytes.resize(bytes.size() - 5);
    TMemoryStream damaged(bytes);
    EXPECT_THROW(b.LoadFromStream(damaged), EInvalidGraphic);
    EXPECT_EQ(b.Width(), 2);
    EXPECT_EQ(b.Canvas().Pixel(1, 1), clWhite);
}

TEST(Bitmap, StreamsRoundTripWithFormatAndPalette) {
    TBitmap a;
    a.LoadFromFile(fixture("pal8.bmp"));
    TMemoryStream s;
    a.SaveToStream(s);
    s.SetPosition(0);
    TBitmap b;
    b.LoadFromStream(s);
    EXPECT_EQ(b.PixelFormat(), pf8bit);
    EXPECT_EQ(b.ColorTable(), a.ColorTable());
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(b.Canvas().Pixel(x, 0), a.Canvas().Pixel(x, 0));
    EXPECT_TRUE(b.Palette() != nullptr);
}

TEST(Bitmap, SetSizeKeepsTheTopLeftAndFormatConversionKeepsPrimaries) {
    TBitmap b(3, 2);
    b.Canvas().SetPixel(0, 0, clFuchsia);
    b.Canvas().SetPixel(2, 1, clBlue);
    b.SetSize(5, 4);
    EXPECT_EQ(b.Canvas().Pixel(0, 0), clFuchsia);
    EXPECT_EQ(b.Canvas().Pixel(2, 1), clBlue);
    EXPECT_EQ(b.Canvas().Pixel(4, 3), clWhite);
    b.SetPixelFormat(pf8bit);
    b.SetPixelFormat(pf24bit);
    EXPECT_EQ(b.Canvas().Pixel(0, 0), clFuchsia);
    EXPECT_EQ(b.Canvas().Pixel(2, 1), clBlue);
    const uint8_t* row = b.ScanLine(0);
    EXPECT_EQ(row[0], 0xFF); // B,G,R of magenta
    EXPECT_EQ(row[1], 0x00);
    EXPECT_EQ(row[2], 0xFF);

    TBitmap copy;
    copy.Assign(&b);
    b.Canvas().SetPixel(0, 0, clBlack);
    EXPECT_EQ(copy.Canvas().Pixel(0, 0), clFuchsia); // deep copy
}

TEST(Canvas, InvertingPenDrawnTwiceRestoresEveryPixel) {
    TBitmap b(40, 30);
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 40; ++x)
            b.Canvas().SetPixel(x, y, RGBColor(uint8_t(x * 6), uint8_t(y * 8), 77));
    const std::vector<uint8_t> before = rowBytes(b);
    TCanvas& c = b.Canvas();
    c.Pen().SetMode(pmNot);
    c.Brush().SetStyle(bsClear);
    auto figure = [&] {
        c.Rectangle(5, 4, 30, 20);
        c.MoveTo(12, 0);
        c.LineTo(12, 30);
        c.MoveTo(0, 25);
        c.LineTo(40, 25);
    };
    const TColor inside = c.Pixel(15, 10), onEdge = c.Pixel(5, 10);
    figure();
    EXPECT_EQ(c.Pixel(15, 10), inside);                    // hollow brush: inside untouched
    EXPECT_EQ(c.Pixel(5, 10), TColor(~onEdge & 0xFFFFFF)); // the frame inverts
    figure();
    EXPECT_EQ(rowBytes(b), before);
}

TEST(Canvas, TransparentDrawLeavesTheKeyColourUnpainted) {
    TBitmap src(4, 2);
    const TColor pattern[2][4] = {{clFuchsia, clRed, RGBColor(255, 1, 255), clFuchsia},
                                  {clBlue, clFuchsia, clFuchsia, clBlack}};
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            src.Canvas().SetPixel(x, y, pattern[y][x]);
    src.SetTransparent(true);
    src.SetTransparentColor(clFuchsia);

    TBitmap dest(10, 6);
    fill(dest, clGreen);
    dest.Canvas().Draw(1, 1, src);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(dest.Canvas().Pixel(1 + x, 1 + y), pattern[y][x] == clFuchsia ? clGreen : pattern[y][x])
                << x << "," << y;
    EXPECT_EQ(dest.Canvas().Pixel(0, 0), clGreen);

    fill(dest, clGreen);
    dest.Canvas().StretchDraw({0, 0, 8, 4}, src); // doubled: each source pixel is 2 x 2
    EXPECT_EQ(dest.Canvas().Pixel(1, 1), clGreen);
    EXPECT_EQ(dest.Canvas().Pixel(3, 1), clRed);
    EXPECT_EQ(dest.Canvas().Pixel(7, 3), clBlack);

    // Without a colour set, the bottom-left pixel is the key.
    src.SetTransparentColor(clDefault);
    EXPECT_EQ(src.TransparentColor(), clBlue);
}

TEST(Canvas, TextAndFontProperties) {
    TBitmap b(120, 30);
    TCanvas& c = b.Canvas();
    const int narrow = c.TextWidth("Quillshot");
    EXPECT_GT(narrow, 0);
    EXPECT_GT(c.TextHeight("Q"), 0);
    c.Font().SetHeight(-24);
    EXPECT_GT(c.TextWidth("Quillshot"), narrow); // the new font was selected in place of the old
    c.Font().SetColor(clRed);
    c.Brush().SetStyle(bsClear);
    c.TextOut(2, 2, "XXXX");
    bool red = false;
    for (int x = 0; x < 60 && !red; ++x)
        for (int y = 0; y < 30 && !red; ++y)
            red = c.Pixel(x, y) == clRed;
    EXPECT_TRUE(red);

    TFont f;
    SetPropFromText(&f, "Color", "clBtnFace");
    uint64_t style = 0;
    ASSERT_TRUE(TextToSet(FontStyleInfo(), "[fsBold,fsUnderline]", style));
    SetOrdProp(&f, "Style", int64_t(style));
    SetPropFromText(&f, "Charset", "134");
    EXPECT_EQ(f.Color(), clBtnFace);
    EXPECT_EQ(f.Style(), FontStyleBit(fsBold) | FontStyleBit(fsUnderline));
    EXPECT_EQ(f.LogFont().lfCharSet, 134);
    EXPECT_EQ(ColorToRGB(clBtnFace), TColor(GetSysColor(COLOR_BTNFACE)));
    f.SetSize(9);
    EXPECT_EQ(f.Height(), -12);
    int changes = 0;
    f.OnChange.fn = [&](TObject*) { ++changes; };
    f.SetName("Arial");
    f.SetName("Arial");
    EXPECT_EQ(changes, 1);
}

TEST(Clipboard, BitmapReadsBackWithItsSizeAndPixels) {
    TBitmap b(7, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x)
            b.Canvas().SetPixel(x, y,
                                (x + y) % 3 ? clFuchsia : RGBColor(10, uint8_t(40 * y), uint8_t(30 * x)));
    TPicture picture;
    picture.Bitmap().Assign(&b);
    Clipboard().Assign(picture);
    auto pixels = qs::test::ReadClipboardBitmap();
    ASSERT_TRUE(pixels.has_value());
    ASSERT_EQ(pixels->width, 7);
    ASSERT_EQ(pixels->height, 5);
    for (int y = 0; y < 5; ++y)
        for (int x = 0; x < 7; ++x) {
            TColor want = b.Canvas().Pixel(x, y);
            EXPECT_EQ(pixels->at(x, y),
                      uint32_t(ColorRed(want)) << 16 | ColorGreen(want) << 8 | ColorBlue(want))
                << x << "," << y;
        }
    EXPECT_FALSE(Clipboard().HasFormat(CF_PALETTE));

    TBitmap indexed;
    indexed.LoadFromFile(fixture("pal4.bmp"));
    Clipboard().SetBitmap(indexed);
    EXPECT_TRUE(Clipboard().HasFormat(CF_BITMAP));
    EXPECT_TRUE(Clipboard().HasFormat(CF_PALETTE));
    TBitmap back;
    ASSERT_TRUE(Clipboard().GetBitmap(back));
    EXPECT_EQ(back.Width(), 5);
    EXPECT_EQ(back.Canvas().Pixel(0, 1), clFuchsia);
}

TEST(ImageList, MonochromeStripWithWhiteMask) {
    // A 64 x 16 1-bit strip, white background, glyph i = a black bar in column 2i of its cell.
    TBitmap strip(64, 16, pf1bit);
    for (int i = 0; i < 4; ++i)
        for (int y = 0; y < 16; ++y)
            strip.Canvas().SetPixel(16 * i + 2 * i, y, clBlack);
    TImageList list(nullptr);
    ASSERT_EQ(list.AddMasked(strip, clWhite), 0);
    EXPECT_EQ(list.Count(), 4);
    EXPECT_EQ(list.IconSize().cx, 16);
    EXPECT_EQ(list.IconSize().cy, 16);

    TBitmap dest(16, 16);
    fill(dest, clFuchsia);
    list.Draw(dest.Canvas(), 0, 0, 3);
    EXPECT_EQ(dest.Canvas().Pixel(6, 5), clBlack);
    EXPECT_EQ(dest.Canvas().Pixel(0, 5), clFuchsia); // masked white
    EXPECT_EQ(dest.Canvas().Pixel(7, 5), clFuchsia);
}

TEST(Picture, DataRoundTripsBitmapsAndIcons) {
    TPicture a;
    a.Bitmap().SetSize(3, 3);
    a.Bitmap().Canvas().SetPixel(1, 2, clNavy);
    std::vector<uint8_t> data = a.WriteData();
    ASSERT_GT(data.size(), 8u);
    EXPECT_EQ(std::string(data.begin() + 1, data.begin() + 1 + data[0]), "TBitmap");
    TPicture b;
    b.ReadData(data);
    ASSERT_TRUE(dynamic_cast<TBitmap*>(b.Graphic()));
    EXPECT_EQ(b.Bitmap().Canvas().Pixel(1, 2), clNavy);

    // An icon made from a 16 x 16 colour bitmap and an all-opaque mask.
    TBitmap color(16, 16, pf32bit), mask(16, 16, pf1bit);
    fill(color, clRed);
    fill(mask, clBlack);
    ICONINFO ii{TRUE, 0, 0, mask.Handle(), color.Handle()};
    TIcon icon;
    icon.SetHandle(CreateIconIndirect(&ii));
    ASSERT_FALSE(icon.Empty());
    EXPECT_EQ(icon.Width(), 16);
    TPicture p;
    p.SetGraphic(&icon);
    TPicture q;
    q.ReadData(p.WriteData());
    auto* back = dynamic_cast<TIcon*>(q.Graphic());
    ASSERT_TRUE(back);
    EXPECT_EQ(back->Width(), 16);
    TBitmap drawn(16, 16);
    drawn.Canvas().Draw(0, 0, *back);
    EXPECT_EQ(drawn.Canvas().Pixel(8, 8), clRed);

    EXPECT_THROW(q.ReadData({3, 'T', 'X', 'Y', 1, 2}), EInvalidGraphic);
}

TEST(Resources, NoGdiObjectOutlivesItsCycle) {
    auto cycle = [](int i) {
        TBitmap b(32, 24);
        TCanvas& c = b.Canvas();
        c.Pen().SetColor(RGBColor(uint8_t(i), 0, 0));
        c.Pen().SetWidth(1 + i % 3);
        c.Brush().SetStyle(i % 2 ? bsClear : bsCross);
        c.Rectangle(1, 1, 20, 20);
        c.Font().SetHeight(-10 - i % 5); // changes while selected
        c.TextOut(0, 0, "abc");
        c.Font().SetStyle(FontStyleBit(fsBold));
        c.TextOut(0, 10, "abc");
        TBitmap key(8, 8, pf8bit);
        fill(key, clFuchsia);
        key.SetTransparent(true);
        key.SetTransparentColor(clFuchsia);
        c.Draw(3, 3, key);
        c.StretchDraw({0, 0, 16, 16}, key);
        (void)key.Palette();
        TFont f;
        f.SetName("Arial");
        (void)f.Handle();
        TBitmap moved;
        moved.SetHandle(b.CopyHandle());
        moved.SetPixelFormat(pf16bit);
        if (i % 10 == 0) Clipboard().Assign(b);
    };
    cycle(0); // first use makes what lives for the process (clipboard window, stock objects)
    Clipboard().Clear();
    const DWORD before = qs::test::GdiObjectCount();
    {
        // The count must see a leak, or this test proves nothing.
        win::BitmapHandle probe(CreateBitmap(1, 1, 1, 1, nullptr));
        ASSERT_EQ(qs::test::GdiObjectCount(), before + 1);
    }
    for (int i = 1; i <= 200; ++i)
        cycle(i);
    Clipboard().Clear();
    EXPECT_EQ(qs::test::GdiObjectCount(), before);
}

TEST(Bitmap, HandleLetsGoOfTheCanvasAndAdoptedBitmapsBecomeDibSections) {
    TBitmap b(4, 3);
    b.Canvas().SetPixel(3, 2, clTeal);
    // GetDIBits needs a bitmap no DC holds: Handle() takes it out of the canvas.
    struct {
        BITMAPINFOHEADER h;
        RGBQUAD pad[4];
    } info{{sizeof(BITMAPINFOHEADER), 4, -3, 1, 32, BI_RGB, 0, 0, 0, 0, 0}, {}};
    uint32_t px[12] = {};
    win::WindowDC screen = win::WindowDC::Screen();
    ASSERT_EQ(
        GetDIBits(screen.Get(), b.Handle(), 0, 3, px, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS),
        3);
    EXPECT_EQ(px[11] & 0xFFFFFF, 0x008080u);   // clTeal (green and blue 128) as B,G,R,X
    EXPECT_EQ(b.Canvas().Pixel(3, 2), clTeal); // and the canvas takes it back

    TBitmap adopted;
    adopted.SetHandle(CreateCompatibleBitmap(screen.Get(), 6, 2)); // a device bitmap, copied and deleted
    EXPECT_EQ(adopted.Width(), 6);
    adopted.Canvas().SetPixel(5, 1, clFuchsia);
    EXPECT_EQ(adopted.ScanLine(1)[4 * 5 + 1], 0); // a DIB section: rows are addressable
    HBITMAP released = adopted.ReleaseHandle();
    EXPECT_TRUE(adopted.Empty());
    EXPECT_EQ(GetObjectType(released), DWORD(OBJ_BITMAP));
    DeleteObject(released);
}

TEST(Canvas, ObjectsChangeWhileSelectedAndCopyRectStretches) {
    TBitmap b(20, 10);
    TCanvas& c = b.Canvas();
    c.Brush().SetColor(clRed);
    c.FillRect({0, 0, 10, 10});
    c.Brush().SetColor(clBlue); // the red brush is deselected, then deleted
    c.FillRect({10, 0, 20, 10});
    EXPECT_EQ(c.Pixel(5, 5), clRed);
    EXPECT_EQ(c.Pixel(15, 5), clBlue);
    c.Brush().SetColor(clLime);
    c.FrameRect({2, 2, 8, 8});
    EXPECT_EQ(c.Pixel(2, 5), clLime);
    EXPECT_EQ(c.Pixel(4, 5), clRed);

    TBitmap big(40, 20);
    big.Canvas().CopyRect({0, 0, 40, 20}, c, {0, 0, 20, 10});
    EXPECT_EQ(big.Canvas().Pixel(9, 9), clRed);
    EXPECT_EQ(big.Canvas().Pixel(39, 19), clBlue);
    EXPECT_EQ(big.Canvas().Pixel(4, 10), clLime); // frame column x=2 doubled to 4..5
}

TEST(Picture, AssignCopiesAndKeepsItsOwnGraphic) {
    TBitmap b(2, 2);
    b.Canvas().SetPixel(0, 0, clMaroon);
    TPicture p;
    int changes = 0;
    p.OnChange.fn = [&](TObject*) { ++changes; };
    p.Assign(&b);
    b.Canvas().SetPixel(0, 0, clWhite);
    ASSERT_TRUE(dynamic_cast<TBitmap*>(p.Graphic()));
    EXPECT_EQ(p.Bitmap().Canvas().Pixel(0, 0), clMaroon);
    p.Bitmap().SetSize(3, 3); // a change inside the graphic reaches the picture
    EXPECT_GE(changes, 2);

    TBitmap out;
    out.Assign(&p);
    EXPECT_EQ(out.Width(), 3);
    EXPECT_EQ(out.Canvas().Pixel(0, 0), clMaroon);
    p.Assign(nullptr);
    EXPECT_TRUE(p.Empty());
    EXPECT_TRUE(p.WriteData().empty());
}

TEST(SystemFonts, ReadWithTheOldMetricsSizeInBothBitnesses) {
    // The old structure size must be accepted, or every caller silently falls back.
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = win::kNonClientMetricsSize;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, win::kNonClientMetricsSize, &metrics, 0));
    const std::pair<win::SystemFont, const LOGFONTA*> kinds[] = {
        {win::SystemFont::Caption, &metrics.lfCaptionFont},
        {win::SystemFont::Menu, &metrics.lfMenuFont},
        {win::SystemFont::Status, &metrics.lfStatusFont}};
    for (const auto& [kind, expected] : kinds) {
        win::FontHandle font = win::CreateSystemFont(kind);
        ASSERT_TRUE(font);
        LOGFONTA got{};
        ASSERT_EQ(GetObjectA(font.Get(), sizeof got, &got), int(sizeof got));
        EXPECT_STREQ(got.lfFaceName, expected->lfFaceName);
        EXPECT_EQ(got.lfHeight, expected->lfHeight);
        EXPECT_EQ(got.lfWeight, expected->lfWeight);
    }
}
