// Codec throughput on skin-like data (BMP rows and ini text) and on a larger mixed file, with
// the compression ratio of the lazy and the plain greedy longest-match parse.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "skin/res/lzh_codec.h"

namespace {

// About 800 KB: gradient and bevelled bitmap rows like the bundled skins, plus description text.
std::vector<uint8_t> SkinLike(size_t target) {
    std::vector<uint8_t> out;
    std::mt19937 rng(7);
    int image = 0;
    while (out.size() < target) {
        const int w = 40 + int(rng() % 200), h = 16 + int(rng() % 60);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool key = (x < 3 || x >= w - 3) && (y < 3 || y >= h - 3);
                const uint8_t shade = uint8_t(120 + 100 * y / h + (x % 17 == 0 ? 20 : 0));
                out.push_back(key ? 255 : uint8_t(shade - 30));
                out.push_back(key ? 0 : uint8_t(shade - 10));
                out.push_back(key ? 255 : shade);
            }
        std::string ini =
            "[Section" + std::to_string(image++) + "]\r\nImage=part" + std::to_string(image) +
            ".bmp\r\nLeftWidth=3\r\nRightWidth=3\r\nTopHeight=4\r\nBottomHeight=4\r\nFrame=5\r\n"
            "Trans=1\r\nTile=0\r\nNormalColour2=220 220 220\r\n";
        out.insert(out.end(), ini.begin(), ini.end());
    }
    out.resize(target);
    return out;
}

// 8 MB of mixed content: skin-like data, text and noise.
std::vector<uint8_t> Mixed() {
    std::vector<uint8_t> out = SkinLike(4 << 20);
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

const std::vector<uint8_t>& Data(int which) {
    static const std::vector<uint8_t> skin = SkinLike(800 * 1024), mixed = Mixed();
    return which == 0 ? skin : mixed;
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
    state.counters["bytes_out"] = double(packed);
}

} // namespace

// range(0): 0 = 800 KB skin-like, 1 = 8 MB mixed; range(1): 1 lazy, 0 greedy.
BENCHMARK(Decode)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(Encode)->Args({0, 1})->Args({0, 0})->Args({1, 1})->Args({1, 0})->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
