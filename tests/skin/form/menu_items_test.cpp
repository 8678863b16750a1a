// Owner-drawn menu items: the painter on memory bitmaps (faces by state over the window's
// background, separators, the check mark, measuring), the form skinner switching toolkit menus,
// and the owner-drawn system popup.
#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/menu_item_painter.h"
#include "skin/form/win_skin_form.h"
#include "tests/skin/core/test_skin.h"
#include "tests/skin/paint/pixel_helpers.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"
#include "toolkit/controls/register.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/canvas.h"
#include "toolkit/graphics/image_list.h"

using qs::test::PixelAt;

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;
// MenuItem frames, 20 x 24 each: frame colour in the middle, magenta in the top-left 4 x 4 corner,
// and frame 2's bottom 6 rows striped (the separator).
constexpr uint32_t kFrameColours[5] = {0x101010, 0x202020, 0x303030, 0x404040, 0x505050};
constexpr uint32_t kSeparator = 0x00C0C0;

uint32_t itemPixel(int x, int y) {
    const int frame = x / 20, fx = x % 20;
    if (fx < 4 && y < 4) return kMagenta;
    if (frame == 1 && y >= 18) return kSeparator;
    return kFrameColours[frame];
}

// A background whose pixel tells where it was taken from.
uint32_t backPixel(int x, int y) {
    return 0x800000 | uint32_t(x) << 8 | uint32_t(y);
}

std::unique_ptr<TSkinData> MenuSkin(const std::string& leftWidth = "6") {
    qs::test::TestSkin t;
    t.ini = "[Personality]\r\nTop=t.bmp\r\nLeft=s.bmp\r\nRight=s.bmp\r\nBottom=t.bmp\r\n"
            "[MenuItem]\r\nImage=item.bmp\r\nLeftWidth=" +
            leftWidth +
            "\r\nRightWidth=5\r\nTopHeight=0\r\nBottomHeight=0\r\n"
            "Trans=1\r\n[Colours]\r\nMenu=1 2 3\r\nMenuText=0 0 0\r\nHilightText=255 255 255\r\n";
    t.Bmp("item.bmp", 100, 24, itemPixel).Bmp("t.bmp", 40, 20).Bmp("s.bmp", 4, 40);
    auto skin = std::make_unique<TSkinData>(nullptr);
    const auto bytes = t.Compressed();
    skin->SkinStream().Write(bytes.data(), bytes.size());
    EXPECT_TRUE(skin->LoadSkin());
    return skin;
}

TEST(MenuItemPainter, FaceByStateOverTheMatchingPieceOfTheWindowBackground) {
    auto skin = MenuSkin();
    auto back = qs::test::MakeImage(200, 100, backPixel);
    const TMenuItemBackdrop backdrop{back.get(), POINT{3, 3}};
    TBitmap target(120, 40, pf24bit);
    const RECT item{10, 5, 110, 29};
    for (bool selected : {false, true}) {
        TMenuItemFace face;
        face.Caption = L"";
        face.Selected = selected;
        DrawSkinMenuItem(target.Canvas().Handle(), item, *skin, face, backdrop, MenuFont(), true);
        EXPECT_EQ(PixelAt(target, 105, 20), kFrameColours[selected ? 3 : 0]) << selected;
        // The see-through corner shows the background at the item's place in the window.
        EXPECT_EQ(PixelAt(target, 11, 6), backPixel(11 + 3, 6 + 3)) << selected;
    }
    // No background image: the Menu colour shows through.
    TMenuItemFace plain;
    DrawSkinMenuItem(target.Canvas().Handle(), item, *skin, plain, TMenuItemBackdrop{}, MenuFont(), true);
    EXPECT_EQ(PixelAt(target, 11, 6), 0x010203u);
}

