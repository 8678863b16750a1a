// Skins made in a test: an ini text and BMP members, packed and compressed like a real skin.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "skin/res/skin_archive_writer.h"
#include "tests/support/image_file.h"

namespace qs::test {

struct TestSkin {
    std::string ini;
    std::vector<TSkinMember> members;

    // A 24-bit BMP member whose pixel (x, y) is colour(x, y).
    TestSkin& Bmp(const std::string& name, int w, int h, const std::function<uint32_t(int, int)>& colour) {
        Pixels px(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                px.at(x, y) = colour(x, y);
        members.push_back({name, EncodeBmp24(px)});
        return *this;
    }
    TestSkin& Bmp(const std::string& name, int w, int h, uint32_t colour = 0x336699) {
        return Bmp(name, w, h, [colour](int, int) { return colour; });
    }
    std::vector<uint8_t> Compressed(int32_t version = kSkinCurrentVersion) const {
        std::vector<TSkinMember> all = {{"skin.ini", std::vector<uint8_t>(ini.begin(), ini.end())}};
        all.insert(all.end(), members.begin(), members.end());
        return WriteCompressedSkin(all, version);
    }
};

} // namespace qs::test
