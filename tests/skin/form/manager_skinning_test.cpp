// The form skinner at work for the skin manager, with the bundled skins, under Wine: which
// windows the manager hands over, what a skin change does to every skinned frame on screen, and
// long runs of windows and skin switches.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "skin/paint/skin_paint.h"
#include "skin/res/skin_store.h"
#include "tests/skin/paint/pixel_helpers.h"
#include "tests/support/bundled_skins.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/register.h"
#include "toolkit/graphics/colors.h"

using qs::test::PixelAt;
using qs::test::Pixels;

namespace {

constexpr uint32_t kMagenta = 0xFF00FF;
constexpr int kSkinCount = qs::test::kBundledSkinCount;
const char* const* const kSkinIds = qs::test::kBundledSkinIds;

const std::vector<uint8_t>& SkinBytes(int index) {
    return qs::test::BundledSkinBytes(kSkinIds[index]);
}

// The eleven bundled skins as store items, in their order.
void FillWithBundledSkins(TSkinStore& store) {
    for (int i = 0; i < kSkinCount; ++i)
        store.Store()->Add()->ReadDataStream(SkinBytes(i));
}

// Runs whatever is queued (the posted SKM_SKINFORM among it) without waiting for more.
void Drain() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&m);
        DispatchMessageA(&m);
    }
}

const char* PlainClass() {
    static const char* name = [] {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.hbrBackground = HBRUSH(COLOR_WINDOW + 1);
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.lpszClassName = "QsManagedWindow";
        RegisterClassA(&wc);
        wc.lpszClassName = "TQsPrintPreview";
        RegisterClassA(&wc);
        return "QsManagedWindow";
    }();
    return name;
}

// A top-level window of this module; shown, it is activated and so offered to the manager.
HWND MakeWindow(int x, int y, const char* cls = nullptr, DWORD style = WS_OVERLAPPEDWINDOW,
                bool show = true) {
    PlainClass();
    HWND h = CreateWindowExA(0, cls ? cls : "QsManagedWindow", "", style, x, y, 300, 200, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    if (show) {
        ShowWindow(h, SW_SHOW);
        SetForegroundWindow(h);
    }
    return h;
}

HWND MakeDialog(int x, int y, DWORD extraStyle) {
    return MakeWindow(x, y, "#32770", WS_POPUP | WS_CAPTION | WS_SYSMENU | extraStyle);
}

std::unique_ptr<TForm> MakeForm(int x, int y, int tag = 0) {
    std::unique_ptr<TForm> f(NewForm<TForm>(nullptr));
    f->SetTag(tag);
    f->SetBounds(x, y, 300, 200);
    f->Show();
    return f;
}

TWinSkinForm* SkinnerOf(HWND h) {
    return SkinManager ? dynamic_cast<TWinSkinForm*>(SkinManager->FindFormSkinner(h)) : nullptr;
}

bool AnswersSkinned(HWND h) {
    return SendMessageA(h, SKM_ISSKINNED, 0, 0) == 1;
}

RECT WindowRectOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return r;
}

RECT ClientRectOf(HWND h) {
    RECT r{};
    GetClientRect(h, &r);
    return r;
}

bool HasRegion(HWND h) {
    win::RegionHandle rgn(CreateRectRgn(0, 0, 0, 0));
    return GetWindowRgn(h, rgn.Get()) != ERROR;
}

std::unique_ptr<TBitmap> Piece(TDataSkinBorder& b, int w, int h, bool vertical, bool active) {
    const int frame = active || b.Frame == 1 ? 1 : 2;
    return BuildSkinBitmap(RECT{0, 0, w, h}, b.Bitmap, b.Margins(), vertical, b.Tile != 1, b.Frame, frame);
}

