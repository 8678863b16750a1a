// skincheck: every record a skin's description gives the engine, checked as the engine reads it.
#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

#include "tools/skin_tools.h"

namespace qs::tools {

struct TCheckFinding {
    std::string file; // the description's or an image's name
    int line = 0;     // the description's line at fault; 0 when no line is
    bool error = false;
    std::string message;
    // "FILE:LINE: error: message" or "FILE:LINE: warning: message".
    std::string Text() const;
};

// A compressed skin, as a skin file or store item holds it; fileName names it in findings about
// the archive itself.
std::vector<TCheckFinding> CheckPackedSkin(const std::vector<uint8_t>& bytes, const std::string& fileName);
// A skin's folder: its one .ini and its .bmp files, as skinpack would pack them.
std::vector<TCheckFinding> CheckSkinFolder(const std::string& dir);

// skincheck SKIN|FOLDER: the findings on standard output, one a line; 0 without errors, 1 with.
int RunSkinCheck(const Args& args, std::ostream& out, std::ostream& err);

} // namespace qs::tools
