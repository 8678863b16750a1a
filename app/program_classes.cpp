// The classes the program's form resources create by name, and how the engine reports to the user.
#include <windows.h>

#include "app/program_classes.h"

#include "app/capture.h"
#include "app/qcapture.h"
#include "app/ufrm_about.h"
#include "app/unit_capscr.h"
#include "app/unit_option.h"
#include "skin/controls/register_control_skinning.h"
#include "skin/core/skin_data.h"
#include "skin/form/win_skin_form.h"
#include "skin/res/skin_reader.h"
#include "skin/res/skin_store.h"
#include "toolkit/controls/register.h"

void RegisterProgramClasses() {
    RegisterControlClasses();
    TForm1::StaticClass();
    TForm3::StaticClass();
    Tfrm_about::StaticClass();
    TForm4::StaticClass();
    TForm5::StaticClass();
    TSkinData::StaticClass();
    TSkinStore::StaticClass();
    RegisterFormSkinning();
    RegisterControlSkinning();
    // A skin the reader does not accept is reported with a plain message box.
    qs::SetSkinMessageSink([](const std::string& text) { MessageBoxA(nullptr, text.c_str(), "", MB_OK); });
}
