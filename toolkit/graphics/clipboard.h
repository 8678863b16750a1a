// TClipboard: the system clipboard for pictures. Setting one empties the clipboard and leaves
// a CF_BITMAP (plus CF_PALETTE for a bitmap with a colour table) that the clipboard owns.
#pragma once

#include <windows.h>

#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/picture.h"

// The clipboard could not be opened or did not take the data.
class EClipboardException : public Exception {
  public:
    using Exception::Exception;
};

class TClipboard {
  public:
    TClipboard();
    ~TClipboard();
    TClipboard(const TClipboard&) = delete;
    TClipboard& operator=(const TClipboard&) = delete;

    // A TPicture (its bitmap or icon, drawn into a bitmap) or a TBitmap.
    void Assign(const TPersistent& source);
    void SetBitmap(const TBitmap& bitmap);
    // The clipboard's CF_BITMAP copied into `bitmap`; false when it holds none.
    bool GetBitmap(TBitmap& bitmap);
    bool HasFormat(UINT format) const;
    void Clear();

    // Nested opening: calls inside one Open/Close pair share one OpenClipboard.
    void Open();
    void Close();

  private:
    HWND owner();

    HWND window_ = nullptr;
    int openCount_ = 0;
};

// The process's clipboard object.
TClipboard& Clipboard();
