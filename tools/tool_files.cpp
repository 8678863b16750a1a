// Binary file I/O for the tools: one read or write of the whole file, since byte-wise stream
// iteration cost more than decoding the file.
#include "tools/tool_files.h"

#include <cstdio>
#include <filesystem>
#include <memory>

namespace qs::tools {

namespace {
struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using File = std::unique_ptr<std::FILE, FileCloser>;
} // namespace

bool ReadFileBytes(const std::string& path, std::vector<uint8_t>& bytes, std::string& error) {
    std::error_code ec;
    if (std::filesystem::is_directory(path, ec)) {
        error = path + " is a folder";
        return false;
    }
    File in(std::fopen(path.c_str(), "rb"));
    if (!in) {
        error = "cannot open " + path;
        return false;
    }
    // The size is a hint: a file that grows or shrinks meanwhile is still read to its end.
    const auto size = std::filesystem::file_size(path, ec);
    bytes.clear();
    try {
        bytes.resize(ec ? 0 : size_t(size));
        size_t got = std::fread(bytes.data(), 1, bytes.size(), in.get());
        while (got == bytes.size() && !std::ferror(in.get())) {
            bytes.resize(got + 64 * 1024);
            const size_t more = std::fread(bytes.data() + got, 1, bytes.size() - got, in.get());
            got += more;
            if (more == 0) break;
        }
        bytes.resize(got);
    } catch (const std::bad_alloc&) {
        error = "cannot read " + path + ": out of memory";
        return false;
    }
    if (std::ferror(in.get())) {
        error = "cannot read " + path;
        return false;
    }
    return true;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes, std::string& error) {
    File out(std::fopen(path.c_str(), "wb"));
    const bool written = out && std::fwrite(bytes.data(), 1, bytes.size(), out.get()) == bytes.size();
    const bool closed = out && std::fclose(out.release()) == 0;
    if (!written || !closed) {
        error = "cannot write " + path;
        return false;
    }
    return true;
}

} // namespace qs::tools
