// The gallery's command line: which skin, which direction, which page, and whether to leave a
// screenshot and exit. Parsed from the wide command line, since file names may be in any script.
#pragma once

#include <string>
#include <vector>

// The skin the form carries itself rather than one of its store.
constexpr int kOwnSkin = -1;

struct GalleryOptions {
    std::wstring skinFile;    // --skin FILE; empty: a bundled skin
    int bundled = 9;          // --bundled N: the store's item, or kOwnSkin for "default"
    bool rightToLeft = false; // --rtl
    std::string page;         // --page NAME
    std::wstring shotFile;    // --shot OUT.png (or .bmp)
    std::wstring watchPath;   // --watch PATH: a skin folder, packed skin or theme, reloaded on each save
    bool help = false;        // --help
};

struct GalleryCommandLine {
    GalleryOptions options;
    std::string error; // set when the arguments are not acceptable
};

// `arguments` without the program's name; `pages` are the names --page accepts.
GalleryCommandLine ParseGalleryCommandLine(const std::vector<std::wstring>& arguments,
                                           const std::vector<std::string>& pages);
// The program's own arguments, from GetCommandLineW.
std::vector<std::wstring> ProgramArguments();
std::string GalleryUsage(const std::vector<std::string>& pages);
