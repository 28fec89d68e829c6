// The program builds Windows-style file names ("folder\name"); the file
// functions of this layer turn them into names the file system knows.
#pragma once

#include <QString>

namespace platform {

// Every backslash becomes '/', nothing else changes: a doubled separator
// stays doubled (and is harmless).
QString nativePath(const QString &windowsPath);

} // namespace platform
