// Any bytes as a compressed stream: decoding stays bounded and in bounds, and whatever decodes
// compresses and decodes back to itself.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skin/res/lzh_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> out;
    // A small ceiling keeps each run quick; the bound itself is what is under test.
    if (qs::LzhDecompress(data, size, out, 1 << 20) != qs::TLzhStatus::lsOk) return 0;
    std::vector<uint8_t> again;
    const std::vector<uint8_t> packed = qs::LzhCompress(out);
    if (qs::LzhDecompress(packed.data(), packed.size(), again) != qs::TLzhStatus::lsOk || again != out) std::abort();
    return 0;
}
