// The values of a skin description, indexed once for the loader's many look-ups.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace qs {
class TQuickIni;
} // namespace qs

// TQuickIni walks a section's lines for every look-up and a skin load makes some four hundred;
// these answer exactly as it does: letter case ignored, the first section of a name and the
// first key of a name in it decide, a line without "=" has the empty key, and an empty value
// gives the default.
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
