// The program's own Arabic font, so every caption renders shaped and legible
// on a machine that has none of the faces the windows name.
#pragma once

#include <QString>
#include <QStringView>

namespace platform {

// The family of the bundled font.
QString bundledFontFamily();

// The family that draws a stored face: the bundled one for the faces the
// windows store ("Times New Roman", "MS Sans Serif"), any other face as it
// is. Fonts are made with this family rather than the stored face: asking
// the font database for a face it lacks makes it query the system's
// fallbacks, which costs milliseconds at start-up for each font.
QString familyForFace(QStringView face);

// Registers the bundled font and maps the stored faces onto it, for fonts
// made by face name elsewhere (a skin's caption font); makes the default
// control font 8 points of the bundled family. Call once, after the
// application object exists and before any window is created.
void installFonts();

} // namespace platform
