#include "storedskin.h"

#include "skinreader.h"

#include <QFile>
#include <QtDebug>

namespace skin {

QByteArray storedSkinStream(int formNumber) {
    if (formNumber < 1 || formNumber > 3)
        return {};
    QFile file(QStringLiteral(":/snomel/skin/Form%1.skn").arg(formNumber));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

const Skin &storedSkin() {
    // The build checks the stored copies, so this fails only in a broken
    // build; the skin is then empty, and windows keep their plain look.
    static const Skin skin = [] {
        ReadError error;
        std::optional<Skin> s = readSkinStream(storedSkinStream(1), &error);
        if (!s) {
            qCritical("The stored skin does not read: %s", qPrintable(error.message()));
            return Skin{};
        }
        return *std::move(s);
    }();
    return skin;
}

} // namespace skin
