// The main form (unit Unit_capscr): never shown; it owns the tray icon and its menu, receives the
// hotkeys and tray messages, and carries the skin components.
#pragma once

#include <windows.h>

#include <shellapi.h>

#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"

class TSkinData;
class TSkinStore;

// The tray icon's callback message.
constexpr UINT WM_TRAYNOTIFY = WM_USER + 100;
constexpr int kHotkeyPrintScreen = 115;
constexpr int kHotkeyCtrlAltC = 116;

class TForm1 : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TForm1(TComponent* owner) : TForm(owner) {}
    void Loaded() override;

    void FormCreate(TObject* Sender);
    void FormDestroy(TObject* Sender);
    void Option1Click(TObject* Sender);
    void About1Click(TObject* Sender);
    void Exit1Click(TObject* Sender);
    // Starts the region capture; no menu item or key is bound to it.
    void N3Click(TObject* Sender);

    TPopupMenu* PopupMenu1 = nullptr;
    TSkinData* SkinData1 = nullptr;
    TSkinStore* SkinStore1 = nullptr;

  protected:
    void WndProc(TMessage& message) override;

  private:
    bool apponlyonetime();
    NOTIFYICONDATAA trayRecord();
    void hotkey(TMessage& message);
    void trayNotify(TMessage& message);

    POINT trayPoint_{0, 0};
};
