// Codec throughput on a skin-like archive (BMP files and an ini text, about 800 KB), on an 8 MB skin-like
// archive and on an 8 MB mixed file, with the compression ratio of the lazy parse and of a plain greedy
// longest-match parse. On the 8 MB files a whole `skinlzh d` run (read the file, decode, write the file)
// is set against the classic getc/putc LZHUF decoder doing the same job on the same files.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

#include "bench/lzhuf_classic.h"
#include "skin/res/lzh_codec.h"
#include "skin/res/skin_archive_writer.h"
#include "skin/res/skin_reader.h"
#include "toolkit/core/little_endian.h"
#include "tools/skin_tools.h"
#include "tools/tool_files.h"

namespace {

// A 24-bit BMP of a bevelled, shaded skin part: magenta key corners, a vertical gradient, a stripe.
std::vector<uint8_t> SkinBitmap(int w, int h, std::mt19937& rng) {
    const uint32_t stride = (uint32_t(w) * 3 + 3) & ~3u;
    std::vector<uint8_t> bmp = {'B', 'M'};
    PutLE32(bmp, 54 + stride * uint32_t(h));
    PutLE32(bmp, 0);
    PutLE32(bmp, 54);
    PutLE32(bmp, 40);
    PutLE32(bmp, uint32_t(w));
    PutLE32(bmp, uint32_t(h));
    PutLE16(bmp, 1);
    PutLE16(bmp, 24);
    for (int i = 0; i < 6; ++i)
        PutLE32(bmp, 0);
    const int stripe = 5 + int(rng() % 20), base = 90 + int(rng() % 80);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const bool key = (x < 3 || x >= w - 3) && (y < 3 || y >= h - 3);
            const bool edge = x == 3 || y == 3 || x == w - 4 || y == h - 4;
            const uint8_t shade = uint8_t(base + 60 * y / h + (x % stripe == 0 ? 15 : 0) + (edge ? 40 : 0));
            bmp.push_back(key ? 255 : uint8_t(shade - 30));
            bmp.push_back(key ? 0 : uint8_t(shade - 10));
            bmp.push_back(key ? 255 : shade);
        }
        bmp.insert(bmp.end(), stride - 3 * uint32_t(w), 0);
    }
    return bmp;
}

std::vector<qs::TSkinMember> SkinMembers(size_t target) {
    std::mt19937 rng(7);
    std::vector<qs::TSkinMember> members(1);
    std::string ini = "[Personality]\r\nName=Bench\r\n";
    size_t total = 0;
    for (int part = 0; total < target; ++part) {
        const std::string name = "part" + std::to_string(part) + ".bmp";
        ini += "[Section" + std::to_string(part) + "]\r\nImage=bench\\" + name +
               "\r\nLeftWidth=3\r\nRightWidth=3\r\nTopHeight=4\r\nBottomHeight=4\r\nFrame=5\r\n"
               "Trans=1\r\nTile=0\r\nNormalColour=220 220 220\r\n";
        members.push_back({name, SkinBitmap(40 + int(rng() % 200), 16 + int(rng() % 60), rng)});
        total += members.back().data.size() + 200;
    }
    members[0] = {"bench.ini", {ini.begin(), ini.end()}};
    return members;
}

// 8 MB: a skin-like half, then text, then noise.
std::vector<uint8_t> Mixed() {
    std::vector<uint8_t> out = qs::WriteSkinArchive(SkinMembers(4 << 20));
    std::mt19937 rng(11);
    const std::string words[] = {"window ", "caption ", "button ", "frame ", "skin ", "menu ", "\r\n"};
    while (out.size() < (7u << 20)) {
        const std::string& w = words[rng() % 7];
        out.insert(out.end(), w.begin(), w.end());
    }
    while (out.size() < (8u << 20))
        out.push_back(uint8_t(rng()));
    return out;
}

// 0: 800 KB skin archive, 1: 8 MB mixed, 2: 8 MB skin archive.
const std::vector<uint8_t>& Data(int which) {
    static const std::vector<uint8_t> skin = qs::WriteSkinArchive(SkinMembers(800 * 1024)), mixed = Mixed(),
                                      bigSkin = qs::WriteSkinArchive(SkinMembers(8 << 20));
    return which == 0 ? skin : which == 1 ? mixed : bigSkin;
}