// How far the skinned frame on screen differs from what skin records give (the skinner's own
// skin unless another is named), at the skinner's geometry: the side and bottom pieces whole,
// the caption band where neither the caption text nor a caption button is drawn. -1 when the
// window has no skinner, or when too few pixels could be compared to tell anything.
int FrameMismatches(HWND hwnd, TSkinData* records = nullptr) {
    TWinSkinForm* f = SkinnerOf(hwnd);
    if (!f || !f->SkinData) return -1;
    qs::test::PumpFor(15);
    const Pixels screen = qs::test::CaptureWindow(hwnd);
    const int w = screen.width, h = screen.height;
    const int l = f->BorderLeft, r = f->BorderRight, top = f->CaptionHeight, bottom = f->BorderBottom;
    TSkinBorders& b = (records ? records : f->SkinData)->Borders;
    int bad = 0, compared = 0;
    auto check = [&](int x0, int y0, TBitmap& piece, int x) {
        for (int y = 0; y < piece.Height(); ++y) {
            const uint32_t want = PixelAt(piece, x, y);
            if (want == kMagenta) continue;
            ++compared;
            if ((screen.at(x0 + x, y0 + y) & 0xFFFFFF) != want) ++bad;
        }
    };
    auto checkAll = [&](int x0, int y0, TBitmap& piece) {
        for (int x = 0; x < piece.Width(); ++x)
            check(x0, y0, piece, x);
    };
    checkAll(0, 0, *Piece(*b.Left, l, h, false, f->Active));
    checkAll(w - r, 0, *Piece(*b.Right, r, h, false, f->Active));
    checkAll(l, h - bottom, *Piece(*b.Bottom, w - l - r, bottom, true, f->Active));
    std::vector<bool> covered(size_t(w), false);
    auto cover = [&](int from, int to) {
        for (int x = std::max(0, from); x < std::min(w, to); ++x)
            covered[size_t(x)] = true;
    };
    cover(f->CaptionTextRect.left - 16, f->CaptionTextRect.right + 16);
    for (const auto& button : f->CaptionButtons)
        if (button->Visible) cover(button->Rect.left - 2, button->Rect.right + 2);
    std::unique_ptr<TBitmap> caption = Piece(*b.Top, w - l - r, top, true, f->Active);
    for (int x = 0; x < caption->Width(); ++x)
        if (!covered[size_t(l + x)]) check(l, 0, *caption, x);
    return compared < w + h ? -1 : bad;
}

// A skin component holding the bundled skin `index`, registered nowhere.
std::unique_ptr<TSkinData> LooseSkin(int index) {
    auto s = std::make_unique<TSkinData>(nullptr);
    const auto& bytes = SkinBytes(index);
    s->SkinStream().Write(bytes.data(), bytes.size());
    s->LoadSkin();
    return s;
}

// What the bundled skin `index` makes of the caption height.
int CaptionHeightOf(int index) {
    const std::unique_ptr<TSkinData> s = LooseSkin(index);
    return s->Borders.Top->Bitmap.Height() / std::max(1, int(s->Borders.Top->Frame));
}

class ManagerSkinning : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterControlClasses();
        Application->Initialize();
        RegisterFormSkinning();
        for (int i = 0; i < kSkinCount; ++i)
            ASSERT_FALSE(SkinBytes(i).empty()) << kSkinIds[i];
    }
    void TearDown() override {
        for (HWND h : windows)
            if (IsWindow(h)) DestroyWindow(h);
        windows.clear();
        forms.clear();
        skins.clear();
        FreeSkinManager();
    }

    // A loaded skin component as the form resource leaves it: read, then Loaded.
    TSkinData& AddSkin(int index, TSkinFormType type = sfMainform, bool active = false) {
        auto s = std::make_unique<TSkinData>(nullptr);
        s->SetSkinFormtype(type);
        const auto& bytes = SkinBytes(index);
        s->SkinStream().Write(bytes.data(), bytes.size());
        EXPECT_TRUE(s->LoadSkin()) << kSkinIds[index];
        s->SetStateFlag(csLoading, true);
        s->SetActive(active);
        s->Loaded();
        skins.push_back(std::move(s));
        return *skins.back();
    }
    HWND Window(int x, int y, const char* cls = nullptr, DWORD style = WS_OVERLAPPEDWINDOW) {
        windows.push_back(MakeWindow(x, y, cls, style));
        Drain();
        return windows.back();
    }
    HWND Dialog(int x, int y, DWORD extraStyle = 0) {
        windows.push_back(MakeDialog(x, y, extraStyle));
        Drain();
        return windows.back();
    }
    TForm& Form(int x, int y, int tag = 0) {
        forms.push_back(MakeForm(x, y, tag));
        Drain();
        return *forms.back();
    }
    // Makes the window the active one again (the manager sees every activation).
    static void Activate(HWND h) {
        SetForegroundWindow(h);
        Drain();
    }

    std::vector<HWND> windows;
    std::vector<std::unique_ptr<TForm>> forms;
    std::vector<std::unique_ptr<TSkinData>> skins;
};

} // namespace

