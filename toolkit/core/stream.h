// Byte streams: the abstract TStream and the growable in-memory TMemoryStream.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

enum class TSeekOrigin { soBeginning, soCurrent, soEnd };

class TStream {
  public:
    virtual ~TStream() = default;
    // Returns the number of bytes actually read (fewer at the end).
    virtual size_t Read(void* buffer, size_t count) = 0;
    virtual size_t Write(const void* buffer, size_t count) = 0;
    virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;
    virtual int64_t Size() const = 0;
    virtual void SetSize(int64_t size) = 0;

    int64_t Position() { return Seek(0, TSeekOrigin::soCurrent); }
    void SetPosition(int64_t pos) { Seek(pos, TSeekOrigin::soBeginning); }
    // Copies count bytes from source's position; count 0 copies the whole source from its start.
    int64_t CopyFrom(TStream& source, int64_t count);
    std::vector<uint8_t> ReadAll(); // from the position to the end
};

class TMemoryStream : public TStream {
  public:
    TMemoryStream() = default;
    explicit TMemoryStream(std::vector<uint8_t> bytes) : data_(std::move(bytes)) {}

    size_t Read(void* buffer, size_t count) override;
    size_t Write(const void* buffer, size_t count) override;
    int64_t Seek(int64_t offset, TSeekOrigin origin) override;
    int64_t Size() const override { return int64_t(data_.size()); }
    void SetSize(int64_t size) override;

    void Clear();
    const std::vector<uint8_t>& Bytes() const { return data_; }
    const uint8_t* Memory() const { return data_.data(); }
    bool LoadFromFile(const std::string& path); // false when the file cannot be read
    bool SaveToFile(const std::string& path) const;

  private:
    std::vector<uint8_t> data_;
    size_t pos_ = 0;
};
