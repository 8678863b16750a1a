// Layout constants of the uncompressed skin archive, shared by the reader and the writer:
// version, name-list length, 8 free bytes, a version-dependent block, names, sizes, contents.
#pragma once

#include <cstdint>

namespace qs {

constexpr int kSkinHeaderSize = 16;
constexpr int kSkinMaxMembers = 1001;
constexpr int32_t kSkinCurrentVersion = 70000;

// Bytes the reader skips after the header, or -1 for a version it does not know.
constexpr int SkinSkippedBlockSize(int32_t version) {
    switch (version) {
    case 20000: return 0;
    case 30000: return 256;
    case 40000: return 80;
    case 50000: return 48;
    case 60000: return 117;
    case 70000: return 69;
    default: return -1;
    }
}

} // namespace qs
