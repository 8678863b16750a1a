// The media player's panel (cells, faces, glyphs and the press and release it hands on), the
// stand-alone scroll bar's overlay, and the colour of text drawn on skinned faces.
#include <windows.h>

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "skin/controls/skin_choices.h"
#include "skin/controls/skin_media_player.h"
#include "skin/core/face_text.h"
#include "tests/skin/controls/control_fixture.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/group_box.h"
#include "toolkit/controls/media_player.h"
#include "toolkit/controls/scroll_ctrls.h"
#include "toolkit/controls/std_ctrls.h"
#include "toolkit/graphics/canvas.h"

using namespace qs::test;

namespace {

constexpr TMPBtnSet bit(TMPBtnType b) {
    return TMPBtnSet(1u << int(b));
}

RECT screenRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

bool sameBounds(HWND a, HWND b) {
    const RECT ra = screenRect(a), rb = screenRect(b);
    return EqualRect(&ra, &rb) != 0;
}

// Pixels of exactly `colour` in the bitmap.
int countColour(TBitmap& bmp, uint32_t colour) {
    int n = 0;
    for (int y = 0; y < bmp.Height(); ++y)
        for (int x = 0; x < bmp.Width(); ++x)
            n += Pixel(bmp, x, y) == colour;
    return n;
}

// The overlay whose press the system is tracking; a timer lets go of it inside that loop.
TWScrollbar* trackedBar = nullptr;
void CALLBACK releaseTrackedBar(HWND, UINT, UINT_PTR, DWORD) {
    if (trackedBar && trackedBar->Tracking) MouseButton(true, false);
}

class SkinnedMedia : public SkinnedFormTest {
  protected:
    // Play, pause and stop on a 90 x 30 player; stop disabled.
    void AddPlayer() {
        player = new TMediaPlayer(form.get());
        player->SetParent(form.get());
        player->SetBounds(20, 20, 90, 30);
        player->SetVisibleButtons(bit(TMPBtnType::btPlay) | bit(TMPBtnType::btPause) |
                                  bit(TMPBtnType::btStop));
        player->SetEnabledButtons(kAllMediaButtons & ~bit(TMPBtnType::btStop));
        player->OnClick = TMPClickEvent([this](TObject*, TMPBtnType b, bool&) { clicks.push_back(b); });
    }
    TWMediaPlayer& Panel() {
        auto* s = dynamic_cast<TSkinMP*>(ChildSkinner(player));
        EXPECT_NE(s, nullptr);
        return *s->Player;
    }
    std::unique_ptr<TBitmap> Draw() {
        auto bmp = Canvas24(90, 30);
        Panel().DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, 90, 30});
        return bmp;
    }
    POINT At(int x, int y) const { return player->ClientToScreen({x, y}); }
    void TearDown() override {
        MouseMoveTo(2, 2);
        SkinnedFormTest::TearDown();
    }

    TMediaPlayer* player = nullptr;
    std::vector<TMPBtnType> clicks;
};

} // namespace

TEST_F(SkinnedMedia, ThePanelCoversThePlayerAndCutsItIntoCellsWithSharedEdgesGoingLeft) {
    MakeForm();
    AddPlayer();
    Skin();
    TWMediaPlayer& panel = Panel();
    ASSERT_NE(panel.Window(), nullptr);
    EXPECT_TRUE(sameBounds(panel.Window(), player->Handle()));
    EXPECT_TRUE(IsWindowVisible(panel.Window()));
    Draw();
    EXPECT_EQ(panel.VisibleCount, 3);
    EXPECT_EQ(panel.ButtonWidth, 30);
    EXPECT_EQ(panel.HitTest(0), int(TMPBtnType::btPlay));
    EXPECT_EQ(panel.HitTest(30), int(TMPBtnType::btPlay));
    EXPECT_EQ(panel.HitTest(31), int(TMPBtnType::btPause));
    EXPECT_EQ(panel.HitTest(90), int(TMPBtnType::btStop));
    EXPECT_EQ(panel.HitTest(91), kNoMediaButton);

    player->SetBounds(40, 60, 120, 30);
    PumpFor(20);
    EXPECT_TRUE(sameBounds(panel.Window(), player->Handle()));
    player->Hide();
    PumpFor(20);
    EXPECT_FALSE(IsWindowVisible(panel.Window())) << "the panel follows the player's visibility";
}

