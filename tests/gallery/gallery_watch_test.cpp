// The gallery following a skin as its author edits it (--watch): each save shows in the caption of
// the frame and its children, a save that cannot be used keeps the last good skin and says why in
// the status line, the swap paints nothing between the two skins, and many reloads leave nothing
// of GDI or USER behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "gallery/command_line.h"
#include "gallery/gallery_about.h"
#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "gallery/wide_text.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "tests/support/bundled_skins.h"
#include "tests/support/running_program.h"
#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/status_bar.h"
#include "toolkit/controls/timer.h"
#include "toolkit/handles.h"

using namespace qs::test;
namespace fs = std::filesystem;

namespace {

// Every wait for a save to show: the watch answers within half a second, a loaded machine later.
constexpr DWORD kShowsWithinMs = 2000;

const COLORREF kMagenta = RGB(255, 0, 255), kGreen = RGB(0, 255, 0), kRed = RGB(255, 0, 0);

std::string colourText(COLORREF c) {
    return std::to_string(GetRValue(c)) + "," + std::to_string(GetGValue(c)) + "," +
           std::to_string(GetBValue(c));
}

// Written as an editor saves: the whole file at once.
bool writeFile(const std::wstring& path, const std::string& bytes) {
    win::KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

bool writeFile(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    return writeFile(path, std::string(bytes.begin(), bytes.end()));
}

std::wstring tempFolder(const std::wstring& name) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path =
        std::wstring(temp) + L"gallery-watch-" + std::to_wstring(GetCurrentProcessId()) + L"-" + name;
    std::error_code ec;
    fs::remove_all(path, ec);
    fs::create_directories(path, ec);
    return path;
}

// A copy of a bundled skin's folder (one ini, its BMPs) whose title text colour a test sets.
class SkinFolderCopy {
  public:
    explicit SkinFolderCopy(const std::string& id) : path_(tempFolder(Wide(id))) {
        std::error_code ec;
        for (const fs::directory_entry& e : fs::directory_iterator(BundledSkinsDir() + "/" + id, ec)) {
            fs::copy_file(e.path(), fs::path(path_) / e.path().filename(), ec);
            if (e.path().extension() == ".ini") ini_ = (fs::path(path_) / e.path().filename()).wstring();
        }
        if (!ini_.empty()) text_ = ReadFileBytesText(ini_);
    }
    ~SkinFolderCopy() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    SkinFolderCopy(const SkinFolderCopy&) = delete;
    SkinFolderCopy& operator=(const SkinFolderCopy&) = delete;

    const std::wstring& Path() const { return path_; }
    const std::wstring& Ini() const { return ini_; }
    // The ini as read, with [Colours] TitleTextActive set to `value`.
    std::string WithTitleValue(const std::string& value) const {
        std::string text = text_;
        const std::string line = "TitleTextActive=" + value;
        const size_t at = text.find("\nTitleTextActive=");
        if (at != std::string::npos) {
            const size_t end = text.find_first_of("\r\n", at + 1);
            return text.replace(at + 1, end == std::string::npos ? std::string::npos : end - at - 1, line);
        }
        const size_t section = text.find("[Colours]");
        if (section == std::string::npos) return text + "\r\n[Colours]\r\n" + line + "\r\n";
        return text.insert(text.find('\n', section) + 1, line + "\r\n");
    }
    bool SaveTitleColour(COLORREF colour) const { return SaveTitleValue(colourText(colour)); }
    bool SaveTitleValue(const std::string& value) const { return writeFile(ini_, WithTitleValue(value)); }

