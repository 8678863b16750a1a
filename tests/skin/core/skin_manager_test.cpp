// The skin manager's decisions, observed through a recording skinner factory: which windows are
// skinned with which skin, and what the delayed requests do.
#include <gtest/gtest.h>

#include <stdexcept>

#include "skin/core/skin_data.h"
#include "skin/core/skin_manager.h"
#include "tests/skin/core/test_skin.h"
#include "tests/support/wintest.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/form.h"
#include "toolkit/controls/register.h"
#include "toolkit/core/class_builder.h"

namespace {

struct Record {
    std::vector<std::string> calls;
};

class TRecordingSkinner : public TFormSkinner {
  public:
    explicit TRecordingSkinner(Record& r) : record(r) {}
    ~TRecordingSkinner() override { record.calls.push_back("free " + ClassName); }
    void SkinForm(TSkinData* skin, TComponent*) override {
        SkinData = skin;
        record.calls.push_back("form " + ClassName);
    }
    void SkinWindow(TSkinData* skin) override {
        SkinData = skin;
        record.calls.push_back("window " + ClassName);
    }
    void Unskin() override { record.calls.push_back("unskin " + ClassName); }
    void Detach() override { record.calls.push_back("detach " + ClassName); }
    void DiscardCaptionButtons() override { record.calls.push_back("discard " + ClassName); }
    void RecalcBorders() override { record.calls.push_back("recalc " + ClassName); }
    void Reskin() override { record.calls.push_back("reskin " + ClassName); }
    void MdiMaximizedChanged(bool) override {}
    void AttachWindow(HWND) override {}
    Record& record;
};

class TPlainSkinForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TPlainSkinForm(TComponent* owner) : TForm(owner) {}
};
const TClassInfo& TPlainSkinForm::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TPlainSkinForm>("TPlainSkinForm", &TForm::StaticClass()).Creatable().Build();
    return info;
}

std::vector<uint8_t> SmallSkin() {
    qs::test::TestSkin t;
    t.ini = "[Buttons]\r\nBitmap=b.bmp\r\n";
    t.Bmp("b.bmp", 50, 10);
    return t.Compressed();
}

class SkinManager_ : public ::testing::Test {
  protected:
    void SetUp() override {
        RegisterControlClasses();
        Application->Initialize();
        SkinnerFactory().CreateFormSkinner = [this](HWND w, const std::string& cls) {
            auto s = std::make_unique<TRecordingSkinner>(record);
            s->Handle = w;
            s->ClassName = cls;
            return s;
        };
    }
    void TearDown() override {
        FreeSkinManager();
        SkinnerFactory().CreateFormSkinner = nullptr;
    }
    // A loaded main-form skin, as a form resource would leave it.
    std::unique_ptr<TSkinData> MainSkin(bool active) {
        auto skin = std::make_unique<TSkinData>(nullptr);
        const auto bytes = SmallSkin();
        skin->SkinStream().Write(bytes.data(), bytes.size());
        skin->LoadSkin();
        skin->SetStateFlag(csLoading, true);
        skin->SetActive(active);
        skin->Loaded();
        return skin;
    }
    std::unique_ptr<TPlainSkinForm> Form(int tag = 0) {
        std::unique_ptr<TPlainSkinForm> f(NewForm<TPlainSkinForm>(nullptr));
        f->SetTag(tag);
        f->SetBounds(50, 50, 200, 150);
        return f;
    }
    bool Called(const std::string& call) const {
        return std::find(record.calls.begin(), record.calls.end(), call) != record.calls.end();
    }
    Record record;
};

} // namespace

TEST_F(SkinManager_, ActiveBeforeAnyActivationOnlySwitchesSkinningOn) {
    auto skin = MainSkin(false);
    ASSERT_TRUE(SkinManager);
    EXPECT_EQ(SkinManager->DefaultSkin(), skin.get());
    EXPECT_EQ(SkinManager->SkinState(), 0);
    skin->SetActive(true);
    EXPECT_TRUE(SkinManager->Skinning());
    EXPECT_EQ(SkinManager->SkinState(), 1) << "Active on a main-form skin starts the state";
}

TEST_F(SkinManager_, ActivatedFormsAreSkinnedOnceAndFormsTaggedNinetyNineNever) {
    auto skin = MainSkin(false);
    SkinManager->SetSkinning(true);
    auto form = Form();
    auto kept = Form(99);
    skin->SetDisableTag(42);
    form->Show();
    kept->Show();
    SetActiveWindow(form->Handle());
    SetActiveWindow(kept->Handle());
    qs::test::PumpFor(50);
    EXPECT_TRUE(Called("form TPlainSkinForm"));
    EXPECT_EQ(std::count(record.calls.begin(), record.calls.end(), "form TPlainSkinForm"), 1)
        << "Tag 99 is never skinned, even when DisableTag is 42";
    EXPECT_EQ(SkinManager->FindFormSkinner(kept->Handle()), nullptr);
    EXPECT_TRUE(SkinManager->FindFormSkinner(form->Handle()));
    EXPECT_FALSE(SkinManager->SkinWindow(form->Handle())) << "already skinned";
}