TEST_F(SkinnedMedia, FacesByStateAndGlyphsByEnabledAndColoured) {
    MakeForm();
    AddPlayer();
    Skin();
    auto bmp = Draw();
    // Cells of 30: a face's centre (margins 6) in frame colours, the glyph (16 x 12) centred.
    EXPECT_EQ(Pixel(*bmp, 15, 27), kFace[0]) << "play at rest";
    EXPECT_EQ(Pixel(*bmp, 75, 27), kFace[2]) << "a disabled stop shows frame 3";
    EXPECT_EQ(Pixel(*bmp, 7 + 6, 9 + 5), 0x00A000u) << "play's coloured glyph";
    EXPECT_EQ(Pixel(*bmp, 60 + 7 + 12, 9 + 10), 0xFFFFFFu) << "stop's disabled glyph: its embossed highlight";
    EXPECT_EQ(Pixel(*bmp, 60 + 7 + 13, 9 + 11), kFace[2]) << "olive is left out around the glyph";

    player->SetColoredButtons(0);
    bmp = Draw();
    EXPECT_EQ(Pixel(*bmp, 7 + 6, 9 + 5), 0x000000u) << "play's plain glyph";

    player->SetVisibleButtons(0);
    bmp = Draw();
    EXPECT_EQ(Pixel(*bmp, 45, 15), uint32_t(ColorToRGB(skin->Colour(scButtonFace))) & 0xFFFFFF)
        << "no visible button: a plain face";
    EXPECT_EQ(Panel().HitTest(10), kNoMediaButton);
}

TEST_F(SkinnedMedia, AReleaseOffThePressedButtonClicksNothingAndAClickOnOneReachesOnClickOnce) {
    MakeForm();
    AddPlayer();
    Skin();
    TWMediaPlayer& panel = Panel();
    const POINT play = At(15, 15), pause = At(45, 15), stop = At(75, 15);
    MouseMoveTo(play.x, play.y);
    MouseButtonAt(play.x, play.y, true, true);
    PumpFor(40);
    EXPECT_TRUE(panel.ButtonHeld);
    EXPECT_EQ(panel.PressedIndex, int(TMPBtnType::btPlay));
    EXPECT_EQ(Pixel(*Draw(), 15, 27), kFace[1]) << "play drawn pressed";
    MouseMoveTo(stop.x, stop.y);
    MouseButtonAt(stop.x, stop.y, true, false);
    PumpFor(40);
    EXPECT_TRUE(clicks.empty()) << "released on stop";
    EXPECT_FALSE(panel.ButtonHeld);
    auto bmp = Draw();
    EXPECT_EQ(Pixel(*bmp, 15, 27), kFace[0]);
    EXPECT_EQ(Pixel(*bmp, 45, 27), kFace[0]) << "no button shows pressed";

    MouseClickAt(pause.x, pause.y);
    PumpFor(40);
    EXPECT_EQ(clicks, std::vector<TMPBtnType>{TMPBtnType::btPause});
    MouseClickAt(stop.x, stop.y);
    PumpFor(40);
    EXPECT_EQ(clicks.size(), 1u) << "a disabled button clicks nothing";
}

