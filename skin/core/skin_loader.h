// Parsing a skin archive's description into a TSkinData's model.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

class TSkinData;
class TBitmap;
class TDataSkinObject;

namespace qs {
class TSkinReader;
class TQuickIni;
} // namespace qs

// The values of a skin description, indexed once. TQuickIni walks a section's lines for every
// look-up and a skin load makes some four hundred; these answer exactly as it does: letter
// case ignored, the first section of a name and the first key of a name in it decide, a line
// without "=" has the empty key, and an empty value gives the default.
class TIniValues {
  public:
    explicit TIniValues(const qs::TQuickIni& ini);
    std::string ReadString(const std::string& section, const std::string& key, const std::string& def) const;
    int32_t ReadInteger(const std::string& section, const std::string& key, int32_t def) const;

  private:
    // By lower-cased key; no value where the default applies.
    using Section = std::unordered_map<std::string, std::optional<std::string>>;
    const std::optional<std::string>* find(const std::string& section, const std::string& key) const;
    std::unordered_map<std::string, Section> sections_; // by lower-cased header, brackets included
    mutable std::optional<std::string> lastAsked_;
    mutable const Section* lastFound_ = nullptr;
};

class TSkinLoader {
  public:
    TSkinLoader(TSkinData& skin, qs::TSkinReader& reader, qs::TQuickIni& ini);
    // Every section in its order, then the derived images.
    void Run();

  private:
    std::string str(const std::string& section, const std::string& key, const std::string& def = {});
    int integer(const std::string& section, const std::string& key, int def);
    // Decodes the member an ini value names into bitmap (emptied when there is none).
    void loadBitmap(TBitmap& bitmap, const std::string& value);
    void readColours2(TDataSkinObject& obj, const std::string& section);

    // Which keys a record section has; the defaults are those of the generic object section.
    struct TRecordKeys {
        const char* image = "Image";
        const char* secondImage = nullptr; // into a TDataSkinBorder's Bitmap2
        bool style = true;
        bool frame = true;
        bool colours = true;    // the three plain state colours and the three r g b ones
        int32_t tileAbove1 = 0; // what a Tile value above 1 becomes
    };
    // The one reader of a section into a record: its image (emptied when the key is missing),
    // margins, Trans, Tile and the keys `keys` names.
    void readRecord(TDataSkinObject& obj, const std::string& section, const TRecordKeys& keys);
    // A section into its slot: nil unless the section names an image.
    template <class R>
    void generic(std::unique_ptr<R>& slot, const std::string& section, const TRecordKeys& keys = {});

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
    TIniValues values_;
    std::vector<size_t> memberOffsets_; // where each member starts in the reader's data
};
