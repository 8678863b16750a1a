// Entry point of skinlzh; the logic is in skinlzh.cpp.
#include "tools/tool_main.h"

int main(int argc, char** argv) {
    return qs::tools::ToolMain(argc, argv, qs::tools::RunSkinLzh);
}
