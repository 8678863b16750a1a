// Family membership of toolkit controls, by class ancestry.
#include "skin/form/control_families.h"

#include "toolkit/controls/control.h"
#include "toolkit/core/prop_access.h"

namespace {

const char* memberClass(TControlFamily family) {
    switch (family) {
    case TControlFamily::TabControl: return "TCustomTabControl";
    case TControlFamily::PlainTabControl: return "TTabControl";
    case TControlFamily::DropDownMenu: return nullptr;
    case TControlFamily::CoolBar: return "TCoolBar";
    case TControlFamily::TabSheet: return "TTabSheet";
    case TControlFamily::StyledTabs: return "TCustomTabBar";
    case TControlFamily::Header: return "TCustomHeaderControl";
    case TControlFamily::CheckBox: return "TCustomCheckBox";
    case TControlFamily::TrackBar: return "TTrackBar";
    case TControlFamily::RadioGroup: return "TCustomRadioGroup";
    case TControlFamily::GroupBox: return "TCustomGroupBox";
    case TControlFamily::RadioButton: return "TRadioButton";
    case TControlFamily::ToolBar: return "TToolBar";
    case TControlFamily::StatusBar: return "TStatusBar";
    case TControlFamily::ProgressBar: return "TProgressBar";
    case TControlFamily::EmbeddedScroll: return "TScrollBar";
    case TControlFamily::ComboBox: return "TCustomComboBox";
    case TControlFamily::DateTimePicker: return "TDateTimePicker";
    case TControlFamily::BitButton: return "TBitBtn";
    case TControlFamily::ListView: return "TCustomListView";
    case TControlFamily::ListBox: return "TCustomListBox";
    case TControlFamily::TreeView: return "TCustomTreeView";
    case TControlFamily::Edit: return "TCustomEdit";
    case TControlFamily::Frame: return "TCustomFrame";
    }
    return nullptr;
}

bool enumReads(const TControl& control, const char* property, const char* value) {
    return SameText(GetEnumPropName(&control, property), value);
}

} // namespace

bool InFamily(const TControl& control, TControlFamily family) {
    if (family == TControlFamily::DropDownMenu) {
        TObject* menu = GetObjectProp(&control, "DropdownMenu");
        return menu && menu->InheritsFrom("TMenu");
    }
    const char* name = memberClass(family);
    return name && control.InheritsFrom(name);
}

bool TabButtonStyle(const TControl& control) {
    const std::string style = GetEnumPropName(&control, "Style");
    return !style.empty() && !SameText(style, "tsTabs");
}

bool DateModeFlagSet(const TControl& control) {
    return enumReads(control, "DateMode", "dmUpDown") || enumReads(control, "Kind", "dtkTime");
}
