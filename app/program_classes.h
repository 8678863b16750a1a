// Makes the program's form classes (and the toolkit's and the engine's) known to form resources.
#pragma once

void RegisterProgramClasses();
