// The system's caption, menu and status fonts.
#include "toolkit/graphics/system_fonts.h"

#include <cstddef>

namespace win {

static_assert(offsetof(NONCLIENTMETRICSA, lfMessageFont) + sizeof(LOGFONTA) == kNonClientMetricsSize);

FontHandle CreateSystemFont(SystemFont kind) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = kNonClientMetricsSize;
    if (!SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, kNonClientMetricsSize, &metrics, 0)) {
        LOGFONTA fallback{};
        GetObjectA(GetStockObject(DEFAULT_GUI_FONT), sizeof fallback, &fallback);
        return FontHandle(CreateFontIndirectA(&fallback));
    }
    switch (kind) {
    case SystemFont::Caption: return FontHandle(CreateFontIndirectA(&metrics.lfCaptionFont));
    case SystemFont::Menu: return FontHandle(CreateFontIndirectA(&metrics.lfMenuFont));
    case SystemFont::Status: return FontHandle(CreateFontIndirectA(&metrics.lfStatusFont));
    }
    return FontHandle();
}

} // namespace win