  private:
    static std::string ReadFileBytesText(const std::wstring& path) {
        const std::vector<uint8_t> bytes = ReadFileBytes(Utf8(path));
        return std::string(bytes.begin(), bytes.end());
    }
    std::wstring path_, ini_;
    std::string text_;
};

// Title text is thin and smoothed into the caption: its pixels are the colour's tint, not the
// colour. A pixel leans to `c` (each part 0 or 255) when its parts differ as c's do.
bool leansTo(uint32_t pixel, COLORREF c) {
    const int p[3] = {int(pixel >> 16 & 0xFF), int(pixel >> 8 & 0xFF), int(pixel & 0xFF)};
    const int want[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 3; ++j) {
            if (want[i] > want[j] && p[i] - p[j] < 40) return false;
            if (want[i] == want[j] && std::abs(p[i] - p[j]) > 30) return false;
        }
    return true;
}

TWinSkinForm* skinnerOf(HWND window) {
    auto* f = SkinManager ? dynamic_cast<TWinSkinForm*>(SkinManager->FindFormSkinner(window)) : nullptr;
    return f && f->State == fsSkinned ? f : nullptr;
}

// The top `rows` of a window as it painted itself; by default its skinned caption.
Pixels captionBand(HWND window, int rows = -1) {
    if (rows < 0) {
        const TWinSkinForm* f = skinnerOf(window);
        rows = f ? f->CaptionHeight : 0;
    }
    Pixels whole = CaptureWindowDC(window);
    Pixels band(whole.width, std::clamp(rows, 0, whole.height));
    std::copy(whole.data.begin(), whole.data.begin() + ptrdiff_t(band.data.size()), band.data.begin());
    return band;
}

int tintedPixels(const Pixels& px, COLORREF c) {
    int n = 0;
    for (uint32_t p : px.data)
        n += leansTo(p, c);
    return n;
}

// Enough glyph pixels of the title to tell its colour.
constexpr int kTitlePixels = 20;

class GalleryWatch : public ::testing::Test {
  protected:
    static void SetUpTestSuite() { RegisterGalleryClasses(); }
    void SetUp() override {
        Application->Initialize();
        frame = NewForm<TGalleryForm>(nullptr);
    }
    void TearDown() override {
        delete frame;
        FreeSkinManager();
    }
    void watch(const std::wstring& path) {
        GalleryOptions options;
        options.watchPath = path;
        std::string error;
        ASSERT_TRUE(frame->Start(options, {}, error)) << error;
        frame->Show();
        SetForegroundWindow(frame->Handle());
        ASSERT_TRUE(RunToolkitUntil([&] { return skinnerOf(frame->Handle()) != nullptr; }, 5000));
    }
    std::string status() const { return frame->StatusBar1 ? frame->StatusBar1->SimpleText() : std::string(); }
    bool statusHas(const std::string& text) const { return status().find(text) != std::string::npos; }
    int titlePixels(HWND window, COLORREF c) const { return tintedPixels(captionBand(window), c); }
    // Until the title of `window` shows `c` and not `gone`.
    bool titleShows(HWND window, COLORREF c, COLORREF gone) {
        return RunToolkitUntil(
            [&] { return titlePixels(window, c) >= kTitlePixels && titlePixels(window, gone) == 0; },
            kShowsWithinMs);
    }

    TGalleryForm* frame = nullptr;
    int reloads = 0; // skin changes the manager carried out
};

} // namespace

TEST_F(GalleryWatch, FolderSavesShowInEveryWindowAndAnUnpackableSaveKeepsTheLastGoodSkin) {
    SkinFolderCopy skin("item0");
    ASSERT_FALSE(skin.Ini().empty()) << "no ini in the bundled folder";
    ASSERT_TRUE(skin.SaveTitleColour(kMagenta));
    watch(skin.Path());
    EXPECT_EQ(status(), "Watching " + Utf8(skin.Path()));
    EXPECT_TRUE(RunToolkitUntil(
        [&] { return SendMessageA(frame->StatusBar1->Handle(), SKM_ISSKINNED, 0, 0) == 1; }, 2000))
        << "the status line is drawn from the skin";
    EXPECT_NE(WindowTextOf(frame->Handle()).find(Utf8(fs::path(skin.Path()).filename().wstring())),
              std::string::npos);
    TCustomForm* child = frame->NewWindow();
    ASSERT_TRUE(RunToolkitUntil([&] { return skinnerOf(child->Handle()) != nullptr; }, 5000));
    ASSERT_TRUE(titleShows(frame->Handle(), kMagenta, kGreen));

    ASSERT_TRUE(skin.SaveTitleColour(kGreen));
    EXPECT_TRUE(titleShows(frame->Handle(), kGreen, kMagenta));
    EXPECT_TRUE(titleShows(child->Handle(), kGreen, kMagenta)) << "the MDI child kept the old skin";
    const std::vector<uint8_t> good = frame->SkinData1->SkinStream().Bytes();

    // The ini moved away: the folder cannot be packed.
    const std::wstring away = skin.Ini() + L".away";
    ASSERT_TRUE(MoveFileW(skin.Ini().c_str(), away.c_str()));
    EXPECT_TRUE(RunToolkitUntil([&] { return statusHas("holds 0 ini files"); }, kShowsWithinMs)) << status();
    EXPECT_TRUE(statusHas("the last good skin stays")) << status();
    EXPECT_EQ(frame->SkinData1->SkinStream().Bytes(), good);
    EXPECT_GE(titlePixels(frame->Handle(), kGreen), kTitlePixels);

    // Fixed: the next save shows and the message goes.
    ASSERT_TRUE(skin.SaveTitleColour(kRed));
    DeleteFileW(away.c_str());
    EXPECT_TRUE(titleShows(frame->Handle(), kRed, kGreen));
    EXPECT_TRUE(RunToolkitUntil([&] { return status() == "Watching " + Utf8(skin.Path()); }, kShowsWithinMs))
        << status();
    delete child;
}

