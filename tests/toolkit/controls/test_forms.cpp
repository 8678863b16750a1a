// The test classes' run-time information and handlers.
#include "tests/toolkit/controls/test_forms.h"

#include <algorithm>

#include "toolkit/core/class_builder.h"

std::vector<LoadRecord>& LoadLog() {
    static std::vector<LoadRecord> log;
    return log;
}

const TClassInfo& TLoadProbe::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TLoadProbe>("TLoadProbe", &TComponent::StaticClass())
                                        .Creatable()
                                        .Int("Value", &TLoadProbe::Value, &TLoadProbe::SetValue)
                                        .Int("Other", &TLoadProbe::Other, &TLoadProbe::SetOther)
                                        .Build();
    return info;
}

// Form resources create it by name.
[[maybe_unused]] const bool probeRegistered = (TLoadProbe::StaticClass(), true);

void TLoadProbe::Loaded() {
    TComponent::Loaded();
    LoadLog().push_back({Name(), value_, other_});
}

int TTestForm1::destroyed = 0;

const TClassInfo& TTestForm1::StaticClass() {
    static const TClassInfo& info = TClassBuilder<TTestForm1>("TTestForm1", &TForm::StaticClass())
                                        .Creatable()
                                        .Method<void(TObject*)>("FormCreate", &TTestForm1::FormCreate)
                                        .Method<void(TObject*)>("FormDestroy", &TTestForm1::FormDestroy)
                                        .Method<void(TObject*)>("Button1Click", &TTestForm1::Button1Click)
                                        .Method<void(TObject*)>("Option1Click", &TTestForm1::Option1Click)
                                        .Method<void(TObject*)>("Timer1Timer", &TTestForm1::Timer1Timer)
                                        .Build();
    return info;
}

void TTestForm1::Loaded() {
    TForm::Loaded();
    LoadLog().push_back({Name(), 0, 0});
    Panel1 = dynamic_cast<TPanel*>(FindComponent("Panel1"));
    Label1 = dynamic_cast<TLabel*>(FindComponent("Label1"));
    Button1 = dynamic_cast<TButton*>(FindComponent("Button1"));
    Image1 = dynamic_cast<TImage*>(FindComponent("Image1"));
    Shape1 = dynamic_cast<TShape*>(FindComponent("Shape1"));
    PopupMenu1 = dynamic_cast<TPopupMenu*>(FindComponent("PopupMenu1"));
    Option1 = dynamic_cast<TMenuItem*>(FindComponent("Option1"));
    Timer1 = dynamic_cast<TTimer*>(FindComponent("Timer1"));
}

void TTestForm1::FormCreate(TObject*) {
    createSawChildren = Panel1 && Label1 && Button1;
    createSawHandle = HandleAllocated();
}
void TTestForm1::FormDestroy(TObject*) {
    ++destroyed;
}
void TTestForm1::Button1Click(TObject*) {
    ++clicks;
}
void TTestForm1::Option1Click(TObject*) {
    ++optionClicks;
}
void TTestForm1::Timer1Timer(TObject*) {
    ++ticks;
    Close();
}

const TClassInfo& TPlainForm::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TPlainForm>("TPlainForm", &TForm::StaticClass()).Creatable().Build();
    return info;
}

const TClassInfo& TTestMdiFrame::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TTestMdiFrame>("TTestMdiFrame", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*)>("NewChildExecute", &TTestMdiFrame::NewChildExecute)
            .Build();
    return info;
}

void TTestMdiFrame::Loaded() {
    TForm::Loaded();
    MainMenu1 = dynamic_cast<TMainMenu*>(FindComponent("MainMenu1"));
    Window1 = dynamic_cast<TMenuItem*>(FindComponent("Window1"));
    NewChild = dynamic_cast<TAction*>(FindComponent("NewChild"));
}

void TTestMdiFrame::NewChildExecute(TObject*) {
    auto* child = NewForm<TTestMdiChild>(this);
    child->SetCaption("Child " + std::to_string(++made));
}

const TClassInfo& TTestMdiChild::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TTestMdiChild>("TTestMdiChild", &TForm::StaticClass()).Creatable().Build();
    return info;
}

std::string MenuText(HMENU menu, UINT position) {
    char text[128] = {};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

MessageSpy::MessageSpy(TControl* c) : control(c), previous(c->WindowProc()) {
    control->SetWindowProc([this](TMessage& m) {
        seen.push_back(m);
        if (std::find(swallow.begin(), swallow.end(), m.Msg) != swallow.end()) return;
        previous(m);
    });
}

MessageSpy::~MessageSpy() {
    control->SetWindowProc(previous);
}

int MessageSpy::Count(UINT msg) const {
    return int(std::count_if(seen.begin(), seen.end(), [msg](const TMessage& m) { return m.Msg == msg; }));
}

const TClassInfo& TTestControlsForm::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TTestControlsForm>("TTestControlsForm", &TForm::StaticClass()).Creatable().Build();
    return info;
}
