// The choice of skinner for child controls and plain child windows.
#include "skin/form/attach_rules.h"

#include <algorithm>

#include <commctrl.h>

#include "skin/form/control_families.h"
#include "toolkit/controls/win_control.h"
#include "toolkit/core/prop_access.h"

namespace {

using K = TSkinnerKind;
using F = TControlFamily;

TAttachAction skinner(K kind, bool withColour = false, int variant = 0, std::string picture = {}) {
    TAttachAction a;
    a.Plan = TSkinnerPlan{kind, withColour, variant, std::move(picture)};
    return a;
}
TAttachAction eachChild(K kind, bool withColour = false, int variant = 0) {
    TAttachAction a = skinner(kind, withColour, variant);
    a.Step = TAttachStep::EachChild;
    return a;
}
TAttachAction step(TAttachStep s, const char* property = "") {
    TAttachAction a;
    a.Step = s;
    a.Property = property;
    return a;
}

// Builds one decision; `gate` answers whether a SkinControls member is present.
class Decision {
  public:
    Decision(const char* rule, TSkinControlTypes controls) : controls_(controls) { d_.Rule = rule; }
    bool Gate(TSkinControlType member) const { return InSet(controls_, member); }
    Decision& Add(TAttachAction action) {
        d_.Actions.push_back(std::move(action));
        return *this;
    }
    TAttachDecision Take() { return std::move(d_); }

  private:
    TSkinControlTypes controls_;
    TAttachDecision d_;
};

bool oneOf(const std::string& name, std::initializer_list<const char*> names) {
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return name == n; });
}

DWORD windowStyle(const TControl& control) {
    const auto* win = dynamic_cast<const TWinControl*>(&control);
    if (!win || !win->HandleAllocated()) return 0;
    return DWORD(GetWindowLongPtrA(const_cast<TWinControl*>(win)->Handle(), GWL_STYLE));
}

// A bordered control: its window and client rectangles differ in size.
bool hasBorder(const TControl& control) {
    const auto* win = dynamic_cast<const TWinControl*>(&control);
    if (!win || !win->HandleAllocated()) return false;
    HWND h = const_cast<TWinControl*>(win)->Handle();
    RECT wr{}, cr{};
    if (!GetWindowRect(h, &wr) || !GetClientRect(h, &cr)) return false;
    return wr.right - wr.left != cr.right || wr.bottom - wr.top != cr.bottom;
}

bool scrollable(const TControl& control) {
    return InFamily(control, F::ListView) || InFamily(control, F::ListBox) || InFamily(control, F::TreeView);
}