TEST(MenuItemPainter, SeparatorsOfToolkitItemsAreFrameTwoAndOfHandleItemsAnEtchedLine) {
    auto skin = MenuSkin();
    auto back = qs::test::MakeImage(200, 100, backPixel);
    const TMenuItemBackdrop backdrop{back.get(), POINT{0, 0}};
    TMenuItemFace line;
    line.Caption = L"-";
    TBitmap toolkit(100, 10, pf24bit), handle(100, 10, pf24bit);
    const RECT r{0, 0, 100, 10};
    DrawSkinMenuItem(toolkit.Canvas().Handle(), r, *skin, line, backdrop, MenuFont(), true);
    // A separator lower than the image takes the frame's bottom rows, stretched across.
    EXPECT_EQ(PixelAt(toolkit, 50, 7), kSeparator);
    EXPECT_EQ(PixelAt(toolkit, 50, 2), kFrameColours[1]);
    DrawSkinMenuItem(handle.Canvas().Handle(), r, *skin, line, backdrop, MenuFont(), false);
    EXPECT_EQ(PixelAt(handle, 50, 8), kFrameColours[0]) << "the normal face under the line";
    EXPECT_NE(PixelAt(handle, 50, 4), kFrameColours[0]) << "the etched line 4 pixels down";
}

TEST(MenuItemPainter, ACheckedItemWithoutImageShowsTheCheckMarkCentredInItsBox) {
    auto skin = MenuSkin();
    TMenuItemFace face;
    face.Caption = L"";
    face.Checked = true;
    TBitmap target(120, 24, pf24bit);
    const RECT r{0, 0, 120, 24};
    DrawSkinMenuItem(target.Canvas().Handle(), r, *skin, face, TMenuItemBackdrop{}, MenuFont(), true);
    // Glyph box: 16 wide from 1 + LeftWidth (6); the mark's ink lies around its middle.
    int left = 120, right = -1, top = 24, bottom = -1;
    for (int y = 0; y < 24; ++y)
        for (int x = 0; x < 40; ++x)
            if (PixelAt(target, x, y) != kFrameColours[0] && PixelAt(target, x, y) != 0x010203u) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    ASSERT_GE(right, left) << "no check mark drawn";
    EXPECT_GE(left, 7);
    EXPECT_LE(right, 7 + 16);
    EXPECT_LE(std::abs((left + right) / 2 - (7 + 8)), 2);
    EXPECT_LE(std::abs((top + bottom) / 2 - 12), 2);
}

class TMenuForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TMenuForm(TComponent* owner) : TForm(owner) {}
};
const TClassInfo& TMenuForm::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TMenuForm>("TMenuForm", &TForm::StaticClass()).Creatable().Build();
    return info;
}

TMenuItem* addItem(TMenu& menu, const std::string& caption) {
    auto* item = new TMenuItem(&menu);
    item->SetCaption(caption);
    menu.Items()->Add(item);
    return item;
}

int measuredWidth(TMenuItem& item) {
    TCanvas canvas;
    win::WindowDC screen = win::WindowDC::Screen();
    canvas.SetHandle(screen.Get());
    int w = 0, h = 0;
    item.MeasureItem(canvas, w, h);
    canvas.SetHandle(nullptr);
    return w;
}

TEST(MenuOwnerDraw, ToolkitPopupsAreMeasuredWiderAndSwitchedBackButDisableTagMenusStayTheSystems) {
    RegisterControlClasses();
    Application->Initialize();
    auto skin = MenuSkin();
    std::unique_ptr<TMenuForm> form(NewForm<TMenuForm>(nullptr));
    auto* plain = new TPopupMenu(form.get());
    auto* withImages = new TPopupMenu(form.get());
    auto* kept = new TPopupMenu(form.get());
    TImageList images(form.get());
    withImages->SetImages(&images);
    kept->SetTag(skin->DisableTag());
    TMenuItem* a = addItem(*plain, "Alpha");
    TMenuItem* b = addItem(*withImages, "Alpha");
    TMenuItem* c = addItem(*kept, "Alpha");
    const int before = measuredWidth(*a), beforeImages = measuredWidth(*b), beforeKept = measuredWidth(*c);

    TWinSkinForm skinner(form->Handle(), "");
    skinner.SkinForm(skin.get(), form.get());
    EXPECT_TRUE(plain->OwnerDraw());
    EXPECT_FALSE(kept->OwnerDraw());
    EXPECT_EQ(measuredWidth(*a), before + 6 + 35) << "without an image list: 35 more, plus LeftWidth";
    EXPECT_EQ(measuredWidth(*b), beforeImages + 6 + 12) << "with one: 12 more";
    EXPECT_EQ(measuredWidth(*c), beforeKept);

    // A program's own measuring handler stays, and switching off leaves it.
    int own = 0;
    TMenuItem* d = addItem(*plain, "Own");
    d->OnMeasureItem = TMenuMeasureItemEvent([&](TObject*, TCanvas*, int&, int&) { ++own; });
    skinner.SetPopupMenusOwnerDraw(form.get(), true);
    measuredWidth(*d);
    EXPECT_EQ(own, 1);
    skinner.SetPopupMenusOwnerDraw(form.get(), false);
    EXPECT_FALSE(plain->OwnerDraw());
    EXPECT_FALSE(a->OnDrawItem.fn);
    EXPECT_FALSE(a->OnMeasureItem.fn);
    EXPECT_TRUE(d->OnMeasureItem.fn);
    skinner.Detach();
}

