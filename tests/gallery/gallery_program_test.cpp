// SkinGallery.exe run as a person or a script runs it: its help, the arguments it refuses, skin
// files it cannot use, and the screenshot it leaves of its skinned window.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/support/bundled_skins.h"
#include "tests/support/image_file.h"
#include "tests/support/running_program.h"
#include "tests/support/wintest.h"
#include "toolkit/graphics/colors.h"
#include "toolkit/handles.h"

using namespace qs::test;

namespace {

constexpr DWORD kExitTimeoutMs = 30000;

struct Finished {
    DWORD code = 0xFFFFFFFF;
    std::string out, err;
    bool windowShown = false;
    RECT lastWindowRect{};
};

// Runs the gallery to its end, noting its main window's rectangle while it shows.
Finished RunGallery(const std::wstring& arguments) {
    RunningProgram gallery("SkinGallery.exe", arguments, true);
    Finished f;
    const DWORD start = GetTickCount();
    while (gallery.Running() && GetTickCount() - start < kExitTimeoutMs) {
        if (HWND window = gallery.WaitForWindow("TGalleryForm", nullptr, 0, true)) {
            f.windowShown = true;
            GetWindowRect(window, &f.lastWindowRect);
        }
        PumpFor(20);
    }
    gallery.WaitForExit(0, &f.code);
    f.out = gallery.StdOut();
    f.err = gallery.StdErr();
    return f;
}

std::wstring TempPath(const std::wstring& name) {
    wchar_t dir[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, dir);
    return std::wstring(dir) + name;
}

bool WriteBytes(const std::wstring& path, const std::vector<uint8_t>& bytes) {
    win::KernelHandle file(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

std::vector<uint8_t> ReadBytes(const std::wstring& path) {
    win::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    std::vector<uint8_t> bytes;
    uint8_t buffer[65536];
    DWORD read = 0;
    while (file && ReadFile(file.Get(), buffer, sizeof buffer, &read, nullptr) && read > 0)
        bytes.insert(bytes.end(), buffer, buffer + read);
    return bytes;
}

std::wstring Quoted(const std::wstring& path) {
    return L"\"" + path + L"\"";
}

// The screenshot of one run, and the window it showed.
struct Shot {
    Finished run;
    Pixels pixels;
};

Shot TakeShot(const std::wstring& arguments, const std::wstring& file) {
    const std::wstring path = TempPath(file);
    DeleteFileW(path.c_str());
    Shot shot{RunGallery(arguments + L" --shot " + Quoted(path)), {}};
    shot.pixels = DecodeBmp24(ReadBytes(path));
    DeleteFileW(path.c_str());
    return shot;
}

int Width(const RECT& r) {
    return r.right - r.left;
}
int Height(const RECT& r) {
    return r.bottom - r.top;
}

// The rows of the caption band, where a skinned frame and the system's differ.
std::vector<uint32_t> CaptionBand(const Pixels& px, int rows) {
    std::vector<uint32_t> band;
    for (int y = 0; y < rows && y < px.height; ++y)
        for (int x = 0; x < px.width; ++x)
            band.push_back(px.at(x, y));
    return band;
}

} // namespace

TEST(GalleryProgram, HelpPrintsTheUsageAndSucceeds) {
    const Finished f = RunGallery(L"--help");
    EXPECT_EQ(f.code, 0u);
    EXPECT_NE(f.out.find("Usage: SkinGallery"), std::string::npos) << f.out;
    for (const char* option : {"--skin", "--bundled", "--rtl", "--page", "--shot", "Buttons", "Choices",
                               "Lists", "Ranges", "Tabs", "Text", "Containers", "Media"})
        EXPECT_NE(f.out.find(option), std::string::npos) << option;
    EXPECT_EQ(f.err, "");
    EXPECT_FALSE(f.windowShown);
}

TEST(GalleryProgram, BadArgumentsAreRefusedWithAMessageAndCode2) {
    const struct {
        const wchar_t* arguments;
        const char* message;
    } cases[] = {
        {L"--bogus", "unknown argument \"--bogus\""},
        {L"--bundled 10", "--bundled takes a stored skin 0 to 9 or \"default\", not \"10\""},
        {L"--bundled nine", "not \"nine\""},
        {L"--page buttons", "there is no page \"buttons\" (pages: Buttons, Choices, Lists, Ranges, Tabs, "
                            "Text, Containers, Media)"},
        {L"--skin", "--skin needs a value"},
        {L"--rtl --shot", "--shot needs a value"},
        {L"--skin a.skin --bundled 3", "give one"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.message));
        const Finished f = RunGallery(c.arguments);
        EXPECT_EQ(f.code, 2u);
        EXPECT_NE(f.err.find(c.message), std::string::npos) << f.err;
        EXPECT_FALSE(f.windowShown);
    }
}

TEST(GalleryProgram, SkinFilesItCannotUseEndItWithCode1) {
    const std::wstring junk = TempPath(L"gallery-junk.skin"), empty = TempPath(L"gallery-empty.skin");
    std::vector<uint8_t> noise(3000);
    for (size_t i = 0; i < noise.size(); ++i)
        noise[i] = uint8_t(i * 2654435761u >> 13);
    ASSERT_TRUE(WriteBytes(junk, noise));
    ASSERT_TRUE(WriteBytes(empty, {}));
    const struct {
        std::wstring path;
        const char* message;
    } cases[] = {
        {TempPath(L"gallery-missing.skin"), "cannot read the skin file"},
        {junk, "it is not a skin archive"},
        {empty, "it is not a skin archive"},
        {TempPath(L""), "cannot read the skin file"}, // a folder
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.message));
        const Finished f = RunGallery(L"--skin " + Quoted(c.path));
        EXPECT_EQ(f.code, 1u);
        EXPECT_NE(f.err.find(c.message), std::string::npos) << f.err;
        EXPECT_FALSE(f.windowShown);
    }
    DeleteFileW(junk.c_str());
    DeleteFileW(empty.c_str());
}

