// The gallery's table of control pages (see pages.h for how one is added).
#include "gallery/pages.h"

#include "gallery/page_buttons.h"
#include "gallery/page_choices.h"
#include "gallery/page_containers.h"
#include "gallery/page_lists.h"
#include "gallery/page_media.h"
#include "gallery/page_ranges.h"
#include "gallery/page_tabs.h"
#include "gallery/page_text.h"

namespace {

template <class Page> TCustomForm* OpenPage(TComponent* owner) {
    return NewForm<Page>(owner);
}

} // namespace

const std::vector<GalleryPage>& GalleryPages() {
    static const std::vector<GalleryPage> pages{
        {"Buttons", &OpenPage<TButtonsPage>},
        {"Choices", &OpenPage<TChoicesPage>},
        {"Lists", &OpenPage<TListsPage>},
        {"Ranges", &OpenPage<TRangesPage>},
        {"Tabs", &OpenPage<TTabsPage>},
        {"Text", &OpenPage<TTextPage>},
        {"Containers", &OpenPage<TContainersPage>},
        {"Media", &OpenPage<TMediaPage>},
    };
    return pages;
}

std::vector<std::string> GalleryPageNames() {
    std::vector<std::string> names;
    for (const GalleryPage& page : GalleryPages())
        names.emplace_back(page.name);
    return names;
}

const GalleryPage* FindGalleryPage(const std::string& name) {
    for (const GalleryPage& page : GalleryPages())
        if (name == page.name) return &page;
    return nullptr;
}
