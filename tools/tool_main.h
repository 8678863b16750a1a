// The shared entry of the tools: binary standard output (values are printed as raw bytes) and the
// arguments as strings.
#pragma once

#include "tools/skin_tools.h"

#include <iostream>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#endif

namespace qs::tools {

inline int ToolMain(int argc, char** argv, int (*run)(const Args&, std::ostream&, std::ostream&)) {
#ifdef _WIN32
    _setmode(_fileno(stdout), _O_BINARY);
#endif
    try {
        const int status = run(Args(argv + 1, argv + argc), std::cout, std::cerr);
        std::cout.flush();
        return status;
    } catch (const std::exception& e) {
        std::cerr << (argc > 0 ? argv[0] : "tool") << ": " << e.what() << '\n';
        return 1;
    }
}

} // namespace qs::tools
