// Entry point of skininfo; the logic is in skininfo.cpp.
#include "tools/tool_main.h"

int main(int argc, char** argv) {
    return qs::tools::ToolMain(argc, argv, qs::tools::RunSkinInfo);
}
