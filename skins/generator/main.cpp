// skingen THEME OUT [--preview PNG]: draws one skin from its theme description (see skingen_tool.h).
#include "skins/generator/skingen_tool.h"
#include "tools/tool_main.h"

int main(int argc, char** argv) {
    return qs::tools::ToolMain(argc, argv, qs::skingen::RunSkinGen);
}
