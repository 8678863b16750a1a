// Any bytes as a packed skin for skincheck: every finding it makes, without a crash or a hang.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "tools/skin_check.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::vector<uint8_t> bytes(data, data + size);
    size_t length = 0;
    for (const qs::tools::TCheckFinding& f : qs::tools::CheckPackedSkin(bytes, "fuzz.skin"))
        length += f.Text().size();
    return length == 1 ? 0 : 0;
}
