// TClipboard: pictures to and from the system clipboard, through a message-only owner window
// (EmptyClipboard with no owner would make SetClipboardData fail).
#include "toolkit/graphics/clipboard.h"

namespace {
// Another process may hold the clipboard for a moment: retry for about half a second.
bool openWithRetry(HWND owner) {
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (OpenClipboard(owner)) return true;
        Sleep(10);
    }
    return false;
}

class OpenScope {
  public:
    explicit OpenScope(TClipboard& c) : c_(c) { c_.Open(); }
    ~OpenScope() { c_.Close(); }
    OpenScope(const OpenScope&) = delete;
    OpenScope& operator=(const OpenScope&) = delete;

  private:
    TClipboard& c_;
};

HPALETTE copyPalette(const std::vector<uint32_t>& colors) {
    struct {
        WORD version, count;
        PALETTEENTRY entries[256];
    } lp{0x300, WORD(colors.size() > 256 ? 256 : colors.size()), {}};
    for (WORD i = 0; i < lp.count; ++i)
        lp.entries[i] = {BYTE(colors[i] >> 16), BYTE(colors[i] >> 8), BYTE(colors[i]), 0};
    return CreatePalette(reinterpret_cast<LOGPALETTE*>(&lp));
}
} // namespace

TClipboard::TClipboard() = default;

TClipboard::~TClipboard() {
    if (openCount_ > 0) CloseClipboard();
    if (window_) DestroyWindow(window_);
}

HWND TClipboard::owner() {
    if (!window_ || !IsWindow(window_))
        window_ = CreateWindowExA(0, "STATIC", "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    return window_;
}

void TClipboard::Open() {
    if (openCount_ == 0 && !openWithRetry(owner())) throw EClipboardException("Cannot open the clipboard");
    ++openCount_;
}

void TClipboard::Close() {
    if (openCount_ == 0) return;
    if (--openCount_ == 0) CloseClipboard();
}

void TClipboard::Clear() {
    OpenScope open(*this);
    EmptyClipboard();
}

bool TClipboard::HasFormat(UINT format) const {
    return IsClipboardFormatAvailable(format) != 0;
}

// The clipboard keeps a device-dependent copy: what every reader of CF_BITMAP understands.
// An empty bitmap leaves the clipboard empty.
void TClipboard::SetBitmap(const TBitmap& bitmap) {
    OpenScope open(*this);
    EmptyClipboard();
    if (bitmap.Empty()) return;
    win::BitmapHandle copy(bitmap.CopyToDeviceBitmap());
    if (!copy || !SetClipboardData(CF_BITMAP, copy.Get()))
        throw EClipboardException("The clipboard did not take the bitmap");
    (void)copy.Release(); // the clipboard owns it now
    if (bitmap.HasPalette()) {
        win::PaletteHandle palette(copyPalette(bitmap.ColorTable()));
        if (palette && SetClipboardData(CF_PALETTE, palette.Get())) (void)palette.Release();
    }
}

void TClipboard::Assign(const TPersistent& source) {
    if (auto* b = dynamic_cast<const TBitmap*>(&source)) {
        SetBitmap(*b);
        return;
    }
    auto* p = dynamic_cast<const TPicture*>(&source);
    if (!p) throw EConvertError("Cannot put a " + source.ClassName() + " on the clipboard");
    if (auto* b = dynamic_cast<const TBitmap*>(p->Graphic())) {
        SetBitmap(*b);
    } else if (auto* icon = dynamic_cast<TIcon*>(p->Graphic()); icon && !icon->Empty()) {
        TBitmap drawn(icon->Width(), icon->Height(), pf24bit);
        drawn.Canvas().Draw(0, 0, *icon);
        SetBitmap(drawn);
    } else {
        Clear();
    }
}

bool TClipboard::GetBitmap(TBitmap& bitmap) {
    OpenScope open(*this);
    HBITMAP shared = HBITMAP(GetClipboardData(CF_BITMAP));
    if (!shared) return false;
    // The clipboard's handle is not ours: adopt a copy.
    HBITMAP copy = HBITMAP(CopyImage(shared, IMAGE_BITMAP, 0, 0, 0));
    if (!copy) return false;
    bitmap.SetHandle(copy);
    return true;
}

TClipboard& Clipboard() {
    static TClipboard clipboard;
    return clipboard;
}
