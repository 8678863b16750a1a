// The gallery's main form: an MDI frame that carries the skin components (its own skin and the
// store of ten), a menu bar and a popup menu holding every kind of menu entry, the skin choice,
// and the control pages as MDI children (pages.h).
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "gallery/command_line.h"
#include "gallery/find_dialog.h"
#include "gallery/skin_watch.h"
#include "toolkit/controls/actions.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/menus.h"

class TImageList;
class TSkinData;
class TSkinStore;
class TStatusBar;
class TTimer;

class TGalleryForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TGalleryForm(TComponent* owner) : TForm(owner) {}
    void Loaded() override;

    // The start-up choices: a skin file's bytes (when the options name one) or a bundled skin,
    // the menus' direction, a page. False with the reason when the skin file is not accepted.
    bool Start(const GalleryOptions& options, const std::vector<uint8_t>& skinFile, std::string& error);
    // A bundled skin: a store item 0 to 9, or kOwnSkin; its Skin menu item is checked.
    void SelectStoredSkin(int index);
    // A skin file's bytes; once in use, no Skin menu item is checked.
    bool UseSkinFile(const std::vector<uint8_t>& bytes, std::string& error);
    // What File -> Open skin does once a file is chosen: the skin file read and used, and put
    // first in Recent skins. False with the reason, the skin unchanged, when it cannot be used.
    bool OpenSkinFile(const std::wstring& path, std::string& error);
    // Uses the skin `path` holds (a skin folder, packed skin or theme) and follows every save of
    // it; the status line, shown from now on, names the path or says why a save was refused,
    // the last good skin staying. False with the reason when the path cannot be watched.
    bool WatchSkin(const std::wstring& path, std::string& error);
    // The skin files opened this run, most recent first.
    const std::vector<std::wstring>& RecentSkinFiles() const { return recentSkinFiles_; }
    // Recent skins lists the files opened, then the bundled skins; File's OnClick refills it.
    void FillRecentSkins();
    // The Find dialog (modeless; one at a time). OK activates the first window whose caption
    // holds the text.
    TFindDialog& FindDialog() { return findDialog_; }
    void SetRightToLeft(bool value);
    TCustomForm* NewWindow();
    // Once the window shows, skinned and painted, saves its screenshot to `path` and calls `done`
    // with the reason it failed (empty when it did not).
    void TakeShot(const std::wstring& path, std::function<void(const std::string& error)> done);

    void FormCreate(TObject* Sender);
    void NewWindowExecute(TObject* Sender);
    void OpenSkinExecute(TObject* Sender);
    void FindExecute(TObject* Sender);
    // The system's own dialogs, skinned through their window classes like any other window.
    void ChooseColourClick(TObject* Sender);
    void MessageBoxClick(TObject* Sender);
    void FileClick(TObject* Sender);
    void CascadeExecute(TObject* Sender);
    void TileExecute(TObject* Sender);
    void ArrangeUpdate(TObject* Sender);
    void RefreshExecute(TObject* Sender);
    void AboutExecute(TObject* Sender);
    void ExitClick(TObject* Sender);
    void SkinItemClick(TObject* Sender);
    void SkinnedClick(TObject* Sender);
    void HintsClick(TObject* Sender);
    void DirectionClick(TObject* Sender);

    TMainMenu* MainMenu1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TImageList* ImageList1 = nullptr;
    TMenuItem* Skin1 = nullptr;
    TMenuItem* RecentSkins1 = nullptr;
    TMenuItem* Skinned1 = nullptr;
    TMenuItem* Hints1 = nullptr;
    TMenuItem* LeftToRight1 = nullptr;
    TMenuItem* RightToLeft1 = nullptr;
    TSkinData* SkinData1 = nullptr;
    TSkinStore* SkinStore1 = nullptr;
    TStatusBar* StatusBar1 = nullptr; // made by WatchSkin

  protected:
    void WndProc(TMessage& message) override;

  private:
    void shotTick();
    void openSkinFileOrSay(const std::wstring& path);
    void findWindow(const std::string& text);
    void watchTick();
    void reloadWatchedSkin();
    void say(const std::string& text);
    void layoutStatusBar();

    std::vector<uint8_t> ownSkin_; // the skin read with the form, to switch back to
    int windowsMade_ = 0;
    std::vector<std::wstring> recentSkinFiles_;
    // The colour dialog starts from the last colour chosen, with the custom colours kept.
    COLORREF colour_ = RGB(0, 120, 215);
    COLORREF customColours_[16] = {};
    TFindDialog findDialog_;
    TTimer* shotTimer_ = nullptr;
    std::wstring shotPath_;
    std::function<void(const std::string&)> shotDone_;
    DWORD shownAt_ = 0;
    bool repainted_ = false;
    std::unique_ptr<TSkinWatch> watch_;
    std::wstring watchPath_;
    TTimer* watchTimer_ = nullptr;
    bool reloadWaiting_ = false; // a save settled while a menu was open
};
