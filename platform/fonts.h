// SPDX-License-Identifier: GPL-3.0-or-later
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

// Does the start-up's font work that needs no window on the second core:
// made before the application object, it reads the system's font
// configuration while the application connects to the display; started
// again after installFonts(), it lists the system's fonts while the main
// window is built. Either would otherwise happen on the way to the first
// paint. Qt's font database and fontconfig are safe to use from any thread;
// the first font the window asks for waits for the list if need be. The
// threads run at a lowered priority, so that they take no core from the
// interface thread or the display server while those talk to each other.
// Does nothing where the platform has no fontconfig.
class FontPreload {
public:
    FontPreload(); // starts reading the font configuration
    ~FontPreload();
    FontPreload(const FontPreload &) = delete;
    FontPreload &operator=(const FontPreload &) = delete;

    // After installFonts(), with the application object there: lists the
    // fonts on the second core.
    void listFonts();
    // Waits for the work started: before installFonts(), and before the
    // application object goes.
    void wait();

private:
    std::thread worker_;
};

// Registers the bundled font and maps the stored faces onto it, for fonts
// made by face name elsewhere (a skin's caption font); makes the default
// control font 8 points of the bundled family. Call once, after the
// application object exists and before any window is created.
void installFonts();

} // namespace platform
