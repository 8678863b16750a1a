// The application object (forms, the message loop, message boxes, hint timing, title and
// icon) and the screen (the forms in creation order and the primary screen's size).
#pragma once

#include <windows.h>

#include <exception>
#include <string>
#include <vector>

#include "toolkit/controls/form.h"
#include "toolkit/core/component.h"
#include "toolkit/graphics/icon.h"

using TExceptionEvent = TEvent<void(TObject* Sender, const std::exception_ptr& E)>;

class TApplication : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TApplication(TComponent* AOwner);
    ~TApplication() override;

    // Makes the application's hidden window (class "TApplication"); idempotent.
    void Initialize();
    // The hidden window: it owns popup menus while they are open and carries the timers.
    HWND Handle();

    // Creates a form owned by the application (the first becomes MainForm); `ref` is set
    // before the form's OnCreate runs, as the form's own code may use it.
    template <class F> void CreateForm(F*& ref) {
        F* form = new F(this);
        ref = form;
        try {
            form->AfterConstruction();
        } catch (...) {
            ref = nullptr;
            delete form;
            throw;
        }
        if (!mainForm_) mainForm_ = form;
    }
    TCustomForm* MainForm() const { return mainForm_; }
    bool ShowMainForm() const { return showMainForm_; }
    void SetShowMainForm(bool value) { showMainForm_ = value; }

    // Shows the main form (unless ShowMainForm is off) and dispatches messages until
    // Terminate; then frees the forms the application owns, last created first. The loop gives
    // keys to MDI frames (TranslateMDISysAccel) and to menu shortcuts before the forms see them.
    void Run();
    // Ends Run (and any modal loop) once the current message is done.
    void Terminate();
    bool Terminated() const { return terminated_; }
    // Dispatches every message waiting, then returns.
    void ProcessMessages();
    // Dispatches one message, waiting for one when none is there.
    void HandleMessage();
    // A modeless plain dialog (not a toolkit form) whose messages the loop gives to
    // IsDialogMessage, so Tab, Enter, Esc and mnemonics work in it. Remove it at its WM_DESTROY.
    void AddModelessDialog(HWND dialog);
    void RemoveModelessDialog(HWND dialog);

    // MessageBoxA owned by the active window of this thread (else the main form); an empty
    // caption shows the application's Title.
    int MessageBox(const std::string& text, const std::string& caption, UINT flags);

    std::string Title() const { return title_; }
    void SetTitle(const std::string& value);
    TIcon* Icon() { return &icon_; }
    int HintPause() const { return hintPause_; }
    void SetHintPause(int value) { hintPause_ = value; }
    int HintHidePause() const { return hintHidePause_; }
    void SetHintHidePause(int value) { hintHidePause_ = value; }

    // Shows (or hands to OnException) the exception being handled; used where a window
    // procedure must not let one pass.
    void HandleException(const std::exception_ptr& e);
    TExceptionEvent OnException;

    // A form is going away.
    void FormDestroyed(TCustomForm* form);

  private:
    bool processMessage(MSG& msg);
    bool isMdiSysAccel(MSG& msg);
    bool isMenuShortCut(const MSG& msg);
    bool isDialogMessage(MSG& msg);
    bool isModelessDialogMessage(MSG& msg);

    HWND handle_ = nullptr;
    TCustomForm* mainForm_ = nullptr;
    bool showMainForm_ = true;
    bool terminated_ = false;
    std::string title_;
    TIcon icon_;
    std::vector<HWND> modelessDialogs_;
    int hintPause_ = 500;
    int hintHidePause_ = 2500;
};

class TScreen : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TScreen(TComponent* AOwner) : TComponent(AOwner) {}

    // The forms that exist, in creation order.
    const std::vector<TCustomForm*>& Forms() const { return forms_; }
    int FormCount() const { return int(forms_.size()); }
    TCustomForm* Form(int index) const { return forms_.at(size_t(index)); }
    TCustomForm* ActiveForm() const { return activeForm_; }
    // The primary screen (SM_CXSCREEN x SM_CYSCREEN).
    int Width() const;
    int Height() const;

    void AddForm(TCustomForm* form);
    void RemoveForm(TCustomForm* form);
    void FormActivated(TCustomForm* form, bool active);

  private:
    std::vector<TCustomForm*> forms_;
    TCustomForm* activeForm_ = nullptr;
};

// The one application and screen of the program (they live as long as the process).
extern TApplication* const Application;
extern TScreen* const Screen;

// Calls Application->HandleException with the exception in flight (inside a catch block).
void HandleToolkitException();
