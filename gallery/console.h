// Texts for whoever started the gallery: to its standard output or error when it has one (a
// console, a pipe, a file), else in a message box, since a windowed program may have neither.
#pragma once

#include <string>

void WriteOut(const std::string& utf8);
void WriteError(const std::string& utf8);
