// The class-mapping table a skin component starts with: controls of other component libraries
// skinned as one of the built-in kinds.
#include <string>
#include <vector>

#include "skin/core/skin_data.h"

namespace {

void add(std::vector<std::string>& out, const char* kind, std::initializer_list<const char*> classes) {
    for (const char* c : classes)
        out.push_back(std::string(c) + "=" + kind);
}

std::vector<std::string> build() {
    std::vector<std::string> l;
    add(l, "Scrollbar",
        {"TCategoryButtons", "TVirtualStringTree", "TVirtualDrawTree", "TAdvPanelGroup", "THTMLViewer",
         "TDBCtrlGrid", "TImageEnMView", "TImageEnView", "TAdvMemo", "TDBAdvMemo"});
    add(l, "PngSpeedButton", {"TPngSpeedbutton"});
    add(l, "PngBitBtn", {"TPngBitBtn"});
    add(l, "Panel",
        {"TTBXDockablePanel", "TControlBar", "TTBDock", "TTBToolbar", "TRzGroup", "TLMDCalculator",
         "TLMDGROUPBOX", "TLMDSIMPLEPANEL", "TLMDDBCalendar", "TLMDButtonPanel", "TLMDLMDCalculator",
         "TLMDHeaderPanel", "TLMDTechnicalLine", "TLMDLMDClock", "TLMDTrackbar"});
    add(l, "Combobox", {"TComboboxex",          "TcxDBLookupComboBox",    "TcxDBComboBox",
                        "TcxDBDateEdit",        "TcxDBImageComboBox",     "TcxDBCalcEdit",
                        "TcxDBBlobEdit",        "TcxDBPopupEdit",         "TcxDBFontNameComboBox",
                        "TcxDBShellComboBox",   "TRxLookupEdit",          "TRxDBLookupCombo",
                        "TRzDateTimeEdit",      "TRzColorEdit",           "TRzDateTimePicker",
                        "TRzDBDateTimeEdit",    "TRzDbColorEdit",         "TRzDBDateTimePicker",
                        "TLMDListCombobox",     "TLMDCheckListCombobox",  "TLMDHeaderListCombobox",
                        "TLMDImageCombobox",    "TLMDColorCombobox",      "TLMDFontCombobox",
                        "TLMDFontSizeCombobox", "TLMDFontSizeCombobox",   "TLMDPrinterCombobox",
                        "TLMDDriveCombobox",    "TLMDCalculatorComboBox", "TLMDTrackBarComboBox",
                        "TLMDCalendarComboBox", "TLMDTreeComboBox",       "TDBLookupCombobox",
                        "TWWDBCombobox",        "TWWDBCombobox",          "TWWDBLookupCombo",
                        "TWWKeyCombo",          "TWWTempKeyCombo",        "TWWDBDateTimePicker"});
    add(l, "SpeedButton", {"TRxSpeedButton", "TfrSpeedButton", "TfrTBButton"});
    add(l, "Button", {"TRzButton"});
    add(l, "BitBtn", {"TRzBitbtn", "TLMDButton", "TcxButton"});
    add(l, "MenuBtn", {"TRzMenuButton"});
    add(l, "CheckGroup", {"TRzCheckGroup", "TLMDCheckGroup", "TLMDDBCheckGroup"});
    add(l, "RadioGroup",
        {"TRzRadioGroup", "TRzDBRadioGroup", "TLMDRADIOGROUP", "TLMDDBRADIOGROUP", "TWWRADIOGROUP",
         "TcxDBRadioGroup", "TcxRadioGroup"});
    add(l, "Edit", {"TRzButtonEdit",     "TLMDCalculatorEdit", "TLMDEDIT",           "TLMDMASKEDIT",
                    "TLMDBROWSEEDIT",    "TLMDEXTSPINEDIT",    "TLMDCALENDAREDIT",   "TLMDFILEOPENEDIT",
                    "TLMDFILESAVEEDIT",  "TLMDCOLOREDIT",      "TLMDDBEDIT",         "TLMDDBMASKEDIT",
                    "TLMDDBEXTSPINEDIT", "TLMDDBSPINEDIT",     "TLMDDBEDITDBLookup", "TLMDEDITDBLookup",
                    "TWWDBEDIT",         "TOVCPICTUREFIELD",   "TOVCDBPICTUREFIELD", "TOVCSLIDEREDIT",
                    "TOVCDBSLIDEREDIT",  "TOVCSIMPLEFIELD",    "TOVCDBSIMPLEFIELD",  "TO32DBFLEXEDIT",
                    "TOVCNUMERICFIELD",  "TOVCDBNUMERICFIELD"});
    add(l, "RadioButton", {"TRzDBRadioButton", "TLMDRadiobutton"});
    add(l, "Groupbox", {"TLMDGroupBox", "TcxGroupbox"});
    add(l, "Checkbox", {"TDBCheckboxEh", "TDBCheckboxEh", "TLMDCHECKBOX", "TLMDDBCHECKBOX"});
    return l;
}

} // namespace

const std::vector<std::string>& DefaultSkin3rd() {
    static const std::vector<std::string> list = build();
    return list;
}
