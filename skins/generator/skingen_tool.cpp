// skingen: the theme is parsed and every file encoded in memory first, then each output is written under a
// temporary name and renamed into place, so a refused theme or a failed write leaves nothing half-written.
#include "skins/generator/skingen_tool.h"

#include "skins/generator/image_files.h"
#include "skins/generator/output.h"
#include "skins/generator/theme.h"

#include <filesystem>
#include <ostream>
#include <random>

namespace qs::skingen {

namespace {

namespace fs = std::filesystem;

const char kUsage[] = "usage: skingen THEME OUT.skin [--preview PNG]   the packed skin\n"
                      "       skingen THEME OUT_DIR [--preview PNG]    the folder of ini and BMP files\n"
                      "       skingen THEME --preview PNG              the contact sheet alone\n"
                      "  THEME is a theme file (docs/theme-format.md); the skin's id is its name without\n"
                      "  the extension. OUT is a packed skin when it ends in .skin, else a folder.\n";

bool EndsWithSkin(const std::string& path) {
    std::string ext = fs::path(path).extension().string();
    for (char& c : ext)
        c = char(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return ext == ".skin";
}

// A name beside target (so the rename stays on one volume) that another run is unlikely to pick.
fs::path Scratch(const fs::path& target) {
    fs::path p = target;
    p += ".skingen-" + std::to_string(std::random_device()() & 0xFFFFFF);
    return p;
}

bool WriteReplacing(const std::string& path, const std::vector<uint8_t>& bytes, std::string* error) {
    const fs::path temp = Scratch(path);
    std::error_code ec;
    if (!WriteFile(temp.string(), bytes)) {
        fs::remove(temp, ec);
        *error = "cannot write " + path;
        return false;
    }
    fs::rename(temp, path, ec);
    if (ec) {
        fs::remove(temp, ec);
        *error = "cannot write " + path;
        return false;
    }
    return true;
}

// The files go to a fresh folder beside dir; a new dir is that folder renamed, an existing one gets the
// files moved in (other files there are left alone).
bool WriteFolder(const std::string& dir, const std::vector<SkinFile>& files, std::string* error) {
    std::error_code ec;
    if (fs::exists(dir, ec) && !fs::is_directory(dir, ec)) {
        *error = dir + " exists and is not a folder";
        return false;
    }
    const fs::path staging = Scratch(dir);
    fs::remove_all(staging, ec);
    if (!fs::create_directories(staging, ec) || !WriteSkinFiles(files, staging.string(), error)) {
        if (error->empty()) *error = "cannot create a folder beside " + dir;
        fs::remove_all(staging, ec);
        return false;
    }
    if (!fs::exists(dir, ec)) {
        fs::rename(staging, dir, ec);
    } else {
        for (const SkinFile& f : files)
            if (!ec) fs::rename(staging / f.name, fs::path(dir) / f.name, ec);
    }
    std::error_code ignored;
    fs::remove_all(staging, ignored);
    if (ec) *error = "cannot write into " + dir;
    return !ec;
}

} // namespace

int RunSkinGen(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        out << kUsage;
        return 0;
    }
    std::string themePath, target, preview;
    bool usage = false;
    for (size_t i = 0; i < args.size(); ++i) {
        if (args[i] == "--preview" && i + 1 < args.size() && preview.empty()) {
            preview = args[++i];
        } else if (!args[i].empty() && args[i][0] == '-') {
            usage = true;
            break;
        } else if (themePath.empty()) {
            themePath = args[i];
        } else if (target.empty()) {
            target = args[i];
        } else {
            usage = true;
            break;
        }
    }
    if (usage || themePath.empty() || (target.empty() && preview.empty())) {
        err << kUsage;
        return 2;
    }

    std::error_code ec;
    const auto bytes = ReadFile(themePath);
    if (bytes.empty() && (!fs::is_regular_file(themePath, ec) || fs::file_size(themePath, ec) != 0)) {
        err << "skingen: cannot read " << themePath << '\n';
        return 1;
    }
    std::vector<uint8_t> packed;
    std::string error;
    ThemeError refused;
    const auto theme =
        ParseTheme(std::string(bytes.begin(), bytes.end()), fs::path(themePath).stem().string(), &refused);
    if (!theme) {
        err << refused.Format(themePath) << '\n';
        return 1;
    }
    const Skin skin = BuildSkin(*theme);
    const std::vector<SkinFile> files = SkinFiles(skin, *theme);
    const bool pack = !target.empty() && EndsWithSkin(target);
    try {
        if (pack) packed = PackSkin(files);
    } catch (const std::exception& e) {
        err << "skingen: " << e.what() << '\n';
        return 1;
    }
    const std::vector<uint8_t> sheet =
        preview.empty() ? std::vector<uint8_t>() : EncodePng(PreviewSheet(skin, *theme));

    const bool written = target.empty() ? true
                         : pack         ? WriteReplacing(target, packed, &error)
                                        : WriteFolder(target, files, &error);
    if (!written || (!preview.empty() && !WriteReplacing(preview, sheet, &error))) {
        err << "skingen: " << error << '\n';
        return 1;
    }
    return 0;
}

} // namespace qs::skingen
