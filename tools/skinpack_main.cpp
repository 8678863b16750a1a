// Entry point of skinpack; the logic is in skinpack.cpp.
#include "tools/tool_main.h"

int main(int argc, char** argv) {
    return qs::tools::ToolMain(argc, argv, qs::tools::RunSkinPack);
}
