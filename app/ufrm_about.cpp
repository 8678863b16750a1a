// The about dialog.
#include "app/ufrm_about.h"

#include <shellapi.h>

#include <memory>
#include <string>

#include "toolkit/controls/application.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& Tfrm_about::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<Tfrm_about>("Tfrm_about", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*)>("Button1Click", &Tfrm_about::Button1Click)
            .Method<void(TObject*)>("Label_urlClick", &Tfrm_about::Label_urlClick)
            .Method<void(TObject*)>("Label_urlMouseEnter", &Tfrm_about::Label_urlMouseEnter)
            .Method<void(TObject*)>("Label_urlMouseLeave", &Tfrm_about::Label_urlMouseLeave)
            .Build();
    return info;
}

void Tfrm_about::Loaded() {
    TForm::Loaded();
    Label_url = dynamic_cast<TLabel*>(FindComponent("Label_url"));
}

void Tfrm_about::Button1Click(TObject*) {
    Close();
}

// The label shows the home-page address, so the address lives in one place: the form. It is
// written without a scheme to fit the dialogs' lines; the browser needs one.
void Tfrm_about::Label_urlClick(TObject*) {
    std::string url = Label_url->Caption();
    if (url.find("://") == std::string::npos) url = "http://" + url;
    ShellExecuteA(Handle(), "Open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void Tfrm_about::Label_urlMouseEnter(TObject*) {
    TFont& font = *Label_url->Font();
    if (font.Style() != FontStyleBit(fsUnderline)) font.SetStyle(FontStyleBit(fsUnderline));
}

void Tfrm_about::Label_urlMouseLeave(TObject*) {
    TFont& font = *Label_url->Font();
    if (font.Style() == FontStyleBit(fsUnderline)) font.SetStyle(0);
}

void ShowAbout() {
    std::unique_ptr<Tfrm_about> dialog(NewForm<Tfrm_about>(Application));
    dialog->ShowModal();
}
