// SPDX-License-Identifier: GPL-3.0-or-later
// Opening only regular files. Windows has no FIFO or device in a folder
// that an open could wait on: a look beforehand is enough.
#include "platform/paths.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

namespace platform {

bool openRegularFile(QFile &file, const QString &path, int *openError) {
    const QFileInfo info(path);
    file.setFileName(path);
    if (info.isFile() && file.open(QIODevice::ReadOnly))
        return true;
    if (openError)
        *openError = !info.exists() ? ENOENT : info.isFile() ? EACCES : 0;
    return false;
}

} // namespace platform