// The compressed inputs on disk, made once; the folder goes when the program ends.
class Files {
  public:
    Files() : dir_(std::filesystem::temp_directory_path() / ("qs_lzh_bench_" + std::to_string(::getpid()))) {
        std::filesystem::create_directories(dir_);
    }
    ~Files() {
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }
    std::string Packed(int which) {
        const std::string path = Path("packed" + std::to_string(which));
        if (!std::filesystem::exists(path)) {
            std::string error;
            if (!qs::tools::WriteFileBytes(path, qs::LzhCompress(Data(which)), error))
                throw std::runtime_error(error);
        }
        return path;
    }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }

  private:
    std::filesystem::path dir_;
};

Files& TempFiles() {
    static Files files;
    return files;
}

// A decoder that is fast but wrong would make the comparison meaningless.
void CheckOutput(benchmark::State& state, const std::string& path, int which) {
    std::vector<uint8_t> got;
    std::string error;
    if (!qs::tools::ReadFileBytes(path, got, error) || got != Data(which))
        state.SkipWithError("wrong output");
}

void Decode(benchmark::State& state) {
    const auto& data = Data(int(state.range(0)));
    const std::vector<uint8_t> packed = qs::LzhCompress(data);
    std::vector<uint8_t> out;
    for (auto _ : state) {
        qs::LzhDecompress(packed.data(), packed.size(), out);
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
}

void SkinLzhRun(benchmark::State& state) {
    const int which = int(state.range(0));
    const std::string in = TempFiles().Packed(which), out = TempFiles().Path("skinlzh.out");
    std::ostringstream sink;
    for (auto _ : state) {
        if (qs::tools::RunSkinLzh({"d", in, out}, sink, sink) != 0) state.SkipWithError("skinlzh failed");
    }
    CheckOutput(state, out, which);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Data(which).size()));
}

void ClassicRun(benchmark::State& state) {
    const int which = int(state.range(0));
    const std::string in = TempFiles().Packed(which), out = TempFiles().Path("classic.out");
    for (auto _ : state) {
        std::FILE* fin = std::fopen(in.c_str(), "rb");
        std::FILE* fout = std::fopen(out.c_str(), "wb");
        if (!fin || !fout) state.SkipWithError("cannot open the files");
        if (fin && fout) qs::bench::ClassicLzhufDecode(fin, fout);
        if (fin) std::fclose(fin);
        if (fout) std::fclose(fout);
    }
    CheckOutput(state, out, which);
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Data(which).size()));
}

// Decompressing and indexing the archive, as every skin load does.
void ReadArchive(benchmark::State& state) {
    const std::vector<uint8_t> packed = qs::LzhCompress(Data(0));
    for (auto _ : state) {
        qs::TSkinReader reader;
        benchmark::DoNotOptimize(reader.ReadArchive(packed));
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(Data(0).size()));
}

void Encode(benchmark::State& state) {
    const auto& data = Data(int(state.range(0)));
    const auto parse = state.range(1) ? qs::TLzhParse::lpLazy : qs::TLzhParse::lpGreedy;
    size_t packed = 0;
    for (auto _ : state) {
        const std::vector<uint8_t> out = qs::LzhCompress(data, parse);
        packed = out.size();
        benchmark::DoNotOptimize(out.data());
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(data.size()));
    state.counters["ratio"] = double(packed) / double(data.size());
    state.counters["bytes_in"] = double(data.size());
    state.counters["bytes_out"] = double(packed);
}

} // namespace

// range(0): which data (see Data); range(1): 1 lazy, 0 greedy. Decoding figures are medians of five runs,
// since the machine is shared.
BENCHMARK(Decode)->Arg(0)->Arg(1)->Arg(2)->Repetitions(5)->ReportAggregatesOnly()->Unit(
    benchmark::kMillisecond);
BENCHMARK(SkinLzhRun)->Arg(1)->Arg(2)->Repetitions(5)->ReportAggregatesOnly()->Unit(benchmark::kMillisecond);
BENCHMARK(ClassicRun)->Arg(1)->Arg(2)->Repetitions(5)->ReportAggregatesOnly()->Unit(benchmark::kMillisecond);
BENCHMARK(ReadArchive)->Unit(benchmark::kMillisecond);
BENCHMARK(Encode)->Args({0, 1})->Args({0, 0})->Args({1, 1})->Args({1, 0})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
