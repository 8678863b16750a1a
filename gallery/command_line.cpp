// Parsing and usage of the gallery's command line.
#include "gallery/command_line.h"

#include <windows.h>

#include <shellapi.h>

#include <memory>

#include "gallery/wide_text.h"

namespace {

std::string joined(const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& name : names)
        out += (out.empty() ? "" : ", ") + name;
    return out;
}

bool parseBundled(const std::wstring& text, int& index) {
    if (text == L"default") {
        index = kOwnSkin;
        return true;
    }
    if (text.size() != 1 || text[0] < L'0' || text[0] > L'9') return false;
    index = text[0] - L'0';
    return true;
}

} // namespace

GalleryCommandLine ParseGalleryCommandLine(const std::vector<std::wstring>& arguments,
                                           const std::vector<std::string>& pages) {
    GalleryCommandLine result;
    GalleryOptions& o = result.options;
    bool bundledGiven = false;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& arg = arguments[i];
        const bool takesValue = arg == L"--skin" || arg == L"--bundled" || arg == L"--page" ||
                                arg == L"--shot" || arg == L"--watch";
        if (takesValue && i + 1 >= arguments.size()) {
            result.error = Utf8(arg) + " needs a value";
            return result;
        }
        if (arg == L"--help" || arg == L"-h" || arg == L"/?") {
            o.help = true;
        } else if (arg == L"--rtl") {
            o.rightToLeft = true;
        } else if (arg == L"--skin") {
            o.skinFile = arguments[++i];
            if (o.skinFile.empty()) {
                result.error = "--skin needs a file name";
                return result;
            }
        } else if (arg == L"--bundled") {
            bundledGiven = true;
            if (!parseBundled(arguments[++i], o.bundled)) {
                result.error =
                    "--bundled takes a stored skin 0 to 9 or \"default\", not \"" + Utf8(arguments[i]) + "\"";
                return result;
            }
        } else if (arg == L"--page") {
            o.page = Utf8(arguments[++i]);
            bool known = false;
            for (const std::string& page : pages)
                known = known || page == o.page;
            if (!known) {
                result.error = "there is no page \"" + o.page + "\"" +
                               (pages.empty() ? std::string(" (no pages exist yet)")
                                              : " (pages: " + joined(pages) + ")");
                return result;
            }
        } else if (arg == L"--shot") {
            o.shotFile = arguments[++i];
            if (o.shotFile.empty()) {
                result.error = "--shot needs a file name";
                return result;
            }
        } else if (arg == L"--watch") {
            o.watchPath = arguments[++i];
            if (o.watchPath.empty()) {
                result.error = "--watch needs a skin folder or file";
                return result;
            }
        } else {
            result.error = "unknown argument \"" + Utf8(arg) + "\"";
            return result;
        }
    }
    if (bundledGiven && !o.skinFile.empty())
        result.error = "--skin and --bundled choose the same thing: give one";
    else if (!o.watchPath.empty() && (bundledGiven || !o.skinFile.empty()))
        result.error = "--watch chooses the skin itself: give it without --skin or --bundled";
    return result;
}

std::vector<std::wstring> ProgramArguments() {
    int count = 0;
    // LocalFree is how the list is given back.
    std::unique_ptr<LPWSTR, decltype(&LocalFree)> list(CommandLineToArgvW(GetCommandLineW(), &count),
                                                       LocalFree);
    std::vector<std::wstring> arguments;
    for (int i = 1; list && i < count; ++i)
        arguments.emplace_back(list.get()[i]);
    return arguments;
}

std::string GalleryUsage(const std::vector<std::string>& pages) {
    return "Usage: SkinGallery [--skin FILE | --bundled N | --watch PATH] [--rtl] [--page NAME] [--shot "
           "OUT.png]\n"
           "\n"
           "Shows every element the skin engine paints: the frame, its caption buttons, the menu bar,\n"
           "popup menus (icons, checks, radio items, default items, shortcuts, nested menus) and MDI\n"
           "children.\n"
           "\n"
           "  --skin FILE    use a skin file (*.skin)\n"
           "  --bundled N    use stored skin N, 0 to 9, or \"default\" for the form's own (default: 9)\n"
           "  --watch PATH   use the skin PATH holds and reload it on every save: a skin folder (one\n"
           "                 .ini and its BMPs), a skin file (*.skin) or a theme (*.theme); an edit\n"
           "                 the engine refuses keeps the last good skin and says why in the status line\n"
           "  --rtl          lay the menus out right to left\n"
           "  --page NAME    open a control page: " +
           (pages.empty() ? std::string("none exist yet") : joined(pages)) +
           "\n"
           "  --shot FILE    show the window, save a screenshot of it with its frame (.png, or .bmp)\n"
           "                 and exit\n"
           "  --help         show this text\n"
           "\n"
           "Exit codes: 0 done, 1 the skin or the screenshot failed, 2 bad arguments.\n";
}
