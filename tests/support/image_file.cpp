// Test images through the toolkit's codecs: 24-bit BMP, and PNG in stored deflate blocks (exact,
// cheap, readable by any viewer).
#include "tests/support/image_file.h"

#include <algorithm>
#include <fstream>

#include "toolkit/graphics/bmp_decode.h"
#include "toolkit/graphics/bmp_encode.h"
#include "toolkit/graphics/png_encode.h"

namespace qs::test {

std::vector<uint8_t> EncodeBmp24(const Pixels& px) {
    return ::EncodeBmp24(px.width, px.height, px.data.data());
}

Pixels DecodeBmp24(const std::vector<uint8_t>& in) {
    try {
        const BmpImage bmp = DecodeBmp(in.data(), in.size());
        Pixels px(bmp.width, bmp.height);
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x)
                px.at(x, y) = bmp.PixelRGB(x, y);
        return px;
    } catch (const EInvalidGraphic&) {
        return {};
    }
}

std::vector<uint8_t> EncodePng(const Pixels& px) {
    // Stored blocks: screenshots are written often and looked at rarely.
    return ::EncodePng(px.width, px.height, px.data.data(), TPngDeflate::Stored);
}

bool SaveImage(const std::string& path, const Pixels& px) {
    const bool png = path.size() >= 4 && path.compare(path.size() - 4, 4, ".png") == 0;
    const std::vector<uint8_t> bytes = png ? EncodePng(px) : EncodeBmp24(px);
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

} // namespace qs::test
