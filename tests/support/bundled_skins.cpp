#include "tests/support/bundled_skins.h"

#include <fstream>
#include <iterator>
#include <map>

namespace qs::test {

const char* const kBundledSkinIds[kBundledSkinCount] = {
    "default", "item0", "item1", "item2", "item3", "item4", "item5", "item6", "item7", "item8", "item9"};

std::string BundledSkinsDir() {
    return std::string("Z:") + QS_SKINS_DIR;
}

const std::vector<uint8_t>& BundledSkinBytes(const std::string& id) {
    static std::map<std::string, std::vector<uint8_t>> cache;
    auto [it, added] = cache.try_emplace(id);
    if (added) it->second = ReadFileBytes(BundledSkinsDir() + "/" + id + ".skin");
    return it->second;
}

std::vector<uint8_t> ReadFileBytes(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
}

} // namespace qs::test
