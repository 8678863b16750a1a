// Fuzz target: any bytes given to the BMP decoder either decode into a consistent image or
// raise EInvalidGraphic; nothing else may happen.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "toolkit/graphics/bmp_decode.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    for (bool withFileHeader : {true, false}) {
        try {
            BmpImage img = withFileHeader ? DecodeBmp(data, size) : DecodeDib(data, size);
            if (img.width <= 0 || img.height <= 0 || img.pixels.size() < img.Stride() * size_t(img.height))
                abort();
            (void)img.PixelRGB(img.width - 1, img.height - 1);
        } catch (const EInvalidGraphic&) {
        }
    }
    return 0;
}
