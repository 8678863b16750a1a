// The gallery's main form: skin choice, menus, MDI windows and the screenshot.
#include "gallery/gallery_form.h"

#include <commdlg.h>

#include <algorithm>
#include <cctype>
#include <exception>

#include "gallery/gallery_about.h"
#include "gallery/gallery_child.h"
#include "gallery/gallery_icons.h"
#include "gallery/pages.h"
#include "gallery/skin_files.h"
#include "gallery/watched_skin.h"
#include "gallery/wide_text.h"
#include "gallery/window_shot.h"
#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "skin/res/skin_store.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/status_bar.h"
#include "toolkit/controls/timer.h"
#include "toolkit/core/class_builder.h"
#include "toolkit/graphics/image_list.h"

namespace {

// The skinning manager answers its request 250 ms after a skin change; a shot waits past it.
constexpr DWORD kShotSettleMs = 600;
constexpr DWORD kShotGiveUpMs = 15000;
// How often a watched skin's folder is asked for changes (a check that does not wait).
constexpr int kWatchPollMs = 25;

std::wstring lastName(const std::wstring& path) {
    std::wstring p = path;
    while (p.size() > 1 && (p.back() == L'\\' || p.back() == L'/'))
        p.pop_back();
    const size_t slash = p.find_last_of(L"\\/");
    return slash == std::wstring::npos ? p : p.substr(slash + 1);
}

// A menu holds its items through its loop, so a skin change waits for it to close.
bool menuOpen() {
    return SkinManager && (SkinManager->MenuLoop() || !SkinManager->PopupSkinners().empty());
}

} // namespace

const TClassInfo& TGalleryForm::StaticClass() {
    using Handler = void(TObject*);
    static const TClassInfo& info =
        TClassBuilder<TGalleryForm>("TGalleryForm", &TForm::StaticClass())
            .Creatable()
            .Method<Handler>("FormCreate", &TGalleryForm::FormCreate)
            .Method<Handler>("NewWindowExecute", &TGalleryForm::NewWindowExecute)
            .Method<Handler>("OpenSkinExecute", &TGalleryForm::OpenSkinExecute)
            .Method<Handler>("FindExecute", &TGalleryForm::FindExecute)
            .Method<Handler>("ChooseColourClick", &TGalleryForm::ChooseColourClick)
            .Method<Handler>("MessageBoxClick", &TGalleryForm::MessageBoxClick)
            .Method<Handler>("FileClick", &TGalleryForm::FileClick)
            .Method<Handler>("CascadeExecute", &TGalleryForm::CascadeExecute)
            .Method<Handler>("TileExecute", &TGalleryForm::TileExecute)
            .Method<Handler>("ArrangeUpdate", &TGalleryForm::ArrangeUpdate)
            .Method<Handler>("RefreshExecute", &TGalleryForm::RefreshExecute)
            .Method<Handler>("AboutExecute", &TGalleryForm::AboutExecute)
            .Method<Handler>("ExitClick", &TGalleryForm::ExitClick)
            .Method<Handler>("SkinItemClick", &TGalleryForm::SkinItemClick)
            .Method<Handler>("SkinnedClick", &TGalleryForm::SkinnedClick)
            .Method<Handler>("HintsClick", &TGalleryForm::HintsClick)
            .Method<Handler>("DirectionClick", &TGalleryForm::DirectionClick)
            .Build();
    return info;
}

void TGalleryForm::Loaded() {
    TForm::Loaded();
    auto find = [this](auto*& field, const char* name) {
        field = dynamic_cast<std::remove_reference_t<decltype(field)>>(FindComponent(name));
    };
    find(MainMenu1, "MainMenu1");
    find(PopupMenu1, "PopupMenu1");
    find(ImageList1, "ImageList1");
    find(Skin1, "Skin1");
    find(RecentSkins1, "RecentSkins1");
    find(Skinned1, "Skinned1");
    find(Hints1, "Hints1");
    find(LeftToRight1, "LeftToRight1");
    find(RightToLeft1, "RightToLeft1");
    find(SkinData1, "SkinData1");
    find(SkinStore1, "SkinStore1");
}