// The program frees the player from its own OnClick: the click came through the panel, which goes
// with the player's skinner while its release is still on the stack.
TEST_F(SkinnedMedia, APlayerFreedFromItsOwnClickTakesItsPanelAlong) {
    MakeForm();
    AddPlayer();
    player->OnClick = TMPClickEvent([this](TObject*, TMPBtnType b, bool&) {
        clicks.push_back(b);
        // This handler goes with the player: nothing of it is used after the delete.
        auto* self = this;
        TMediaPlayer* gone = std::exchange(self->player, nullptr);
        delete gone;
    });
    Skin();
    HWND panel = Panel().Window();
    ASSERT_TRUE(IsWindow(panel));
    const POINT play = At(15, 15);
    MouseClickAt(play.x, play.y);
    PumpFor(60);
    EXPECT_EQ(clicks, std::vector<TMPBtnType>{TMPBtnType::btPlay});
    EXPECT_EQ(player, nullptr);
    EXPECT_FALSE(IsWindow(panel)) << "the panel went with the player";
    EXPECT_TRUE(IsWindow(form->Handle())) << "the form lives on";
}

TEST_F(SkinnedMedia, WithoutButtonFacesThePlayerKeepsItsOwnLook) {
    MakeForm({.Faces = false});
    AddPlayer();
    Skin();
    ASSERT_NE(Panel().Window(), nullptr);
    EXPECT_FALSE(IsWindowVisible(Panel().Window()));
    Draw();
}

TEST_F(SkinnedMedia, AStandAloneScrollBarIsCoveredAndStillMovesByMouse) {
    MakeForm({.Scroll = true});
    auto bar = [&](int top, bool enabled) {
        auto* sb = new TScrollBar(form.get());
        sb->SetParent(form.get());
        sb->SetBounds(10, top, 200, 17);
        sb->SetPageSize(20);
        sb->SetPosition(30);
        sb->SetEnabled(enabled);
        return sb;
    };
    TScrollBar* live = bar(100, true);
    TScrollBar* dead = bar(140, false);
    Skin();
    auto* s = dynamic_cast<TSkinScControl*>(ChildSkinner(live));
    auto* d = dynamic_cast<TSkinScControl*>(ChildSkinner(dead));
    ASSERT_TRUE(s && d && s->EmbeddedScrollbar && d->EmbeddedScrollbar);
    TWScrollbar& overlay = *s->EmbeddedScrollbar;
    EXPECT_TRUE(sameBounds(overlay.Window(), live->Handle()));
    EXPECT_EQ(overlay.Kind, 2);
    EXPECT_FALSE(overlay.Vertical);

    const RECT r = screenRect(overlay.Window());
    const POINT arrow{r.right - 6, (r.top + r.bottom) / 2};
    trackedBar = &overlay;
    const UINT_PTR timer = SetTimer(nullptr, 0, 60, releaseTrackedBar);
    MouseMoveTo(arrow.x, arrow.y);
    MouseButtonAt(arrow.x, arrow.y, true, true);
    EXPECT_TRUE(PumpUntil([&] { return live->Position() == 31; })) << "the right arrow moved it by one";
    MouseButton(true, false);
    PumpFor(40);
    KillTimer(nullptr, timer);
    trackedBar = nullptr;
    EXPECT_EQ(live->Position(), 31);

    auto bmp = Canvas24(200, 17);
    d->EmbeddedScrollbar->DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, 200, 17});
    EXPECT_EQ(Pixel(*bmp, 100, 8), kScrollTrackHorz[2]) << "disabled track frame";

    live->SetBounds(10, 60, 180, 17);
    PumpFor(20);
    EXPECT_TRUE(sameBounds(overlay.Window(), live->Handle()));
    live->Hide();
    PumpFor(20);
    EXPECT_FALSE(IsWindowVisible(overlay.Window()));
}

namespace {

class FaceTextColours : public SkinnedFormTest {
  protected:
    template <class C> C* Add(const char* caption, int top, TColor font) {
        auto* c = new C(form.get());
        c->SetParent(form.get());
        c->SetBounds(10, top, 150, 20);
        c->SetCaption(caption);
        c->Font()->SetColor(font);
        return c;
    }
    std::unique_ptr<TBitmap> Draw(TControl* c) {
        auto bmp = Canvas24(150, 20);
        ChildSkinner(c)->DrawSkin(bmp->Canvas().Handle(), RECT{0, 0, 150, 20});
        return bmp;
    }
    int LabelInk(TControl* label, uint32_t colour) {
        const Pixels px = CaptureClient(form->Handle());
        const RECT r = label->BoundsRect();
        int n = 0;
        for (int y = r.top; y < r.bottom; ++y)
            for (int x = r.left; x < r.right; ++x)
                n += (px.at(x, y) & 0xFFFFFF) == colour;
        return n;
    }
};

} // namespace

