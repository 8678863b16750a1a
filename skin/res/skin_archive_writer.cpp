// Archive writer: header, skipped block, name list, size table, contents.
#include "skin/res/skin_archive_writer.h"

#include "skin/res/lzh_codec.h"

#include <limits>
#include <stdexcept>

namespace qs {

namespace {
void PutInt32(std::vector<uint8_t>& out, int32_t value) {
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(uint32_t(value) >> (8 * i)));
}
} // namespace

std::vector<uint8_t> WriteSkinArchive(const std::vector<TSkinMember>& members, int32_t version) {
    if (members.size() > size_t(kSkinMaxMembers))
        throw std::invalid_argument("skin archive: more than 1001 members");
    std::string list;
    for (const TSkinMember& m : members) {
        if (m.name.find_first_of("\r\n") != std::string::npos)
            throw std::invalid_argument("skin archive: line break in member name");
        if (m.data.size() > size_t(std::numeric_limits<int32_t>::max()))
            throw std::invalid_argument("skin archive: member too large: " + m.name);
        list += m.name + "\r\n";
    }

    std::vector<uint8_t> out;
    PutInt32(out, version);
    PutInt32(out, int32_t(list.size()));
    out.resize(size_t(kSkinHeaderSize) + size_t(std::max(0, SkinSkippedBlockSize(version))), 0);
    out.insert(out.end(), list.begin(), list.end());
    for (const TSkinMember& m : members)
        PutInt32(out, int32_t(m.data.size()));
    for (const TSkinMember& m : members)
        out.insert(out.end(), m.data.begin(), m.data.end());
    return out;
}

std::vector<uint8_t> WriteCompressedSkin(const std::vector<TSkinMember>& members, int32_t version) {
    return LzhCompress(WriteSkinArchive(members, version));
}

} // namespace qs