TEST_F(ManagerSkinning, ActiveBeforeAnyActivationSkinsWindowsOnlyAsTheyBecomeActive) {
    // Shown before any skin exists: its activation happened before the hook.
    TForm& early = Form(20, 20);
    const HWND earlyHandle = early.Handle();
    const RECT earlyRect = WindowRectOf(earlyHandle);
    TSkinData& skin = AddSkin(0);
    ASSERT_EQ(SkinManager->SkinState(), 0);
    skin.SetActive(true);
    EXPECT_TRUE(SkinManager->Skinning());
    qs::test::PumpFor(400); // past the 250 ms a skin-all request would take
    EXPECT_FALSE(AnswersSkinned(earlyHandle)) << "no skin-all pass: the visible form waits for activation";
    const RECT earlyNow = WindowRectOf(earlyHandle);
    EXPECT_TRUE(EqualRect(&earlyRect, &earlyNow));
    EXPECT_TRUE(SkinManager->FormSkinners().empty());

    // A new window is skinned on activation; its frame waits for the posted attach.
    const HWND later = MakeWindow(360, 20);
    windows.push_back(later);
    TWinSkinForm* f = SkinnerOf(later);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->State, fsCreated);
    EXPECT_EQ(f->FrameWidth, 0) << "nothing painted before SKM_SKINFORM";
    Drain();
    EXPECT_EQ(f->State, fsSkinned);
    EXPECT_TRUE(AnswersSkinned(later));
    EXPECT_EQ(FrameMismatches(later), 0);

    Activate(earlyHandle);
    EXPECT_TRUE(AnswersSkinned(earlyHandle));
    EXPECT_EQ(FrameMismatches(earlyHandle), 0);
}

TEST_F(ManagerSkinning, FormsTaggedNinetyNineKeepTheStandardFrameWhateverDisableTagSays) {
    TSkinData& skin = AddSkin(3, sfMainform, true);
    skin.SetDisableTag(42);
    TForm& kept = Form(20, 20, 99);
    TForm& disableTagged = Form(360, 20, 42);
    const RECT keptRect = WindowRectOf(kept.Handle());
    Activate(kept.Handle());
    qs::test::PumpFor(300);
    EXPECT_FALSE(AnswersSkinned(kept.Handle()));
    EXPECT_EQ(SkinnerOf(kept.Handle()), nullptr);
    EXPECT_FALSE(HasRegion(kept.Handle()));
    const RECT keptNow = WindowRectOf(kept.Handle());
    EXPECT_TRUE(EqualRect(&keptRect, &keptNow));
    EXPECT_TRUE(AnswersSkinned(disableTagged.Handle())) << "DisableTag is for child controls only";
    EXPECT_EQ(FrameMismatches(disableTagged.Handle()), 0);
}

