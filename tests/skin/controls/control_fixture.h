// What the control-skinner tests share: a skin whose button faces, check and radio glyphs are
// solid colours that say which frame was drawn, windows skinned the way the manager skins them,
// and reading pixels back from a memory DC.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "skin/core/skin_data.h"
#include "skin/form/win_skin_form.h"
#include "tests/skin/core/test_skin.h"
#include "toolkit/controls/form.h"
#include "toolkit/graphics/bitmap.h"

namespace qs::test {

constexpr uint32_t kMagentaKey = 0xFF00FF;
// Button face frames 1..5: normal, pressed, disabled, hot, focused or default.
constexpr uint32_t kFace[5] = {0xC00000, 0x00C000, 0x808080, 0x0000C0, 0xC0C000};
// Check and radio glyph frames 1..12.
constexpr uint32_t kGlyph[12] = {0x100000, 0x200000, 0x300000, 0x400000, 0x500000, 0x600000,
                                 0x700000, 0x800000, 0x900000, 0xA00000, 0xB00000, 0xC00000};
constexpr int kFaceSize = 24;  // one face frame, square
constexpr int kFaceCorner = 4; // its magenta top-left corner
constexpr int kGlyphSize = 13;
// Range-control images: arrow frames 1..8 of the vertical and horizontal up-down strips, thumb
// frames 1..5, the two channels, the progress bar's empty and full frames and its chunk.
constexpr uint32_t kArrowVert[8] = {0x101000, 0x202000, 0x303000, 0x404000,
                                    0x505000, 0x606000, 0x707000, 0x808000};
constexpr uint32_t kArrowHorz[8] = {0x001010, 0x002020, 0x003030, 0x004040,
                                    0x005050, 0x006060, 0x007070, 0x008080};
constexpr uint32_t kThumb[5] = {0x100010, 0x200020, 0x300030, 0x400040, 0x500050};
constexpr uint32_t kTrack = 0x00A0A0, kTrackVert = 0x0060A0;
constexpr uint32_t kBarEmpty = 0x204060, kBarFull = 0x60A020, kChunk = 0xE0E000;
constexpr int kChunkWidth = 4, kChunkHeight = 6;
// Tab images: Tabs frames 1..5, 12 x 12, whose top 2 rows (a fixed margin) are the tab's edge; the
// page frame of the Tabs object and the TabPane's.
constexpr uint32_t kTab[5] = {0x3060C0, 0x30C060, 0x606060, 0xC03060, 0x6030C0};
constexpr uint32_t kTabEdge = 0x102030, kTabBorder = 0x80C0E0, kTabPane = 0xE0C080;
constexpr int kTabFrameSize = 12;
// Scroll-bar images: Scrollbar frames 1..23, track frames 1..4, thumb frames 1..3.
constexpr uint32_t ScrollGlyph(int frame) {
    return 0x200000 + uint32_t(frame) * 0x000904;
}
constexpr uint32_t kScrollTrackHorz[4] = {0x2080A0, 0x2181A1, 0x2282A2, 0x2383A3};
constexpr uint32_t kScrollTrackVert[4] = {0x20A080, 0x21A181, 0x22A282, 0x23A383};
constexpr uint32_t kScrollThumbHorz[3] = {0x6040C0, 0x6141C1, 0x6242C2};
constexpr uint32_t kScrollThumbVert[3] = {0x40C060, 0x41C161, 0x42C262};

// Combo images: ComboButton frames 1..4 (kComboButtonWidth x kComboButtonHeight each, the left
// column a marker so the mirrored copy can be told apart), SunkEdge frames 1..4, ExtraImages 1..5.
constexpr uint32_t kComboButton[4] = {0x4080C0, 0x40C080, 0x808040, 0xC04080};
constexpr uint32_t kComboMarker = 0x102040;
constexpr uint32_t kSunkEdge[4] = {0x304050, 0x305040, 0x504030, 0x403050};
constexpr uint32_t kExtra[5] = {0x0A0B0C, 0x1A1B1C, 0x2A2B2C, 0x3A3B3C, 0x4A4B4C};
constexpr int kComboButtonWidth = 16, kComboButtonHeight = 20, kExtraSize = 6;
// Container images: StatusBarEdges frames 1..3 (12 x 12, no margins), the ExtraImages strip whose
// frame 5 is the size grip (8 x 8, magenta top-left pixel), Headerbar frames 1..5 (10 x 10); and
// the colours the container painters use.
constexpr uint32_t kEdge[3] = {0x506070, 0x705060, 0x607050};
constexpr uint32_t kContainerExtra[5] = {0x111111, 0x222222, 0x333333, 0x444444, 0x0A0B0C};
constexpr uint32_t kHeaderbar[5] = {0x7080A0, 0xA08070, 0x556677, 0x776655, 0x667755};
constexpr uint32_t kContainerFace = 0xD0D8E0, kContainerShadow = 0x304050, kContainerWindowText = 0x102010,
                   kContainerButtonText = 0x201010, kStatusText = 0x0000F0;
constexpr int kGripSize = 8;
constexpr uint32_t kMediaButtonText = 0xF0C820, kMediaWindowText = 0x20C8F0;

struct ControlSkinOptions {
    int CheckFrames = 4; // 0: no check glyph image
    int RadioFrames = 4;
    bool FaceTrans = true;
    bool Faces = true;     // false: the Buttons record has no face image
    bool Ranges = false;   // the up-down, track-bar and progress images
    int ProgressStyle = 0; // 1: chunks
    int ChunkTile = 0;
    bool Tabs = false;     // the Tabs record and its page frame
    bool TabsImage = true; // false: the Tabs record has no image
    int TabsWidth = 5 * kTabFrameSize;
    int TabStyle = 0; // 1: the page frame comes from TabPane
    bool TabPane = false;
    // Scroll-bar images: the 23-frame Scrollbar strip (frame f all kScrollGlyph[f - 1]), the
    // tracks and the thumbs. A glyph size 0 leaves the Scrollbar image out.
    bool Scroll = false;
    int ScrollGlyphWidth = 16; // one frame
    int ScrollGlyphHeight = 16;
    bool ScrollHorzRecords = true; // HorzScroll and HorzScrollThumb
    bool ScrollVertRecords = true; // VertScroll and VertScrollThumb
    int ScrollThumbFrames = 3;     // the thumbs' FrameCount
    // Combo images: the ComboButton record (its Style, 0 or 1), SunkEdge (which makes the loader
    // combine both into Style 2) and ExtraImages.
    bool ComboButton = false;
    int ComboStyle = 0;
    bool ComboSunkEdge = false;
    bool ComboExtra = false;
    // Containers: the colours above; StatusBarEdges, ExtraImages and Headerbar when set.
    bool ContainersColours = false;
    bool ContainersEdges = false;
    bool ContainersGrip = false;
    bool ContainersHeader = false;
    // Colours entries for text on faces: ButtonText kMediaButtonText, WindowText kMediaWindowText.
    bool MediaTextColours = false;
};

// Faces 24 x 24 with margins 6 and a magenta 4 x 4 top-left corner; glyphs 13 x 13 whose corner
// pixel is magenta.
TestSkin ControlSkin(const ControlSkinOptions& options = {});
std::unique_ptr<TSkinData> LoadControlSkin(const ControlSkinOptions& options = {});

// A skin form that skinned `window` and attached its children as the manager's request does.
struct SkinnedWindow {
    SkinnedWindow(TSkinData& skin, HWND window, TComponent* form = nullptr);
    ~SkinnedWindow();
    SkinnedWindow(const SkinnedWindow&) = delete;
    SkinnedWindow& operator=(const SkinnedWindow&) = delete;
    void Attach();

