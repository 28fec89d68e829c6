// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qttranslations.h"

#include <QLibraryInfo>

namespace platform {

QString qtTranslationsFolder() {
#ifdef SNOMEL_QT_TRANSLATIONS_BUILT_IN
    // Built in by platform/CMakeLists.txt.
    return QStringLiteral(":/snomel/qt-translations");
#else
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
#endif
}

} // namespace platform
