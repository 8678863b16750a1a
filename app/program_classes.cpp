// The classes the program's form resources create by name.
#include "app/program_classes.h"

#include "app/capture.h"
#include "app/qcapture.h"
#include "app/ufrm_about.h"
#include "app/unit_capscr.h"
#include "app/unit_option.h"
#include "toolkit/controls/register.h"

void RegisterProgramClasses() {
    RegisterControlClasses();
    TForm1::StaticClass();
    TForm3::StaticClass();
    Tfrm_about::StaticClass();
    TForm4::StaticClass();
    TForm5::StaticClass();
}
