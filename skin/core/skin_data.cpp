// TSkinData: published properties, the stored skin stream, and the skin's life cycle (loading,
// activation, store items, skin files). Parsing the description is skin_loader.cpp.
#include "skin/core/skin_data.h"

#include <algorithm>
#include <sstream>

#include "skin/core/optional_user32.h"
#include "skin/core/skin_manager_link.h"
#include "skin/paint/window_icon.h"
#include "skin/res/skin_store.h"
#include "skin/res/win/system_colours.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TSkinData::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TSkinData>("TSkinData", &TComponent::StaticClass())
            .Creatable()
            .Bool("Active", &TSkinData::Active, &TSkinData::SetActive, false)
            .Int("DisableTag", &TSkinData::DisableTag, &TSkinData::SetDisableTag, 99)
            .Set("SkinControls", SkinControlTypeInfo(), 4, &TSkinData::SkinControls,
                 &TSkinData::SetSkinControls, kDefaultSkinControls)
            .Set("Options", SkinOptionInfo(), 2, &TSkinData::Options, &TSkinData::SetOptions,
                 kDefaultSkinOptions)
            .Str("Skin3rd", &TSkinData::Skin3rdText, &TSkinData::SetSkin3rdText)
            .Str("SkinFile", &TSkinData::SkinFile, &TSkinData::SetSkinFile)
            .Display("SkinStore", &TSkinData::SkinStore)
            .Enum("SkinFormtype", SkinFormTypeInfo(), &TSkinData::SkinFormtype, &TSkinData::SetSkinFormtype,
                  sfMainform)
            .Display("Version", &TSkinData::Version)
            .Bool("MenuUpdate", &TSkinData::MenuUpdate, &TSkinData::SetMenuUpdate, true)
            .Bool("MenuMerge", &TSkinData::MenuMerge, &TSkinData::SetMenuMerge, false)
            .Event("OnFormSkin", &TSkinData::OnFormSkin)
            .Event("OnSkinChanged", &TSkinData::OnSkinChanged)
            .Event("OnSkinControl", &TSkinData::OnSkinControl)
            .Event("OnBeforeSkinForm", &TSkinData::OnBeforeSkinForm)
            .Event("OnAfterSkinForm", &TSkinData::OnAfterSkinForm)
            .Binary("SkinStream", &TSkinData::ReadSkinStream, &TSkinData::WriteSkinStream,
                    &TSkinData::SkinStreamStored)
            .Build();
    return info;
}

TSkinData::TSkinData(TComponent* AOwner)
    : TComponent(AOwner), skin3rd_(DefaultSkin3rd()), menuGlyphs_(std::make_unique<TImageList>(nullptr)),
      appIcon_(), captionHint_(std::make_unique<TCaptionHint>()) {
    Borders.Left = std::make_unique<TDataSkinBorder>("Left");
    Borders.Right = std::make_unique<TDataSkinBorder>("Right");
    Borders.Top = std::make_unique<TDataSkinBorder>("Top");
    Borders.Bottom = std::make_unique<TDataSkinBorder>("Bottom");
    Title = std::make_unique<TDataSkinTitle>("Title");
    Buttons = std::make_unique<TDataSkinButton>("Buttons");
    Track = std::make_unique<TDataSkinObject>("Track");
    TrackVert = std::make_unique<TDataSkinObject>("TRACKVERT");
    Toolbar = std::make_unique<TDataSkinObject>("Toolbar");
    qs::UseSystemColours();
    appIcon_.SetPixelFormat(pf24bit);
    menuGlyphs_->SetSize(16, 16);
    menuGlyphs_->LoadFromResourceName(GetModuleHandleA(nullptr), "KALEIDOMENU", clWhite);
}

TSkinData::~TSkinData() {
    if (auto& unregister = SkinManagerLink().UnregisterSkin) unregister(this);
}

std::string TSkinData::Skin3rdText() const {
    std::string text;
    for (const std::string& line : skin3rd_)
        text += line + "\r\n";
    return text;
}

void TSkinData::SetSkin3rdText(const std::string& value) {
    std::vector<std::string> lines;
    std::string line;
    for (size_t i = 0; i < value.size(); ++i) {
        const char c = value[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < value.size() && value[i + 1] == '\n') ++i;
        } else {
            line += c;
        }
    }
    if (!line.empty()) lines.push_back(line);
    skin3rd_ = std::move(lines);
}

std::string TSkinData::SkinStore() const {
    return IsDesigning() && skinStream_.Size() > 0 ? "(Good)" : "(none)";
}

void TSkinData::SetActive(bool value) {
    if (value == active_) return;
    active_ = value;
    if (IsDesigning() || IsLoading()) return;
    TSkinManagerLink& link = SkinManagerLink();
    if (!link.Schedule) return;
    switch (formType_) {
    case sfMainform:
        if (!value) {
            link.Schedule(this, 2);
        } else if (!skinPending_) {
            link.Schedule(this, 1);
            if (link.SetSkinState) link.SetSkinState(1);
        }
        break;
    case sfOnlyThisForm:
        if (value && skinPending_) break;
        link.Schedule(this, value ? 1 : 2);
        break;
    default: break;
    }
}

