// TLZH: the skin codec, LZSS over a 4096-byte ring with adaptive Huffman coding of literals and
// match lengths. Compressed layout: little-endian int32 uncompressed size, then the bit stream.
#pragma once

#include "skin/res/lzh_model.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <vector>

namespace qs {

class ElzhException : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// Byte source: fills up to count bytes and returns how many it gave (fewer at the end of input).
using TLzhRead = std::function<size_t(uint8_t* buffer, size_t count)>;
using TLzhWrite = std::function<void(const uint8_t* buffer, size_t count)>;

// How the compressor chooses between a literal and a match.
enum class TLzhParse {
    lpGreedy, // always the longest match here
    lpLazy,   // a literal first when the next position has a longer match
};

// Largest uncompressed size accepted from a stream: far beyond any skin, small enough to hold in memory.
constexpr int32_t kLzhMaxTextSize = 64 * 1024 * 1024;

class TLZH {
  public:
    TLZH();
    ~TLZH();
    TLZH(const TLZH&) = delete;
    TLZH& operator=(const TLZH&) = delete;

    // Obtains the model, the output window (which holds the ring) and the input buffer.
    void AllocTables();
    void FreeTables();

    // Decodes until textSize bytes are produced. Missing input reads as zero bits, but decoding stops
    // before a symbol that would need bits past the input's end: no faithful encoder leaves a stream
    // like that, and it keeps a hostile size from turning a few bytes into megabytes.
    // Returns the number of bytes produced.
    int64_t Decompress(int32_t textSize, const TLzhWrite& write, const TLzhRead& read);

    // Writes the int32 size and the bit stream of data[0, size).
    void Compress(const uint8_t* data, size_t size, const TLzhWrite& write,
                  TLzhParse parse = TLzhParse::lpLazy);

  private:
    struct Tables;
    struct BitReader;
    std::unique_ptr<Tables> tables_;
};

// Whole-buffer helpers.
std::vector<uint8_t> LzhCompress(const uint8_t* data, size_t size, TLzhParse parse = TLzhParse::lpLazy);
inline std::vector<uint8_t> LzhCompress(const std::vector<uint8_t>& data,
                                        TLzhParse parse = TLzhParse::lpLazy) {
    return LzhCompress(data.data(), data.size(), parse);
}

enum class TLzhStatus {
    lsOk,
    lsNoHeader,     // fewer than 4 bytes
    lsSizeTooLarge, // the stored size exceeds the caller's limit
    lsTruncated,    // the bits ran out before the stored size was produced
};

// Decodes a compressed stream (size field included). out holds what was produced, also on failure.
TLzhStatus LzhDecompress(const uint8_t* data, size_t size, std::vector<uint8_t>& out,
                         int32_t maxTextSize = kLzhMaxTextSize);

} // namespace qs
