// SPDX-License-Identifier: GPL-3.0-or-later
// The program builds Windows-style file names ("folder\name"); the file
// functions of this layer turn them into names the file system knows.
#pragma once

#include <QString>

class QFile;

namespace platform {

// Every backslash becomes '/', nothing else changes: a doubled separator
// stays doubled (and is harmless).
QString nativePath(const QString &windowsPath);

// Opens the file at path for reading when it is a regular file (a symbolic
// link is followed). Anything else (a FIFO, a device, a socket, a folder)
// is refused at once: opening or reading a FIFO would hold the interface
// thread for as long as nobody writes into it. When it fails, openError
// (if given) says why: the system's error number when the name could not
// be opened at all, 0 when it names something that is not a regular file.
bool openRegularFile(QFile &file, const QString &path, int *openError = nullptr);

} // namespace platform
