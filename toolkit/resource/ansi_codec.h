// Conversion between UTF-8 (the texts in the source tree) and the program's 8-bit ANSI code page
// (936, GB2312/GBK), which the compiled resources carry. The text format takes a codec so it
// stays free of any platform's conversion service.
#pragma once

#include <string>

class TAnsiCodec {
  public:
    virtual ~TAnsiCodec() = default;
    // False when the text has a character the code page lacks, or is not valid input.
    virtual bool FromUtf8(const std::string& utf8, std::string& ansi) const = 0;
    virtual bool ToUtf8(const std::string& ansi, std::string& utf8) const = 0;
};

// Code page 936 through iconv(3); part of host (non-Windows) builds only.
const TAnsiCodec& Cp936Codec();
