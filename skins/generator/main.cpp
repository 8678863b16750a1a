// skingen THEME_FILE OUT_DIR [--preview PNG]: draws one skin from its theme description.
#include "skins/generator/image_files.h"
#include "skins/generator/output.h"
#include "skins/generator/theme.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

int main(int argc, char** argv) {
    using namespace qs::skingen;
    std::string themePath, outDir, preview;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--preview") == 0 && i + 1 < argc)
            preview = argv[++i];
        else if (themePath.empty())
            themePath = argv[i];
        else if (outDir.empty())
            outDir = argv[i];
        else
            themePath.clear(), i = argc;
    }
    if (themePath.empty() || outDir.empty()) {
        std::fprintf(stderr, "usage: skingen THEME_FILE OUT_DIR [--preview PNG]\n");
        return 2;
    }
    const auto bytes = ReadFile(themePath);
    if (bytes.empty()) {
        std::fprintf(stderr, "skingen: cannot read %s\n", themePath.c_str());
        return 1;
    }
    std::string error;
    const std::string id = std::filesystem::path(themePath).stem().string();
    const auto theme = ParseTheme(std::string(bytes.begin(), bytes.end()), id, &error);
    if (!theme) {
        std::fprintf(stderr, "%s: %s\n", themePath.c_str(), error.c_str());
        return 1;
    }
    std::error_code ec;
    std::filesystem::create_directories(outDir, ec);
    const Skin skin = BuildSkin(*theme);
    if (!WriteSkin(skin, *theme, outDir, &error)) {
        std::fprintf(stderr, "skingen: %s\n", error.c_str());
        return 1;
    }
    if (!preview.empty() && !WriteFile(preview, EncodePng(PreviewSheet(skin, *theme)))) {
        std::fprintf(stderr, "skingen: cannot write %s\n", preview.c_str());
        return 1;
    }
    return 0;
}
