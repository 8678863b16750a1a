// The classes the gallery's form resources create by name.
#include "gallery/gallery_classes.h"

#include <windows.h>

#include "gallery/gallery_about.h"
#include "gallery/gallery_child.h"
#include "gallery/gallery_form.h"
#include "gallery/page_buttons.h"
#include "gallery/page_choices.h"
#include "gallery/page_containers.h"
#include "gallery/page_lists.h"
#include "gallery/page_media.h"
#include "gallery/page_ranges.h"
#include "gallery/page_tabs.h"
#include "gallery/page_text.h"
#include "skin/controls/register_control_skinning.h"
#include "skin/core/skin_data.h"
#include "skin/form/win_skin_form.h"
#include "skin/res/skin_reader.h"
#include "skin/res/skin_store.h"
#include "toolkit/controls/register.h"

void RegisterGalleryClasses() {
    RegisterControlClasses();
    TGalleryForm::StaticClass();
    TGalleryChild::StaticClass();
    TGalleryAbout::StaticClass();
    TButtonsPage::StaticClass();
    TChoicesPage::StaticClass();
    TWideListBox::StaticClass();
    TListsPage::StaticClass();
    TRangesPage::StaticClass();
    TTabsPage::StaticClass();
    TTextPage::StaticClass();
    TContainersPage::StaticClass();
    TMediaPage::StaticClass();
    TSkinData::StaticClass();
    TSkinStore::StaticClass();
    RegisterFormSkinning();
    RegisterControlSkinning();
    // A skin the reader does not accept is reported with a plain message box.
    qs::SetSkinMessageSink([](const std::string& text) { MessageBoxA(nullptr, text.c_str(), "", MB_OK); });
}
