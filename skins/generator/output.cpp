// Skin files, the packed skin and the preview sheet.
#include "skins/generator/output.h"

#include "skins/generator/image_files.h"

#include "skin/res/skin_archive_writer.h"

#include <algorithm>
#include <filesystem>
#include <map>

namespace qs::skingen {

std::vector<SkinFile> SkinFiles(const Skin& skin, const Theme& theme) {
    const std::string ini = skin.ini.text();
    std::vector<SkinFile> files = {{theme.id + ".ini", {ini.begin(), ini.end()}}};
    // On disk a second image of the same name replaces the first; the archive follows the folder.
    std::map<std::string, const Image*> images;
    for (const auto& [name, img] : skin.images)
        images[name] = &img;
    for (const auto& [name, img] : images)
        files.push_back({name, EncodeBmp(*img, theme.palette8)});
    return files;
}

std::vector<uint8_t> PackSkin(const std::vector<SkinFile>& files) {
    std::vector<TSkinMember> members;
    for (const SkinFile& f : files)
        members.push_back({f.name, f.bytes});
    return WriteCompressedSkin(members);
}

bool WriteSkinFiles(const std::vector<SkinFile>& files, const std::string& dir, std::string* error) {
    for (const SkinFile& f : files)
        if (!WriteFile(dir + "/" + f.name, f.bytes)) {
            *error = "cannot write " + dir + "/" + f.name;
            return false;
        }
    return true;
}

bool PackedSkinFromTheme(const std::string& themeText, const std::string& themeFile,
                         std::vector<uint8_t>& packed, std::string& error) {
    ThemeError refused;
    const auto theme = ParseTheme(themeText, std::filesystem::path(themeFile).stem().string(), &refused);
    if (!theme) {
        error = refused.Format(themeFile);
        return false;
    }
    try {
        packed = PackSkin(SkinFiles(BuildSkin(*theme), *theme));
    } catch (const std::exception& e) { // a member name the archive cannot hold
        error = themeFile + ": " + e.what();
        return false;
    }
    return true;
}

namespace {

// A tiny window assembled from the frame pieces the way the engine lays them out (stretching the middles),
// so a glance at the sheet shows whether the pieces join.
Image MockWindow(const Skin& skin, const Theme& t, int W, int H) {
    auto find = [&](const std::string& n) -> const Image* {
        for (const auto& [name, img] : skin.images)
            if (name == n) return &img;
        return nullptr;
    };
    const Image *left = find("left.bmp"), *right = find("right.bmp"), *top = find("top.bmp"),
                *bottom = find("bottom.bmp");
    Image out(W, H, 0x808080);
    if (!left || !right || !top || !bottom) return out;
    const int frames = t.borderFrames, B = left->width() / frames, C = top->height() / frames,
              BB = bottom->height() / frames;
    auto stretch = [&](const Image& src, Rect s, Rect d) {
        for (int y = d.top; y < d.bottom; ++y)
            for (int x = d.left; x < d.right; ++x) {
                const int sx = s.left + (x - d.left) * s.width() / std::max(1, d.width());
                const int sy = s.top + (y - d.top) * s.height() / std::max(1, d.height());
                out.set(x, y, src.at(sx, sy));
            }
    };
    auto nine = [&](const Image& src, Rect s, Rect d, int l, int tp, int r, int b) {
        stretch(src, {s.left, s.top, s.left + l, s.top + tp}, {d.left, d.top, d.left + l, d.top + tp});
        stretch(src, {s.left + l, s.top, s.right - r, s.top + tp},
                {d.left + l, d.top, d.right - r, d.top + tp});
        stretch(src, {s.right - r, s.top, s.right, s.top + tp}, {d.right - r, d.top, d.right, d.top + tp});
        stretch(src, {s.left, s.top + tp, s.left + l, s.bottom - b},
                {d.left, d.top + tp, d.left + l, d.bottom - b});
        stretch(src, {s.left + l, s.top + tp, s.right - r, s.bottom - b},
                {d.left + l, d.top + tp, d.right - r, d.bottom - b});
        stretch(src, {s.right - r, s.top + tp, s.right, s.bottom - b},
                {d.right - r, d.top + tp, d.right, d.bottom - b});
        stretch(src, {s.left, s.bottom - b, s.left + l, s.bottom},
                {d.left, d.bottom - b, d.left + l, d.bottom});
        stretch(src, {s.left + l, s.bottom - b, s.right - r, s.bottom},
                {d.left + l, d.bottom - b, d.right - r, d.bottom});
        stretch(src, {s.right - r, s.bottom - b, s.right, s.bottom},
                {d.right - r, d.bottom - b, d.right, d.bottom});
    };
    auto key = [&](const char* k) {
        for (const auto& sec : skin.ini.sections())
            if (sec.name == "Personality")
                for (const auto& [kk, v] : sec.keys)
                    if (kk == k) return std::stoi(v);
        return 0;
    };
    nine(*left, {0, 0, B, left->height()}, {0, 0, B, H}, 0, key("LeftTopHeight"), 0, key("LeftBotHeight"));
    nine(*right, {0, 0, B, right->height()}, {W - B, 0, W, H}, 0, key("RightTopHeight"), 0,
         key("RightBotHeight"));
    nine(*top, {0, 0, top->width(), C}, {B, 0, W - B, C}, key("TopTopHeight"), 0, key("TopBotHeight"), 0);
    nine(*bottom, {0, 0, bottom->width(), BB}, {B, H - BB, W - B, H}, key("BottomTopHeight"), 0,
         key("BottomBotHeight"), 0);
    out.fill({B, C, W - B, H - BB}, t.face);
    // Caption buttons with Align 1 at their right-anchored place, first frame.
    for (const auto& b : t.buttons) {
        if (b.align != 1 || b.glyph == "none" || (b.visibility && *b.visibility == 1)) continue;
        if (const Image* img = find("btn" + [&] {
                std::string n = b.name;
                for (char& c : n)
                    c = char(std::tolower(c));
                return n;
            }() + ".bmp")) {
            const int fw = img->width() / b.frames;
            out.blitKeyed(img->crop({0, 0, fw, img->height()}), W - b.x, b.y);
        }
    }
    return out;
}

} // namespace

Image PreviewSheet(const Skin& skin, const Theme& theme) {
    const int maxW = 640, pad = 6;
    const Image mock = MockWindow(skin, theme, 320, 200);
    int x = pad, y = pad + mock.height() + pad, rowH = 0, width = std::max(maxW, mock.width() + 2 * pad);
    std::vector<std::pair<int, int>> places;
    for (const auto& [name, img] : skin.images) {
        if (x + img.width() > maxW && x > pad) x = pad, y += rowH + pad, rowH = 0;
        places.emplace_back(x, y);
        x += img.width() + pad;
        rowH = std::max(rowH, img.height());
        width = std::max(width, x);
    }
    Image sheet(width, y + rowH + pad, Rgb(128, 128, 128));
    sheet.blit(mock, pad, pad);
    for (size_t i = 0; i < skin.images.size(); ++i)
        sheet.blit(skin.images[i].second, places[i].first, places[i].second);
    // Twice the size: single-pixel details are what a reviewer looks for.
    Image zoomed(sheet.width() * 2, sheet.height() * 2);
    for (int yy = 0; yy < zoomed.height(); ++yy)
        for (int xx = 0; xx < zoomed.width(); ++xx)
            zoomed.set(xx, yy, sheet.at(xx / 2, yy / 2));
    return zoomed;
}

} // namespace qs::skingen
