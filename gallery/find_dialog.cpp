// The Find dialog: its template, written word by word, and its procedure.
#include "gallery/find_dialog.h"

#include <vector>

#include "gallery/wide_text.h"
#include "toolkit/controls/application.h"

namespace {

constexpr WORD kTextId = 100;
constexpr WORD kNoId = 0xFFFF;
constexpr WORD kButtonClass = 0x0080, kEditClass = 0x0081, kStaticClass = 0x0082;

// A DLGTEMPLATE and its items: words, strings and class atoms, each item on a DWORD boundary.
class TemplateWriter {
  public:
    TemplateWriter(const wchar_t* title, short cx, short cy, WORD items) {
        dword(WS_POPUP | WS_CAPTION | WS_SYSMENU | DS_MODALFRAME | DS_SETFONT);
        dword(0);
        words_.push_back(items);
        box(0, 0, cx, cy);
        words_.push_back(0); // no menu
        words_.push_back(0); // the dialog class
        text(title);
        words_.push_back(8);
        text(L"MS Shell Dlg");
    }
    void Item(WORD atom, const wchar_t* title, DWORD style, short x, short y, short cx, short cy, WORD id) {
        if (words_.size() % 2) words_.push_back(0);
        dword(WS_CHILD | WS_VISIBLE | style);
        dword(0);
        box(x, y, cx, cy);
        words_.push_back(id);
        words_.push_back(0xFFFF);
        words_.push_back(atom);
        text(title);
        words_.push_back(0); // no creation data
    }
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }

  private:
    void dword(DWORD value) {
        words_.push_back(LOWORD(value));
        words_.push_back(HIWORD(value));
    }
    void box(short x, short y, short cx, short cy) {
        for (short v : {x, y, cx, cy})
            words_.push_back(WORD(v));
    }
    void text(const wchar_t* s) {
        while (*s)
            words_.push_back(WORD(*s++));
        words_.push_back(0);
    }
    std::vector<WORD> words_;
};

std::string dialogText(HWND dialog, int id) {
    const int length = GetWindowTextLengthW(GetDlgItem(dialog, id));
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(GetDlgItemTextW(dialog, id, text.data(), length + 1)));
    return Utf8(text);
}

} // namespace

TFindDialog::~TFindDialog() {
    if (handle_) DestroyWindow(handle_);
}

void TFindDialog::Show(HWND owner) {
    if (handle_) {
        SetActiveWindow(handle_);
        return;
    }
    TemplateWriter dialog(L"Find", 200, 62, 4);
    dialog.Item(kStaticClass, L"Fi&nd what:", SS_LEFT, 7, 10, 40, 8, kNoId);
    dialog.Item(kEditClass, L"", WS_BORDER | WS_TABSTOP | ES_AUTOHSCROLL, 50, 8, 143, 12, kTextId);
    dialog.Item(kButtonClass, L"OK", WS_TABSTOP | BS_DEFPUSHBUTTON, 89, 40, 50, 14, IDOK);
    dialog.Item(kButtonClass, L"Cancel", WS_TABSTOP | BS_PUSHBUTTON, 143, 40, 50, 14, IDCANCEL);
    HWND created = CreateDialogIndirectParamW(GetModuleHandleW(nullptr), dialog.Get(), owner, dialogProc,
                                              reinterpret_cast<LPARAM>(this));
    if (!created) return;
    Application->AddModelessDialog(created);
    ShowWindow(created, SW_SHOW);
}

void TFindDialog::command(WORD id) {
    if (id != IDOK && id != IDCANCEL) return;
    if (id == IDOK && OnFind) OnFind(dialogText(handle_, kTextId));
    DestroyWindow(handle_);
}

INT_PTR CALLBACK TFindDialog::dialogProc(HWND dialog, UINT msg, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<TFindDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    try {
        switch (msg) {
        case WM_INITDIALOG:
            SetWindowLongPtrW(dialog, DWLP_USER, lParam);
            reinterpret_cast<TFindDialog*>(lParam)->handle_ = dialog;
            return TRUE;
        case WM_COMMAND:
            if (self) self->command(LOWORD(wParam));
            return TRUE;
        case WM_DESTROY:
            Application->RemoveModelessDialog(dialog);
            if (self) self->handle_ = nullptr;
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            return TRUE;
        default: break;
        }
    } catch (...) {
        HandleToolkitException();
    }
    return FALSE;
}
