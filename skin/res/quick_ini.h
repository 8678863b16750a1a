// TQuickIni: the read-only ini parser of skin descriptions. It parses text once from a stream or
// memory and answers look-ups the way skin authors' sloppy files have always been read.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "toolkit/core/stream.h"

namespace qs {

class TQuickIni {
  public:
    // Parses data[0, size): lines end at CR, LF or NUL (one CR then one LF skipped after each);
    // a NUL ends the text; blank lines and lines starting with ';' are dropped.
    void LoadFromMemory(const void* data, size_t size);
    void LoadFromMemory(const std::string& text) { LoadFromMemory(text.data(), text.size()); }
    // Parses the bytes from the stream's position to its end (rewinding is the caller's choice).
    void LoadFromStream(TStream& stream);

    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;
    // Section names in file order, brackets and surrounding blanks removed. A null list is a
    // programming error (EAssertionFailed).
    void ReadSections(std::vector<std::string>* strings) const;
    // Index in Lines() of the first header "[section]" (letter case ignored), or -1.
    int32_t SectionIndex(const std::string& section) const;

    const std::vector<std::string>& Lines() const { return lines_; }

  private:
    struct Section {
        std::string header; // as stored in lines_, brackets included
        int32_t line;
    };
    std::vector<std::string> lines_;
    std::vector<Section> sections_;
};

// The integer conversion ReadInteger applies to a value: decimal within int32, or "$", "x", "X",
// "0x", "0X" followed by at most a 32-bit pattern of hex digits; optional leading spaces and sign.
bool IniValueToInteger(std::string text, int32_t& value);
// The part of it that reads the number once a "0x" prefix has become "$".
bool ParseIniInteger(const std::string& text, int32_t& value);
// The key a line of a section gives, lower-cased: the empty key for a line without "=".
std::string IniKeyOf(const std::string& line);

} // namespace qs
