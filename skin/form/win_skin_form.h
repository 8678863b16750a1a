// TWinSkinForm: the skinner of one top-level window (a toolkit form, a dialog, a foreign window
// of the process or an MDI child). It subclasses the window, replaces the non-client frame by
// the skin's borders, caption, caption text and caption buttons while keeping the client size,
// cuts the window region from the border images and gives everything back when unskinned.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "skin/core/form_skinner_base.h"
#include "skin/form/attach_rules.h"
#include "skin/form/frame_layout.h"
#include "skin/form/frame_painter.h"
#include "skin/form/menu_bar.h"
#include "skin/form/menu_handlers.h"
#include "skin/form/nc_objects.h"
#include "toolkit/controls/messages.h"
#include "toolkit/controls/tool_bar.h"
#include "toolkit/core/free_watch.h"
#include "toolkit/graphics/bitmap.h"
#include "toolkit/handles.h"
#include "toolkit/subclass.h"

class TCanvas;
class TControl;
class TSkinControl;
class TCustomForm;
class TDataSkinBorder;
class TMenuItem;
class TObject;
class TPopupMenu;

// Window timer id of the hover timer on the skinned window itself.
constexpr UINT_PTR kHoverTimerId = 0x51F7;
constexpr UINT kHoverInterval = 250;

class TWinSkinForm : public TFormSkinner {
  public:
    TWinSkinForm(HWND window, const std::string& className);
    ~TWinSkinForm() override;
    TWinSkinForm(const TWinSkinForm&) = delete;
    TWinSkinForm& operator=(const TWinSkinForm&) = delete;

    // TFormSkinner.
    void SkinForm(TSkinData* skin, TComponent* control) override;
    void SkinWindow(TSkinData* skin) override;
    void Unskin() override;
    void Detach() override;
    void DiscardCaptionButtons() override;
    void RecalcBorders() override;
    void Reskin() override;
    void MdiMaximizedChanged(bool maximized) override;
    void AttachWindow(HWND child) override;

    void InitSkin();
    void PreserveClientSize(bool refresh);
    // dc null: the window DC. Never throws.
    void PaintFrame(HDC dc);
    void UpdateRegion();
    void RemoveRegion();
    void NotifyFrameChanged();
    void ReleaseOnDestroy();
    void UnskinControls();

    // Child control attachment.
    void AttachComponents(TComponent* owner);
    void AttachChildren(TControl* control);
    void AttachControl(TControl* control, TControl* parent);
    void AttachChildWindows(HWND window);
    // A scroll-bar skinner made afresh for a control whose scroll bars changed.
    void RecreateScrollSkinner(HWND window);
    // The custom-draw handlers given to tool bars: the skin's tool-bar image behind the bar, the
    // button faces behind its buttons.
    void PaintToolbarBackground(TToolBar* sender, const RECT& rect, bool& defaultDraw);
    void PaintToolbarButton(TToolBar* sender, TToolButton* button, TCustomDrawState state, bool& defaultDraw);

    // An MDI frame whose active child is maximised shows that child's buttons on its menu band.
    bool ActiveMdiChildMaximized() const;
    // What the frame layout needs to know of the window now.
    TFrameFacts FrameFacts() const;
    // The art the frame painter cannot find in the skin: caption font, icon, menu band.
    TFrameArt FrameArt();

    // Caption buttons.
    TWinSysButton* ButtonAt(POINT framePoint);
    // The caption button at a frame point, else the menu-bar item there, else null.
    TNCObject* ObjectAt(POINT framePoint);
    void DrawIcon(HDC dc, const RECT& rect);
    void PerformAction(TWinSysButton& button, POINT point);
    void ShowSystemPopup(POINT screenPoint);
    void ToggleMaximize();
    void ToggleMinimize();
    void RestoreWindow();
    void RebuildIconBitmap();
    POINT ScreenToFrame(POINT screen) const;
    void HideHint();
    // Runs one tick of the hover timer (the WM_TIMER handler; tests call it directly too).
    void HoverTick();

    // Owner-drawn menus: the toolkit menus a form owns switched to the skin's drawing and back,
    // their measure and draw handlers, and the items of menus known only by handle.
    void SetPopupMenusOwnerDraw(TComponent* owner, bool on);
    void SetMainMenusOwnerDraw(TComponent* owner, bool on);
    void SetItemTreeOwnerDraw(TMenuItem* item, bool on);
    void MeasureMenuItem(TObject* sender, TCanvas* canvas, int& width, int& height);
    void MeasureMainMenuItem(TObject* sender, TCanvas* canvas, int& width, int& height);
    void DrawMenuItem(TObject* sender, TCanvas* canvas, const RECT& rect, bool selected);
    void DrawHandleMenuItem(HMENU menu, UINT id, HDC dc, const RECT& rect, bool selected);
    // The owner-drawn popup that stands in for the system menu, made afresh from it.
    TPopupMenu& BuildSystemPopup();
    // The handlers given to toolkit menu items, taken back when the skinner lets go.
    TMenuHandlerLedger MenuHandlers;

