// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/fonts.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QResource>

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

void installFonts() {
    // Registered by their bytes where the uncompressed resource holds them
    // (uncompressedData() copies nothing then): registered by name, each
    // file would be read into memory once to be registered and once more for
    // each font engine made from it.
    for (const char *file : BundledFonts)
        QFontDatabase::addApplicationFontFromData(
            QResource(QString::fromLatin1(file)).uncompressedData());
    for (const char *face : StoredFaces)
        QFont::insertSubstitution(QString::fromLatin1(face), bundledFontFamily());
    QFont controlFont(familyForFace(u"MS Sans Serif"));
    controlFont.setPointSizeF(DefaultControlPoints);
    QApplication::setFont(controlFont);
}

} // namespace platform