void TGalleryForm::FormCreate(TObject*) {
    if (ImageList1) DrawGalleryIcons(*ImageList1);
    if (SkinData1) ownSkin_ = SkinData1->SkinStream().Bytes();
    findDialog_.OnFind = [this](const std::string& text) { findWindow(text); };
    FillRecentSkins();
}

bool TGalleryForm::Start(const GalleryOptions& options, const std::vector<uint8_t>& skinFile,
                         std::string& error) {
    if (!options.watchPath.empty()) {
        if (!WatchSkin(options.watchPath, error)) return false;
    } else if (!options.skinFile.empty()) {
        if (!UseSkinFile(skinFile, error)) return false;
    } else {
        SelectStoredSkin(options.bundled);
    }
    SetRightToLeft(options.rightToLeft);
    if (const GalleryPage* page = FindGalleryPage(options.page)) {
        auto* animation = dynamic_cast<GalleryAnimation*>(page->open(this));
        if (animation && !options.shotFile.empty()) animation->HoldStill();
    }
    return true;
}

void TGalleryForm::SelectStoredSkin(int index) {
    if (!SkinData1) return;
    if (index == kOwnSkin) {
        std::string ignored; // the form's own skin was accepted when the form was read
        UseSkinBytes(*SkinData1, ownSkin_, ignored);
    } else {
        SkinData1->LoadFromStore(SkinStore1, index);
    }
    for (TMenuItem* item : Skin1 ? Skin1->Items() : std::vector<TMenuItem*>{})
        if (item->Tag() == index) item->SetChecked(true);
}

bool TGalleryForm::UseSkinFile(const std::vector<uint8_t>& bytes, std::string& error) {
    if (!SkinData1 || !UseSkinBytes(*SkinData1, bytes, error)) return false;
    for (TMenuItem* item : Skin1 ? Skin1->Items() : std::vector<TMenuItem*>{})
        item->SetChecked(false);
    return true;
}

bool TGalleryForm::WatchSkin(const std::wstring& path, std::string& error) {
    auto watch = std::make_unique<TSkinWatch>();
    if (!watch->Start(path, error)) return false;
    watch_ = std::move(watch);
    watchPath_ = path;
    reloadWaiting_ = false;
    if (!StatusBar1) {
        StatusBar1 = new TStatusBar(this);
        StatusBar1->SetSimplePanel(true);
        StatusBar1->SetParent(this);
        layoutStatusBar();
    }
    SetCaption("Skin Gallery - " + Utf8(lastName(path)));
    if (!watchTimer_) watchTimer_ = new TTimer(this);
    watchTimer_->SetInterval(kWatchPollMs);
    watchTimer_->OnTimer = TNotifyEvent([this](TObject*) { watchTick(); });
    watchTimer_->SetEnabled(true);
    reloadWatchedSkin();
    return true;
}

void TGalleryForm::watchTick() {
    if (watch_->Settled(GetTickCount())) reloadWaiting_ = true;
    if (!reloadWaiting_ || menuOpen()) return;
    reloadWaiting_ = false;
    // A handler of the skin change may run a message loop: no second reload inside the first.
    watchTimer_->SetEnabled(false);
    try {
        reloadWatchedSkin();
    } catch (const std::exception& e) {
        say(Utf8(lastName(watchPath_)) + ": " + e.what() + " (the last good skin stays)");
    }
    if (!watch_->Failure().empty()) {
        say("No longer watching " + Utf8(watchPath_) + ": " + watch_->Failure());
        return;
    }
    watchTimer_->SetEnabled(true);
}

void TGalleryForm::reloadWatchedSkin() {
    std::vector<uint8_t> packed;
    std::string error;
    const std::string kept = " (the last good skin stays)";
    if (!BuildWatchedSkin(watchPath_, packed, error)) return say(error + kept);
    // A save that changed nothing (or touched another file of the folder) needs no reskin.
    if (SkinData1 && packed != SkinData1->SkinStream().Bytes()) {
        // What the checker calls an error is a broken save, even where the engine would make do.
        const std::string name = Utf8(lastName(watchPath_));
        if (const std::string problem = FirstProblem(packed, name); !problem.empty())
            return say(problem + kept);
        if (!SwapSkinBytes(*SkinData1, packed, error)) {
            const std::string reason = SkinBytesProblem(packed);
            return say(name + ": " + (reason.empty() ? "the skin engine does not accept it" : reason) + kept);
        }
        for (TMenuItem* item : Skin1 ? Skin1->Items() : std::vector<TMenuItem*>{})
            item->SetChecked(false);
    }
    say("Watching " + Utf8(watchPath_));
}

