// The generator's images written through the toolkit's BMP and PNG codecs: a palette BMP when the
// image has few colours (so skins exercise the loader's 8-bit path), 24 bits otherwise.
#include "skins/generator/image_files.h"

#include <fstream>
#include <iterator>
#include <map>

#include "toolkit/graphics/bmp_decode.h"
#include "toolkit/graphics/bmp_encode.h"
#include "toolkit/graphics/png_encode.h"

namespace qs::skingen {

std::vector<uint8_t> EncodeBmp(const Image& img, bool allowPalette) {
    std::map<Colour, uint8_t> palette;
    if (allowPalette) {
        for (Colour c : img.pixels()) {
            palette.emplace(c, 0);
            if (palette.size() > 256) break;
        }
    }
    BmpImage out;
    out.width = img.width();
    out.height = img.height();
    if (allowPalette && palette.size() <= 256) {
        out.bitsPerPixel = 8;
        uint8_t index = 0;
        for (auto& [c, i] : palette) {
            i = index++;
            out.palette.push_back(c);
        }
    }
    out.pixels.assign(out.Stride() * size_t(out.height), 0);
    for (int y = 0; y < img.height(); ++y) {
        uint8_t* row = out.Row(y);
        for (int x = 0; x < img.width(); ++x) {
            const Colour c = img.at(x, y);
            if (out.bitsPerPixel == 8) {
                row[x] = palette[c];
            } else {
                row[3 * x] = uint8_t(Blue(c));
                row[3 * x + 1] = uint8_t(Green(c));
                row[3 * x + 2] = uint8_t(Red(c));
            }
        }
    }
    return ::EncodeBmp(out);
}

Image DecodeBmp(const std::vector<uint8_t>& bytes, int* bitsPerPixel) {
    try {
        const BmpImage bmp = ::DecodeBmp(bytes.data(), bytes.size());
        if (bmp.bitsPerPixel != 8 && bmp.bitsPerPixel != 24) return {};
        Image img(bmp.width, bmp.height);
        for (int y = 0; y < bmp.height; ++y)
            for (int x = 0; x < bmp.width; ++x)
                img.set(x, y, bmp.PixelRGB(x, y));
        if (bitsPerPixel) *bitsPerPixel = bmp.bitsPerPixel;
        return img;
    } catch (const EInvalidGraphic&) {
        return {};
    }
}

std::vector<uint8_t> EncodePng(const Image& img) {
    return ::EncodePng(img.width(), img.height(), img.pixels().data());
}

bool WriteFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(f);
}

std::vector<uint8_t> ReadFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
}

} // namespace qs::skingen