TAttachDecision decideSkin3rd(const std::string& kind, const TControl& control, const std::string& name,
                              const TAttachFacts& facts) {
    Decision d(("skin3rd " + kind).c_str(), facts.Controls);
    const bool trz = name.find("TRZ") != std::string::npos;
    if (kind == "combobox") {
        if (d.Gate(xcCombo)) d.Add(skinner(K::ComboBox));
    } else if (kind == "comboboxex") {
        if (d.Gate(xcCombo)) d.Add(skinner(K::ComboBox, false, 1));
    } else if (kind == "datetimepicker") {
        if (d.Gate(xcCombo)) d.Add(skinner(K::DateTime));
    } else if (kind == "edit") {
        if (d.Gate(xcEdit) && hasBorder(control)) d.Add(skinner(K::Edit));
    } else if (kind == "radiobutton") {
        if (d.Gate(xcRadioButton)) d.Add(skinner(K::RadioButton));
    } else if (kind == "checkbox") {
        if (d.Gate(xcCheckBox)) d.Add(skinner(K::CheckBox));
    } else if (kind == "panel") {
        if (d.Gate(xcPanel)) d.Add(step(TAttachStep::Transparent)).Add(skinner(K::Box, true));
    } else if (kind == "trackbar") {
        if (d.Gate(xcButton)) d.Add(step(TAttachStep::Transparent)).Add(skinner(K::TrackBar));
    } else if (kind == "button") {
        if (d.Gate(xcButton)) d.Add(skinner(K::Button));
    } else if (kind == "bitbtn") {
        const bool dropDown =
            name == "TCXBUTTON" && SameText(GetEnumPropName(&control, "Kind"), "cxbkDropDownButton");
        if (d.Gate(xcButton)) d.Add(skinner(dropDown ? K::MenuButton : K::BitButton));
    } else if (kind == "pngbitbtn") {
        if (d.Gate(xcButton)) d.Add(skinner(K::BitButton, false, 0, "PngImage"));
    } else if (kind == "pngspeedbutton") {
        if (d.Gate(xcButton)) d.Add(skinner(K::SpeedButton, false, 0, "PngImage"));
    } else if (kind == "menubtn") {
        if (d.Gate(xcButton)) d.Add(skinner(K::MenuButton));
    } else if (kind == "mediaplayer") {
        if (d.Gate(xcButton)) d.Add(skinner(K::MediaPlayer));
    } else if (kind == "speedbutton") {
        if (d.Gate(xcSpeedButton)) d.Add(skinner(K::SpeedButton));
    } else if (kind == "tab") {
        if (d.Gate(xcTab) && facts.HasTabs) d.Add(skinner(K::Tab));
    } else if (kind == "advpagecontrol") {
        if (d.Gate(xcTab)) d.Add(skinner(K::AdvPage, true, 4));
    } else if (kind == "progress") {
        if (d.Gate(xcProgress)) d.Add(skinner(K::Progress));
    } else if (kind == "scrollbar") {
        if (d.Gate(xcScrollbar)) d.Add(skinner(K::Scrollbar)).Add(step(TAttachStep::Children));
    } else if (kind == "singlescrollbar") {
        if (d.Gate(xcScrollbar)) d.Add(skinner(K::Scrollbar, false, 1));
    } else if (kind == "embedscrollbar") {
        if (d.Gate(xcScrollbar)) d.Add(step(TAttachStep::EachChildEmbedded));
    } else if (kind == "container") {
        d.Add(step(TAttachStep::Children));
    } else if (kind == "groupbox") {
        if (d.Gate(xcGroupBox)) d.Add(skinner(K::GroupBox));
    } else if (kind == "radiogroup") {
        if (d.Gate(xcGroupBox)) {
            if (d.Gate(xcRadioButton))
                d.Add(trz ? eachChild(K::ObjImage, true, 2) : eachChild(K::RadioButton));
            d.Add(skinner(K::GroupBox, true));
        }
    } else if (kind == "checkgroup") {
        if (d.Gate(xcPanel)) {
            if (d.Gate(xcRadioButton)) d.Add(trz ? eachChild(K::ObjImage, true, 1) : eachChild(K::CheckBox));
            if (d.Gate(xcGroupBox)) d.Add(skinner(K::GroupBox, true));
        }
    }
    // "nil", and kinds this engine does not know, leave the control alone.
    return d.Take();
}