void TSkinData::SetSkinFile(const std::string& value) {
    skinPending_ = true;
    skinFile_ = value;
    if (IsDesigning()) {
        if (!value.empty()) skinStream_.Clear();
        return;
    }
    if (value.empty()) return;
    const DWORD attrs = GetFileAttributesA(value.c_str());
    if (attrs == INVALID_FILE_ATTRIBUTES || (attrs & FILE_ATTRIBUTE_DIRECTORY)) return;
    TMemoryStream file;
    if (!file.LoadFromFile(value)) return;
    skinStream_.Clear();
    skinStream_.CopyFrom(file, 0);
    LoadSkin();
    ApplySkin();
}

void TSkinData::ReadSkinStream(const std::vector<uint8_t>& stored) {
    if (stored.size() < 4) throw EReadError("SkinStream: the stored value has no byte count");
    const int32_t n = int32_t(uint32_t(stored[0]) | uint32_t(stored[1]) << 8 | uint32_t(stored[2]) << 16 |
                              uint32_t(stored[3]) << 24);
    if (n <= 0) return;
    if (size_t(n) > stored.size() - 4) throw EReadError("SkinStream: the byte count exceeds the stored data");
    skinStream_.Clear();
    skinStream_.Write(stored.data() + 4, size_t(n));
    skinStream_.SetPosition(0);
    if (!IsDesigning()) LoadSkin();
}

std::vector<uint8_t> TSkinData::WriteSkinStream() const {
    const auto& bytes = skinStream_.Bytes();
    const uint32_t n = uint32_t(bytes.size());
    std::vector<uint8_t> out(4 + bytes.size());
    for (int i = 0; i < 4; ++i)
        out[size_t(i)] = uint8_t(n >> (8 * i));
    std::copy(bytes.begin(), bytes.end(), out.begin() + 4);
    return out;
}

void TSkinData::Loaded() {
    TComponent::Loaded();
    if (IsDesigning()) return;
    if (!OptionalUser32().GetScrollBarInfo) skinControls_ &= ~SetOf(xcScrollbar);
    TSkinManagerLink& link = SkinManagerLink();
    if (link.RegisterSkin) link.RegisterSkin(this);
    if (formType_ == sfMainform) {
        if (link.InstallHook) link.InstallHook();
        if (active_) {
            if (skinPending_)
                active_ = false;
            else if (link.Schedule)
                link.Schedule(this, 1);
        }
        // Menu items are owner-drawn only without a skinned menu bar; the system menu only with one.
        if (InSet(skinControls_, xcMainMenu))
            skinControls_ &= ~SetOf(xcMenuItem);
        else
            skinControls_ &= ~SetOf(xcSystemMenu);
        buildAppIcon();
    } else if (link.StartSkin) {
        link.StartSkin(this);
    }
}

void TSkinData::LoadFromStore(TSkinStore* store, int index) {
    if (!store || index < 0 || index >= store->Store()->Count()) return;
    skinPending_ = true;
    TMemoryStream& data = store->Store()->Items(index)->DataStream();
    skinStream_.Clear();
    skinStream_.CopyFrom(data, 0);
    LoadSkin();
    ApplySkin();
}

void TSkinData::ApplySkin() {
    if (IsDesigning() || IsLoading()) return;
    TSkinManagerLink& link = SkinManagerLink();
    if (link.HasManager && !link.HasManager()) Loaded();
    if (link.ReloadSkin) link.ReloadSkin(this);
    if (link.SkinState && link.SkinState() == 1 && link.Schedule) link.Schedule(this, 3);
}

void TSkinData::DoFormSkin(HWND, const std::string& className, bool& doSkin) {
    if (OnFormSkin) {
        OnFormSkin(this, className, doSkin);
        return;
    }
    if (className == "SysMonthCal32")
        doSkin = false;
    else if (InSet(skinControls_, xcFastReport) && className.compare(0, 3, "Tfr") == 0)
        doSkin = false;
}

void TSkinData::DoSkinChanged() {
    if (OnSkinChanged) OnSkinChanged(this);
}

void TSkinData::ShowCaptionHint(const RECT& rect, const std::string& text) {
    if (!InSet(options_, xoCaptionButtonHint) || captionHint_->HintShowing) return;
    RECT r = captionHint_->CalcHintRect(500, text);
    OffsetRect(&r, rect.left, rect.top);
    captionHint_->ActivateHint(r, text);
    captionHint_->HintShowing = true;
}

void TSkinData::HideCaptionHint() {
    if (!captionHint_->HintShowing) return;
    captionHint_->ReleaseHandle();
    captionHint_->HintShowing = false;
}

HWND TSkinData::ownerWindow() const {
    auto* owner = dynamic_cast<TWinControl*>(Owner());
    return owner ? owner->Handle() : nullptr;
}

void TSkinData::buildAppIcon() {
    HICON icon = WindowIcon(ownerWindow());
    if (!icon) return;
    PaintIconOnKey(appIcon_, icon, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON), pf24bit);
    appIcon_.SetTransparentColor(clFuchsia);
    appIcon_.SetTransparent(true);
}

void TSkinData::AdoptAppIcon(const TBitmap& icon) {
    if (appIcon_.Empty()) appIcon_.Assign(&icon);
}
