// The classic LZHUF decoder, as the well-known getc/putc C program shapes it: one byte at a time from
// a FILE, one byte at a time to a FILE, the model in global-style tables. Only the benchmark uses it,
// as the yardstick the codec's own decoder is measured against.
#pragma once

#include <cstdio>

namespace qs::bench {

// Reads the int32 size and the bit stream from in, writes the decoded bytes to out.
void ClassicLzhufDecode(std::FILE* in, std::FILE* out);

} // namespace qs::bench