// The class table: the first row whose class matches and whose gate holds.
TAttachDecision decideByClass(const TControl& c, const std::string& name, const TAttachFacts& facts) {
    const auto gate = [&](TSkinControlType member) { return InSet(facts.Controls, member); };
    const bool tabs = gate(xcTab) && facts.HasTabs;
    const auto row = [&](const char* rule) { return Decision(rule, facts.Controls); };

    if (InFamily(c, F::TabControl) && tabs) {
        if (!InFamily(c, F::PlainTabControl)) return row("row 1").Add(skinner(K::Tab, false, 2)).Take();
        return row("row 1").Add(skinner(TabButtonStyle(c) ? K::TabButton : K::Tab)).Take();
    }
    if (InFamily(c, F::DropDownMenu) && facts.FrameSkinned)
        return row("row 2").Add(step(TAttachStep::MenuOwnerDraw, "DropdownMenu")).Take();
    if (InFamily(c, F::CoolBar) && gate(xcToolbar))
        return row("row 3").Add(step(TAttachStep::ColourBands)).Take();
    if (name == "TTABSET" && tabs) return row("row 4").Add(skinner(K::Tab31)).Take();
    if (InFamily(c, F::TabSheet) && tabs) return row("row 5").Add(skinner(K::TabSheet)).Take();
    if (name == "TTABBEDNOTEBOOK" && tabs) return row("row 6").Add(skinner(K::Tab)).Take();
    if (name == "TMVCPANEL") return row("row 7").Add(step(TAttachStep::Children)).Take();
    if (InFamily(c, F::StyledTabs) && tabs)
        return row("row 8").Add(skinner(TabButtonStyle(c) ? K::TabButton : K::Tab)).Take();
    if (InFamily(c, F::Header) && gate(xcPanel)) return row("row 9").Add(skinner(K::Header)).Take();
    if (InFamily(c, F::CheckBox) && gate(xcCheckBox)) return row("row 10").Add(skinner(K::CheckBox)).Take();
    if (InFamily(c, F::TrackBar) && gate(xcTrackBar)) return row("row 11").Add(skinner(K::TrackBar)).Take();
    if (oneOf(name, {"TUPDOWN", "TSPINBUTTON"}) && gate(xcSpin))
        return row("row 12").Add(skinner(K::UpDown)).Take();
    if (name == "TMEDIAPLAYER" && gate(xcButton)) return row("row 13").Add(skinner(K::MediaPlayer)).Take();
    if (InFamily(c, F::RadioGroup) && gate(xcRadioButton))
        return row("row 14").Add(eachChild(K::RadioButton)).Add(skinner(K::GroupBox, true)).Take();
    if (name == "TDBNAVIGATOR" && gate(xcPanel))
        return row("row 15").Add(skinner(K::Box, true)).Add(step(TAttachStep::Children)).Take();
    if (oneOf(name, {"TRZDBCHECKBOX", "TRZCHECKBOX"}) && gate(xcCheckBox))
        return row("row 16").Add(skinner(K::ObjImage, true, 1)).Take();
    if (oneOf(name, {"TRZRADIOBUTTON", "TRZDBRADIOBUTTON"}) && gate(xcRadioButton))
        return row("row 17").Add(skinner(K::ObjImage, true, 2)).Take();
    if (oneOf(name, {"TCXDBCHECKBOX", "TCXCHECKBOX"}) && gate(xcCheckBox))
        return row("row 18").Add(skinner(K::ObjImage, true, 3)).Take();
    if (InFamily(c, F::GroupBox) && gate(xcPanel))
        return row("row 19").Add(step(TAttachStep::Children)).Add(skinner(K::GroupBox)).Take();
    if (InFamily(c, F::RadioButton) && gate(xcRadioButton))
        return row("row 20").Add(skinner(K::RadioButton)).Take();
    if (InFamily(c, F::ToolBar) && gate(xcToolbar))
        return row("row 21")
            .Add(step(TAttachStep::ToolbarSetup))
            .Add(skinner(K::Box))
            .Add(step(TAttachStep::MenuOwnerDraw, "Menu"))
            .Take();
    if (InFamily(c, F::StatusBar) && gate(xcStatusBar))
        return row("row 22").Add(skinner(K::StatusBar)).Take();
    if (InFamily(c, F::ProgressBar) && gate(xcProgress))
        return row("row 23").Add(skinner(K::Progress)).Take();
    if (InFamily(c, F::EmbeddedScroll) && gate(xcScrollbar))
        return row("row 24").Add(skinner(K::ScrollControl)).Take();
    if (name == "TTNTCOMBOBOX" && gate(xcCombo)) return row("row 25").Add(skinner(K::ComboBox)).Take();
    if (InFamily(c, F::ComboBox) && gate(xcCombo)) return row("row 26").Add(skinner(K::ComboBox)).Take();
    if (InFamily(c, F::DateTimePicker) && gate(xcEdit))
        return row("row 27").Add(skinner(DateModeFlagSet(c) ? K::Edit : K::DateTime)).Take();
    if (name == "TRICHEDIT" && gate(xcScrollbar)) return row("row 28").Add(skinner(K::Scrollbar)).Take();
    if (oneOf(name, {"TWWDBRICHEDIT", "TDXDBMEMO"})) {
        Decision d = row("row 29");
        if (gate(xcScrollbar)) d.Add(skinner(K::Scrollbar));
        return d.Take();
    }
    if (InFamily(c, F::BitButton)) {
        Decision d = row("row 30");
        if (gate(xcBitBtn)) d.Add(skinner(K::BitButton));
        return d.Take();
    }
    if (c.InheritsFrom("TSpeedButton") && gate(xcSpeedButton))
        return row("row 31").Add(skinner(K::SpeedButton)).Take();
    if (c.InheritsFrom("TCustomPanel") && gate(xcPanel))
        return row("row 32").Add(step(TAttachStep::Children)).Add(skinner(K::Box, true)).Take();
    if (oneOf(name, {"TDXTREELIST", "TDXDBTREELIST", "TDXDBGRID"}) && gate(xcScrollbar))
        return row("row 33").Add(skinner(K::Scrollbar)).Take();
    if (InFamily(c, F::ListView) && gate(xcScrollbar)) return row("row 34").Add(skinner(K::ListView)).Take();
    if ((InFamily(c, F::ListBox) || InFamily(c, F::TreeView)) && gate(xcScrollbar))
        return row("row 35").Add(skinner(K::Scrollbar)).Take();
    if (HasScrollBars(c) && gate(xcScrollbar)) return row("row 36").Add(skinner(K::Scrollbar)).Take();
    if (c.InheritsFrom("TButton") && gate(xcButton)) return row("row 37").Add(skinner(K::Button)).Take();
    if (InFamily(c, F::Edit) && gate(xcEdit)) return row("row 38").Add(skinner(K::Edit)).Take();
    if (oneOf(name, {"TDCEDIT", "TDCDBEDIT"})) {
        Decision d = row("row 39");
        const int64_t buttons = GetIntProp(&c, "NumButtons");
        if (buttons == 1 && gate(xcCombo)) d.Add(skinner(K::ComboBox));
        if (buttons == 0 && gate(xcEdit)) d.Add(step(TAttachStep::WindowEdit));
        return d.Take();
    }
    if (InFamily(c, F::Frame)) return row("row 40").Add(step(TAttachStep::Components)).Take();
    if (c.InheritsFrom("TCustomForm"))
        return row("row 41").Add(skinner(K::Box, true)).Add(step(TAttachStep::Components)).Take();
    return {};
}

} // namespace

