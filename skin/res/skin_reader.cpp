// Archive reading. Skins are downloaded files, so every length and size is checked against the data
// before use; a skin that does not fit together is not accepted.
#include "skin/res/skin_reader.h"

#include "skin/res/lzh_codec.h"
#include "skin/res/skin_archive_format.h"

#include <iostream>

namespace qs {

namespace {

TSkinMessageSink& Sink() {
    static TSkinMessageSink sink;
    return sink;
}

void ShowMessage(const std::string& text) {
    if (Sink()) {
        Sink()(text);
        return;
    }
    std::string shown = text;
    for (char& c : shown)
        c = c == '\r' ? '\n' : c;
    std::cerr << shown << '\n';
}

// Bytes past the end read as zero, as a short header read leaves them.
int32_t ReadInt32(const std::vector<uint8_t>& d, size_t at) {
    uint32_t v = 0;
    for (size_t i = 0; i < 4; ++i)
        v |= uint32_t(at + i < d.size() ? d[at + i] : 0) << (8 * i);
    return int32_t(v);
}

// CR, LF and CR LF each end a line; a last line without a break still counts.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n') continue;
        lines.push_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        start = i + 1;
    }
    if (start < text.size()) lines.push_back(text.substr(start));
    return lines;
}

} // namespace

TSkinMessageSink SetSkinMessageSink(TSkinMessageSink sink) {
    TSkinMessageSink previous = std::move(Sink());
    Sink() = std::move(sink);
    return previous;
}

std::string AsciiLower(std::string s) {
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    return s;
}

bool TSkinReader::ReadArchive(const uint8_t* data, size_t size) {
    names_.clear();
    sizes_.clear();
    memberData_.clear();
    version_ = 0;

    std::vector<uint8_t> archive;
    // A stream too short for its size field holds an empty archive, which has no known version.
    const TLzhStatus status = LzhDecompress(data, size, archive);
    if (status == TLzhStatus::lsSizeTooLarge || status == TLzhStatus::lsTruncated) return false;
    if (!Index(archive)) {
        names_.clear();
        sizes_.clear();
        memberData_.clear();
        return false;
    }
    return true;
}

bool TSkinReader::Index(const std::vector<uint8_t>& archive) {
    version_ = ReadInt32(archive, 0);
    const int skipped = SkinSkippedBlockSize(version_);
    if (skipped < 0) {
        ShowMessage("This is Older Skin File\rPlease update to new version !");
        return false;
    }
    const int32_t listLength = ReadInt32(archive, 4);
    const uint64_t listStart = uint64_t(kSkinHeaderSize) + uint64_t(skipped);
    if (archive.size() < kSkinHeaderSize || listLength < 0 ||
        listStart + uint64_t(listLength) > archive.size())
        return false;

    names_ = SplitLines(AsciiLower(
        std::string(archive.begin() + long(listStart), archive.begin() + long(listStart + listLength))));
    if (names_.size() > size_t(kSkinMaxMembers)) return false;

    const uint64_t sizesStart = listStart + uint64_t(listLength);
    const uint64_t contentStart = sizesStart + 4 * uint64_t(names_.size());
    if (contentStart > archive.size()) return false;
    uint64_t total = 0;
    for (size_t i = 0; i < names_.size(); ++i) {
        const int32_t s = ReadInt32(archive, size_t(sizesStart + 4 * i));
        if (s < 0) return false;
        sizes_.push_back(s);
        total += uint64_t(s);
    }
    if (total > archive.size() - contentStart) return false;
    memberData_.assign(archive.begin() + long(contentStart), archive.end());
    return true;
}

template <class Match> std::string TSkinReader::Copy(Match match, std::vector<uint8_t>& target) const {
    target.clear();
    size_t offset = 0;
    for (size_t i = 0; i < names_.size(); ++i) {
        if (match(names_[i])) {
            target.assign(memberData_.begin() + long(offset), memberData_.begin() + long(offset) + sizes_[i]);
            return names_[i];
        }
        offset += size_t(sizes_[i]);
    }
    return {};
}

void TSkinReader::GetMember(const std::string& name, std::vector<uint8_t>& target) const {
    const std::string key = AsciiLower(name);
    Copy([&](const std::string& n) { return n == key; }, target);
}

std::string TSkinReader::FindMember(const std::string& fragment, std::vector<uint8_t>& target) const {
    return Copy([&](const std::string& n) { return n.find(fragment) != std::string::npos; }, target);
}

std::string ImageMemberName(const std::string& value) {
    const size_t cut = value.find_last_of("\\:");
    const std::string file = cut == std::string::npos ? value : value.substr(cut + 1);
    const size_t dot = file.rfind('.');
    if (file.empty() || dot == std::string::npos || file.substr(dot) != ".bmp") return {};
    return file;
}

} // namespace qs
