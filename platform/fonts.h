// The program's own Arabic font, so every caption renders shaped and legible
// on a machine that has none of the faces the windows name.
#pragma once

#include <QString>
#include <QStringView>
#include <thread>

namespace platform {

// The family of the bundled font.
QString bundledFontFamily();

// The family that draws a stored face: the bundled one for the faces the
// windows store ("Times New Roman", "MS Sans Serif"), any other face as it
// is. Fonts are made with this family rather than the stored face: asking
// the font database for a face it lacks makes it query the system's
// fallbacks, which costs milliseconds at start-up for each font.
QString familyForFace(QStringView face);

// Loads the system's font configuration on another thread. Made before the
// application object, it overlaps the connection to the display, which
// needs no fonts; the first font the program asks for would otherwise load
// it on the way to the first paint. wait() before installFonts(). Does
// nothing where the platform has no fontconfig.
class FontConfigurationPreload {
public:
    FontConfigurationPreload();
    ~FontConfigurationPreload();
    FontConfigurationPreload(const FontConfigurationPreload &) = delete;
    FontConfigurationPreload &operator=(const FontConfigurationPreload &) = delete;

    void wait();

private:
    std::thread loader_;
};

// Registers the bundled font and maps the stored faces onto it, for fonts
// made by face name elsewhere (a skin's caption font); makes the default
// control font 8 points of the bundled family. Call once, after the
// application object exists and before any window is created.
void installFonts();

} // namespace platform
