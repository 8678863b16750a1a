// Entry point of skinunpack; the logic is in skinunpack.cpp.
#include "tools/tool_main.h"

int main(int argc, char** argv) {
    return qs::tools::ToolMain(argc, argv, qs::tools::RunSkinUnpack);
}