// The engine would read a colour that does not parse as black; the checker calls it an error, so
// the save is a broken one.
TEST_F(GalleryWatch, ASaveTheCheckerFaultsKeepsTheLastGoodSkinAndNamesTheLine) {
    SkinFolderCopy skin("item0");
    ASSERT_TRUE(skin.SaveTitleColour(kMagenta));
    watch(skin.Path());
    const std::vector<uint8_t> good = frame->SkinData1->SkinStream().Bytes();
    ASSERT_TRUE(skin.SaveTitleValue("bogus"));
    EXPECT_TRUE(
        RunToolkitUntil([&] { return statusHas("error: [Colours] TitleTextActive"); }, kShowsWithinMs))
        << status();
    EXPECT_TRUE(statusHas(Utf8(fs::path(skin.Ini()).filename().wstring()) + ":")) << status();
    EXPECT_EQ(frame->SkinData1->SkinStream().Bytes(), good);
    ASSERT_TRUE(skin.SaveTitleColour(kGreen));
    EXPECT_TRUE(titleShows(frame->Handle(), kGreen, kMagenta));
    EXPECT_TRUE(RunToolkitUntil([&] { return status() == "Watching " + Utf8(skin.Path()); }, kShowsWithinMs))
        << status();
}

TEST_F(GalleryWatch, APackedSkinTheEngineRefusesKeepsTheLastGoodSkinUntilAGoodSave) {
    const std::wstring folder = tempFolder(L"packed");
    const std::wstring file = folder + L"\\watched.skin";
    const std::vector<uint8_t>& first = BundledSkinBytes("item1");
    const std::vector<uint8_t>& second = BundledSkinBytes("item2");
    ASSERT_FALSE(first.empty());
    ASSERT_TRUE(writeFile(file, first));
    watch(file);
    EXPECT_EQ(frame->SkinData1->SkinStream().Bytes(), first);

    std::vector<uint8_t> noise(3000);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = uint8_t(i * 2654435761u >> 13);
    ASSERT_TRUE(writeFile(file, noise));
    EXPECT_TRUE(RunToolkitUntil(
        [&] { return statusHas("watched.skin:0: error: not a skin this reader accepts"); }, kShowsWithinMs))
        << status();
    EXPECT_EQ(frame->SkinData1->SkinStream().Bytes(), first);
    EXPECT_EQ(SendMessageA(frame->Handle(), SKM_ISSKINNED, 0, 0), 1);

    // Another file of the folder is no save of the skin: the message stays.
    ASSERT_TRUE(writeFile(folder + L"\\notes.txt", std::string("colours to try")));
    RunToolkitUntil([] { return false; }, 400);
    EXPECT_TRUE(statusHas("not a skin this reader accepts")) << status();

    ASSERT_TRUE(writeFile(file, second));
    EXPECT_TRUE(
        RunToolkitUntil([&] { return frame->SkinData1->SkinStream().Bytes() == second; }, kShowsWithinMs));
    EXPECT_TRUE(RunToolkitUntil([&] { return status() == "Watching " + Utf8(file); }, kShowsWithinMs))
        << status();
    std::error_code ec;
    fs::remove_all(folder, ec);
}

TEST_F(GalleryWatch, WhatCannotBeWatchedStopsTheStart) {
    std::string error;
    EXPECT_FALSE(frame->WatchSkin(L"Z:\\no\\such\\skin folder", error));
    EXPECT_NE(error.find("does not exist"), std::string::npos) << error;
}

