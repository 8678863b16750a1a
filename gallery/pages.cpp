// The gallery's table of control pages (see pages.h for how one is added).
#include "gallery/pages.h"

const std::vector<GalleryPage>& GalleryPages() {
    static const std::vector<GalleryPage> pages{};
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
