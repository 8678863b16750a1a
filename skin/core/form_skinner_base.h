// What the skin manager knows of the skinners it creates. The form skinner and the popup-menu
// skinner live with form skinning, above the manager; they derive from these and register a
// factory, so the manager creates them without depending on them.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "skin/core/message_depth.h"

class TSkinControl;
class TSkinData;
class TComponent;
class TBitmap;

// States of a form skinner (also the values painters test).
enum : int {
    fsCreated = 0,
    fsSkinned = 1,
    fsReskinning = 3,
    fsUnskinning = 4,
    fsResizing = 5,
    fsDestroyed = 6
};

// What a skinned window is to MDI.
enum TMdiKind : int {
    mkNone = 0,  // an ordinary window
    mkFrame = 1, // has an "MDIClient" child
    mkChild = 2  // extended style WS_EX_MDICHILD
};

class TFormSkinner {
  public:
    // The child skinners go first: none may outlive the form skinner it reports to.
    virtual ~TFormSkinner();

    HWND Handle = nullptr;
    TSkinData* SkinData = nullptr;
    std::string ClassName;
    int State = fsCreated;
    int MdiKind = mkNone;

    // Every message of the window, and every modal loop the skinner runs, is a scope of this.
    TMessageDepth& Depth() { return depth_; }

    // Initialises for a toolkit form (`control`) or a plain window (control null).
    virtual void SkinForm(TSkinData* skin, TComponent* control) = 0;
    virtual void SkinWindow(TSkinData* skin) = 0;
    // Skinning switched off: the window gets its standard look back.
    virtual void Unskin() = 0;
    // The manager is going away: restore the window procedure only.
    virtual void Detach() = 0;
    // The skin changed: rebuild the frame from it.
    virtual void DiscardCaptionButtons() = 0;
    virtual void RecalcBorders() = 0;
    virtual void Reskin() = 0;
    // An MDI child switches between its maximised and normal frame.
    virtual void MdiMaximizedChanged(bool maximized) = 0;
    // A size grip scroll bar created later on a window of this form.
    virtual void AttachWindow(HWND child) = 0;

    // The skinners of the window's child controls. A toolkit control owns its skinner (it goes
    // with the control); the skinners of plain windows are owned here. Each joins when it
    // attaches and leaves when it is destroyed.
    std::vector<TSkinControl*> ChildSkinners;
    void RegisterChildSkinner(TSkinControl* skinner);
    void UnregisterChildSkinner(TSkinControl* skinner);
    // The skinner attached to that window or wrapping that control, or null.
    TSkinControl* ChildSkinnerOf(HWND window) const;
    TSkinControl* ChildSkinnerOf(const TComponent* control) const;
    // Frees the skinners whose window has been destroyed.
    void PurgeChildSkinners();
    // Frees every child skinner (unskinning, or the window going away). With `unskinFirst`,
    // each one whose window still exists gives its control its own look back first.
    void FreeChildSkinners(bool unskinFirst = false);

  private:
    TMessageDepth depth_;
};

class TPopupSkinner {
  public:
    virtual ~TPopupSkinner() = default;

    TMessageDepth& Depth() { return depth_; }

    HWND Handle = nullptr;
    HMENU Menu = nullptr;
    bool BelongsToMenuBar = false;
    TSkinData* SkinData = nullptr;

    // Gives the window back its own procedure.
    virtual void Detach() = 0;
    // The background the items blend into (null until painted).
    virtual TBitmap* Background() { return nullptr; }
    // Where the menu's client area (the items' coordinates) starts in the window.
    virtual POINT ClientOffset() const { return POINT{0, 0}; }

  private:
    TMessageDepth depth_;
};

struct TSkinnerFactory {
    std::function<std::unique_ptr<TFormSkinner>(HWND window, const std::string& className)> CreateFormSkinner;
    std::function<std::unique_ptr<TPopupSkinner>(HWND window, TSkinData* skin)> CreatePopupSkinner;
};

// Filled in by form skinning when it is linked in (RegisterFormSkinning).
TSkinnerFactory& SkinnerFactory();
