// Skins, skinned windows and pixel reading for the control-skinner tests.
#include "tests/skin/controls/control_fixture.h"

#include <algorithm>

#include "skin/controls/register_control_skinning.h"
#include "skin/core/skin_manager.h"
#include "tests/skin/paint/pixel_helpers.h"
#include "tests/support/wintest.h"
#include "toolkit/graphics/canvas.h"

namespace qs::test {

namespace {

uint32_t faceColour(int x, int y) {
    if (x % kFaceSize < kFaceCorner && y < kFaceCorner) return kMagentaKey;
    return kFace[x / kFaceSize];
}

uint32_t glyphColour(int x, int y) {
    if (x % kGlyphSize == 0 && y == 0) return kMagentaKey;
    return kGlyph[x / kGlyphSize];
}

LRESULT CALLBACK plainProc(HWND h, UINT msg, WPARAM wParam, LPARAM lParam) {
    return DefWindowProcA(h, msg, wParam, lParam);
}

void addRanges(TestSkin& t, const ControlSkinOptions& o) {
    const bool chunks = o.ProgressStyle == 1;
    t.ini += "[UpDown.Vert]\r\nImage=updownv.bmp\r\n[UpDown.Horz]\r\nImage=updownh.bmp\r\n"
             "[Trackbar.ThumbHorz]\r\nImage=thumb.bmp\r\n"
             "[Track]\r\nImage=track.bmp\r\nLeftWidth=2\r\nRightWidth=2\r\n"
             "[TRACKVERT]\r\nImage=trackv.bmp\r\nTopHeight=2\r\nBottomHeight=2\r\n"
             "[Progress]\r\nBitmap=progress.bmp\r\nStyle=" +
             std::to_string(o.ProgressStyle) +
             "\r\n[Progress.Chunk]\r\nImage=chunk.bmp\r\nTile=" + std::to_string(o.ChunkTile) + "\r\n";
    t.Bmp("updownv.bmp", 80, 10, [](int x, int) { return kArrowVert[x / 10]; });
    t.Bmp("updownh.bmp", 80, 10, [](int x, int) { return kArrowHorz[x / 10]; });
    t.Bmp("thumb.bmp", 30, 10, [](int x, int) { return kThumb[x / 6]; });
    t.Bmp("track.bmp", 12, 3, kTrack);
    t.Bmp("trackv.bmp", 3, 12, kTrackVert);
    t.Bmp("progress.bmp", chunks ? 10 : 20, 8, [](int x, int) { return x < 10 ? kBarEmpty : kBarFull; });
    t.Bmp("chunk.bmp", kChunkWidth, kChunkHeight, kChunk);
}

void addTabs(TestSkin& t, const ControlSkinOptions& o) {
    t.ini += "[Tabs]\r\n" + std::string(o.TabsImage ? "Image=tabs.bmp\r\n" : "Image=missing.bmp\r\n") +
             "Border=tabborder.bmp\r\nTopHeight=2\r\nStyle=" + std::to_string(o.TabStyle) + "\r\n";
    if (o.TabsImage)
        t.Bmp("tabs.bmp", o.TabsWidth, kTabFrameSize,
              [](int x, int y) { return y < 2 ? kTabEdge : kTab[std::min(x / kTabFrameSize, 4)]; });
    t.Bmp("tabborder.bmp", 12, 12, kTabBorder);
    if (!o.TabPane) return;
    t.ini += "[Tab.Pane]\r\nImage=tabpane.bmp\r\nLeftWidth=10\r\n";
    t.Bmp("tabpane.bmp", 12, 12, kTabPane);
}

void addScroll(TestSkin& t, const ControlSkinOptions& o) {
    if (o.ScrollGlyphWidth > 0 && o.ScrollGlyphHeight > 0) {
        t.ini += "[Scrollbar]\r\nImage=scroll.bmp\r\n";
        const int w = o.ScrollGlyphWidth;
        t.Bmp("scroll.bmp", 23 * w, o.ScrollGlyphHeight, [w](int x, int) { return ScrollGlyph(x / w + 1); });
    }
    const std::string thumbFrames = "FrameCount=" + std::to_string(o.ScrollThumbFrames) + "\r\n";
    if (o.ScrollHorzRecords) {
        t.ini +=
            "[HorzScroll]\r\nImage=htrack.bmp\r\n[HorzScrollThumb]\r\nImage=hthumb.bmp\r\n" + thumbFrames;
        t.Bmp("htrack.bmp", 4 * 8, 16, [](int x, int) { return kScrollTrackHorz[x / 8]; });
        t.Bmp("hthumb.bmp", 3 * 8, 16, [](int x, int) { return kScrollThumbHorz[x / 8]; });
    }
    if (o.ScrollVertRecords) {
        t.ini +=
            "[VertScroll]\r\nImage=vtrack.bmp\r\n[VertScrollThumb]\r\nImage=vthumb.bmp\r\n" + thumbFrames;
        t.Bmp("vtrack.bmp", 4 * 16, 8, [](int x, int) { return kScrollTrackVert[x / 16]; });
        t.Bmp("vthumb.bmp", 3 * 16, 8, [](int x, int) { return kScrollThumbVert[x / 16]; });
    }
}

void addCombo(TestSkin& t, const ControlSkinOptions& o) {
    if (o.ComboButton) {
        t.ini += "[ComboButton]\r\nImage=combo.bmp\r\nStyle=" + std::to_string(o.ComboStyle) + "\r\n";
        t.Bmp("combo.bmp", 4 * kComboButtonWidth, kComboButtonHeight, [](int x, int) {
            return x % kComboButtonWidth == 0 ? kComboMarker : kComboButton[x / kComboButtonWidth];
        });
    }
    if (o.ComboSunkEdge) {
        t.ini += "[SunkEdge]\r\nImage=sunk.bmp\r\nLeftWidth=2\r\nTopHeight=2\r\nRightWidth=2\r\nBottomHeight="
                 "2\r\n";
        t.Bmp("sunk.bmp", 4 * 8, 8, [](int x, int) { return kSunkEdge[x / 8]; });
    }
    if (o.ComboExtra) {
        t.ini += "[ExtraImages]\r\nImage=extra.bmp\r\n";
        t.Bmp("extra.bmp", 5 * kExtraSize, kExtraSize, [](int x, int) { return kExtra[x / kExtraSize]; });
    }
}

// The skin stores colours as "r g b"; the constants are 0xRRGGBB like the pixels read back.
std::string colourText(uint32_t c) {
    return std::to_string(c >> 16) + " " + std::to_string((c >> 8) & 0xFF) + " " + std::to_string(c & 0xFF);
}

void addContainers(TestSkin& t, const ControlSkinOptions& o) {
    if (o.ContainersColours)
        t.ini += "[Colours]\r\nButtonFace=" + colourText(kContainerFace) +
                 "\r\nButtonShadow=" + colourText(kContainerShadow) +
                 "\r\nWindowText=" + colourText(kContainerWindowText) +
                 "\r\nButtonText=" + colourText(kContainerButtonText) + "\r\n";
    if (o.ContainersEdges) {
        t.ini += "[StatusBarEdges]\r\nImage=edges.bmp\r\nNormalColour2=" + colourText(kStatusText) + "\r\n";
        t.Bmp("edges.bmp", 3 * 12, 12, [](int x, int) { return kEdge[x / 12]; });
    }
    if (o.ContainersGrip) {
        t.ini += "[ExtraImages]\r\nImage=extra.bmp\r\n";
        t.Bmp("extra.bmp", 5 * kGripSize, kGripSize, [](int x, int y) {
            return x % kGripSize == 0 && y == 0 ? kMagentaKey : kContainerExtra[x / kGripSize];
        });
    }
    if (o.ContainersHeader) {
        t.ini += "[Headerbar]\r\nImage=headerbar.bmp\r\n";
        t.Bmp("headerbar.bmp", 5 * 10, 10, [](int x, int) { return kHeaderbar[x / 10]; });
    }
}

} // namespace

TestSkin ControlSkin(const ControlSkinOptions& o) {
    TestSkin t;
    t.ini = "[Buttons]\r\n" + std::string(o.Faces ? "Bitmap=buttons.bmp\r\n" : "") +
            "LeftWidth=6\r\nRightWidth=6\r\nTopHeight=6\r\nBottomHeight=6\r\nTrans=" +
            std::string(o.FaceTrans ? "1" : "0") + "\r\n";
    if (o.CheckFrames > 0)
        t.ini += "CheckButton=check.bmp\r\nCheckButtonFrame=" + std::to_string(o.CheckFrames) + "\r\n";
    if (o.RadioFrames > 0)
        t.ini += "RadioButton=radio.bmp\r\nRadioButtonFrame=" + std::to_string(o.RadioFrames) + "\r\n";
    if (o.Faces) t.Bmp("buttons.bmp", 5 * kFaceSize, kFaceSize, faceColour);
    if (o.CheckFrames > 0) t.Bmp("check.bmp", o.CheckFrames * kGlyphSize, kGlyphSize, glyphColour);
    if (o.RadioFrames > 0) t.Bmp("radio.bmp", o.RadioFrames * kGlyphSize, kGlyphSize, glyphColour);
    if (o.Ranges) addRanges(t, o);
    if (o.Tabs) addTabs(t, o);
    if (o.Scroll) addScroll(t, o);
    addCombo(t, o);
    addContainers(t, o);
    if (o.MediaTextColours) t.ini += "[Colours]\r\nButtonText=240,200,32\r\nWindowText=32,200,240\r\n";
    return t;
}

std::unique_ptr<TSkinData> LoadControlSkin(const ControlSkinOptions& options) {
    RegisterControlSkinning();
    auto skin = std::make_unique<TSkinData>(nullptr);
    const auto bytes = ControlSkin(options).Compressed();
    skin->SkinStream().Write(bytes.data(), bytes.size());
    skin->LoadSkin();
    // Frames stay the system's: the tests look at the controls.
    skin->SetSkinControls(kDefaultSkinControls & ~SetOf(xcMainMenu));
    return skin;
}

SkinnedWindow::SkinnedWindow(TSkinData& skin, HWND window, TComponent* form) : Handle(window) {
    Skinner = std::make_unique<TWinSkinForm>(window, "");
    if (form)
        Skinner->SkinForm(&skin, form);
    else
        Skinner->SkinWindow(&skin);
    Attach();
}

SkinnedWindow::~SkinnedWindow() {
    Skinner.reset();
}

void SkinnedWindow::Attach() {
    SendMessageA(Handle, SKM_SKINFORM, 0, 1000);
    PumpFor(30);
}

void SkinnedFormTest::MakeForm(const ControlSkinOptions& options) {
    skinned.reset();
    skin = LoadControlSkin(options);
    form = std::make_unique<TForm>(nullptr);
    form->SetBounds(60, 60, 360, 260);
}

void SkinnedFormTest::Skin() {
    form->Show();
    SetForegroundWindow(form->Handle());
    skinned = std::make_unique<SkinnedWindow>(*skin, form->Handle(), form.get());
}

TSkinControl* SkinnedFormTest::ChildSkinner(TControl* control) const {
    return skinned ? skinned->Skinner->ChildSkinnerOf(control) : nullptr;
}

void SkinnedFormTest::TearDown() {
    skinned.reset();
    form.reset();
}

std::unique_ptr<TBitmap> Canvas24(int w, int h, uint32_t background) {
    return MakeImage(w, h, [background](int, int) { return background; });
}

uint32_t Pixel(TBitmap& bmp, int x, int y) {
    return PixelAt(bmp, x, y);
}

RECT InkBounds(TBitmap& bmp, uint32_t background, const RECT& within) {
    RECT box{within.right, within.bottom, within.left, within.top};
    for (int y = within.top; y < within.bottom; ++y)
        for (int x = within.left; x < within.right; ++x) {
            if (PixelAt(bmp, x, y) == background) continue;
            box.left = std::min<LONG>(box.left, x);
            box.top = std::min<LONG>(box.top, y);
            box.right = std::max<LONG>(box.right, x + 1);
            box.bottom = std::max<LONG>(box.bottom, y + 1);
        }
    if (box.left >= box.right) return RECT{};
    return box;
}

HWND PlainParent(int width, int height) {
    static const char* cls = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = plainProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "QsControlTestParent";
        wc.hbrBackground = HBRUSH(GetStockObject(WHITE_BRUSH));
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        RegisterClassA(&wc);
        return "QsControlTestParent";
    }();
    HWND h = CreateWindowExA(0, cls, "controls", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 60, 60, width, height,
                             nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ShowWindow(h, SW_SHOW);
    SetForegroundWindow(h);
    PumpFor(20);
    return h;
}

HWND ChildWindow(HWND parent, const char* cls, DWORD style, const char* text, const RECT& at, int id) {
    return CreateWindowExA(0, cls, text, WS_CHILD | WS_VISIBLE | style, at.left, at.top, at.right - at.left,
                           at.bottom - at.top, parent, HMENU(INT_PTR(id)), GetModuleHandleA(nullptr),
                           nullptr);
}

} // namespace qs::test
