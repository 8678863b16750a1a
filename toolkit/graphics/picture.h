// TPicture: the owned sub-object an image control keeps. It holds one graphic (bitmap or
// icon) and stores it in form resources as the binary property "Data": one byte n, the
// graphic's class name in n bytes ("TBitmap", "TIcon"), then its file image (BMP or ICO).
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "toolkit/graphics/bitmap.h"
#include "toolkit/graphics/icon.h"

class TPicture : public TPersistent {
    QS_DECLARE_CLASS()
  public:
    TPicture() = default;
    ~TPicture() override;
    TPicture(const TPicture&) = delete;
    TPicture& operator=(const TPicture&) = delete;

    // Copies a TPicture's or a TGraphic's image (the picture keeps its own copy); null clears.
    void Assign(const TPersistent* source) override;

    TGraphic* Graphic() const { return graphic_.get(); }
    void SetGraphic(const TGraphic* graphic); // a copy
    // The held bitmap; replaces any other graphic by an empty bitmap first.
    TBitmap& Bitmap();
    TIcon& Icon();
    int Width() const { return graphic_ ? graphic_->Width() : 0; }
    int Height() const { return graphic_ ? graphic_->Height() : 0; }
    bool Empty() const { return !graphic_ || graphic_->Empty(); }

    void ReadData(const std::vector<uint8_t>& data);
    std::vector<uint8_t> WriteData() const;
    bool HasData() const { return !Empty(); }

    TNotifyEvent OnChange;

  protected:
    bool AssignTo(TPersistent* dest) const override;

  private:
    void replace(std::unique_ptr<TGraphic> graphic);
    void changed();

    std::unique_ptr<TGraphic> graphic_;
};
