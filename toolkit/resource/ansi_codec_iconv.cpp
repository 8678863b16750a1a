// Code page 936 through glibc's iconv.
#include <iconv.h>

#include <stdexcept>
#include <vector>

#include "toolkit/resource/ansi_codec.h"

namespace {

class IconvHandle {
  public:
    IconvHandle(const char* to, const char* from) : cd_(iconv_open(to, from)) {
        if (cd_ == iconv_t(-1))
            throw std::runtime_error(std::string("iconv cannot convert ") + from + " to " + to);
    }
    ~IconvHandle() { iconv_close(cd_); }
    IconvHandle(const IconvHandle&) = delete;
    IconvHandle& operator=(const IconvHandle&) = delete;

    // Strict: a character without an exact counterpart fails instead of being approximated.
    bool Convert(const std::string& in, std::string& out) const {
        iconv(cd_, nullptr, nullptr, nullptr, nullptr);
        std::vector<char> buf(in.size() * 4 + 16); // no step of either direction grows more than that
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        char* outPtr = buf.data();
        size_t outLeft = buf.size();
        if (iconv(cd_, &inPtr, &inLeft, &outPtr, &outLeft) != 0) return false;
        if (iconv(cd_, nullptr, nullptr, &outPtr, &outLeft) == size_t(-1)) return false;
        out.assign(buf.data(), outPtr);
        return true;
    }

  private:
    iconv_t cd_;
};

class Cp936 : public TAnsiCodec {
  public:
    bool FromUtf8(const std::string& utf8, std::string& ansi) const override {
        return toAnsi_.Convert(utf8, ansi);
    }
    bool ToUtf8(const std::string& ansi, std::string& utf8) const override {
        return toUtf8_.Convert(ansi, utf8);
    }

  private:
    IconvHandle toAnsi_{"CP936", "UTF-8"};
    IconvHandle toUtf8_{"UTF-8", "CP936"};
};

} // namespace

const TAnsiCodec& Cp936Codec() {
    static const Cp936 codec;
    return codec;
}
