// Reading and checking skin files.
#include "gallery/skin_files.h"

#include <windows.h>

#include <algorithm>
#include <exception>

#include "gallery/wide_text.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/res/skin_reader.h"
#include "toolkit/handles.h"

namespace {

// In the user's language, as UTF-8 (the ANSI text would be in the system's code page).
std::string systemMessage(DWORD code) {
    wchar_t text[256] = {};
    FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0, text,
                   sizeof text / sizeof text[0], nullptr);
    std::string out = Utf8(text);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' '))
        out.pop_back();
    return out.empty() ? "error " + std::to_string(code) : out;
}

// What the archive reader says (it would show a message box) becomes part of our reason.
class CollectedMessages {
  public:
    CollectedMessages()
        : previous_(qs::SetSkinMessageSink([this](const std::string& text) { said_ += text; })) {}
    ~CollectedMessages() { qs::SetSkinMessageSink(previous_); }
    CollectedMessages(const CollectedMessages&) = delete;
    CollectedMessages& operator=(const CollectedMessages&) = delete;
    std::string Said() const {
        std::string out = said_;
        std::replace(out.begin(), out.end(), '\r', ' ');
        return out;
    }

  private:
    std::string said_;
    qs::TSkinMessageSink previous_;
};

// The visible top-level windows in `skin`, kept from painting while their skinners change over,
// then repainted whole once.
class HeldWindows {
  public:
    explicit HeldWindows(const TSkinData& skin) {
        if (!SkinManager) return;
        for (const auto& f : SkinManager->FormSkinners()) {
            const HWND h = f->Handle;
            if (f->SkinData != &skin || !IsWindowVisible(h) || (GetWindowLongA(h, GWL_STYLE) & WS_CHILD))
                continue;
            SendMessageA(h, WM_SETREDRAW, FALSE, 0);
            held_.push_back(h);
        }
    }
    ~HeldWindows() {
        for (HWND h : held_) {
            if (!IsWindow(h)) continue;
            SendMessageA(h, WM_SETREDRAW, TRUE, 0);
            RedrawWindow(h, nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        }
    }
    HeldWindows(const HeldWindows&) = delete;
    HeldWindows& operator=(const HeldWindows&) = delete;

  private:
    std::vector<HWND> held_;
};

} // namespace

bool ReadSkinFile(const std::wstring& path, std::vector<uint8_t>& bytes, std::string& error) {
    win::KernelHandle file(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) {
        error = systemMessage(GetLastError());
        return false;
    }
    LARGE_INTEGER size{};
    // Skins are a few hundred kilobytes; anything past 64 MB is not one.
    if (!GetFileSizeEx(file.Get(), &size) || size.QuadPart > 64ll << 20) {
        error = "it is too large to be a skin";
        return false;
    }
    bytes.resize(size_t(size.QuadPart));
    DWORD read = 0;
    if (!bytes.empty() &&
        (!ReadFile(file.Get(), bytes.data(), DWORD(bytes.size()), &read, nullptr) || read != bytes.size())) {
        error = systemMessage(GetLastError());
        return false;
    }
    return true;
}

bool UseSkinBytes(TSkinData& skin, const std::vector<uint8_t>& bytes, std::string& error) {
    error = SkinBytesProblem(bytes);
    if (!error.empty()) return false;
    const std::vector<uint8_t> previous = skin.SkinStream().Bytes();
    skin.SkinStream().Clear();
    skin.SkinStream().Write(bytes.data(), bytes.size());
    if (!skin.LoadSkin()) {
        skin.SkinStream().Clear();
        skin.SkinStream().Write(previous.data(), previous.size());
        skin.LoadSkin();
        error = "the skin engine does not accept it";
        return false;
    }
    skin.ApplySkin();
    return true;
}

std::string SkinBytesProblem(const std::vector<uint8_t>& bytes) {
    CollectedMessages messages;
    try {
        qs::TSkinReader reader;
        if (!reader.ReadArchive(bytes)) {
            const std::string said = messages.Said();
            return "it is not a skin archive" + (said.empty() ? std::string() : ": " + said);
        }
        std::vector<uint8_t> description;
        if (reader.FindMember(".ini", description).empty()) return "it holds no skin description (.ini)";
    } catch (const std::exception& e) {
        return std::string("it is not a skin archive: ") + e.what();
    }
    return {};
}

bool SwapSkinBytes(TSkinData& skin, const std::vector<uint8_t>& bytes, std::string& error) {
    HeldWindows held(skin);
    if (!UseSkinBytes(skin, bytes, error)) return false;
    if (SkinManager && SkinManager->RequestSkin() == &skin) SkinManager->ExecuteRequest();
    return true;
}