TEST_F(ManagerSkinning, DialogsWithStyleBit200StayPlainOthersTakeTheDialogSkin) {
    TSkinData& main = AddSkin(1, sfMainform, true);
    TSkinData& dialogSkin = AddSkin(6, sfDialog);
    const HWND marked = Dialog(20, 20, 0x200);
    const HWND dialog = Dialog(360, 20);
    const HWND plain = Window(20, 300);
    EXPECT_FALSE(AnswersSkinned(marked));
    EXPECT_FALSE(HasRegion(marked));
    ASSERT_TRUE(SkinnerOf(dialog));
    EXPECT_EQ(SkinnerOf(dialog)->SkinData, &dialogSkin);
    EXPECT_EQ(SkinnerOf(dialog)->CaptionHeight, CaptionHeightOf(6));
    EXPECT_EQ(FrameMismatches(dialog), 0);
    EXPECT_GT(FrameMismatches(dialog, &main), 0) << "not the main skin's frame";
    ASSERT_TRUE(SkinnerOf(plain));
    EXPECT_EQ(SkinnerOf(plain)->SkinData, &main);
    EXPECT_EQ(FrameMismatches(plain), 0);

    // Without a dialog skin, dialogs get the main one; the gone skin's dialog its own frame.
    const RECT skinnedClient = ClientRectOf(dialog);
    skins.erase(skins.begin() + 1);
    EXPECT_FALSE(AnswersSkinned(dialog));
    const RECT plainClient = ClientRectOf(dialog);
    EXPECT_TRUE(EqualRect(&skinnedClient, &plainClient));
    const HWND next = Dialog(360, 300);
    ASSERT_TRUE(SkinnerOf(next));
    EXPECT_EQ(SkinnerOf(next)->SkinData, &main);
    EXPECT_EQ(FrameMismatches(next), 0);
}

TEST_F(ManagerSkinning, PreviewWindowsAreSkinnedOnlyWithThePreviewOption) {
    TSkinData& skin = AddSkin(2, sfMainform, true);
    skin.SetOptions(skin.Options() & ~SetOf(xoPreview));
    const HWND without = Window(20, 20, "TQsPrintPreview");
    EXPECT_FALSE(AnswersSkinned(without));
    skin.SetOptions(skin.Options() | SetOf(xoPreview));
    const HWND with = Window(360, 20, "TQsPrintPreview");
    EXPECT_TRUE(AnswersSkinned(with));
    EXPECT_EQ(FrameMismatches(with), 0);
    Activate(without);
    EXPECT_TRUE(AnswersSkinned(without)) << "the option is read at each activation";
}

TEST_F(ManagerSkinning, LoadFromStoreRepaintsEverySkinnedFrameAfterTheRequest) {
    TSkinStore store(nullptr);
    FillWithBundledSkins(store);
    TSkinData& skin = AddSkin(0, sfMainform, true);
    TForm& form = Form(20, 20);
    const std::vector<HWND> all = {form.Handle(), Window(360, 20), Dialog(20, 300)};
    std::vector<RECT> clients;
    for (HWND h : all) {
        ASSERT_TRUE(AnswersSkinned(h));
        EXPECT_EQ(FrameMismatches(h), 0);
        clients.push_back(ClientRectOf(h));
    }
    const int oldCaption = SkinnerOf(all[0])->CaptionHeight;
    int previous = 0;
    for (int index : {10, 1, 6}) {
        SCOPED_TRACE(kSkinIds[index]);
        const std::unique_ptr<TSkinData> before = LooseSkin(previous);
        previous = index;
        skin.LoadFromStore(&store, index);
        EXPECT_EQ(SkinManager->RequestSkin(), &skin);
        EXPECT_EQ(SkinManager->PendingRequest(), rqRefresh);
        qs::test::PumpFor(400);
        EXPECT_EQ(SkinManager->RequestSkin(), nullptr) << "the refresh ran";
        for (size_t i = 0; i < all.size(); ++i) {
            SCOPED_TRACE(i);
            TWinSkinForm* f = SkinnerOf(all[i]);
            ASSERT_TRUE(f);
            EXPECT_EQ(f->CaptionHeight, CaptionHeightOf(index));
            EXPECT_EQ(FrameMismatches(all[i]), 0);
            EXPECT_GT(FrameMismatches(all[i], before.get()), 0)
                << "the previous skin is gone from the screen";
            const RECT now = ClientRectOf(all[i]);
            EXPECT_TRUE(EqualRect(&clients[i], &now)) << "the client keeps its size";
        }
    }
    EXPECT_NE(CaptionHeightOf(10), oldCaption) << "the switches changed the frame geometry";
}

