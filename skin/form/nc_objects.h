// The mouse-sensitive objects of a skinned frame: the base every caption button and menu-bar
// item derives from, and the caption button itself.
#pragma once

#include <windows.h>

#include "skin/form/frame_layout.h"
#include "toolkit/core/object.h"

class TWinSkinForm;
class TDataSkinSysButton;

// Mouse states of a non-client object.
enum : int { msNormal = 1, msPressed = 2, msHot = 3 };

class TNCObject : public TObject {
    QS_DECLARE_CLASS()
  public:
    explicit TNCObject(TWinSkinForm* form) : Form(form) {}
    ~TNCObject() override = default;
    TNCObject(const TNCObject&) = delete;
    TNCObject& operator=(const TNCObject&) = delete;

    virtual void MouseDown();
    virtual void MouseUp();
    virtual void MouseMove();
    virtual void MouseLeave();
    virtual void Paint() {}

    TWinSkinForm* Form;
    RECT Rect{};
    bool Visible = false;
    int MouseState = msNormal;
    bool Enabled = true;
};

class TWinSysButton : public TNCObject {
    QS_DECLARE_CLASS()
  public:
    TWinSysButton(TWinSkinForm* form, TDataSkinSysButton* data) : TNCObject(form), ButtonData(data) {}
    void Paint() override;
    // Icon buttons show the window's icon instead of a skin frame.
    bool IsIconButton() const;

    TDataSkinSysButton* ButtonData;
    // Image, frames and place from the last layout.
    TCaptionButtonPlace Place;
};

// The hint text of a caption button's action; null when the action has none.
const char* CaptionButtonHint(int action);
