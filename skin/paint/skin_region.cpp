// Regions from bitmaps, built from row runs in batches so each ExtCreateRegion call stays small.
#include "skin/paint/skin_region.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "toolkit/graphics/pixels32.h"

namespace {

constexpr size_t kGrowBy = 500;
constexpr size_t kBatch = 2000;

// RGNDATA being filled: header, then rectangles, with the bounding box kept as their union.
class RegionBatch {
  public:
    RegionBatch() { reset(); }

    void Add(const RECT& r) {
        if (rects_.size() == rects_.capacity()) rects_.reserve(rects_.capacity() + kGrowBy);
        rects_.push_back(r);
        bounds_.left = std::min(bounds_.left, r.left);
        bounds_.top = std::min(bounds_.top, r.top);
        bounds_.right = std::max(bounds_.right, r.right);
        bounds_.bottom = std::max(bounds_.bottom, r.bottom);
        if (rects_.size() == kBatch) Flush();
    }

    // Turns the collected rectangles into a region and merges it into the result.
    void Flush() {
        std::vector<uint8_t> buf(sizeof(RGNDATAHEADER) + rects_.size() * sizeof(RECT));
        auto* data = reinterpret_cast<RGNDATA*>(buf.data());
        data->rdh.dwSize = sizeof(RGNDATAHEADER);
        data->rdh.iType = RDH_RECTANGLES;
        data->rdh.nCount = DWORD(rects_.size());
        data->rdh.nRgnSize = 0;
        data->rdh.rcBound = bounds_;
        std::copy(rects_.begin(), rects_.end(), reinterpret_cast<RECT*>(data->Buffer));
        win::RegionHandle part(ExtCreateRegion(nullptr, DWORD(buf.size()), data));
        if (!result_)
            result_ = std::move(part);
        else if (part)
            CombineRgn(result_.Get(), result_.Get(), part.Get(), RGN_OR);
        reset();
    }

    win::RegionHandle Take() {
        if (!rects_.empty() || !result_) Flush();
        if (!result_) result_.Reset(CreateRectRgn(0, 0, 0, 0));
        return std::move(result_);
    }

  private:
    void reset() {
        rects_.clear();
        rects_.reserve(kGrowBy);
        bounds_ = RECT{INT_MAX, INT_MAX, 0, 0};
    }

    std::vector<RECT> rects_;
    RECT bounds_{};
    win::RegionHandle result_;
};

} // namespace

win::RegionHandle RegionFromBitmap(TBitmap& bitmap, int x, int y, int toleranceBlue, int toleranceGreen,
                                   int toleranceRed, COLORREF keyColour) {
    RegionBatch batch;
    const int w = bitmap.Width(), h = bitmap.Height();
    if (bitmap.Empty() || w <= 0 || h <= 0) return batch.Take();

    // Read the pixels as top-down 32-bit rows whatever the bitmap's own format.
    const std::vector<uint32_t> px = win::ReadPixels32(bitmap.Canvas().Handle(), 0, 0, w, h);
    if (px.empty()) return batch.Take();

    const int keyR = GetRValue(keyColour), keyG = GetGValue(keyColour), keyB = GetBValue(keyColour);
    const int maxR = std::min(255, keyR + toleranceRed), maxG = std::min(255, keyG + toleranceGreen),
              maxB = std::min(255, keyB + toleranceBlue);
    auto transparent = [&](uint32_t p) {
        const int b = int(p & 0xFF), g = int((p >> 8) & 0xFF), r = int((p >> 16) & 0xFF);
        return keyR <= r && r <= maxR && keyG <= g && g <= maxG && keyB <= b && b <= maxB;
    };

    for (int row = 0; row < h; ++row) {
        const uint32_t* line = px.data() + size_t(row) * size_t(w);
        int col = 0;
        while (col < w) {
            while (col < w && transparent(line[col]))
                ++col;
            const int start = col;
            while (col < w && !transparent(line[col]))
                ++col;
            if (col > start) batch.Add(RECT{start + x, row + y, col + x, row + y + 1});
        }
    }
    return batch.Take();
}
