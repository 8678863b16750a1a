// Makes the form and popup-menu skinners known to the skin manager.
#include "skin/form/popup_skinner.h"
#include "skin/form/win_skin_form.h"

void RegisterFormSkinning() {
    TSkinnerFactory& f = SkinnerFactory();
    f.CreateFormSkinner = [](HWND window, const std::string& className) -> std::unique_ptr<TFormSkinner> {
        return std::make_unique<TWinSkinForm>(window, className);
    };
    f.CreatePopupSkinner = [](HWND window, TSkinData* skin) -> std::unique_ptr<TPopupSkinner> {
        return std::make_unique<TWinSkinPopMenu>(window, skin);
    };
}