bool HasScrollBars(const TControl& control) {
    return (windowStyle(control) & (WS_VSCROLL | WS_HSCROLL)) || scrollable(control);
}

TSkinnerKind TAttachDecision::SkinnerKind() const {
    for (const TAttachAction& a : Actions)
        if (a.Step == TAttachStep::Skinner) return a.Plan.Kind;
    return TSkinnerKind::None;
}

std::string Skin3rdKind(const std::vector<std::string>& table, const std::string& className) {
    const std::string key = LowerCase(className) + "=";
    for (const std::string& entry : table) {
        if (entry.size() < key.size() || LowerCase(entry.substr(0, key.size())) != key) continue;
        return LowerCase(entry.substr(key.size(), 50));
    }
    return {};
}

TAttachDecision DecideControl(const TControl& control, const TAttachFacts& facts) {
    const std::string name = UpperCase(control.ClassName());
    if (facts.Skin3rd) {
        const std::string kind = Skin3rdKind(*facts.Skin3rd, control.ClassName());
        if (!kind.empty()) return decideSkin3rd(kind, control, name, facts);
    }
    if (oneOf(name, {"TDBCOMBOBOXEH", "TFRDESIGNERPAGE", "TFRPBOX"})) return {"excluded", {}};
    return decideByClass(control, name, facts);
}

TAttachDecision DecideWindow(const std::string& className, DWORD s, TSkinControlTypes controls) {
    const std::string name = LowerCase(className);
    Decision d(name.c_str(), controls);
    if (name == "button") {
        if ((s & 0xB) == 0xB || (s & 7) == 7 || (s & 0x80)) return d.Take();
        if ((s & 3) == 3 || (s & 2) == 2 || (s & 5) == 5) {
            if (d.Gate(xcCheckBox)) d.Add(skinner(K::CheckBox));
        } else if ((s & 9) == 9 || (s & 4) == 4) {
            if (d.Gate(xcRadioButton)) d.Add(skinner(K::RadioButton));
        } else if (d.Gate(xcButton)) {
            d.Add(skinner(K::Button));
        }
    } else if (name == "combobox") {
        if (d.Gate(xcCombo) && (s & 3) != CBS_SIMPLE) d.Add(skinner(K::ComboBox));
    } else if (name == "comboboxex32") {
        if (d.Gate(xcCombo)) {
            TAttachAction first = skinner(K::ComboBox);
            first.Step = TAttachStep::FirstChildWindow;
            d.Add(first);
        }
    } else if (name == "scrollbar") {
        if (!(s & WS_TABSTOP)) d.Add(skinner(K::Sizer));
    } else if (name == "#32770") {
        if (!(s & WS_TABSTOP)) d.Add(step(TAttachStep::ChildWindows)).Add(skinner(K::BoxH));
    } else if (oneOf(name, {"tpanel", "ttntpanel.unicodeclass", "ttntsilentpaintpanel.unicodeclass"})) {
        d.Add(step(TAttachStep::ChildWindows)).Add(step(TAttachStep::ColourRegistered));
    } else if (name == "tcheckbox") {
        if (d.Gate(xcCheckBox)) d.Add(skinner(K::CheckBox));
    } else if (name == "tcombobox") {
        if (d.Gate(xcCombo)) d.Add(skinner(K::ComboBox));
    } else if (name == "tbutton") {
        if (d.Gate(xcButton)) d.Add(skinner(K::Button));
    } else if (name == "tprogressbar") {
        d.Add(skinner(K::Progress));
    } else if (name == "msctls_progress32") {
        if (d.Gate(xcProgress)) d.Add(skinner(K::Progress));
    } else if (name == "msctls_updown32") {
        if (d.Gate(xcSpin)) d.Add(skinner(K::UpDown));
    } else if (name == "tsilentpaintpanel") {
        d.Add(step(TAttachStep::ColourRegistered));
    } else if (name == "systabcontrol32") {
        if (d.Gate(xcTab) && !(s & TCS_OWNERDRAWFIXED)) d.Add(skinner(K::Tab));
    } else if (name == "toolbarwindow32") {
        d.Add(skinner(K::BoxH));
    } else if (name == "edit") {
        if (d.Gate(xcEdit)) d.Add(skinner(K::Edit));
    } else if (name != "systreeview32") {
        return {};
    }
    return d.Take();
}
