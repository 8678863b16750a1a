// The families of standard controls that attachment tests a child control against. A family is
// a set of toolkit classes, matched by class ancestry name, so a control of a class derived from
// a member belongs too, and a family can name classes the toolkit does not have yet.
//
//   family            member classes (and their descendants)
//   TabControl        TCustomTabControl; its plain sub-family TTabControl, whose button style is
//                     a Style property other than "tsTabs"
//   DropDownMenu      any control with an object property "DropdownMenu" holding a menu
//   CoolBar           TCoolBar
//   TabSheet          TTabSheet
//   StyledTabs        TCustomTabBar (tabs whose Style property picks tabs or buttons)
//   Header            TCustomHeaderControl
//   CheckBox          TCustomCheckBox
//   TrackBar          TTrackBar
//   RadioGroup        TCustomRadioGroup
//   GroupBox          TCustomGroupBox
//   RadioButton       TRadioButton
//   ToolBar           TToolBar
//   StatusBar         TStatusBar
//   ProgressBar       TProgressBar
//   EmbeddedScroll    TScrollBar (a scroll-bar control: no window scroll bars, its whole window is the bar)
//   ComboBox          TCustomComboBox
//   DateTimePicker    TDateTimePicker; its date-mode flags: DateMode "dmUpDown", Kind "dtkTime"
//   BitButton         TBitBtn
//   ListView          TCustomListView
//   ListBox           TCustomListBox     } the two further scrollable kinds
//   TreeView          TCustomTreeView    }
//   Edit              TCustomEdit
//   Frame             TCustomFrame
#pragma once

class TControl;

enum class TControlFamily {
    TabControl,
    PlainTabControl,
    DropDownMenu,
    CoolBar,
    TabSheet,
    StyledTabs,
    Header,
    CheckBox,
    TrackBar,
    RadioGroup,
    GroupBox,
    RadioButton,
    ToolBar,
    StatusBar,
    ProgressBar,
    EmbeddedScroll,
    ComboBox,
    DateTimePicker,
    BitButton,
    ListView,
    ListBox,
    TreeView,
    Edit,
    Frame,
};

bool InFamily(const TControl& control, TControlFamily family);
// The tab-control button flag (plain tab controls) and the date-time picker's date-mode flags.
bool TabButtonStyle(const TControl& control);
bool DateModeFlagSet(const TControl& control);
