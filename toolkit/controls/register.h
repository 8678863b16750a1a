// Makes the toolkit's control classes known to the class registry, so form resources can
// create them by name.
#pragma once

void RegisterControlClasses();
