// The build's packed skins (target qs_skins), as Win32 tests under Wine read them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qs::test {

// The skin component's own skin first, then the store's ten, in store order.
constexpr int kBundledSkinCount = 11;
extern const char* const kBundledSkinIds[kBundledSkinCount];

// The build's skins folder as a Wine path: <id>.skin and the generated folder <id>/ live there.
std::string BundledSkinsDir();
// The packed skin, read once and kept; empty when the build has no such skin.
const std::vector<uint8_t>& BundledSkinBytes(const std::string& id);
// A file's bytes; empty when it cannot be read.
std::vector<uint8_t> ReadFileBytes(const std::string& path);

} // namespace qs::test
