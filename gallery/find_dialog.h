// File -> Find...: a modeless plain dialog ("#32770", made from an in-memory template, not a
// toolkit form) whose own procedure destroys it on OK and Cancel, as many programs' dialogs do.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

class TFindDialog {
  public:
    TFindDialog() = default;
    ~TFindDialog();
    TFindDialog(const TFindDialog&) = delete;
    TFindDialog& operator=(const TFindDialog&) = delete;

    // Creates the dialog owned by `owner` and shows it, or activates it when it is open already.
    void Show(HWND owner);
    // The open dialog, or null.
    HWND Handle() const { return handle_; }

    // OK with the text typed, before the dialog goes.
    std::function<void(const std::string& text)> OnFind;

  private:
    static INT_PTR CALLBACK dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam);
    void command(WORD id);

    HWND handle_ = nullptr;
};
