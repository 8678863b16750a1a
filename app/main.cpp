// Quillshot: a tray-resident screen-capture utility.
#include <windows.h>

#include "app/capture.h"
#include "app/program_classes.h"
#include "app/qcapture.h"
#include "app/unit_capscr.h"
#include "toolkit/controls/application.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    RegisterProgramClasses();
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
