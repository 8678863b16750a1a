// Quillshot: a tray-resident screen-capture utility.
#include <windows.h>

#include "app/capture.h"
#include "app/qcapture.h"
#include "app/ufrm_about.h"
#include "app/unit_capscr.h"
#include "app/unit_option.h"
#include "toolkit/controls/application.h"
#include "toolkit/controls/register.h"

namespace {
// Form resources create these by class name.
void registerProgramClasses() {
    RegisterControlClasses();
    TForm1::StaticClass();
    TForm3::StaticClass();
    Tfrm_about::StaticClass();
    TForm4::StaticClass();
    TForm5::StaticClass();
}
} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    registerProgramClasses();
    Application->Initialize();
    Application->SetTitle("Quillshot");
    Application->Icon()->LoadFromResourceName(instance, "MAINICON");
    TForm1* form1 = nullptr;
    TForm4* form4 = nullptr;
    TForm5* form5 = nullptr;
    Application->CreateForm(form1);
    Application->CreateForm(form4);
    Application->CreateForm(form5);
    Application->SetShowMainForm(false);
    Application->Run();
    return 0;
}
