// The compact binary form resource the executable embeds (RCDATA) and the run-time reader reads.
//
//   resource  := "QSFR" u16:version(1) component
//   component := name8:class(non-empty) name8:name prop* u8:0 component* u8:0
//   prop      := name8:path(non-empty) value
//   value     := u8:tag payload
//     1 Int8 i8 | 2 Int16 i16 | 3 Int32 i32 | 4 Int64 i64 | 5 False | 6 True
//     7 Ident name8 | 8 String u32:n n bytes | 9 WString u32:n n UTF-16 units
//     10 Set name8* u8:0 | 11 Binary u32:n n bytes | 12 Collection (u8:1 prop* u8:0)* u8:0
//   name8     := u8:n n bytes
// All integers are little-endian. A child list ends with a zero byte where the next class name's
// length would be, so an empty class name cannot occur.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "toolkit/resource/form_tree.h"

std::vector<uint8_t> EncodeFormResource(const TFormNode& root);
// Raises EReadError for anything that is not exactly one well-formed resource: truncated data,
// lengths beyond the end, unknown tags, nesting deeper than kMaxFormDepth, trailing bytes.
TFormNode DecodeFormResource(const uint8_t* data, size_t size);
inline TFormNode DecodeFormResource(const std::vector<uint8_t>& bytes) {
    return DecodeFormResource(bytes.data(), bytes.size());
}

// Components and collections nest at most this deep, in either format.
constexpr int kMaxFormDepth = 32;
