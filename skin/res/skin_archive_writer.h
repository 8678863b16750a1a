// Building skin archives for the tools and tests: any of the reader's versions (or another, to test
// rejection), names ended by CR LF, zero bytes wherever the reader does not look.
#pragma once

#include "skin/res/skin_archive_format.h"

#include <cstdint>
#include <string>
#include <vector>

namespace qs {

struct TSkinMember {
    std::string name;
    std::vector<uint8_t> data;
};

// The uncompressed archive. Throws std::invalid_argument for a name holding a line break, more than
// 1001 members, or a member too large for its int32 size. An unknown version gets no skipped block.
std::vector<uint8_t> WriteSkinArchive(const std::vector<TSkinMember>& members,
                                      int32_t version = kSkinCurrentVersion);
// The same, compressed: what a skin file, a store item or a skin stream holds.
std::vector<uint8_t> WriteCompressedSkin(const std::vector<TSkinMember>& members,
                                         int32_t version = kSkinCurrentVersion);

} // namespace qs
