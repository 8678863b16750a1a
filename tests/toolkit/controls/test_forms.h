// Classes the toolkit tests build forms from: a form with published handlers, and a component
// that records when Loaded runs and what its properties were then.
#pragma once

#include <string>
#include <vector>

#include "toolkit/controls/actions.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/bit_btn.h"
#include "toolkit/controls/check_box.h"
#include "toolkit/controls/ext_ctrls.h"
#include "toolkit/controls/menus.h"
#include "toolkit/controls/radio_group.h"
#include "toolkit/controls/register.h"
#include "toolkit/controls/speed_button.h"
#include "toolkit/controls/std_ctrls.h"
#include "toolkit/controls/timer.h"

struct LoadRecord {
    std::string name;
    int value;
    int other;
};
std::vector<LoadRecord>& LoadLog();

class TLoadProbe : public TComponent {
    QS_DECLARE_CLASS()
  public:
    explicit TLoadProbe(TComponent* owner) : TComponent(owner) {}
    int Value() const { return value_; }
    void SetValue(int v) { value_ = v; }
    int Other() const { return other_; }
    void SetOther(int v) { other_ = v; }
    void Loaded() override;

  private:
    int value_ = 0, other_ = 0;
};

class TTestForm1 : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestForm1(TComponent* owner) : TForm(owner) {}
    void Loaded() override;

    void FormCreate(TObject* sender);
    void FormDestroy(TObject* sender);
    void Button1Click(TObject* sender);
    void Option1Click(TObject* sender);
    void Timer1Timer(TObject* sender);

    TPanel* Panel1 = nullptr;
    TLabel* Label1 = nullptr;
    TButton* Button1 = nullptr;
    TImage* Image1 = nullptr;
    TShape* Shape1 = nullptr;
    TPopupMenu* PopupMenu1 = nullptr;
    TMenuItem* Option1 = nullptr;
    TTimer* Timer1 = nullptr;

    bool createSawChildren = false;
    bool createSawHandle = false;
    int clicks = 0;
    int optionClicks = 0;
    int ticks = 0;
    static int destroyed;
};

// A form class without a resource, for tests that build their controls in code.
class TPlainForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TPlainForm(TComponent* owner) : TForm(owner) {}
};

// An MDI frame read from its resource: menu bar with a window menu, an action, radio items.
class TTestMdiFrame : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestMdiFrame(TComponent* owner) : TForm(owner) {}
    void Loaded() override;
    // Opens a TTestMdiChild named after the count of children made so far.
    void NewChildExecute(TObject* sender);

    TMainMenu* MainMenu1 = nullptr;
    TMenuItem* Window1 = nullptr;
    TAction* NewChild = nullptr;
    int made = 0;
};

// An MDI child made in code.
class TTestMdiChild : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestMdiChild(TComponent* owner) : TForm(owner) { SetFormStyle(fsMDIChild); }
};

// The text of a menu's entry at a position (its accelerator marks and shortcut included).
std::string MenuText(HMENU menu, UINT position);

// Records every message that passes through a control's WindowProc before its own handler,
// then passes it on (unless `swallow` says otherwise).
struct MessageSpy {
    explicit MessageSpy(TControl* control);
    ~MessageSpy();
    int Count(UINT msg) const;
    std::vector<TMessage> seen;
    std::vector<UINT> swallow;
    TControl* control;
    TWndMethod previous;
};

// Every button and choice control, read from its resource; found by name.
class TTestControlsForm : public TForm {
    QS_DECLARE_CLASS()
  public:
    explicit TTestControlsForm(TComponent* owner) : TForm(owner) {}
    template <class C> C* Find(const std::string& name) { return dynamic_cast<C*>(FindComponent(name)); }
};
