// The logic of the skin command-line tools, callable in-process. Each takes the arguments after the
// program name and returns the exit status: 0 success, 1 bad input, 2 bad usage.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qs::tools {

using Args = std::vector<std::string>;

int RunSkinLzh(const Args& args, std::ostream& out, std::ostream& err);
int RunSkinPack(const Args& args, std::ostream& out, std::ostream& err);
int RunSkinUnpack(const Args& args, std::ostream& out, std::ostream& err);
int RunSkinInfo(const Args& args, std::ostream& out, std::ostream& err);

} // namespace qs::tools
