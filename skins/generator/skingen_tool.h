// skingen as a command: a theme to a packed skin, a skin folder, or a preview sheet. Callable in-process
// like the other skin tools; returns 0 on success, 1 for a refused theme or a failed write, 2 for bad usage.
#pragma once

#include <iosfwd>
#include <string>
#include <vector>

namespace qs::skingen {

int RunSkinGen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

} // namespace qs::skingen
