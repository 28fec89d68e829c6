// SPDX-License-Identifier: GPL-3.0-or-later
// Where Qt's own Arabic catalogue (qt_ar.qm and the module catalogues it
// names) is read from.
#pragma once

#include <QString>

namespace platform {

// On Linux the system's (Debian's, updated with the Qt it translates); on
// Windows and in a web page the copy built into the program, as neither
// keeps one and the Qt linked in knows only the folders of the machine it
// was built on.
QString qtTranslationsFolder();

} // namespace platform
