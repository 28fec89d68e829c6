// SPDX-License-Identifier: GPL-3.0-or-later
// Opening only regular files, by what was opened rather than by a look
// beforehand.
#include "platform/paths.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace platform {

bool openRegularFile(QFile &file, const QString &path, int *openError) {
    int error = 0;
    const auto refuse = [&] {
        if (openError)
            *openError = error;
        return false;
    };
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
}

} // namespace platform
