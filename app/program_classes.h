// Makes the program's form classes (and the toolkit's controls) known to form resources.
#pragma once

void RegisterProgramClasses();
