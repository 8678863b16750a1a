// Loading a bundled skin into the skin component, beside what its decompression alone costs.
//   skin_load_bench [SKIN]   SKIN: a .skin path or a bundled id; default the largest bundled skin
#include <cstdio>
#include <memory>
#include <vector>

#include "bench/win32/bench_harness.h"
#include "bench/win32/bench_skins.h"
#include "skin/core/skin_data.h"
#include "skin/res/lzh_codec.h"
#include "skin/res/skin_reader.h"

using namespace qs::bench;

namespace {

std::string throughput(size_t bytes, double seconds) {
    char text[48];
    std::snprintf(text, sizeof text, "%.1f MB/s unpacked", double(bytes) / seconds / 1e6);
    return text;
}

void benchSkin(TReport& report, const TSkinFile& file, const std::string& role) {
    const size_t unpacked = file.UnpackedSize();
    const std::string size = file.Id + " " + KiB(file.Bytes.size());

    std::vector<uint8_t> out;
    const TFigures lzh = Measure([&] { qs::LzhDecompress(file.Bytes.data(), file.Bytes.size(), out); });
    report.Row("LzhDecompress" + role, size, lzh,
               "-> " + KiB(out.size()) + ", " + throughput(unpacked, lzh.Median));

    const TFigures archive = Measure([&] {
        qs::TSkinReader reader;
        reader.ReadArchive(file.Bytes);
    });
    qs::TSkinReader members;
    members.ReadArchive(file.Bytes);
    report.Row("TSkinReader::ReadArchive" + role, size, archive,
               "decompress + index, " + std::to_string(members.Count()) + " members");

    // Loading again replaces the model: the previous one's records and bitmaps are freed first.
    TSkinData skin(nullptr);
    skin.SkinStream().Write(file.Bytes.data(), file.Bytes.size());
    bool loaded = true;
    const TFigures load = Measure([&] { loaded = skin.LoadSkin() && loaded; });
    char ratio[96];
    std::snprintf(ratio, sizeof ratio, "%.1fx decompression (medians), %.1fx (minimums)",
                  load.Median / lzh.Median, load.Min / lzh.Min);
    report.Row("TSkinData::LoadSkin" + role, size, load, loaded ? ratio : "NOT ACCEPTED");

    std::unique_ptr<TSkinData> fresh;
    const TFigures first = Measure(
        [&] {
            fresh = std::make_unique<TSkinData>(nullptr);
            fresh->SkinStream().Write(file.Bytes.data(), file.Bytes.size());
        },
        [&] { loaded = fresh->LoadSkin() && loaded; });
    report.Row("  into a new component" + role, size, first,
               loaded ? "no previous model to free" : "NOT ACCEPTED");
}

} // namespace

int main(int argc, char** argv) {
    const TSkinFile largest = ChooseSkin(argc > 1 ? argv[1] : "", "");
    TReport report("skin_load_bench: loading a skin (" + largest.Path + ")");
    benchSkin(report, largest, argc > 1 ? "" : " (largest)");
    if (argc <= 1 && largest.Id != "item9") benchSkin(report, ChooseSkin("", "item9"), " (flagship)");
    return 0;
}