TEST_F(FaceTextColours, TheSystemsTextColourBecomesTheSkinsAndAProgramsOwnStays) {
    MakeForm({.MediaTextColours = true});
    const TColor buttonText = skin->Colour(scButtonText);
    EXPECT_EQ(TextColourOnFace(clWindowText, skin.get()), buttonText);
    EXPECT_EQ(TextColourOnFace(clBtnText, skin.get()), buttonText);
    EXPECT_EQ(TextColourOnFace(clWindowText, skin.get(), TFaceBackground::Window),
              skin->Colour(scWindowText));
    EXPECT_EQ(TextColourOnFace(clRed, skin.get()), clRed);
    EXPECT_EQ(TextColourOnFace(clWindowText, nullptr), clWindowText);

    auto* plain = Add<TCheckBox>("Default colour", 10, clWindowText);
    auto* red = Add<TCheckBox>("Program's red", 40, clRed);
    auto* label = Add<TLabel>("A label on the form", 70, clWindowText);
    auto* redLabel = Add<TLabel>("A red label", 100, clRed);
    Skin();
    ASSERT_NE(ChildSkinner(plain), nullptr);
    EXPECT_GT(countColour(*Draw(plain), kMediaButtonText), 5) << "the caption in the skin's ButtonText";
    auto bmp = Draw(red);
    EXPECT_GT(countColour(*bmp, 0xFF0000), 5);
    EXPECT_EQ(countColour(*bmp, kMediaButtonText), 0) << "the program's colour is kept";

    EXPECT_EQ(TColor(SendMessageA(form->Handle(), TKN_CHILDTEXTCOLOUR, 0, LPARAM(clWindowText))), buttonText);
    form->Repaint();
    PumpFor(30);
    EXPECT_GT(LabelInk(label, kMediaButtonText), 5) << "a label over the skinned form";
    EXPECT_EQ(LabelInk(redLabel, kMediaButtonText), 0);
    EXPECT_GT(LabelInk(redLabel, 0xFF0000), 5);
}

// A panel's own caption and a label inside a group box sit on faces the skin fills: they ask the
// skinned window for their colour too.
TEST_F(FaceTextColours, PanelCaptionsAndLabelsInGroupBoxesTakeTheSkinsColour) {
    MakeForm({.MediaTextColours = true});
    auto* panel = new TPanel(form.get());
    panel->SetParent(form.get());
    panel->SetBounds(10, 10, 150, 40);
    panel->SetCaption("WWWWWWWW");
    auto* group = new TGroupBox(form.get());
    group->SetParent(form.get());
    group->SetBounds(10, 60, 200, 80);
    group->SetCaption("Group");
    auto* label = new TLabel(form.get());
    label->SetParent(group);
    label->SetBounds(10, 30, 150, 20);
    label->SetCaption("WWWWWWWW in the group");
    Skin();
    ASSERT_NE(ChildSkinner(panel), nullptr);
    ASSERT_NE(ChildSkinner(group), nullptr);
    RedrawWindow(form->Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    PumpFor(30);
    const auto ink = [](HWND window, const RECT& r, uint32_t colour) {
        const Pixels px = CaptureClient(window);
        int n = 0;
        for (int y = r.top; y < r.bottom && y < px.height; ++y)
            for (int x = r.left; x < r.right && x < px.width; ++x)
                n += (px.at(x, y) & 0xFFFFFF) == colour;
        return n;
    };
    EXPECT_GT(ink(panel->Handle(), RECT{0, 0, 150, 40}, kMediaButtonText), 5) << "the panel's caption";
    EXPECT_GT(ink(group->Handle(), label->BoundsRect(), kMediaButtonText), 5) << "a label in the group box";
}
