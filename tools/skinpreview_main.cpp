// Entry point of skinpreview; the logic is in skinpreview.cpp.
#include "tools/skin_tools_win.h"
#include "tools/tool_main.h"

int main(int argc, char** argv) {
    return qs::tools::ToolMain(argc, argv, qs::tools::RunSkinPreview);
}
