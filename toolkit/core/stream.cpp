// Byte streams.
#include "toolkit/core/stream.h"

#include <algorithm>
#include <cstring>
#include <fstream>

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count == 0) {
        source.SetPosition(0);
        count = source.Size();
    }
    uint8_t buf[65536];
    int64_t done = 0;
    while (done < count) {
        size_t want = size_t(std::min<int64_t>(count - done, int64_t(sizeof buf)));
        size_t got = source.Read(buf, want);
        if (got == 0) break;
        Write(buf, got);
        done += int64_t(got);
    }
    return done;
}

std::vector<uint8_t> TStream::ReadAll() {
    int64_t pos = Position();
    std::vector<uint8_t> out(size_t(std::max<int64_t>(0, Size() - pos)));
    out.resize(Read(out.data(), out.size()));
    return out;
}

size_t TMemoryStream::Read(void* buffer, size_t count) {
    size_t n = pos_ >= data_.size() ? 0 : std::min(count, data_.size() - pos_);
    if (n) std::memcpy(buffer, data_.data() + pos_, n);
    pos_ += n;
    return n;
}

size_t TMemoryStream::Write(const void* buffer, size_t count) {
    if (!count) return 0;
    if (pos_ + count > data_.size()) data_.resize(pos_ + count);
    std::memcpy(data_.data() + pos_, buffer, count);
    pos_ += count;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = origin == TSeekOrigin::soBeginning ? 0
                   : origin == TSeekOrigin::soCurrent ? int64_t(pos_)
                                                      : int64_t(data_.size());
    pos_ = size_t(std::max<int64_t>(0, base + offset));
    return int64_t(pos_);
}

void TMemoryStream::SetSize(int64_t size) {
    data_.resize(size_t(std::max<int64_t>(0, size)));
    pos_ = std::min(pos_, data_.size());
}

void TMemoryStream::Clear() {
    data_.clear();
    pos_ = 0;
}

bool TMemoryStream::LoadFromFile(const std::string& path) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    std::vector<uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (f.bad()) return false;
    data_ = std::move(bytes);
    pos_ = 0;
    return true;
}

bool TMemoryStream::SaveToFile(const std::string& path) const {
    std::ofstream f(path, std::ios::binary);
    f.write(reinterpret_cast<const char*>(data_.data()), std::streamsize(data_.size()));
    return bool(f);
}
