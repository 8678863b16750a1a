// Parsing a skin archive's description into a TSkinData's model.
#pragma once

#include <memory>
#include <string>
#include <vector>

class TSkinData;
class TBitmap;
class TDataSkinObject;

namespace qs {
class TSkinReader;
class TQuickIni;
} // namespace qs

class TSkinLoader {
  public:
    TSkinLoader(TSkinData& skin, qs::TSkinReader& reader, qs::TQuickIni& ini);
    // Every section in its order, then the derived images.
    void Run();

  private:
    std::string str(const std::string& section, const std::string& key, const std::string& def = {});
    int integer(const std::string& section, const std::string& key, int def);
    // Reads the member an ini value names into bitmap (emptied when there is none).
    void loadBitmap(TBitmap& bitmap, const std::string& value);
    void readColours2(TDataSkinObject& obj, const std::string& section);
    // A generic object section into its slot: nil unless the section names an image.
    template <class R>
    void generic(std::unique_ptr<R>& slot, const std::string& section, bool readFrame = true,
                 const char* secondImage = nullptr);

    void borders();
    void colours();
    void captionButtons();
    void pushButtons();
    void captionText();
    void menuBar();
    void slots();
    void builtInTracks();
    void frameCounts();
    void composeCombo();
    void comboArrow();
    void toolbar();
    void frameColour();

    TSkinData& skin_;
    qs::TSkinReader& reader_;
    qs::TQuickIni& ini_;
};
