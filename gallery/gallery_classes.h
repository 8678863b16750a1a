// Makes the gallery's form classes, the toolkit's and the skin engine's known to form resources.
#pragma once

void RegisterGalleryClasses();
