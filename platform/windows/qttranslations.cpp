// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qttranslations.h"

namespace platform {

// Built in by platform/windows/CMakeLists.txt.
QString qtTranslationsFolder() {
    return QStringLiteral(":/snomel/qt-translations");
}

} // namespace platform
