// Entry point of skincheck; the logic is in skin_check.cpp.
#include "tools/skin_check.h"
#include "tools/tool_main.h"

int main(int argc, char** argv) {
    return qs::tools::ToolMain(argc, argv, qs::tools::RunSkinCheck);
}
