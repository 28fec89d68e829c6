#include "startup.h"

#include "fonts.h"
#include "form.h"

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>

namespace app {

void prepareApplication(QApplication &application) {
    QApplication::setApplicationName(QStringLiteral("سنوميل"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    QApplication::setDesktopFileName(QStringLiteral("example.alzanbouti.snomel"));
    QApplication::setWindowIcon(platform::programIcon());
    // One look on every desktop: the platform's own style would differ from
    // machine to machine.
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    platform::installFonts();
}

ProgramStart::ProgramStart(int &argc, char **argv) : application_(argc, argv) {
    fonts_.wait();
    prepareApplication(application_);
    fonts_.listFonts();
}

ProgramStart::~ProgramStart() {
    fonts_.wait();
}

bool checkDisplay() {
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY"))
        return true;
    std::fputs("snomel: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is "
               "set); to run it on a virtual display: xvfb-run -a ./snomel\n",
               stderr);
    return false;
}

} // namespace app
