// Any bytes as a packed skin, through everything the loader decides: the archive, the description
// and every section and key of it, colours, and every image it names decoded.
#include <cstddef>
#include <cstdint>

#include "skin/core/skin_description.h"
#include "skin/res/skin_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const bool quiet = (qs::SetSkinMessageSink([](const std::string&) {}), true);
    (void)quiet;
    // The records' values are what painters divide by and cut with: touch them all.
    int64_t sum = 0;
    auto touch = [&](const qs::TSkinDescription& d) {
        for (const qs::TSkinRecord* r : d.Records())
            sum += int64_t(r->frame) + r->left + r->top + r->right + r->bottom + r->image.width +
                   r->image.height;
    };
    // The same bytes as a description alone reach the ini's decisions without the codec in front;
    // its images name the description itself.
    touch(qs::DescribeSkin({{"skin.ini", data, size}, {"skin.bmp", data, size}}, false));
    qs::TSkinReader reader;
    if (reader.ReadArchive(data, size)) touch(qs::DescribeSkin(qs::SkinMembers(reader), false));
    return sum == 1 ? 0 : 0;
}
