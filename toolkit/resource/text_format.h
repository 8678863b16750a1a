// The readable form text kept in the source tree, and its writer.
//
//   form       := object
//   object     := "object" [Name ":"] Class prop* object* "end"     (props and children may mix)
//   prop       := Path "=" value                                    Path := Ident {"." Ident}
//   value      := integer | string | Ident | set | binary | collection
//   integer    := ["-"] (digits | "$" hexdigits)
//   string     := ["W"] term {["+"] term}     term := "'" chars "'" | "#" (digits | "$" hexdigits)
//   set        := "[" [Ident {"," Ident}] "]"
//   binary     := "{" {hexdigits} "}" | "{" "file" '"' path '"' "}"
//   collection := "<" {"item" prop* "end"} ">"
//
// Keywords are case-insensitive; "True" and "False" are booleans, other identifiers are kept as
// names. Quoted text is UTF-8; in an 8-bit string it is converted to the ANSI code page and a
// #n is the byte n (0..255); a W string is UTF-16 and #n is a code unit. A "{file ...}" binary
// takes the file's bytes, resolved by the caller (the form compiler, relative to its base dir).
// The writer's output reads back to the same tree, and writing that tree gives the same text.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "toolkit/resource/ansi_codec.h"
#include "toolkit/resource/form_tree.h"

struct TFormTextOptions {
    std::string fileName;              // named in error messages
    const TAnsiCodec* codec = nullptr; // null: only ASCII quoted text in 8-bit strings
    // Resolves {file "path"}; false when it cannot be read. Null: file references are an error.
    std::function<bool(const std::string& path, std::vector<uint8_t>& bytes)> loadFile;
};

// Raises EReadError "file:line: what went wrong".
TFormNode ParseFormText(const std::string& text, const TFormTextOptions& options);
// Raises Exception when a name is not an identifier. Bytes the codec cannot show become #n.
std::string FormTreeToText(const TFormNode& root, const TAnsiCodec* codec);

bool IsFormIdent(const std::string& s);