TEST_F(ManagerSkinning, ToolkitFormIsSkinnedThroughItsWindowProc) {
    TSkinData& skin = AddSkin(4, sfMainform, true);
    std::unique_ptr<TForm> own(NewForm<TForm>(nullptr));
    own->SetBounds(20, 20, 300, 200);
    const TColor ownColour = own->Color();
    const RECT ownClient = ClientRectOf(own->Handle());
    own->Show();
    Drain();
    const HWND h = own->Handle();
    TWinSkinForm* f = SkinnerOf(h);
    ASSERT_TRUE(f);
    EXPECT_EQ(f->Form, own.get());
    EXPECT_EQ(own->Color(), skin.Colour(scButtonFace));
    EXPECT_EQ(SendMessageA(h, SKM_ISSKINFORM, 0, SKM_MAGIC), SKM_MAGIC);
    EXPECT_EQ(SendMessageA(h, SKM_ISSKINFORM, 0, 0), 1);
    const RECT skinnedClient = ClientRectOf(h);
    EXPECT_TRUE(EqualRect(&ownClient, &skinnedClient));

    // The frame painted into a DC of the caller's.
    const RECT wr = WindowRectOf(h);
    TBitmap frame(wr.right - wr.left, wr.bottom - wr.top, pf24bit);
    EXPECT_EQ(SendMessageA(h, SKM_PAINTFRAME, WPARAM(frame.Canvas().Handle()), SKM_MAGIC), SKM_MAGIC);
    std::unique_ptr<TBitmap> left =
        Piece(*skin.Borders.Left, f->BorderLeft, frame.Height(), false, f->Active);
    int bad = 0;
    for (int y = 0; y < left->Height(); ++y)
        for (int x = 0; x < left->Width(); ++x)
            if (PixelAt(*left, x, y) != kMagenta && PixelAt(frame, x, y) != PixelAt(*left, x, y)) ++bad;
    EXPECT_EQ(bad, 0);

    // The system paints its own caption on WM_SETTEXT; the hook paints the skin back over it.
    own->SetCaption("A new caption for the toolkit form");
    EXPECT_GT(f->CaptionTextRect.right - f->CaptionTextRect.left, 100);
    EXPECT_EQ(FrameMismatches(h), 0);

    skin.SetActive(false);
    qs::test::PumpFor(400);
    EXPECT_EQ(SkinnerOf(h), nullptr);
    EXPECT_EQ(SendMessageA(h, SKM_ISSKINFORM, 0, SKM_MAGIC), 0) << "the WindowProc is the form's own again";
    EXPECT_EQ(own->Color(), ownColour);
    const RECT unskinnedClient = ClientRectOf(h);
    EXPECT_TRUE(EqualRect(&ownClient, &unskinnedClient));
    EXPECT_FALSE(HasRegion(h));
}

TEST_F(ManagerSkinning, FiveHundredWindowLivesLeaveNoSkinnersAndNoGdiObjectsBehind) {
    AddSkin(10, sfMainform, true);
    TForm& stays = Form(600, 20);
    const HWND staysToo = Window(600, 300);
    auto cycle = [&](int i) {
        HWND h = nullptr;
        std::unique_ptr<TForm> form;
        if (i % 3 == 0) {
            form = MakeForm(20, 20);
            h = form->Handle();
        } else {
            h = i % 3 == 1 ? MakeWindow(20, 20) : MakeDialog(20, 20, 0);
        }
        Drain();
        EXPECT_TRUE(AnswersSkinned(h)) << i;
        SendMessageA(h, WM_NCACTIVATE, FALSE, 0);
        if (form)
            form.reset();
        else
            DestroyWindow(h);
        Activate(i % 2 ? stays.Handle() : staysToo);
    };
    for (int i = 0; i < 30; ++i)
        cycle(i);
    SkinManager->PurgeFormSkinners();
    const DWORD before = qs::test::GdiObjectCount();
    for (int i = 0; i < 500; ++i)
        cycle(i);
    SkinManager->PurgeFormSkinners();
    const DWORD after = qs::test::GdiObjectCount();
    std::printf("GDI objects around 500 window lives: %lu before, %lu after\n", before, after);
    EXPECT_EQ(SkinManager->FormSkinners().size(), 2u) << "only the two live windows keep skinners";
    // Slack for objects the system itself may make on demand while painting and keep cached; a
    // leak of one object per life would still show as hundreds.
    EXPECT_LE(after, before + 4);
    EXPECT_EQ(FrameMismatches(staysToo), 0);
}