    HWND Handle;
    std::unique_ptr<TWinSkinForm> Skinner;
};

// A toolkit form at (60, 60), 360 x 260, with the control skin; tests add controls, then Skin().
class SkinnedFormTest : public ::testing::Test {
  protected:
    // A new skin with these options, and a new form.
    void MakeForm(const ControlSkinOptions& options = {});
    // Shows the form and skins it and its controls as the manager does.
    void Skin();
    TSkinControl* ChildSkinner(TControl* control) const;
    void TearDown() override;

    std::unique_ptr<TSkinData> skin;
    std::unique_ptr<TForm> form;
    std::unique_ptr<SkinnedWindow> skinned;
};

// A memory bitmap of w x h filled with `background`, for DrawSkin calls.
std::unique_ptr<TBitmap> Canvas24(int w, int h, uint32_t background = 0xFFFFFF);
uint32_t Pixel(TBitmap& bmp, int x, int y);
// The bounding box of pixels that differ from `background`; empty when none do.
RECT InkBounds(TBitmap& bmp, uint32_t background, const RECT& within);

// A plain top-level window of a class that paints white and counts what reaches it.
HWND PlainParent(int w = 320, int h = 240);
// A child window of `cls` and style on parent.
HWND ChildWindow(HWND parent, const char* cls, DWORD style, const char* text, const RECT& at, int id = 100);

} // namespace qs::test
