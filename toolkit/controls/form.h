// TCustomForm and TForm: top-level windows filled from the form resource named after their
// class, with border, icons, position, window state, stay-on-top, main menu, icon, modal
// showing and the close protocol; and MDI: a frame (fsMDIForm) whose "MDIClient" window holds
// child forms (fsMDIChild).
#pragma once

#include <cstdint>
#include <vector>

#include "toolkit/controls/win_control.h"
#include "toolkit/graphics/icon.h"

class TMainMenu;
class TMenuItem;

enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
const TEnumInfo& FormBorderStyleInfo();
enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = uint8_t; // bit n = TBorderIcon n
constexpr TBorderIcons BorderIconBit(TBorderIcon i) {
    return TBorderIcons(1u << i);
}
const TEnumInfo& BorderIconInfo();
enum TPosition {
    poDesigned,
    poDefault,
    poDefaultPosOnly,
    poDefaultSizeOnly,
    poScreenCenter,
    poDesktopCenter,
    poMainFormCenter,
    poOwnerFormCenter
};
const TEnumInfo& PositionInfo();
enum TWindowState { wsNormal, wsMinimized, wsMaximized };
const TEnumInfo& WindowStateInfo();
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
const TEnumInfo& FormStyleInfo();
enum TCloseAction { caNone, caHide, caFree, caMinimize };

using TModalResult = int;
enum : TModalResult {
    mrNone = 0,
    mrOk = 1,
    mrCancel = 2,
    mrAbort = 3,
    mrRetry = 4,
    mrIgnore = 5,
    mrYes = 6,
    mrNo = 7,
    mrAll = 8
};

using TCloseEvent = TEvent<void(TObject* Sender, TCloseAction& Action)>;
using TCloseQueryEvent = TEvent<void(TObject* Sender, bool& CanClose)>;

class TCustomForm : public TWinControl {
    QS_DECLARE_CLASS()
  public:
    explicit TCustomForm(TComponent* AOwner);
    ~TCustomForm() override;

    // The second half of construction, which needs the finished object: reads the form
    // resource named after the class (upper case) if the program has one, creates the
    // window hidden, then fires OnCreate. NewForm and TApplication::CreateForm call it.
    virtual void AfterConstruction();
    // The RCDATA resource that AfterConstruction reads.
    std::string ResourceName() const { return UpperCase(ClassName()); }
    // Binds the parent given by the form resource: a control into its parent, a menu item
    // into its menu or item. Returns false when the pair does not fit.
    virtual bool SetChildParent(TComponent* child, TComponent* parent);

    void Show();
    // Shows the form and runs a nested message loop until ModalResult is set or the form is
    // closed; the thread's other windows are disabled meanwhile. Returns ModalResult.
    TModalResult ShowModal();
    // Asks OnCloseQuery and OnClose; hides the form (ends the modal loop for a modal one;
    // ends the application for the main form). An MDI child is freed unless OnClose says otherwise.
    void Close();
    bool CloseQuery();
    // Frees the form once the messages being handled are done (safe from its own events).
    void Release();
    bool Modal() const { return modal_; }
    TModalResult ModalResult() const { return modalResult_; }
    void SetModalResult(TModalResult value) { modalResult_ = value; }

    TFormBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TFormBorderStyle value);
    TBorderIcons BorderIcons() const { return borderIcons_; }
    void SetBorderIcons(TBorderIcons value);
    TPosition Position() const { return position_; }
    void SetPosition(TPosition value) { position_ = value; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value);
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value);
    TIcon* Icon() const { return &icon_; }
    void SetIcon(TIcon* value) { icon_.Assign(value); }
    TMainMenu* Menu() const { return menu_; }
    void SetMenu(TMainMenu* value);

    // ---- MDI ----
    // A frame's "MDIClient" window, made with the frame's window (and ended with it); null for
    // other forms.
    HWND ClientHandle() const { return clientHandle_; }
    // The frame's menu item whose sub-menu lists its children (the MDI client appends them).
    TMenuItem* WindowMenu() const { return windowMenu_; }
    void SetWindowMenu(TMenuItem* value);
    void Cascade();
    void Tile();
    void ArrangeIcons();
    TCustomForm* ActiveMDIChild() const;
    // The frame's children, the active one first, then in the order they are stacked.
    int MDIChildCount() const;
    TCustomForm* MDIChildren(int index) const;
    // The frame an MDI child lives in; null for other forms.
    TCustomForm* MDIFrame() const;

    TWinControl* ActiveControl() const { return activeControl_; }
    void SetActiveControl(TWinControl* control);
    // Moves the focus to the next (or previous) focusable control in tab order.
    void SelectNext(TWinControl* current, bool forward);
    // Called by a control of this form that received the focus.
    void FocusChanged(TWinControl* control);

    TNotifyEvent OnCreate;
    TNotifyEvent OnDestroy;
    TNotifyEvent OnShow;
    TNotifyEvent OnHide;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TCloseQueryEvent OnCloseQuery;

  protected:
    void CreateParams(TCreateParams& params) override;
    HWND CreateWindowHandle(const TCreateParams& params) override;
    void DestroyWnd() override;
    void InitializeWnd() override;
    void WndProc(TMessage& message) override;
    // A frame's default handling is DefFrameProc's, a child's DefMDIChildProc's.
    void DefaultHandler(TMessage& message) override;
    void VisibleChanged(TMessage& message) override;
    void Notification(TComponent* component, TOperation operation) override;
    virtual void DoClose(TCloseAction& action);

  private:
    friend class TWinControl;
    void controlRemoved(TControl* control);
    void applyPosition();
    void applyIcon();
    void attachMenu();
    void closeModal();
    void activated(TMessage& message);
    void sized(TMessage& message);
    void dialogKey(TMessage& message);
    void dialogChar(TMessage& message);
    void createMdiClient();
    void relinkWindowMenu();
    void restoreMaximizedChild();
    void mdiActivated(TMessage& message);
    std::vector<TCustomForm*> mdiChildren() const;

    TFormBorderStyle borderStyle_ = bsSizeable;
    TBorderIcons borderIcons_ =
        BorderIconBit(biSystemMenu) | BorderIconBit(biMinimize) | BorderIconBit(biMaximize);
    TPosition position_ = poDesigned;
    TWindowState windowState_ = wsNormal;
    TFormStyle formStyle_ = fsNormal;
    mutable TIcon icon_;
    TMainMenu* menu_ = nullptr;
    HWND clientHandle_ = nullptr; // a child window: the frame's window ends it
    TMenuItem* windowMenu_ = nullptr;
    TWinControl* activeControl_ = nullptr;
    TModalResult modalResult_ = mrNone;
    bool modal_ = false;
    bool constructed_ = false;
    bool positioned_ = false;
};

// The form class the program designs: publishes what the form resource sets.
class TForm : public TCustomForm {
    QS_DECLARE_CLASS()
  public:
    explicit TForm(TComponent* AOwner) : TCustomForm(AOwner) {}
};

// Creates a form of class F and finishes its construction (resource, window, OnCreate).
template <class F> F* NewForm(TComponent* owner) {
    F* form = new F(owner);
    try {
        form->AfterConstruction();
    } catch (...) {
        delete form;
        throw;
    }
    return form;
}

// Every descendant control of `root`, depth first, gets the message until one sets a
// non-zero Result (when `stopAtResult`).
void BroadcastDeep(TWinControl* root, TMessage& message, bool stopAtResult);