TEST_F(ManagerSkinning, TwoHundredSkinSwitchesWithLiveWindowsLeakNoGdiObjects) {
    TSkinStore store(nullptr);
    FillWithBundledSkins(store);
    TSkinData& skin = AddSkin(0, sfMainform, true);
    TForm& form = Form(20, 20);
    const std::vector<HWND> all = {form.Handle(), Window(360, 20), Dialog(20, 300)};
    // The refresh is the manager's timer tick; most switches run it at once, some wait for it.
    auto switchTo = [&](int n) {
        skin.LoadFromStore(&store, n % kSkinCount);
        if (n % 25 == 0)
            qs::test::PumpFor(300);
        else
            SkinManager->ExecuteRequest();
        Drain();
    };
    for (int n = 0; n < kSkinCount; ++n)
        switchTo(n);
    const DWORD before = qs::test::GdiObjectCount();
    // Whole rounds, so the same skin is loaded at both counts (skins differ in their images).
    const int switches = 18 * kSkinCount + 2 * kSkinCount;
    for (int n = 0; n < switches; ++n) {
        switchTo(n);
        if (n % 37 == 0) {
            for (HWND h : all)
                EXPECT_EQ(FrameMismatches(h), 0) << kSkinIds[n % kSkinCount];
        }
    }
    const DWORD after = qs::test::GdiObjectCount();
    std::printf("GDI objects around %d skin switches: %lu before, %lu after\n", switches, before, after);
    for (HWND h : all)
        EXPECT_TRUE(AnswersSkinned(h));
    // The same slack as for the window lives; one object per switch would show as hundreds.
    EXPECT_LE(after, before + 4);
}

TEST_F(ManagerSkinning, SkinSwitchWhileMinimisedOrMaximisedKeepsTheRestoredClientSize) {
    TSkinStore store(nullptr);
    FillWithBundledSkins(store);
    TSkinData& skin = AddSkin(1, sfMainform, true);
    TForm& form = Form(20, 20);
    const std::vector<HWND> all = {form.Handle(), Window(360, 20)};
    for (int show : {SW_MINIMIZE, SW_MAXIMIZE}) {
        SCOPED_TRACE(show);
        std::vector<RECT> clients;
        for (HWND h : all) {
            ASSERT_TRUE(AnswersSkinned(h));
            clients.push_back(ClientRectOf(h));
            ShowWindow(h, show);
            qs::test::PumpFor(100);
        }
        const HWND foreground = GetForegroundWindow();
        skin.LoadFromStore(&store, show == SW_MINIMIZE ? 10 : 1);
        qs::test::PumpFor(400);
        EXPECT_EQ(GetForegroundWindow(), foreground) << "the switch activates nothing";
        for (HWND h : all)
            EXPECT_EQ(show == SW_MINIMIZE ? IsIconic(h) : IsZoomed(h), TRUE);
        for (size_t i = 0; i < all.size(); ++i) {
            SCOPED_TRACE(i);
            ShowWindow(all[i], SW_RESTORE);
            qs::test::PumpFor(150);
            const RECT now = ClientRectOf(all[i]);
            EXPECT_EQ(now.right, clients[i].right);
            EXPECT_EQ(now.bottom, clients[i].bottom);
            EXPECT_EQ(FrameMismatches(all[i]), 0);
        }
    }
}
