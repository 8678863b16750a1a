// The instructions dialog.
#include "app/unit_option.h"

#include <memory>

#include "toolkit/controls/application.h"
#include "toolkit/core/class_builder.h"

const TClassInfo& TForm3::StaticClass() {
    static const TClassInfo& info =
        TClassBuilder<TForm3>("TForm3", &TForm::StaticClass())
            .Creatable()
            .Method<void(TObject*)>("Button1Click", &TForm3::Button1Click)
            .Method<void(TObject*, TCloseAction&)>("FormClose", &TForm3::FormClose)
            .Build();
    return info;
}

void TForm3::Button1Click(TObject*) {
    Close();
}

void TForm3::FormClose(TObject*, TCloseAction&) {
    if (TCustomForm* main = Application->MainForm()) main->SetEnabled(true);
}

void ShowInstructions() {
    std::unique_ptr<TForm3> dialog(NewForm<TForm3>(Application));
    dialog->ShowModal();
}