// A theme is drawn into a skin at each save; a line the generator refuses is named in the status.
TEST_F(GalleryWatch, AThemeIsDrawnAtEachSaveAndARefusedLineIsNamed) {
    const std::wstring folder = tempFolder(L"theme");
    const std::wstring theme = folder + L"\\mine.theme";
    const std::string five =
        "name = Mine\nface = 232 244 238\ntext = 24 40 32\naccent = 40 160 120\ndark = off\n";
    ASSERT_TRUE(writeFile(theme, five + "caption.hieght = 30\n"));
    watch(theme);
    EXPECT_TRUE(statusHas("mine.theme:6:")) << status();
    EXPECT_TRUE(statusHas("caption.height")) << "the nearest known key: " << status();

    ASSERT_TRUE(writeFile(theme, five));
    EXPECT_TRUE(RunToolkitUntil([&] { return status() == "Watching " + Utf8(theme); }, kShowsWithinMs))
        << status();
    const std::vector<uint8_t> light = frame->SkinData1->SkinStream().Bytes();
    EXPECT_FALSE(light.empty());
    ASSERT_TRUE(writeFile(theme, five + "caption.height = 30\n"));
    EXPECT_TRUE(
        RunToolkitUntil([&] { return frame->SkinData1->SkinStream().Bytes() != light; }, kShowsWithinMs));
    std::error_code ec;
    fs::remove_all(folder, ec);
}

