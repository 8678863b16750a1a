// How soon a save shows in the watching gallery: a copy of a bundled skin folder is watched, its
// title text colour changed 20 times, each change timed from the write of the ini to the caption
// repainted in the new colour (read back from the window's own pixels).
//   watch_bench [ID]   ID: the bundled skin folder to copy; default item0 (a grey caption)
#include <windows.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bench/win32/bench_harness.h"
#include "bench/win32/bench_skins.h"
#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "gallery/skin_files.h"
#include "gallery/watched_skin.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/form/win_skin_form.h"
#include "tests/support/toolkit_loop.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/handles.h"

using namespace qs::bench;
namespace fs = std::filesystem;

namespace {

constexpr int kEdits = 20;
constexpr int kWarmup = 2;
constexpr double kGiveUpSeconds = 5;

// The two title colours the edits alternate between, and how a smoothed glyph pixel leans to each.
const char* const kColours[2] = {"255 0 255", "0 200 0"};
bool leans(uint32_t p, int colour) {
    const int r = int(p >> 16 & 0xFF), g = int(p >> 8 & 0xFF), b = int(p & 0xFF);
    return colour == 0 ? r - g > 40 && b - g > 40 : g - r > 40 && g - b > 40;
}

// Title pixels of each colour in the frame's caption, as the window painted it.
int titlePixels(HWND frame, int colour) {
    const auto* f = dynamic_cast<TWinSkinForm*>(SkinManager ? SkinManager->FindFormSkinner(frame) : nullptr);
    if (!f) return 0;
    const qs::test::Pixels px = qs::test::CaptureWindowDC(frame);
    const size_t end = std::min(px.data.size(), size_t(std::max(f->CaptionHeight, 0)) * size_t(px.width));
    int n = 0;
    for (size_t i = 0; i < end; ++i)
        n += leans(px.data[i], colour);
    return n;
}

bool writeFile(const fs::path& path, const std::string& text) {
    win::KernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.Get(), text.data(), DWORD(text.size()), &written, nullptr) &&
           written == text.size();
}

std::string withTitleColour(std::string ini, const char* colour) {
    const std::string line = std::string("TitleTextActive=") + colour;
    const size_t at = ini.find("\nTitleTextActive=");
    if (at == std::string::npos) {
        const size_t section = ini.find("[Colours]");
        if (section == std::string::npos) return ini + "\r\n[Colours]\r\n" + line + "\r\n";
        return ini.insert(ini.find('\n', section) + 1, line + "\r\n");
    }
    const size_t end = ini.find_first_of("\r\n", at + 1);
    return ini.replace(at + 1, end == std::string::npos ? std::string::npos : end - at - 1, line);
}

// Seconds from the write to the caption showing the colour; negative when it never does.
double timeOneSave(HWND frame, const fs::path& ini, const std::string& text, int colour) {
    const double start = Now();
    if (!writeFile(ini, withTitleColour(text, kColours[colour]))) return -1;
    while (Now() - start < kGiveUpSeconds) {
        Application->ProcessMessages();
        if (titlePixels(frame, colour) >= 20 && titlePixels(frame, 1 - colour) == 0) return Now() - start;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 1, QS_ALLINPUT);
    }
    return -1;
}

TFigures figuresOf(std::vector<double> seconds) {
    std::sort(seconds.begin(), seconds.end());
    TFigures f;
    f.Runs = int(seconds.size());
    if (seconds.empty()) return f;
    f.Min = seconds.front();
    f.Median = seconds[seconds.size() / 2];
    f.P90 = seconds[std::min(seconds.size() - 1, seconds.size() * 9 / 10)];
    for (double s : seconds)
        f.Mean += s / double(seconds.size());
    return f;
}

} // namespace

int main(int argc, char** argv) {
    const std::string id = argc > 1 ? argv[1] : "item0";
    TReport report("watch_bench: from a save of a watched skin folder to the repainted caption (" + id + ")");
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const fs::path folder = fs::path(temp) / ("watch-bench-" + std::to_string(GetCurrentProcessId()));
    std::error_code ec;
    fs::create_directories(folder, ec);
    fs::path ini;
    for (const fs::directory_entry& e : fs::directory_iterator(BundledSkinsDir() + "/" + id, ec)) {
        fs::copy_file(e.path(), folder / e.path().filename(), fs::copy_options::overwrite_existing, ec);
        if (e.path().extension() == ".ini") ini = folder / e.path().filename();
    }
    std::ifstream in(ini, std::ios::binary);
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (ini.empty() || text.empty()) {
        report.Note("no skin folder " + id + " in " + BundledSkinsDir());
        return 1;
    }

    RegisterGalleryClasses();
    Application->Initialize();
    auto* frame = NewForm<TGalleryForm>(nullptr);
    GalleryOptions options;
    options.watchPath = folder.wstring();
    std::string error;
    if (!frame->Start(options, {}, error)) {
        report.Note("the gallery did not start: " + error);
        return 1;
    }
    frame->Show();
    SetForegroundWindow(frame->Handle());
    qs::test::RunToolkitUntil([] { return false; }, 500);

    std::vector<double> seconds;
    int missed = 0;
    for (int i = 0; i < kWarmup + kEdits; ++i) {
        const double s = timeOneSave(frame->Handle(), ini, text, i % 2);
        if (s < 0)
            ++missed;
        else if (i >= kWarmup)
            seconds.push_back(s);
    }
    const TFigures f = figuresOf(seconds);
    report.Row("save to repainted caption", "720x520 frame", f,
               "max " +
                   FormatDuration(seconds.empty() ? 0 : *std::max_element(seconds.begin(), seconds.end())));
    report.Note("each save: " + std::to_string(TSkinWatch::kSettleMs) +
                " ms of quiet awaited, then the folder packed, the skin swapped, the windows repainted");

    // The part after the quiet, without the watch: pack the folder, swap the skin, repaint.
    int edit = 0;
    std::vector<uint8_t> packed;
    const TFigures rebuild = Measure(
        [&] {
            writeFile(ini, withTitleColour(text, kColours[++edit % 2]));
            qs::test::RunToolkitUntil([] { return false; }, 250);
        },
        [&] {
            std::string ignored;
            if (BuildWatchedSkin(folder.wstring(), packed, ignored))
                SwapSkinBytes(*frame->SkinData1, packed, ignored);
        },
        TRunLimits{1, 10, 20, 10.0});
    report.Row("pack, swap and repaint", "720x520 frame", rebuild, "BuildWatchedSkin + SwapSkinBytes");
    if (missed) report.Note(std::to_string(missed) + " saves did not show within 5 s");
    delete frame;
    fs::remove_all(folder, ec);
    return missed ? 1 : 0;
}
