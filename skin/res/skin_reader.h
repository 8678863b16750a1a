// TSkinReader: decompresses a skin archive and hands out its members by (lower-cased) name.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace qs {

// Where the reader's user-facing messages go. The program shows them in a message box; the default
// writes them to stderr. Returns the previous sink; an empty sink restores the default.
using TSkinMessageSink = std::function<void(const std::string& text)>;
TSkinMessageSink SetSkinMessageSink(TSkinMessageSink sink);

class TSkinReader {
  public:
    // Decompresses and indexes a compressed skin (int32 size + bit stream). False when the skin is not
    // accepted; an unknown version also shows "This is Older Skin File\rPlease update to new version !".
    bool ReadArchive(const uint8_t* data, size_t size);
    bool ReadArchive(const std::vector<uint8_t>& compressed) {
        return ReadArchive(compressed.data(), compressed.size());
    }

    // Copies the first member called name (ASCII letter case ignored) into target; empty when absent.
    void GetMember(const std::string& name, std::vector<uint8_t>& target) const;
    // Copies the first member whose name contains fragment (as given) and returns that name.
    std::string FindMember(const std::string& fragment, std::vector<uint8_t>& target) const;

    int32_t Version() const { return version_; }
    int Count() const { return int(names_.size()); }
    const std::vector<std::string>& Names() const { return names_; } // lower-cased, directory order
    const std::vector<int32_t>& Sizes() const { return sizes_; }
    const std::vector<uint8_t>& MemberData() const { return memberData_; }

  private:
    bool Index(const std::vector<uint8_t>& archive);
    template <class Match> std::string Copy(Match match, std::vector<uint8_t>& target) const;

    std::vector<std::string> names_;
    std::vector<int32_t> sizes_;
    std::vector<uint8_t> memberData_;
    int32_t version_ = 0;
};

// The member an ini image value names: its file-name part (after the last backslash or colon), or ""
// when that is empty or its extension is not exactly ".bmp".
std::string ImageMemberName(const std::string& value);

// ASCII-only lower-casing, as the directory and the queries use.
std::string AsciiLower(std::string s);

} // namespace qs
