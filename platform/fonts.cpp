#include "fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>

#ifdef SNOMEL_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace platform {
namespace {

constexpr const char *BundledFonts[] = {":/snomel/fonts/SnomelNaskh-Regular.ttf",
                                        ":/snomel/fonts/SnomelNaskh-Bold.ttf"};
constexpr const char *StoredFaces[] = {"Times New Roman", "MS Sans Serif"};
constexpr double DefaultControlPoints = 8.25;

} // namespace

QString bundledFontFamily() {
    return QStringLiteral("Snomel Naskh");
}

QString familyForFace(QStringView face) {
    for (const char *stored : StoredFaces) {
        if (face.compare(QLatin1StringView(stored), Qt::CaseInsensitive) == 0)
            return bundledFontFamily();
    }
    return face.toString();
}

FontConfigurationPreload::FontConfigurationPreload() {
#ifdef SNOMEL_HAVE_FONTCONFIG
    // fontconfig makes its configuration once, atomically: whoever comes
    // second uses the first one's.
    loader_ = std::thread([] { FcInit(); });
#endif
}

FontConfigurationPreload::~FontConfigurationPreload() {
    wait();
}

void FontConfigurationPreload::wait() {
    if (loader_.joinable())
        loader_.join();
}

void installFonts() {
    for (const char *file : BundledFonts)
        QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    for (const char *face : StoredFaces)
        QFont::insertSubstitution(QString::fromLatin1(face), bundledFontFamily());
    QFont controlFont(familyForFace(u"MS Sans Serif"));
    controlFont.setPointSizeF(DefaultControlPoints);
    QApplication::setFont(controlFont);
}

} // namespace platform
