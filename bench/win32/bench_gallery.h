// The skin gallery as a benchmark's stage: started with a stored skin chosen and skinning off, so
// that the unskinned figures come first; and the waits the measurements take between steps.
#pragma once

class TGalleryForm;

namespace qs::bench {

class TReport;

// Null (and a note in the report) when the gallery does not start.
TGalleryForm* StartGallery(TReport& report, int storedSkin);
// Lets posted work (deferred skinning, repaints) finish.
void Settle();

} // namespace qs::bench
