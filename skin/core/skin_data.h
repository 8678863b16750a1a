// TSkinData: the non-visual component a form carries to be skinned. It holds one loaded skin
// (the compressed archive as its stored SkinStream, and the model parsed from it: records,
// colours, derived images) and the switches that decide what gets skinned.
#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "skin/core/caption_hint.h"
#include "skin/core/parse_colour.h"
#include "skin/core/skin_records.h"
#include "skin/core/skin_types.h"
#include "toolkit/core/component.h"
#include "toolkit/core/events.h"
#include "toolkit/core/stream.h"
#include "toolkit/graphics/image_list.h"

class TControl;
class TSkinData;
class TSkinStore;

using TOnFormSkin = TEvent<void(TObject* Sender, const std::string& aName, bool& DoSkin)>;
using TOnSkinForm = TEvent<void(TObject* Sender, HWND ahwnd, const std::string& aName)>;
using TOnSkinControl = TEvent<void(TComponent* Sender, TSkinData* SkinData, TControl* Form, TControl* Control,
                                   const std::string& ControlClass, TComponent*& SkinnedControl)>;

// Colour-table indices the painters use by name.
enum TSkinColourIndex {
    scWindowText = 0,
    scTitleTextActive = 1,
    scTitleTextNoActive = 2,
    scButtonFace = 3,
    scButtonText = 4,
    scButtonHilight = 5,
    scButtonlight = 6,
    scButtonShadow = 7,
    scButtonDkShadow = 8,
    scHilightText = 11,
    scHilight = 12,
    scMenubar = 13,
    scMenuBarText = 14,
    scMenuText = 15,
    scMenu = 16,
    scFrameColour = 17,
    scScrollbar = 18
};

struct TSkinColour {
    TColor Value = clBlack;
    bool Given = false; // read from the skin rather than defaulted
};

// The four frame borders.
struct TSkinBorders {
    std::unique_ptr<TDataSkinBorder> Left, Right, Top, Bottom;
};