// A hostile skin's margin made every item 2147483647 wider (an overflow) or 32767 wider, and
// painting it threw "Bitmap too large" into the program's handler.
TEST(MenuItemPainter, AMarginBeyondTheItemImageWidensItemsByOneFrameAtMost) {
    for (const char* value : {"2147483647", "32767", "21", "-2147483648", "-5"}) {
        SCOPED_TRACE(value);
        auto skin = MenuSkin(value);
        const int extra = MenuItemExtraWidth(*skin, false, false);
        const bool negative = value[0] == '-';
        EXPECT_EQ(extra, (negative ? 0 : 20) + 35) << "the item image's frames are 20 wide";
        TBitmap target(200, 24, pf24bit);
        TMenuItemFace face;
        face.Caption = L"Alpha";
        const RECT item{0, 0, 60 + extra, 24};
        EXPECT_NO_THROW(DrawSkinMenuItem(target.Canvas().Handle(), item, *skin, face, TMenuItemBackdrop{},
                                         MenuFont(), true));
    }
}

LRESULT CALLBACK plainProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
    return DefWindowProcA(h, msg, w, l);
}

TMenuItem* itemWithTag(TPopupMenu& popup, UINT command) {
    for (TMenuItem* i : popup.Items()->Items())
        if (UINT(i->Tag()) == command) return i;
    return nullptr;
}

TEST(SystemPopup, ItemsFollowTheWindowStateAndChoosingOnePerformsIt) {
    RegisterControlClasses();
    Application->Initialize();
    auto skin = MenuSkin();
    WNDCLASSA wc{};
    wc.lpfnWndProc = plainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "QsSystemPopupTest";
    RegisterClassA(&wc);
    HWND h = CreateWindowExA(0, wc.lpszClassName, "w", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 50, 50, 300, 200,
                             nullptr, nullptr, wc.hInstance, nullptr);
    TWinSkinForm skinner(h, "");
    skinner.SkinWindow(skin.get());
    SendMessageA(h, SKM_SKINFORM, 0, kSkinFormSignature);

    TPopupMenu& normal = skinner.BuildSystemPopup();
    EXPECT_EQ(normal.Tag(), 33333);
    EXPECT_TRUE(normal.OwnerDraw());
    EXPECT_EQ(normal.Images(), &skin->MenuGlyphs());
    ASSERT_TRUE(itemWithTag(normal, SC_RESTORE) && itemWithTag(normal, SC_MAXIMIZE) &&
                itemWithTag(normal, SC_CLOSE));
    EXPECT_FALSE(itemWithTag(normal, SC_RESTORE)->Enabled());
    EXPECT_TRUE(itemWithTag(normal, SC_MAXIMIZE)->Enabled());
    EXPECT_EQ(itemWithTag(normal, SC_MAXIMIZE)->ImageIndex(), 1);
    EXPECT_EQ(itemWithTag(normal, SC_CLOSE)->ImageIndex(), 3);
    EXPECT_NE(itemWithTag(normal, SC_CLOSE)->Caption().find('\t'), std::string::npos) << "its shortcut text";

    itemWithTag(normal, SC_MAXIMIZE)->Click();
    EXPECT_TRUE(qs::test::PumpUntil([&] { return IsZoomed(h) != FALSE; }));
    TPopupMenu& zoomed = skinner.BuildSystemPopup();
    EXPECT_FALSE(itemWithTag(zoomed, SC_MAXIMIZE)->Enabled());
    EXPECT_TRUE(itemWithTag(zoomed, SC_RESTORE)->Enabled());
    EXPECT_FALSE(itemWithTag(zoomed, SC_MOVE)->Enabled());
    skinner.Detach();
    DestroyWindow(h);
}