void TGalleryForm::say(const std::string& text) {
    if (StatusBar1 && StatusBar1->SimpleText() != text) StatusBar1->SetSimpleText(text);
}

void TGalleryForm::WndProc(TMessage& message) {
    TForm::WndProc(message);
    // The frame's default sizing gives the MDI client the whole client area; the status line
    // takes its bottom.
    if (message.Msg == WM_SIZE) layoutStatusBar();
}

void TGalleryForm::layoutStatusBar() {
    if (!StatusBar1 || !HandleAllocated() || !ClientHandle()) return;
    RECT r{};
    GetClientRect(Handle(), &r);
    const int height = StatusBar1->Height();
    StatusBar1->SetBounds(0, std::max(0L, r.bottom - height), r.right, height);
    SetWindowPos(ClientHandle(), nullptr, 0, 0, r.right, std::max(0L, r.bottom - height),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void TGalleryForm::SetRightToLeft(bool value) {
    const TBiDiMode mode = value ? bdRightToLeft : bdLeftToRight;
    if (MainMenu1) MainMenu1->SetBiDiMode(mode);
    if (PopupMenu1) PopupMenu1->SetBiDiMode(mode);
    if (TMenuItem* item = value ? RightToLeft1 : LeftToRight1) item->SetChecked(true);
}

TCustomForm* TGalleryForm::NewWindow() {
    auto* child = NewForm<TGalleryChild>(this);
    child->SetCaption("Window " + std::to_string(++windowsMade_));
    return child;
}

void TGalleryForm::NewWindowExecute(TObject*) {
    NewWindow();
}

void TGalleryForm::OpenSkinExecute(TObject*) {
    wchar_t file[MAX_PATH] = {};
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = Handle();
    ofn.lpstrFilter = L"Skins (*.skin)\0*.skin\0All files (*.*)\0*.*\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrTitle = L"Open skin";
    ofn.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
    if (GetOpenFileNameW(&ofn)) openSkinFileOrSay(file);
}

void TGalleryForm::ChooseColourClick(TObject*) {
    CHOOSECOLORW cc{};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = Handle();
    cc.rgbResult = colour_;
    cc.lpCustColors = customColours_;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorW(&cc)) colour_ = cc.rgbResult;
}

void TGalleryForm::MessageBoxClick(TObject*) {
    Application->MessageBox("A message box of the system's, in the gallery's skin.", "Skin Gallery",
                            MB_OKCANCEL | MB_ICONINFORMATION);
}

bool TGalleryForm::OpenSkinFile(const std::wstring& path, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!ReadSkinFile(path, bytes, error) || !UseSkinFile(bytes, error)) return false;
    std::erase(recentSkinFiles_, path);
    recentSkinFiles_.insert(recentSkinFiles_.begin(), path);
    return true;
}

void TGalleryForm::openSkinFileOrSay(const std::wstring& path) {
    std::string error;
    if (OpenSkinFile(path, error)) return;
    const std::wstring text = L"Cannot use the skin file \"" + path + L"\": " + Wide(error);
    MessageBoxW(Handle(), text.c_str(), L"Skin Gallery", MB_OK | MB_ICONERROR);
}

void TGalleryForm::FileClick(TObject*) {
    FillRecentSkins();
}

void TGalleryForm::FillRecentSkins() {
    if (!RecentSkins1) return;
    RecentSkins1->Clear();
    auto add = [this](const std::string& caption, std::function<void()> choose) {
        auto* item = new TMenuItem(this);
        item->SetCaption(caption);
        if (choose) item->OnClick = TNotifyEvent([choose = std::move(choose)](TObject*) { choose(); });
        RecentSkins1->Add(item);
    };
    for (const std::wstring& path : recentSkinFiles_) {
        const size_t slash = path.find_last_of(L"\\/");
        add(Utf8(slash == std::wstring::npos ? path : path.substr(slash + 1)),
            [this, path] { openSkinFileOrSay(path); });
    }
    if (!recentSkinFiles_.empty()) add("-", {});
    for (TMenuItem* skin : Skin1 ? Skin1->Items() : std::vector<TMenuItem*>{})
        add(skin->Caption(), [this, index = skin->Tag()] { SelectStoredSkin(index); });
}

