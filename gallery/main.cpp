// SkinGallery: every element the skin engine paints, in one MDI window, for skin authors and tests.
#include <windows.h>

#include <exception>

#include "gallery/command_line.h"
#include "gallery/console.h"
#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "gallery/pages.h"
#include "gallery/skin_files.h"
#include "gallery/wide_text.h"
#include "toolkit/controls/application.h"

namespace {

constexpr int kExitSkinOrShot = 1;
constexpr int kExitBadArguments = 2;

int run(const GalleryOptions& options) {
    std::vector<uint8_t> skinFile;
    std::string error;
    const std::string skinName = "the skin file \"" + Utf8(options.skinFile) + "\"";
    // A skin that cannot be used stops the gallery before any window shows.
    if (!options.skinFile.empty() && !ReadSkinFile(options.skinFile, skinFile, error)) {
        WriteError("SkinGallery: cannot read " + skinName + ": " + error + "\n");
        return kExitSkinOrShot;
    }
    RegisterGalleryClasses();
    Application->Initialize();
    Application->SetTitle("Skin Gallery");
    TGalleryForm* form = nullptr;
    Application->CreateForm(form);
    if (!form->Start(options, skinFile, error)) {
        const std::string what =
            options.watchPath.empty() ? "use " + skinName : "watch \"" + Utf8(options.watchPath) + "\"";
        WriteError("SkinGallery: cannot " + what + ": " + error + "\n");
        return kExitSkinOrShot;
    }
    int exitCode = 0;
    if (!options.shotFile.empty())
        form->TakeShot(options.shotFile, [&exitCode](const std::string& shotError) {
            if (!shotError.empty()) {
                WriteError("SkinGallery: " + shotError + "\n");
                exitCode = kExitSkinOrShot;
            }
            Application->Terminate();
        });
    Application->Run();
    return exitCode;
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const std::vector<std::string> pages = GalleryPageNames();
    const GalleryCommandLine line = ParseGalleryCommandLine(ProgramArguments(), pages);
    if (!line.error.empty()) {
        WriteError("SkinGallery: " + line.error + " (see --help)\n");
        return kExitBadArguments;
    }
    if (line.options.help) {
        WriteOut(GalleryUsage(pages));
        return 0;
    }
    try {
        return run(line.options);
    } catch (const std::exception& e) {
        WriteError(std::string("SkinGallery: ") + e.what() + "\n");
        return kExitSkinOrShot;
    }
}
