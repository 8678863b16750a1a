// The bundled skins the benchmarks run on (the packed skins of the build's qs_skins target).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class TSkinData;

namespace qs::bench {

struct TSkinFile {
    std::string Id; // file name without ".skin"
    std::string Path;
    std::vector<uint8_t> Bytes; // the compressed skin as stored
    // The archive size the compressed skin announces (its leading int32).
    uint32_t UnpackedSize() const;
};

// The build's skins folder, as a Wine path.
std::string BundledSkinsDir();
// Every *.skin in dir, ordered by id; empty when there are none.
std::vector<TSkinFile> ReadSkins(const std::string& dir);
// The skin an argument names: a .skin path, or the id of a bundled skin; fallbackId when arg is
// empty, the largest bundled skin when fallbackId is empty too. Exits with a message when there is none.
TSkinFile ChooseSkin(const std::string& arg, const std::string& fallbackId);
// Fills the skin component's stream and parses it; false when the skin is not accepted.
bool LoadInto(TSkinData& skin, const TSkinFile& file);

std::string SizeText(int w, int h);
std::string KiB(size_t bytes);

} // namespace qs::bench
