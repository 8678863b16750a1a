// Control pages: the place later work adds the skinned controls (buttons, check boxes, edits,
// tabs, track bars ...) to the gallery. Each page is an MDI child of the gallery's frame, so a
// page is seen inside the skinned frame and can be tiled beside the others.
//
// Adding a page:
//   1. a form class deriving from TForm (gallery/page_<name>.h/.cpp) whose form text
//      (gallery/forms/page_<name>.txt) says FormStyle = fsMDIChild and holds the controls;
//   2. its class registered in RegisterGalleryClasses and its form text listed in
//      gallery/CMakeLists.txt;
//   3. one line in the table in pages.cpp: the name `--page` takes, and how to open it.
// A page with something that moves by itself derives from GalleryAnimation as well.
#pragma once

#include <string>
#include <vector>

class TComponent;
class TCustomForm;

// What a page that animates itself (a timer moving a bar) does for `--shot`: it stops at a fixed
// state, so the screenshot is the same on every run.
class GalleryAnimation {
  public:
    virtual void HoldStill() = 0;

  protected:
    ~GalleryAnimation() = default;
};

struct GalleryPage {
    const char* name;
    // Makes the page's form, owned by `owner`; it shows itself as an MDI child.
    TCustomForm* (*open)(TComponent* owner);
};

const std::vector<GalleryPage>& GalleryPages();
std::vector<std::string> GalleryPageNames();
// The page of that name, or null.
const GalleryPage* FindGalleryPage(const std::string& name);
