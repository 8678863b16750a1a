// TSkinManage: the one process-wide skin manager. It watches the GUI thread's windows through a
// CBT hook, decides window by window whether and with which skin component it is skinned,
// creates a form skinner for every accepted form or dialog and a popup skinner for every popup
// menu, keeps their registries, and runs skin changes as delayed requests on a timer.
// The unit also holds the process-wide services every skinner uses.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/core/form_skinner_base.h"
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
enum : int { rqSkinAll = 1, rqUnskinAll = 2, rqRefresh = 3 };
// Which kind of menu is about to open.
enum : int { mcPopup = 0, mcMenuBar = 1, mcSystemMenu = 2 };

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
    // Removes (does not free) the form skinner of the window; nothing while the manager ends.
    void UnregisterFormSkinner(HWND window);
    bool HasPopupSkinner(HWND window) const;
    void MarkPopupsForMenuBar();
    void AssignMenuToPopup(HMENU menu);
    TBitmap* FindPopupBitmap(HMENU menu) const;
    void SetMdiMaximized(bool maximized);
    void Schedule(int request, int delayMs);
    void ExecuteRequest();
    void ReloadSkin();
    void PurgeFormSkinners();

    TSkinData* ChooseSkinData(HWND window, const std::string& className) const;
    bool AcceptWindow(HWND window, const std::string& className) const;

    const std::vector<std::unique_ptr<TFormSkinner>>& FormSkinners() const { return formSkinners_; }
    const std::vector<std::unique_ptr<TPopupSkinner>>& PopupSkinners() const { return popupSkinners_; }
    const std::vector<TSkinData*>& SkinDatas() const { return skinDatas_; }

    TSkinData* DefaultSkin = nullptr;
    TSkinData* RequestSkin = nullptr;
    int PendingRequest = 0;
    bool Skinning = false;
    bool ForceSkin = false;
    // 0 nothing started; 1 after the first activation or Active of a main-form skin; one more
    // per other loaded skin; 4 while the manager ends.
    int SkinState = 0;
    int MenuContext = mcPopup;
    bool MenuLoop = false;
    bool MdiMaximized = false;
    HWND MdiClient = nullptr;
    TCustomForm* MdiFrameForm = nullptr;
    bool HideDuringAttach = false;

  private:
    static LRESULT CALLBACK CbtProc(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK TimerWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    void hookNotification(int code, WPARAM wParam, LPARAM lParam);
    void unskinAndFree(TFormSkinner* skinner);
    void skinVisibleForms(TComponent* only);

    std::vector<std::unique_ptr<TFormSkinner>> formSkinners_;
    std::vector<std::unique_ptr<TPopupSkinner>> popupSkinners_;
    std::vector<TSkinData*> skinDatas_;
    win::HookHandle hook_;
    HWND timerWindow_ = nullptr;
    win::WindowTimer timer_;
    UINT interval_ = 100;
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
