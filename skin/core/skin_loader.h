// Making a TSkinData's model from a skin's description: the bitmaps of the images it names, and
// the images derived from them.
#pragma once

#include <memory>

#include "skin/core/skin_description.h"

class TSkinData;
class TDataSkinObject;

class TSkinLoader {
  public:
    TSkinLoader(TSkinData& skin, const qs::TSkinDescription& description);
    // Every record in the model's order, then the derived images.
    void Run();

  private:
    // The record's values and its image; a second image only where the record type has one.
    // `withStyle` false where Style is not the section's to say.
    void apply(TDataSkinObject& obj, const qs::TSkinRecord& r, bool withStyle = true);
    static void setMargins(TDataSkinObject& obj, const qs::TSkinRecord& r);
    template <class R, class D> void slot(std::unique_ptr<R>& slot, const std::optional<D>& r);

    void borders();
    void colours();
    void captionButtons();
    void pushButtons();
    void captionText();
    void slots();
    void builtInTracks();
    void composeCombo();
    void comboArrow();
    void toolbar();
    void frameColour();

    TSkinData& skin_;
    const qs::TSkinDescription& d_;
};
