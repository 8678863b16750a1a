// TSkinManage: the one process-wide skin manager. It watches the GUI thread's windows through a
// CBT hook, decides window by window whether and with which skin component it is skinned,
// creates a form skinner for every accepted form or dialog and a popup skinner for every popup
// menu, keeps their registries, and runs skin changes as delayed requests on a timer.
// The unit also holds the process-wide services every skinner uses.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "skin/core/cbt_hook.h"
#include "skin/core/form_skinner_base.h"
#include "skin/core/menu_tracking.h"
#include "skin/core/request_timer.h"
#include "skin/core/skinner_registry.h"
#include "toolkit/handles.h"

class TSkinData;
class TControl;
class TCustomForm;
class TBitmap;

// Private messages of the engine.
enum : UINT {
    SKM_RESKIN = 0x3401,
    SKM_REPAINTFRAME = 0x3502,
    SKM_SKINFORM = 0x3503,
    SKM_ENABLE = 0x3506,
    // A tab's close box was clicked: wParam the tab control, lParam the tab; 0 lets it close.
    SKM_TABCLOSE = 0x3507,
    SKM_BUTTONACTION = 0x3514,
    SKM_BUTTONVISIBLE = 0x3515,
    SKM_MDIREDRAW = 0x3516,
    SKM_RESKINSCROLL = 0x3517,
    SKM_MENUBARCLICK = 0x3518,
    SKM_ISSKINNED = 0x3523,
    SKM_PAINTFRAME = 0xBC4B,
    SKM_ISSKINFORM = 0xBC4D,
    SKM_FRAMESKINNED = 0xBC4E,
};
constexpr LPARAM SKM_MAGIC = 0x41A2;

// Requests run by the timer.
enum TSkinRequest : int { rqNone = 0, rqSkinAll = 1, rqUnskinAll = 2, rqRefresh = 3 };
// How long after a switch its request runs.
constexpr int kRequestDelayMs = 250;
// The manager's SkinState: nothing started, started (then one more per other loaded skin), ending.
enum : int { ssIdle = 0, ssStarted = 1, ssEnding = 4 };
// The message the manager posts to a window it has just given a form skinner.
constexpr LPARAM kSkinFormSignature = 1000;
// A "#32770" dialog with this style bit (DS_SETFOREGROUND) keeps the system's look.
constexpr LONG kUnskinnedDialogStyle = DS_SETFOREGROUND;

class TSkinManage {
  public:
    TSkinManage();
    ~TSkinManage();
    TSkinManage(const TSkinManage&) = delete;
    TSkinManage& operator=(const TSkinManage&) = delete;

    void RegisterSkinData(TSkinData* skin);
    void UnregisterSkinData(TSkinData* skin);
    void InstallHook();

    bool SkinWindow(HWND window);
    void SkinPopupMenu(HWND window);
    bool RemovePopupSkinner(HWND window);
    TFormSkinner* FindFormSkinner(HWND window) const;
    // Takes the form skinner of the window out of the registry and hands it to the caller; none
    // while the manager ends.
    std::unique_ptr<TFormSkinner> UnregisterFormSkinner(HWND window);
    bool HasPopupSkinner(HWND window) const;
    void MarkPopupsForMenuBar() { registry_.MarkPopupsForMenuBar(); }
    void AssignMenuToPopup(HMENU menu) { registry_.AssignMenuToPopup(menu); }
    TBitmap* FindPopupBitmap(HMENU menu) const { return registry_.FindPopupBitmap(menu); }
    TPopupSkinner* FindPopupByMenu(HMENU menu) const { return registry_.FindPopupByMenu(menu); }
    void SetMdiMaximized(bool maximized);
    void Schedule(int request, int delayMs);
    void ExecuteRequest();
    void ReloadSkin();
    void PurgeFormSkinners();

    TSkinData* ChooseSkinData(HWND window, const std::string& className) const;
    bool AcceptWindow(HWND window, const std::string& className) const;

    const TSkinnerRegistry::FormList& FormSkinners() const { return registry_.Forms(); }
    const TSkinnerRegistry::PopupList& PopupSkinners() const { return registry_.Popups(); }
    const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }

    // The manager's state, read by skinners and tests; changed only through the operations below.
    TSkinData* DefaultSkin() const { return defaultSkin_; }
    TSkinData* RequestSkin() const { return requestSkin_; }
    int PendingRequest() const { return pendingRequest_; }
    bool Skinning() const { return skinning_; }
    bool ForceSkin() const { return forceSkin_; }
    int SkinState() const { return skinState_; }
    int MenuContext() const { return menus_.Context; }
    bool MenuLoop() const { return menus_.Loop; }
    bool MdiMaximized() const { return mdiMaximized_; }
    HWND MdiClient() const { return mdiClient_; }
    TCustomForm* MdiFrameForm() const { return mdiFrameForm_; }
    bool HideDuringAttach() const { return hideDuringAttach_; }

    // Skinning on or off for windows activated from now on.
    void SetSkinning(bool on) { skinning_ = on; }
    void SetSkinState(int state) { skinState_ = state; }
    // A window was skinned or activated: the manager has started.
    void MarkStarted() {
        if (skinState_ != ssEnding) skinState_ = ssStarted;
    }
    // The skin whose request Schedule runs.
    void SetRequestSkin(TSkinData* skin) { requestSkin_ = skin; }
    // The kind of menu about to open (a TMenuContext), and whether the menu bar is tracking.
    void SetMenuContext(int context) { menus_.Context = context; }
    void SetMenuLoop(bool tracking) { menus_.Loop = tracking; }
    // A skinned form has an MDI client.
    void NoteMdiFrame(HWND client, TCustomForm* frame) {
        mdiClient_ = client;
        mdiFrameForm_ = frame;
    }
    void SetHideDuringAttach(bool hide) { hideDuringAttach_ = hide; }
    // Reads and clears the hide-during-attach request (one window's deferred attach takes it).
    bool TakeHideDuringAttach() { return std::exchange(hideDuringAttach_, false); }

  private:
    void hookNotification(int code, WPARAM wParam, LPARAM lParam);
    void unskinAndFree(const TFormSkinner* skinner);
    void skinVisibleForms(TComponent* only);

    TCbtHook hook_;
    TSkinnerRegistry registry_;
    TRequestTimer timer_;
    TMenuTracking menus_;
    std::vector<TSkinData*> skinDatas_;

    TSkinData* defaultSkin_ = nullptr;
    TSkinData* requestSkin_ = nullptr;
    int pendingRequest_ = rqNone;
    bool skinning_ = false;
    bool forceSkin_ = false;
    int skinState_ = ssIdle;
    bool mdiMaximized_ = false;
    HWND mdiClient_ = nullptr;
    TCustomForm* mdiFrameForm_ = nullptr;
    bool hideDuringAttach_ = false;
};

// The single manager: made by the first skin component's Loaded, freed at program exit.
extern TSkinManage* SkinManager;
// Creates the manager if there is none.
TSkinManage& EnsureSkinManager();
// Frees it (program exit).
void FreeSkinManager();

// Process-wide services.
bool UseWideApi();        // the NT platform: skinners use the wide text functions
bool NotVista();          // not Windows 6.x
TBitmap& ScratchBitmap(); // shared drawing space of the frame and menu-bar painters (HALFTONE)
// The toolkit control of a window, through the window property the toolkit stores it under
// ("ControlOfs" + module instance + thread id); null for a null window or a foreign one.
TControl* FindToolkitControl(HWND window);
