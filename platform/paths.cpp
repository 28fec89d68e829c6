// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/paths.h"

namespace platform {

QString nativePath(const QString &windowsPath) {
    QString path = windowsPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

} // namespace platform
