// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/startup.h"

#include "platform/accessibility.h"
#include "platform/fonts.h"
#include "platform/form.h"
#include "platform/qttranslations.h"

#include <QApplication>
#include <QStyleFactory>
#include <QTranslator>
#include <mutex>

namespace app {
namespace {

struct QtText {
    const char *context;
    const char *source;
    const char *arabic;
};

// Where the program words one of Qt's texts otherwise than Qt's Arabic
// translation: the button of an Arabic message box says "موافق".
constexpr QtText OwnWords[] = {
    {"QPlatformTheme", "OK", "موافق"},
};

// Qt's texts: the program's own words first, then Qt's Arabic catalogue. The
// catalogue (three files, platform/qttranslations.h) is opened
// the first time Qt asks for one of its texts, a message box's button say:
// nothing on the way to the main window's first paint asks for one.
// Qt asks from any thread, under its own read lock; the catalogue is opened
// once.
class QtTextsTranslator final : public QTranslator {
public:
    bool isEmpty() const override { return false; }
    QString translate(const char *context, const char *source, const char *disambiguation,
                      int n) const override {
        for (const QtText &text : OwnWords) {
            if (qstrcmp(context, text.context) == 0 && qstrcmp(source, text.source) == 0)
                return QString::fromUtf8(text.arabic);
        }
        std::call_once(catalogueOpened_, [this] {
            // Without it (the system keeps no Arabic catalogue of Qt's) the
            // texts stay English.
            (void)catalogue_.load(QStringLiteral("qt_ar"), platform::qtTranslationsFolder());
        });
        return catalogue_.translate(context, source, disambiguation, n);
    }

private:
    mutable std::once_flag catalogueOpened_;
    mutable QTranslator catalogue_;
};

// Everything the application needs before its first window but the fonts,
// which wait for the font configuration.
void prepareAllButFonts(QApplication &application) {
    QApplication::setApplicationName(QStringLiteral("سنوميل"));
    QApplication::setApplicationVersion(QStringLiteral("1.0.0.0"));
    QApplication::setDesktopFileName(QStringLiteral("example.alzanbouti.snomel"));
    QApplication::setWindowIcon(platform::programIcon());
    // One look on every desktop: the platform's own style would differ from
    // machine to machine.
    application.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    installQtTranslations();
    platform::installAccessibleRoles();
}

} // namespace

void installQtTranslations() {
    // An Arabic translation would turn the whole application right to left;
    // the windows keep their left-to-right layout (the alphabet runs right to
    // left by where its buttons stand), and only the message boxes mirror.
    QGuiApplication::setLayoutDirection(Qt::LeftToRight);
    // For the rest of the run: a translator leaves the application's list
    // when it goes.
    static QtTextsTranslator qtTexts;
    QCoreApplication::installTranslator(&qtTexts);
}

void prepareApplication(QApplication &application) {
    prepareAllButFonts(application);
    platform::installFonts();
}

ProgramStart::ProgramStart(int &argc, char **argv) : application_(argc, argv) {
    // What needs no fonts first: on a busy machine the font configuration,
    // read on the second core, may not be ready when the application is.
    prepareAllButFonts(application_);
    fonts_.wait();
    platform::installFonts();
    fonts_.listFonts();
}

ProgramStart::~ProgramStart() {
    fonts_.wait();
}

} // namespace app