void TGalleryForm::FindExecute(TObject*) {
    findDialog_.Show(Handle());
}

void TGalleryForm::findWindow(const std::string& text) {
    auto lower = [](std::string s) {
        for (char& c : s)
            c = char(std::tolower(static_cast<unsigned char>(c)));
        return s;
    };
    if (text.empty()) return;
    for (int i = 0; i < MDIChildCount(); ++i) {
        TCustomForm* child = MDIChildren(i);
        if (lower(child->Caption()).find(lower(text)) == std::string::npos) continue;
        SendMessageA(ClientHandle(), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(child->Handle()), 0);
        return;
    }
}

void TGalleryForm::CascadeExecute(TObject*) {
    Cascade();
}

void TGalleryForm::TileExecute(TObject*) {
    Tile();
}

void TGalleryForm::ArrangeUpdate(TObject* Sender) {
    if (auto* action = dynamic_cast<TAction*>(Sender)) action->SetEnabled(MDIChildCount() > 0);
}

void TGalleryForm::RefreshExecute(TObject*) {
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN);
}

void TGalleryForm::AboutExecute(TObject*) {
    ShowGalleryAbout();
}

void TGalleryForm::ExitClick(TObject*) {
    Close();
}

void TGalleryForm::SkinItemClick(TObject* Sender) {
    if (auto* item = dynamic_cast<TMenuItem*>(Sender)) SelectStoredSkin(item->Tag());
}

void TGalleryForm::SkinnedClick(TObject*) {
    if (!SkinData1 || !Skinned1) return;
    Skinned1->SetChecked(!Skinned1->Checked());
    SkinData1->SetActive(Skinned1->Checked());
}

void TGalleryForm::HintsClick(TObject*) {
    if (!SkinData1 || !Hints1) return;
    Hints1->SetChecked(!Hints1->Checked());
    const TSkinOptions hint = TSkinOptions(SetOf(xoCaptionButtonHint));
    SkinData1->SetOptions(Hints1->Checked() ? SkinData1->Options() | hint : SkinData1->Options() & ~hint);
}

void TGalleryForm::DirectionClick(TObject* Sender) {
    SetRightToLeft(Sender == RightToLeft1);
}

void TGalleryForm::TakeShot(const std::wstring& path, std::function<void(const std::string&)> done) {
    shotPath_ = path;
    shotDone_ = std::move(done);
    shownAt_ = 0;
    repainted_ = false;
    if (!shotTimer_) shotTimer_ = new TTimer(this);
    shotTimer_->SetInterval(100);
    shotTimer_->OnTimer = TNotifyEvent([this](TObject*) { shotTick(); });
    shotTimer_->SetEnabled(true);
}

void TGalleryForm::shotTick() {
    if (!HandleAllocated() || !IsWindowVisible(Handle())) return;
    const DWORD now = GetTickCount();
    if (!shownAt_) {
        shownAt_ = now;
        SetForegroundWindow(Handle());
        return;
    }
    const bool skinned = SendMessageA(Handle(), SKM_ISSKINNED, 0, 0) == 1;
    std::string error;
    if (!skinned || now - shownAt_ < kShotSettleMs) {
        if (now - shownAt_ < kShotGiveUpMs) return;
        error = "the window was not skinned within " + std::to_string(kShotGiveUpMs / 1000) + " s";
    } else if (!repainted_) {
        // One full paint of frame and children, shown on the next tick (the screen follows lazily).
        RedrawWindow(Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_FRAME | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        repainted_ = true;
        return;
    } else if (!SaveWindowShot(Handle(), shotPath_, error)) {
        error = "cannot save the screenshot \"" + Utf8(shotPath_) + "\": " + error;
    }
    shotTimer_->SetEnabled(false);
    if (shotDone_) shotDone_(error);
}
