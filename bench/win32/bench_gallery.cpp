// The skin gallery started for a benchmark.
#include "bench/win32/bench_gallery.h"

#include <string>

#include "bench/win32/bench_harness.h"
#include "gallery/gallery_classes.h"
#include "gallery/gallery_form.h"
#include "skin/core/skin_data.h"
#include "tests/support/toolkit_loop.h"
#include "toolkit/controls/application.h"

namespace qs::bench {

TGalleryForm* StartGallery(TReport& report, int storedSkin) {
    RegisterGalleryClasses();
    Application->Initialize();
    TGalleryForm* frame = NewForm<TGalleryForm>(nullptr);
    std::string error;
    if (!frame->Start(GalleryOptions{}, {}, error)) {
        report.Note("the gallery did not start: " + error);
        delete frame;
        return nullptr;
    }
    frame->Show();
    frame->SelectStoredSkin(storedSkin);
    frame->SkinData1->SetActive(false);
    Settle();
    return frame;
}

void Settle() {
    qs::test::RunToolkitUntil([] { return false; }, 300);
}

} // namespace qs::bench
