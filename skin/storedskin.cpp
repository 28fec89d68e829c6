// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/storedskin.h"

#include "skin/skinreader.h"

#include <QResource>
#include <QtDebug>

namespace skin {

QByteArray storedSkinStream(int formNumber) {
    if (formNumber < 1 || formNumber > 3)
        return {};
    // Stored uncompressed, so the window's stream is the resource's own
    // bytes (uncompressedData() copies nothing then), not a copy made at
    // every start.
    const QResource resource(QStringLiteral(":/snomel/skin/Form%1.skn").arg(formNumber));
    if (!resource.isValid())
        return {};
    return resource.uncompressedData();
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