TEST_F(GalleryWatch, ASaveWhileAMenuIsOpenShowsOnceItCloses) {
    SkinFolderCopy skin("item0");
    ASSERT_TRUE(skin.SaveTitleColour(kMagenta));
    watch(skin.Path());
    const std::vector<uint8_t> before = frame->SkinData1->SkinStream().Bytes();
    bool sameWhileOpen = false;
    auto closer = CloseNextPopupMenu([&](HWND) {
        skin.SaveTitleColour(kGreen);
        // Well past the settle time; the watch's timer runs in the menu's loop as well.
        PumpFor(600);
        sameWhileOpen = frame->SkinData1->SkinStream().Bytes() == before;
    });
    RECT r{};
    GetWindowRect(frame->ClientHandle(), &r);
    frame->PopupMenu1->Popup((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    EXPECT_TRUE(sameWhileOpen) << "the skin changed under an open menu";
    EXPECT_TRUE(titleShows(frame->Handle(), kGreen, kMagenta));
}

TEST_F(GalleryWatch, TheAboutBoxFollowsASaveWhileItIsOpen) {
    SkinFolderCopy skin("item0");
    ASSERT_TRUE(skin.SaveTitleColour(kMagenta));
    watch(skin.Path());
    bool shownFirst = false, followed = false;
    auto* timer = new TTimer(frame);
    timer->SetInterval(100);
    timer->OnTimer = TNotifyEvent([&](TObject*) {
        HWND box = FindWindowA("TGalleryAbout", nullptr);
        if (!box || !IsWindowVisible(box) || !skinnerOf(box)) return;
        timer->SetEnabled(false);
        shownFirst = PumpUntil([&] { return titlePixels(box, kMagenta) >= kTitlePixels; }, kShowsWithinMs);
        skin.SaveTitleColour(kGreen);
        followed = PumpUntil(
            [&] { return titlePixels(box, kGreen) >= kTitlePixels && titlePixels(box, kMagenta) == 0; },
            kShowsWithinMs);
        PostMessageA(FindWindowExA(box, nullptr, "TButton", "OK"), BM_CLICK, 0, 0);
    });
    timer->SetEnabled(true);
    ShowGalleryAbout();
    EXPECT_TRUE(shownFirst);
    EXPECT_TRUE(followed) << "the about box kept the old skin";
    EXPECT_TRUE(titleShows(frame->Handle(), kGreen, kMagenta));
}

TEST(GalleryWatchCommandLine, WatchTakesAPathAndNoOtherSkinChoice) {
    const std::vector<std::string> pages = {"Buttons"};
    const GalleryCommandLine good =
        ParseGalleryCommandLine({L"--watch", L"C:\\skins\\mine", L"--rtl"}, pages);
    EXPECT_EQ(good.error, "");
    EXPECT_EQ(good.options.watchPath, L"C:\\skins\\mine");
    const struct {
        std::vector<std::wstring> arguments;
        const char* error;
    } refused[] = {
        {{L"--watch"}, "--watch needs a value"},
        {{L"--watch", L""}, "--watch needs a skin folder or file"},
        {{L"--watch", L"a", L"--skin", L"b.skin"}, "give it without --skin or --bundled"},
        {{L"--bundled", L"3", L"--watch", L"a"}, "give it without --skin or --bundled"},
    };
    for (const auto& c : refused)
        EXPECT_NE(ParseGalleryCommandLine(c.arguments, pages).error.find(c.error), std::string::npos)
            << c.error;
    EXPECT_NE(GalleryUsage(pages).find("--watch PATH"), std::string::npos);
}

TEST(GalleryWatchProgram, APathThatCannotBeWatchedEndsItWithCode1) {
    RunningProgram gallery("SkinGallery.exe", L"--watch \"Z:\\no\\such folder\"", true);
    DWORD code = 0;
    ASSERT_TRUE(gallery.WaitForExit(30000, &code));
    EXPECT_EQ(code, 1u);
    EXPECT_NE(
        gallery.StdErr().find("cannot watch \"Z:\\no\\such folder\": \"Z:\\no\\such folder\" does not exist"),
        std::string::npos)
        << gallery.StdErr();
}

namespace {

// Samples the caption band each time a message sent to the frame returns, while the window shows:
// the frame is painted in those (WM_NCPAINT, WM_SIZE, ...), the MDI client in its own.
struct CaptionSampler {
    HWND Window = nullptr;
    int Rows = 0;
    std::vector<Pixels> Samples;
};
CaptionSampler* sampler = nullptr;

LRESULT CALLBACK sampleAfterMessage(int code, WPARAM wParam, LPARAM lParam) {
    const auto* m = reinterpret_cast<const CWPRETSTRUCT*>(lParam);
    if (code == HC_ACTION && sampler && m->hwnd == sampler->Window && IsWindowVisible(m->hwnd))
        sampler->Samples.push_back(captionBand(m->hwnd, sampler->Rows));
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

} // namespace

TEST_F(GalleryWatch, TheCaptionShowsOnlyTheOldSkinThenTheNewOneDuringTheSwap) {
    SkinFolderCopy skin("item0");
    ASSERT_TRUE(skin.SaveTitleColour(kMagenta));
    watch(skin.Path());
    ASSERT_TRUE(titleShows(frame->Handle(), kMagenta, kGreen));
    RunToolkitUntil([] { return false; }, 300);
    const Pixels before = captionBand(frame->Handle());

    CaptionSampler samples{frame->Handle(), before.height, {}};
    sampler = &samples;
    win::HookHandle hook(
        SetWindowsHookExA(WH_CALLWNDPROCRET, sampleAfterMessage, nullptr, GetCurrentThreadId()));
    ASSERT_TRUE(hook);
    ASSERT_TRUE(skin.SaveTitleColour(kGreen));
    const bool shown = titleShows(frame->Handle(), kGreen, kMagenta);
    hook.Reset();
    sampler = nullptr;
    ASSERT_TRUE(shown);
    const Pixels after = captionBand(frame->Handle());

    ASSERT_FALSE(samples.Samples.empty());
    int old = 0, fresh = 0;
    for (size_t i = 0; i < samples.Samples.size(); ++i) {
        const Pixels& s = samples.Samples[i];
        const bool isOld = s.data == before.data, isNew = s.data == after.data;
        old += isOld;
        fresh += isNew;
        EXPECT_TRUE(isOld || isNew) << "sample " << i << " of " << samples.Samples.size()
                                    << " is neither skin's caption: magenta " << tintedPixels(s, kMagenta)
                                    << ", green " << tintedPixels(s, kGreen);
    }
    std::printf("%zu caption samples during the swap: %d old, %d new\n", samples.Samples.size(), old, fresh);
}

TEST_F(GalleryWatch, AHundredReloadsLeaveNoObjectsBehind) {
    SkinFolderCopy skin("item5");
    watch(skin.Path());
    frame->SkinData1->OnSkinChanged = TNotifyEvent([this](TObject*) { ++reloads; });
    auto save = [&](int n) {
        const int before = reloads;
        if (!skin.SaveTitleColour(n % 2 ? RGB(10, 20, 30) : RGB(30, 20, 10))) return false;
        return RunToolkitUntil([&] { return reloads > before; }, kShowsWithinMs);
    };
    for (int n = 0; n < 2; ++n)
        ASSERT_TRUE(save(n));
    RunToolkitUntil([] { return false; }, 100);
    const DWORD gdi = GdiObjectCount(), user = UserObjectCount();
    constexpr int kReloads = 100;
    for (int n = 0; n < kReloads; ++n)
        ASSERT_TRUE(save(n)) << "reload " << n << " did not happen: " << status();
    RunToolkitUntil([] { return false; }, 100);
    const DWORD gdiAfter = GdiObjectCount(), userAfter = UserObjectCount();
    std::printf("%d reloads: GDI %lu -> %lu, USER %lu -> %lu\n", kReloads, gdi, gdiAfter, user, userAfter);
    EXPECT_LE(gdiAfter, gdi + 4);
    EXPECT_LE(userAfter, user + 4);
}
