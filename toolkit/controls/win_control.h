// TWinControl: a control with a window of its own, created on demand, which holds child
// controls, keeps a tab order, paints its windowless children and reflects notifications to
// the children they concern.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "toolkit/controls/control.h"
#include "toolkit/handles.h"

// What CreateWindowEx is called with; controls adjust it in CreateParams.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0, Y = 0, Width = 0, Height = 0;
    HWND WndParent = nullptr;
    // The window class: named after the toolkit class; with SysClassName it superclasses that
    // system class ("BUTTON"), otherwise it is a plain class with WindowClassStyle.
    std::string WinClassName;
    std::string SysClassName;
    UINT WindowClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl {
    QS_DECLARE_CLASS()
  public:
    explicit TWinControl(TComponent* AOwner);
    ~TWinControl() override;

    // The window, created (with the parent's first) when asked for.
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { Handle(); }
    // Destroys the window (and with it the children's); the control stays and can make a new one.
    void DestroyHandle();
    // Makes the window again, children's included: for styles a live window of its class ignores.
    void RecreateWnd();

    const std::vector<TControl*>& Controls() const { return controls_; }
    int ControlCount() const { return int(controls_.size()); }
    TControl* Control(int index) const { return controls_.at(size_t(index)); }
    // The topmost visible child at a client point (windowless or not); disabled ones only when allowed.
    TControl* ControlAtPos(POINT p, bool allowDisabled = false, bool windowedToo = false) const;
    // Sends a message to every child control (not recursively); stops at the first non-zero Result.
    void Broadcast(TMessage& message);

    // Position among the parent's windowed children for keyboard navigation.
    int TabOrder() const;
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }
    // Windowed descendants in tab order, depth first.
    void GetTabOrderList(std::vector<TWinControl*>& list) const;
    bool Focused() const { return handle_ && GetFocus() == handle_; }
    virtual bool CanFocus() const;
    virtual void SetFocus();

    int ClientWidth() const override;
    int ClientHeight() const override;
    void SetClientWidth(int value) override;
    void SetClientHeight(int value) override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetEnabled(bool value) override;
    void Invalidate() override;
    void Update() override;
    void BringToFront() override;

    // The entry of the window procedure: the message goes through WindowProc; no exception
    // leaves. Public for the toolkit's window procedure only.
    LRESULT DispatchWindowMessage(UINT msg, WPARAM wParam, LPARAM lParam);
    // Binds a new window to this control (the window procedure's first message does it).
    void AttachHandle(HWND hwnd);

  protected:
    friend class TControl;

    virtual void CreateParams(TCreateParams& params);
    virtual void CreateWnd();
    // The system call that makes the window (CreateWindowEx; an MDI child asks its client).
    virtual HWND CreateWindowHandle(const TCreateParams& params);
    // The system call that ends the window (DestroyWindow; an MDI child asks its client).
    virtual void DestroyWnd();
    // After the window exists: children's windows, font, pending client size.
    virtual void InitializeWnd();
    void WndProc(TMessage& message) override;
    void DefaultHandler(TMessage& message) override;
    bool ClicksOnMouseUp() const override { return true; }
    // Custom-drawn controls (no system class) paint themselves here, before their windowless children.
    virtual void PaintWindow(HDC dc) {}
    // Paints the windowless children that meet `update` (system-drawn containers call it after
    // their window painted).
    void PaintControls(HDC dc, const RECT& update);
    // The brush of Color that backgrounds and WM_CTLCOLOR answers use (owned by the control).
    HBRUSH ColorBrush();
    // Window styles changed after creation (border, icons): apply them to the live window.
    void UpdateWindowStyle();
    // A child came, went, or was moved or resized (containers that size themselves to their children).
    virtual void ChildBoundsChanged(TControl* child) {}

    void VisibleChanged(TMessage& message) override;
    void EnabledChanged(TMessage& message) override;
    void ColorChanged(TMessage& message) override;
    void FontChanged(TMessage& message) override;
    void TextChanged(TMessage& message) override;

  private:
    friend class TCustomForm;
    void insertControl(TControl* control);
    void removeControl(TControl* control);
    void detachHandle();
    void paintHandler(TMessage& message);
    void printClient(TMessage& message);
    bool reflect(TMessage& message);
    bool forwardMouseToChild(TMessage& message);
    void trackMouse(TMessage& message);
    void mouseLeft(TMessage& message);
    bool setCursor(TMessage& message);
    void windowPosChanged(TMessage& message);
    void focusReceived(TMessage& message);
    void contextMenu(TMessage& message);
    void eraseBackground(TMessage& message);
    void colorMessage(TMessage& message);
    bool menuMessage(TMessage& message);

    HWND handle_ = nullptr;
    WNDPROC defWndProc_ = nullptr;
    std::vector<TControl*> controls_;   // every child, in z-order (last is topmost)
    std::vector<TWinControl*> tabList_; // windowed children in tab order
    bool tabStop_ = false;
    int pendingClientWidth_ = -1;
    int pendingClientHeight_ = -1;
    int ctlId_ = 0;
    win::BrushHandle brush_;
    TColor brushColor_ = clNone;
};
