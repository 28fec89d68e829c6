// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qttranslations.h"

#include <QLibraryInfo>

namespace platform {

QString qtTranslationsFolder() {
    return QLibraryInfo::path(QLibraryInfo::TranslationsPath);
}

} // namespace platform