// Pixels of a bitmap that are not the item's face: the ink of caption, shortcut or glyph.
int inkIn(TBitmap& target, int left, int right, int height) {
    int n = 0;
    for (int y = 0; y < height; ++y)
        for (int x = left; x < right; ++x)
            if (PixelAt(target, x, y) != kFrameColours[0]) ++n;
    return n;
}

TEST(MenuItemPainter, ARightToLeftItemShowsItsShortcutAtTheLeft) {
    auto skin = MenuSkin();
    const RECT r{0, 0, 240, 24};
    for (bool rtl : {false, true}) {
        TMenuItemFace face;
        face.Caption = L"Open";
        face.ShortCut = L"Ctrl+O";
        face.RightToLeft = rtl;
        TBitmap target(240, 24, pf24bit);
        DrawSkinMenuItem(target.Canvas().Handle(), r, *skin, face, TMenuItemBackdrop{}, MenuFont(), true);
        // The caption sits at the reading start, the shortcut at the other end.
        const int start = rtl ? inkIn(target, 160, 240, 24) : inkIn(target, 0, 80, 24);
        const int end = rtl ? inkIn(target, 0, 80, 24) : inkIn(target, 160, 240, 24);
        EXPECT_GT(start, 0) << rtl;
        EXPECT_GT(end, 0) << "the shortcut shows " << rtl;
    }
}

TEST(MenuItemPainter, TheDefaultItemIsDrawnBoldAndItsFontGoes) {
    auto skin = MenuSkin();
    const RECT r{0, 0, 200, 24};
    auto ink = [&](bool isDefault) {
        TMenuItemFace face;
        face.Caption = L"Default item";
        face.Default = isDefault;
        TBitmap target(200, 24, pf24bit);
        DrawSkinMenuItem(target.Canvas().Handle(), r, *skin, face, TMenuItemBackdrop{}, MenuFont(), true);
        return inkIn(target, 0, 200, 24);
    };
    const int plain = ink(false);
    EXPECT_GT(ink(true), plain + plain / 10) << "bold strokes";
    TBitmap target(200, 24, pf24bit);
    HDC dc = target.Canvas().Handle();
    win::SelectGuard font(dc, MenuFont());
    TMenuItemFace face;
    face.Caption = L"Default item";
    face.Default = true;
    const DWORD before = qs::test::GdiObjectCount();
    for (int i = 0; i < 50; ++i)
        DrawMenuItemContent(dc, r, *skin, face);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), HGDIOBJ(MenuFont())) << "the caller's font is selected again";
    EXPECT_LE(qs::test::GdiObjectCount(), before + 1);
}

TEST(MenuItemPainter, RepeatedDrawingLeaksNoGdiObjects) {
    auto skin = MenuSkin();
    auto back = qs::test::MakeImage(200, 100, backPixel);
    TBitmap target(120, 40, pf24bit);
    TMenuItemFace face;
    face.Caption = L"&Open\tCtrl+O";
    face.Checked = true;
    face.Default = true;
    auto paint = [&](int i) {
        face.Selected = i % 2;
        face.Caption = i % 3 ? L"&Open" : L"-";
        DrawSkinMenuItem(target.Canvas().Handle(), RECT{0, 0, 120, 24}, *skin, face,
                         TMenuItemBackdrop{back.get(), POINT{3, 3}}, MenuFont(), i % 2);
    };
    paint(0);
    const DWORD before = qs::test::GdiObjectCount();
    for (int i = 0; i < 200; ++i)
        paint(i);
    EXPECT_LE(qs::test::GdiObjectCount(), before + 2);
}

} // namespace