TEST(GalleryProgram, TheShotIsTheWindowWithItsSkinnedFrame) {
    const Shot standard = TakeShot(L"", L"gallery-standard.bmp");
    ASSERT_EQ(standard.run.code, 0u) << standard.run.err;
    ASSERT_TRUE(standard.run.windowShown);
    const RECT& r = standard.run.lastWindowRect;
    ASSERT_EQ(standard.pixels.width, Width(r));
    ASSERT_EQ(standard.pixels.height, Height(r));
    SaveImage(ScreenshotPath("gallery-item9.png"), standard.pixels);
    // The caption's middle shows the skin's caption band, not the system's caption colour.
    const uint32_t system = ColorToRGB(TColor(clActiveCaption));
    const uint32_t systemRgb = (system & 0xFF) << 16 | (system & 0xFF00) | (system >> 16 & 0xFF);
    EXPECT_NE(standard.pixels.at(standard.pixels.width / 2, 4), systemRgb);

    // Another bundled skin, right to left: another frame.
    const Shot midnight = TakeShot(L"--bundled 1 --rtl", L"gallery-item1.bmp");
    ASSERT_EQ(midnight.run.code, 0u) << midnight.run.err;
    ASSERT_FALSE(midnight.pixels.empty());
    SaveImage(ScreenshotPath("gallery-item1-rtl.png"), midnight.pixels);
    EXPECT_NE(CaptionBand(midnight.pixels, 16), CaptionBand(standard.pixels, 16));

    // A PNG has the window's size too.
    const std::wstring png = TempPath(L"gallery-shot.png");
    const Finished f = RunGallery(L"--bundled default --shot " + Quoted(png));
    EXPECT_EQ(f.code, 0u) << f.err;
    const std::vector<uint8_t> bytes = ReadBytes(png);
    ASSERT_GE(bytes.size(), 24u);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 4), "PNG");
    auto be32 = [&](size_t at) {
        return int(bytes[at] << 24 | bytes[at + 1] << 16 | bytes[at + 2] << 8 | bytes[at + 3]);
    };
    EXPECT_EQ(be32(16), Width(f.lastWindowRect));
    EXPECT_EQ(be32(20), Height(f.lastWindowRect));
    DeleteFileW(png.c_str());
}

TEST(GalleryProgram, ASkinFileIsNamedInAnyScript) {
    // Neither code page 1252 nor 936 holds every character of this name: only the wide command
    // line carries it.
    const std::wstring name = TempPath(L"\u76ae\u80a4-\u00f1\u0151.skin");
    ASSERT_TRUE(WriteBytes(name, BundledSkinBytes("item1")));
    const Shot fromFile = TakeShot(L"--skin " + Quoted(name), L"gallery-file.bmp");
    DeleteFileW(name.c_str());
    EXPECT_EQ(fromFile.run.code, 0u) << fromFile.run.err;
    const Shot bundled = TakeShot(L"--bundled 1", L"gallery-bundled.bmp");
    ASSERT_FALSE(fromFile.pixels.empty());
    EXPECT_EQ(CaptionBand(fromFile.pixels, 16), CaptionBand(bundled.pixels, 16));
}

TEST(GalleryProgram, EachPageOpensFromTheCommandLine) {
    for (const wchar_t* page :
         {L"Buttons", L"Choices", L"Lists", L"Ranges", L"Tabs", L"Text", L"Containers", L"Media"}) {
        const std::wstring name(page);
        const Shot shot = TakeShot(L"--page " + name, L"gallery-page.bmp");
        SCOPED_TRACE(std::string(name.begin(), name.end()));
        EXPECT_EQ(shot.run.code, 0u) << shot.run.err;
        EXPECT_TRUE(shot.run.windowShown);
        ASSERT_FALSE(shot.pixels.empty());
        SaveImage(ScreenshotPath("gallery-page-" + std::string(name.begin(), name.end()) + ".png"),
                  shot.pixels);
    }
}

// The Ranges page animates two bars, which stand still for a screenshot: two runs, one picture.
TEST(GalleryProgram, ScreenshotsOfAnAnimatedPageAgree) {
    const Shot first = TakeShot(L"--page Ranges", L"gallery-ranges-1.bmp");
    const Shot second = TakeShot(L"--page Ranges", L"gallery-ranges-2.bmp");
    ASSERT_EQ(first.run.code, 0u) << first.run.err;
    ASSERT_EQ(second.run.code, 0u) << second.run.err;
    ASSERT_FALSE(first.pixels.empty());
    ASSERT_EQ(first.pixels.width, second.pixels.width);
    ASSERT_EQ(first.pixels.height, second.pixels.height);
    int differing = 0;
    for (int y = 0; y < first.pixels.height; ++y)
        for (int x = 0; x < first.pixels.width; ++x)
            differing += first.pixels.at(x, y) != second.pixels.at(x, y);
    EXPECT_EQ(differing, 0);
}