TEST_F(SkinManager_, DialogsPreviewsAndTheApplicationWindowAreFiltered) {
    auto skin = MainSkin(false);
    SkinManager->SetSkinning(true);
    auto makeDialog = [](DWORD style) {
        return CreateWindowExA(0, "#32770", "dlg", WS_POPUP | style, 10, 10, 100, 80, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    };
    HWND plain = makeDialog(0), marked = makeDialog(0x200);
    EXPECT_TRUE(SkinManager->SkinWindow(plain));
    EXPECT_FALSE(SkinManager->SkinWindow(marked));
    EXPECT_FALSE(SkinManager->SkinWindow(Application->Handle()));

    WNDCLASSA wc{};
    wc.lpfnWndProc = DefWindowProcA;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "TMyPreviewWindow";
    RegisterClassA(&wc);
    HWND preview = CreateWindowExA(0, wc.lpszClassName, "p", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                                   wc.hInstance, nullptr);
    skin->SetOptions(skin->Options() & ~SetOf(xoPreview));
    EXPECT_FALSE(SkinManager->SkinWindow(preview));
    skin->SetOptions(skin->Options() | SetOf(xoPreview));
    EXPECT_TRUE(SkinManager->SkinWindow(preview));

    HWND empty = CreateWindowExA(0, wc.lpszClassName, "e", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    EXPECT_FALSE(SkinManager->SkinWindow(empty)) << "a window without area waits";
    SetWindowPos(empty, nullptr, 0, 0, 30, 30, SWP_NOZORDER | SWP_NOMOVE | SWP_NOACTIVATE);
    EXPECT_TRUE(SkinManager->SkinWindow(empty));
    for (HWND h : {plain, marked, preview, empty})
        DestroyWindow(h);
}

TEST_F(SkinManager_, DialogSkinsWinForDialogsAndPendingSkinsAreIgnored) {
    auto main = MainSkin(false);
    auto dialog = std::make_unique<TSkinData>(nullptr);
    dialog->SetSkinFormtype(sfDialog);
    const auto bytes = SmallSkin();
    dialog->SkinStream().Write(bytes.data(), bytes.size());
    dialog->LoadSkin();
    dialog->Loaded();
    EXPECT_EQ(SkinManager->ChooseSkinData(nullptr, "#32770"), dialog.get());
    EXPECT_EQ(SkinManager->ChooseSkinData(nullptr, "TMessageForm"), dialog.get());
    EXPECT_EQ(SkinManager->ChooseSkinData(nullptr, "TForm1"), main.get());
    EXPECT_TRUE(SkinManager->Skinning()) << "a non-main skin switches skinning on";

    auto pending = std::make_unique<TSkinData>(nullptr);
    pending->SetSkinFormtype(sfDialog);
    pending->Loaded();
    EXPECT_EQ(SkinManager->ChooseSkinData(nullptr, "#32770"), pending.get()) << "the last dialog skin";
    HWND box = CreateWindowExA(0, "#32770", "dlg", WS_POPUP, 10, 10, 100, 80, nullptr, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    EXPECT_FALSE(SkinManager->SkinWindow(box)) << "its skin has nothing loaded";
    DestroyWindow(box);
}

TEST_F(SkinManager_, RequestsRunAfterTheirDelayAndReportBack) {
    auto skin = MainSkin(false);
    int changed = 0;
    skin->OnSkinChanged.fn = [&](TObject*) { ++changed; };
    auto form = Form();
    form->Show();
    SkinManager->SetSkinState(1);
    skin->SetActive(true); // request 1: skin all, 250 ms later
    EXPECT_FALSE(Called("form TPlainSkinForm"));
    qs::test::PumpFor(400);
    EXPECT_TRUE(Called("form TPlainSkinForm"));
    EXPECT_EQ(changed, 1);

    skin->ApplySkin(); // reload, then a refresh pass
    EXPECT_TRUE(Called("discard TPlainSkinForm"));
    qs::test::PumpFor(400);
    EXPECT_TRUE(Called("recalc TPlainSkinForm"));
    EXPECT_TRUE(Called("reskin TPlainSkinForm"));
    EXPECT_EQ(changed, 2);

    skin->SetActive(false); // request 2: unskin all
    qs::test::PumpFor(400);
    EXPECT_TRUE(Called("unskin TPlainSkinForm"));
    EXPECT_TRUE(Called("free TPlainSkinForm"));
    EXPECT_TRUE(SkinManager->FormSkinners().empty());
    EXPECT_FALSE(SkinManager->Skinning());
    EXPECT_EQ(changed, 3);
}

TEST_F(SkinManager_, DestroyedWindowsArePurgedAndAGoneSkinTakesItsSkinnersWithIt) {
    auto skin = MainSkin(false);
    auto form = Form();
    form->Show();
    SkinManager->SetSkinning(true);
    ASSERT_TRUE(SkinManager->SkinWindow(form->Handle()));
    SkinManager->FormSkinners().front()->State = fsDestroyed;
    SkinManager->PurgeFormSkinners();
    EXPECT_TRUE(SkinManager->FormSkinners().empty());
    ASSERT_TRUE(SkinManager->SkinWindow(form->Handle()));
    skin.reset();
    EXPECT_TRUE(SkinManager->FormSkinners().empty());
    EXPECT_TRUE(Called("unskin TPlainSkinForm"));
    EXPECT_EQ(SkinManager->DefaultSkin(), nullptr);
}

TEST_F(SkinManager_, FindToolkitControlFollowsTheWindowProperty) {
    auto form = Form();
    EXPECT_EQ(FindToolkitControl(form->Handle()), form.get());
    EXPECT_EQ(FindToolkitControl(nullptr), nullptr);
    EXPECT_EQ(FindToolkitControl(GetDesktopWindow()), nullptr);
}

TEST_F(SkinManager_, AOneFormSkinWithoutItsFormSkinsNothing) {
    auto lone = std::make_unique<TSkinData>(nullptr);
    lone->SetSkinFormtype(sfOnlyThisForm);
    const auto bytes = SmallSkin();
    lone->SkinStream().Write(bytes.data(), bytes.size());
    lone->LoadSkin();
    lone->Loaded();
    auto form = Form();
    form->Show();
    SkinManager->SetSkinState(1);
    lone->SetActive(true); // skin all, for a skin whose form is not there
    qs::test::PumpFor(400);
    EXPECT_FALSE(Called("form TPlainSkinForm"));
    EXPECT_TRUE(SkinManager->FormSkinners().empty());
}

TEST_F(SkinManager_, FailingProgramHandlersStayInsideTheHookAndTheTimer) {
    auto skin = MainSkin(false);
    SkinManager->SetSkinning(true);
    skin->OnFormSkin.fn = [](TObject*, const std::string&, bool&) { throw std::runtime_error("handler"); };
    auto form = Form();
    form->Show();
    SetActiveWindow(form->Handle()); // the hook asks the handler, which fails
    qs::test::PumpFor(50);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(SkinManager->FindFormSkinner(form->Handle()), nullptr);

    skin->OnFormSkin.fn = nullptr;
    int changed = 0;
    skin->OnSkinChanged.fn = [&](TObject*) {
        ++changed;
        throw std::runtime_error("changed");
    };
    SkinManager->SetSkinState(1);
    skin->SetActive(true);
    qs::test::PumpFor(400);
    EXPECT_EQ(changed, 1);
    EXPECT_EQ(SkinManager->RequestSkin(), nullptr) << "the request is done although its handler failed";
    skin->ApplySkin(); // the next request still runs
    qs::test::PumpFor(400);
    EXPECT_EQ(changed, 2);
}

TEST_F(SkinManager_, PopupMenusAreSkinnedByTheContextTheyOpenIn) {
    auto skin = MainSkin(false);
    SkinManager->SetSkinning(true);
    int made = 0;
    SkinnerFactory().CreatePopupSkinner = [&](HWND w, TSkinData* s) -> std::unique_ptr<TPopupSkinner> {
        struct TPlainPopup : TPopupSkinner {
            void Detach() override {}
        };
        ++made;
        auto p = std::make_unique<TPlainPopup>();
        p->Handle = w;
        p->SkinData = s;
        return p;
    };
    HWND menu = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    auto tryIn = [&](int context, TSkinControlTypes groups) {
        skin->SetSkinControls(groups);
        SkinManager->SetMenuContext(context);
        SkinManager->SkinPopupMenu(menu);
        const bool skinned = SkinManager->HasPopupSkinner(menu);
        SkinManager->RemovePopupSkinner(menu);
        return skinned;
    };
    const TSkinControlTypes all = kDefaultSkinControls | SetOf(xcMenuItem);
    EXPECT_FALSE(tryIn(mcSystemMenu, all & ~SetOf(xcSystemMenu)));
    EXPECT_TRUE(tryIn(mcSystemMenu, SetOf(xcSystemMenu)));
    EXPECT_FALSE(tryIn(mcPopup, all & ~SetOf(xcPopupMenu)));
    EXPECT_TRUE(tryIn(mcMenuBar, SetOf(xcMenuItem)));
    EXPECT_EQ(SkinManager->MenuContext(), mcPopup) << "the last popup going resets the context";
    EXPECT_EQ(made, 2);
    DestroyWindow(menu);
    SkinnerFactory().CreatePopupSkinner = nullptr;
}
