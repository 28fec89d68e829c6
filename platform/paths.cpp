// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/paths.h"

#include <QFile>
#include <QFileInfo>
#include <cerrno>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

QString nativePath(const QString &windowsPath) {
    QString path = windowsPath;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

bool openRegularFile(QFile &file, const QString &path, int *openError) {
    int error = 0;
    const auto refuse = [&] {
        if (openError)
            *openError = error;
        return false;
    };
#ifdef Q_OS_UNIX
    // Not blocking, so that opening a FIFO returns at once; its type is
    // then read from what was opened, not looked up beforehand.
    const int fd =
        ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
    if (fd < 0) {
        error = errno;
        return refuse();
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode) ||
        !file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        return refuse();
    }
    return true;
#else
    const QFileInfo info(path);
    if (!info.exists())
        error = ENOENT;
    else if (info.isFile())
        error = EACCES;
    file.setFileName(path);
    return (info.isFile() && file.open(QIODevice::ReadOnly)) || refuse();
#endif
}

} // namespace platform
