// The indexed look-ups of a skin description.
#include "skin/core/ini_values.h"

#include "skin/res/quick_ini.h"
#include "skin/res/skin_reader.h"

namespace {

std::string trimmed(const std::string& s, size_t from, size_t to) {
    while (from < to && uint8_t(s[from]) <= 32)
        ++from;
    while (to > from && uint8_t(s[to - 1]) <= 32)
        --to;
    return s.substr(from, to - from);
}

} // namespace

TIniValues::TIniValues(const qs::TQuickIni& ini) {
    Section* section = nullptr;
    for (const std::string& line : ini.Lines()) {
        if (!line.empty() && line.front() == '[' && line.back() == ']') {
            // A repeated header's lines are never reached: look-ups stop at the first one's end.
            auto [it, fresh] = sections_.try_emplace(qs::AsciiLower(line));
            section = fresh ? &it->second : nullptr;
            continue;
        }
        if (!section) continue;
        const size_t eq = line.find('=');
        auto [entry, fresh] = section->try_emplace(qs::IniKeyOf(line));
        if (!fresh || eq == std::string::npos) continue;
        std::string value = trimmed(line, eq + 1, line.size());
        if (!value.empty()) entry->second = std::move(value);
    }
}

const std::optional<std::string>* TIniValues::find(const std::string& section, const std::string& key) const {
    // The loader asks about one section many times in a row.
    if (!lastAsked_ || section != *lastAsked_) {
        const auto it = sections_.find(qs::AsciiLower("[" + section + "]"));
        lastAsked_ = section;
        lastFound_ = it == sections_.end() ? nullptr : &it->second;
    }
    if (!lastFound_) return nullptr;
    const auto it = lastFound_->find(qs::AsciiLower(key));
    return it == lastFound_->end() ? nullptr : &it->second;
}

std::string TIniValues::ReadString(const std::string& section, const std::string& key,
                                   const std::string& def) const {
    const std::optional<std::string>* value = find(section, key);
    return value && *value ? **value : def;
}

int32_t TIniValues::ReadInteger(const std::string& section, const std::string& key, int32_t def) const {
    const std::optional<std::string>* value = find(section, key);
    int32_t n = 0;
    return value && *value && qs::IniValueToInteger(**value, n) ? n : def;
}
