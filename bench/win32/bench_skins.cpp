#include "bench/win32/bench_skins.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "skin/core/skin_data.h"

namespace qs::bench {

namespace {

std::vector<uint8_t> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

std::string idOf(const std::string& path) {
    const size_t slash = path.find_last_of("/\\:");
    std::string name = slash == std::string::npos ? path : path.substr(slash + 1);
    if (name.size() > 5 && name.compare(name.size() - 5, 5, ".skin") == 0) name.resize(name.size() - 5);
    return name;
}

[[noreturn]] void fail(const std::string& text) {
    std::fprintf(stderr, "bench: %s\n", text.c_str());
    std::exit(2);
}

} // namespace

uint32_t TSkinFile::UnpackedSize() const {
    if (Bytes.size() < 4) return 0;
    return uint32_t(Bytes[0]) | uint32_t(Bytes[1]) << 8 | uint32_t(Bytes[2]) << 16 | uint32_t(Bytes[3]) << 24;
}

std::string BundledSkinsDir() {
    return std::string("Z:") + QS_BENCH_SKINS_DIR;
}

std::vector<TSkinFile> ReadSkins(const std::string& dir) {
    std::vector<TSkinFile> skins;
    WIN32_FIND_DATAA found{};
    HANDLE search = FindFirstFileA((dir + "/*.skin").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return skins;
    do {
        TSkinFile f;
        f.Path = dir + "/" + found.cFileName;
        f.Id = idOf(f.Path);
        f.Bytes = readFile(f.Path);
        if (!f.Bytes.empty()) skins.push_back(std::move(f));
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(skins.begin(), skins.end(), [](const TSkinFile& a, const TSkinFile& b) { return a.Id < b.Id; });
    return skins;
}

TSkinFile ChooseSkin(const std::string& arg, const std::string& fallbackId) {
    const std::string wanted = arg.empty() ? fallbackId : arg;
    if (wanted.find_first_of("/\\.") != std::string::npos) {
        TSkinFile f{idOf(wanted), wanted, readFile(wanted)};
        if (f.Bytes.empty()) fail("cannot read " + wanted);
        return f;
    }
    std::vector<TSkinFile> skins = ReadSkins(BundledSkinsDir());
    if (skins.empty()) fail("no skins in " + BundledSkinsDir() + " (build the qs_skins target)");
    auto it = wanted.empty() ? std::max_element(skins.begin(), skins.end(),
                                                [](const TSkinFile& a, const TSkinFile& b) {
                                                    return a.Bytes.size() < b.Bytes.size();
                                                })
                             : std::find_if(skins.begin(), skins.end(),
                                            [&](const TSkinFile& f) { return f.Id == wanted; });
    if (it == skins.end()) fail("no bundled skin " + wanted);
    return std::move(*it);
}

bool LoadInto(TSkinData& skin, const TSkinFile& file) {
    skin.SkinStream().Clear();
    skin.SkinStream().Write(file.Bytes.data(), file.Bytes.size());
    return skin.LoadSkin();
}

std::string SizeText(int w, int h) {
    return std::to_string(w) + "x" + std::to_string(h);
}

std::string KiB(size_t bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.1f KiB", double(bytes) / 1024);
    return text;
}

} // namespace qs::bench
