// Watching a skin's folder with overlapped ReadDirectoryChangesW, completion checked on a timer.
#include "gallery/skin_watch.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "gallery/wide_text.h"

namespace {

constexpr DWORD kWhatChanges = FILE_NOTIFY_CHANGE_FILE_NAME | FILE_NOTIFY_CHANGE_DIR_NAME |
                               FILE_NOTIFY_CHANGE_SIZE | FILE_NOTIFY_CHANGE_LAST_WRITE |
                               FILE_NOTIFY_CHANGE_CREATION;

bool sameName(const wchar_t* a, size_t aLength, const std::wstring& b) {
    return aLength == b.size() &&
           CompareStringOrdinal(a, int(aLength), b.data(), int(b.size()), TRUE) == CSTR_EQUAL;
}

std::string lastError(const char* what) {
    return std::string(what) + " (error " + std::to_string(GetLastError()) + ")";
}

} // namespace

TSkinWatch::~TSkinWatch() {
    if (!reading_) return;
    // The system writes into buffer_ until the read is over: end it before the buffer goes.
    CancelIo(folder_.Get());
    DWORD bytes = 0;
    GetOverlappedResult(folder_.Get(), &overlapped_, &bytes, TRUE);
}

bool TSkinWatch::Start(const std::wstring& path, std::string& error) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        error = "\"" + Utf8(path) + "\" does not exist";
        return false;
    }
    std::wstring folder = path;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        const size_t slash = path.find_last_of(L"\\/");
        fileName_ = slash == std::wstring::npos ? path : path.substr(slash + 1);
        // "C:" alone names the drive's current folder, not its root.
        const bool root = slash == 0 || (slash != std::wstring::npos && path[slash - 1] == L':');
        folder = slash == std::wstring::npos ? L"." : path.substr(0, root ? slash + 1 : slash);
    }
    folder_.Reset(CreateFileW(folder.c_str(), FILE_LIST_DIRECTORY,
                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                              FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OVERLAPPED, nullptr));
    event_.Reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!folder_ || !event_) {
        error = lastError(("cannot watch the folder \"" + Utf8(folder) + "\"").c_str());
        return false;
    }
    if (!read()) {
        error = failure_;
        return false;
    }
    return true;
}

bool TSkinWatch::read() {
    overlapped_ = OVERLAPPED{};
    overlapped_.hEvent = event_.Get();
    reading_ = ReadDirectoryChangesW(folder_.Get(), buffer_.data(), DWORD(buffer_.size() * sizeof(DWORD)),
                                     FALSE, kWhatChanges, nullptr, &overlapped_, nullptr);
    if (!reading_) failure_ = lastError("the folder can no longer be watched");
    return reading_;
}

bool TSkinWatch::concernsUs(DWORD bytes) const {
    if (fileName_.empty()) return true;
    const auto* base = reinterpret_cast<const uint8_t*>(buffer_.data());
    const size_t size = std::min<size_t>(bytes, buffer_.size() * sizeof(DWORD));
    const size_t header = offsetof(FILE_NOTIFY_INFORMATION, FileName);
    for (size_t at = 0; at + header <= size;) {
        const auto* record = reinterpret_cast<const FILE_NOTIFY_INFORMATION*>(base + at);
        if (record->FileNameLength <= size - at - header &&
            sameName(record->FileName, record->FileNameLength / sizeof(wchar_t), fileName_))
            return true;
        // Records are DWORD-aligned and inside what was read; anything else ends the list.
        if (record->NextEntryOffset == 0 || record->NextEntryOffset % sizeof(DWORD) ||
            record->NextEntryOffset > size - at)
            break;
        at += record->NextEntryOffset;
    }
    return false;
}

void TSkinWatch::collect(DWORD now) {
    if (!reading_ || WaitForSingleObject(event_.Get(), 0) != WAIT_OBJECT_0) return;
    reading_ = false;
    DWORD bytes = 0;
    const bool done = GetOverlappedResult(folder_.Get(), &overlapped_, &bytes, FALSE);
    // No bytes: more changes came than the buffer holds, and any of them may be ours.
    if (!done || bytes == 0 || concernsUs(bytes)) {
        changed_ = true;
        lastChange_ = now;
    }
    read();
}

bool TSkinWatch::Settled(DWORD now) {
    collect(now);
    if (!changed_ || now - lastChange_ < kSettleMs) return false;
    changed_ = false;
    return true;
}