    // Everything below is the skinner's state; painters and tests read it.
    TComponent* Control = nullptr;
    TCustomForm* Form = nullptr;
    bool FrameSkinned = false;
    bool Active = true;
    int BorderKind = bkFixed;
    int BorderIcons = 0;
    int WindowState = swNormal;
    bool RightToLeft = false;
    bool IsChild = false;
    bool IsDialog = false;
    bool IsUnicode = false;
    HWND Owner = nullptr;
    DWORD Style = 0;
    int BorderLeft = 0, CaptionHeight = 0, BorderRight = 0, BorderBottom = 0, MenuHeight = 0;
    int SysFrameWidth = 0, SysFrameHeight = 0;
    RECT ClientRect{}, WindowRect{}, CaptionTextRect{};
    int FrameWidth = 0, FrameHeight = 0;
    win::FontHandle CaptionFont;
    TBitmap CaptionBuffer;
    TBitmap IconBitmap;
    int IconSize = 16;
    std::vector<std::unique_ptr<TWinSysButton>> CaptionButtons;
    TNCObject* HotObject = nullptr;
    HMENU SavedMenu = nullptr;
    HMENU SystemMenu = nullptr;
    std::unique_ptr<TPopupMenu> SystemPopup;
    std::unique_ptr<TWinSkinMenu> MenuBarSkinner;
    // The submenu of the menu bar being tracked.
    HMENU CurrentPopup = nullptr;
    bool TrackingMenu = false;
    bool OwnsRegion = false;
    int RegionWidth = 0, RegionHeight = 0;
    int RegionBuilds = 0; // how often the region was rebuilt
    HWND MdiClient = nullptr;
    HWND HoveredControl = nullptr;
    TColor SavedColor = 0;
    bool SavedMenuUpdate = true;
    UINT DoubleClickTime = 0;
    DWORD LastSysMenuTick = 0;
    // How long the mouse has rested on the hinted caption button.
    int HintElapsed = 0;

  private:
    friend class TWinSysButton;
    LRESULT dispatch(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT stage2(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT stage3(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT passOn(UINT msg, WPARAM wParam, LPARAM lParam);
    // The toolkit form's own message method: the program's code.
    void callOld(TMessage& message);
    // The skinner was let go during the message (unskinned or its window destroyed) and is
    // freed when the message returns: code after the window's own procedure stops there.
    bool released();
    void toolkitHook(TMessage& message);
    void toolkitMessage(TMessage& message);
    LRESULT mdiClientMessage(UINT msg, WPARAM wParam, LPARAM lParam);

    void deferredAttach();
    void subclass();
    void restoreProcedures();
    void attachAllControls();
    void attachChildWindows();
    void freeChildSkinners();
    TAttachFacts attachFacts() const;
    void adoptSkinner(TComponent* result, TControl& control);
    void carryOut(const TAttachDecision& decision, TControl& control);
    TSkinControl* makeSkinner(TControl& control, const TSkinnerPlan& plan);
    TSkinControl* makeWindowSkinner(HWND window, const TSkinnerPlan& plan);
    void installToolbarHandlers(TControl& control);
    void removeToolbarHandlers();
    void readWindowState();
    void removeSysMenuStyle();
    void restoreSysMenuStyle();
    void startHoverTimer(bool on);
    void skinCompleted();

    // Frame painting.
    void paintFrameUnguarded(HDC dc);
    void takeLayout(const TFrameLayout& layout);
    std::wstring windowText() const;

    // Handlers.
    LRESULT onNcCalcSize(WPARAM wParam, LPARAM lParam);
    LRESULT onSize(WPARAM wParam, LPARAM lParam);
    LRESULT onNcActivate(WPARAM wParam, LPARAM lParam);
    LRESULT onNcPaint(WPARAM wParam, LPARAM lParam);
    LRESULT onEraseBkgnd(WPARAM wParam, LPARAM lParam);
    LRESULT onCtlColor(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT onNcHitTest(WPARAM wParam, LPARAM lParam);
    LRESULT onNcMouseMove(WPARAM wParam, LPARAM lParam);
    LRESULT onNcLButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT onNcLButtonUp(WPARAM wParam, LPARAM lParam);
    LRESULT onNcLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT onNcRButtonDown(WPARAM wParam, LPARAM lParam);
    LRESULT onSysCommand(WPARAM wParam, LPARAM lParam);
    LRESULT onMenuChanged(WPARAM wParam, LPARAM lParam);
    LRESULT onMeasureItem(WPARAM wParam, LPARAM lParam);
    void measureMainMenuItem(TMenuItem& item, MEASUREITEMSTRUCT& m);
    LRESULT onMenuBarClick(LPARAM lParam);
    // Alt+letter, F10 and Alt alone reach the menu bar; true when it took the key.
    bool onMenuKey(WPARAM wParam, LPARAM lParam);
    void onDialogChar(TMessage& message);
    void menuChangedInToolkit(TMessage& message);
    // The window has a menu again (the toolkit re-attached it): the bar takes it over again.
    void menuReattached();
    void attachMenuBar();
    void detachMenuBar(bool giveMenuBack);
    LRESULT onDrawItem(WPARAM wParam, LPARAM lParam);
    void setMenusOwnerDraw(bool on);
    TMenuDrawItemEvent skinDrawHandler();
    TMenuMeasureItemEvent skinMeasureHandler(bool mainMenu);
    void onMdiChildCommand(UINT command);

    win::Subclass subclass_;
    win::Subclass mdiSubclass_;
    TWndMethod oldWindowProc_;
    // How often the form's own method has run: a failure of ours does not run it twice.
    int oldCalls_ = 0;
    bool hookedWindowProc_ = false;
    bool hoverRunning_ = false;
    // The tool bars given this form's custom-draw handlers, watched so that the handlers are
    // taken back from every bar still alive, whatever became of its window.
    TFreeWatch toolbars_;
};

// Fills SkinnerFactory() with the form and popup-menu skinners.
void RegisterFormSkinning();