class TSkinData : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TSkinData(TComponent* AOwner);
    ~TSkinData() override;

    // Published switches.
    bool Active() const { return active_; }
    void SetActive(bool value);
    int32_t DisableTag() const { return disableTag_; }
    void SetDisableTag(int32_t value) { disableTag_ = value; }
    TSkinControlTypes SkinControls() const { return skinControls_; }
    void SetSkinControls(TSkinControlTypes value) { skinControls_ = value; }
    TSkinOptions Options() const { return options_; }
    void SetOptions(TSkinOptions value) { options_ = value; }
    const std::vector<std::string>& Skin3rd() const { return skin3rd_; }
    void SetSkin3rd(const std::vector<std::string>& value) { skin3rd_ = value; }
    // The list as one text, a line per entry (its stored form).
    std::string Skin3rdText() const;
    void SetSkin3rdText(const std::string& value);
    std::string SkinFile() const { return skinFile_; }
    void SetSkinFile(const std::string& value);
    std::string SkinStore() const; // display only
    TSkinFormType SkinFormtype() const { return formType_; }
    void SetSkinFormtype(TSkinFormType value) { formType_ = value; }
    std::string Version() const { return "5.40.07.15"; }
    bool MenuUpdate() const { return menuUpdate_; }
    void SetMenuUpdate(bool value) { menuUpdate_ = value; }
    bool MenuMerge() const { return menuMerge_; }
    void SetMenuMerge(bool value) { menuMerge_ = value; }

    TOnFormSkin OnFormSkin;
    TNotifyEvent OnSkinChanged;
    TOnSkinControl OnSkinControl;
    TOnSkinForm OnBeforeSkinForm;
    TOnSkinForm OnAfterSkinForm;

    // The stored skin: int32 count then the compressed archive (nothing more when count <= 0).
    TMemoryStream& SkinStream() { return skinStream_; }
    void ReadSkinStream(const std::vector<uint8_t>& stored);
    std::vector<uint8_t> WriteSkinStream() const;
    bool SkinStreamStored() const { return skinStream_.Size() > 0; }

    void Loaded() override;
    // Parses SkinStream into the model; false (model unchanged, SkinPending) when not accepted.
    bool LoadSkin();
    // Replaces the skin with a store item's and applies it; an index not below the count does nothing.
    void LoadFromStore(TSkinStore* store, int index);
    void ApplySkin();
    void DoFormSkin(HWND window, const std::string& className, bool& doSkin);
    void DoSkinChanged();
    void ShowCaptionHint(const RECT& rect, const std::string& text);
    void HideCaptionHint();

    // The model. Slots are null when the skin has no such section, except the always-present
    // records (Borders, Title, Buttons, Track, TrackVert, Toolbar) which exist with empty images.
    TSkinBorders Borders;
    std::unique_ptr<TDataSkinTitle> Title;
    std::unique_ptr<TDataSkinObject> MenuBar;
    std::vector<std::unique_ptr<TDataSkinSysButton>> SysButtons;
    std::unique_ptr<TDataSkinButton> Buttons;
    std::unique_ptr<TDataSkinBorder> Progress;
    std::unique_ptr<TDataSkinObject> ProgressChunk;
    std::unique_ptr<TDataSkinObject> GroupBoxEdge;
    std::unique_ptr<TDataSkinBoxLabel> GroupBox;
    std::unique_ptr<TDataSkinBorder> Tabs;
    std::unique_ptr<TDataSkinObject> StatusBarEdges;
    std::unique_ptr<TDataSkinObject> TabPane;
    std::unique_ptr<TDataSkinObject> ToolBars;
    std::unique_ptr<TDataSkinBorder> ComboButton;
    std::unique_ptr<TDataSkinObject> SunkEdge;
    std::unique_ptr<TDataSkinObject> ExtraImages;
    std::unique_ptr<TDataSkinObject> Headerbar;
    std::unique_ptr<TDataSkinObject> MenuItem;
    std::unique_ptr<TDataSkinObject> MenuBackground;
    std::unique_ptr<TDataSkinObject> Scrollbar;
    std::unique_ptr<TDataSkinObject> HorzScroll, VertScroll;
    std::unique_ptr<TDataSkinObject> HorzScrollThumb, VertScrollThumb;
    std::unique_ptr<TDataSkinObject> TrackbarThumbHorz, TrackbarThumbVert, TrackbarThumbLeft,
        TrackbarThumbRight, TrackbarThumbUp, TrackbarThumbDown;
    std::unique_ptr<TDataSkinBorder> UpDownHorz, UpDownVert;
    std::unique_ptr<TDataSkinObject> Track, TrackVert;
    std::unique_ptr<TDataSkinObject> ComboxArrow;
    std::unique_ptr<TDataSkinObject> Toolbar;

    std::array<TSkinColour, 19> Colours;
    std::vector<TColor> SectionColours;
    std::array<TColor, 10> CustomColors{};
    // A face colour the skin leaves to the system is the system's own brush, so a change of the
    // system colours shows at once.
    HBRUSH FaceBrush() const {
        const TColor face = Colour(scButtonFace);
        return face < 0 ? GetSysColorBrush(int(face & 0xFF)) : faceBrush_.Get();
    }
    TColor Colour(int index) const { return Colours[size_t(index)].Value; }

    TImageList& MenuGlyphs() { return *menuGlyphs_; }
    TBitmap& AppIcon() { return appIcon_; }
    // A window skinned before the skin knew the program's icon offers its own; the first one stays.
    void AdoptAppIcon(const TBitmap& icon);
    // Systems that draw their own system menus keep it out of the skinned controls.
    void ExcludeSystemMenu() { skinControls_ &= ~SetOf(xcSystemMenu); }
    TCaptionHint& CaptionHint() { return *captionHint_; }
    bool SkinPending() const { return skinPending_; }
    // No frame images: nothing skins a window's frame or a menu window with this skin.
    bool Empty() const {
        return !Borders.Top || (Borders.Top->Bitmap.Empty() && Borders.Left->Bitmap.Empty() &&
                                Borders.Right->Bitmap.Empty() && Borders.Bottom->Bitmap.Empty());
    }
    bool FramePaintEnabled() const { return framePaintEnabled_; }
    void SetFramePaintEnabled(bool value) { framePaintEnabled_ = value; }

  private:
    friend class TSkinLoader;
    void buildAppIcon();
    HWND ownerWindow() const;

    bool active_ = false;
    int32_t disableTag_ = 99;
    TSkinControlTypes skinControls_ = kDefaultSkinControls;
    TSkinOptions options_ = kDefaultSkinOptions;
    std::vector<std::string> skin3rd_;
    std::string skinFile_;
    TSkinFormType formType_ = sfMainform;
    bool menuUpdate_ = true;
    bool menuMerge_ = false;

    TMemoryStream skinStream_;
    win::BrushHandle faceBrush_;
    std::unique_ptr<TImageList> menuGlyphs_;
    TBitmap appIcon_;
    std::unique_ptr<TCaptionHint> captionHint_;
    bool skinPending_ = true;
    bool framePaintEnabled_ = true;
};

// The class-mapping entries a new skin component starts with.
const std::vector<std::string>& DefaultSkin3rd();
