// Any bytes as a compressed stream: decoding stays bounded and in bounds, and whatever decodes
// compresses and decodes back to itself. The same bytes as plain text round-trip through the codec.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "skin/res/lzh_codec.h"

namespace {
// Recompressing large outputs would dominate the run; small ones exercise the same paths.
constexpr size_t kRoundTripLimit = 1 << 16;

void RoundTrip(const std::vector<uint8_t>& plain) {
    const std::vector<uint8_t> packed = qs::LzhCompress(plain);
    std::vector<uint8_t> again;
    if (qs::LzhDecompress(packed.data(), packed.size(), again) != qs::TLzhStatus::lsOk || again != plain)
        std::abort();
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size <= kRoundTripLimit) RoundTrip(std::vector<uint8_t>(data, data + size));
    std::vector<uint8_t> out;
    // A small ceiling keeps each run quick; the bound itself is what is under test.
    if (qs::LzhDecompress(data, size, out, 1 << 20) != qs::TLzhStatus::lsOk) return 0;
    if (out.size() <= kRoundTripLimit) RoundTrip(out);
    return 0;
}
