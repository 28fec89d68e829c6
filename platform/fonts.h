// The program's own Arabic font, so every caption renders shaped and legible
// on a machine that has none of the faces the windows name.
#pragma once

#include <QString>

namespace platform {

// The family of the bundled font.
QString bundledFontFamily();

// Registers the bundled font and maps the faces the windows store
// ("Times New Roman", "MS Sans Serif") onto it; makes the default control
// font 8 points of "MS Sans Serif". Call once, after the application object
// exists and before any window is created.
void installFonts();

} // namespace platform
