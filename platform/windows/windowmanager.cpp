// SPDX-License-Identifier: GPL-3.0-or-later
// Windows manages its windows itself, always: moves and resizes are Qt's
// own system ones there.
#include "platform/windowmanager.h"

namespace platform {

bool windowManagerRunning(const QWindow *) {
    return true;
}

bool startWindowManagerMove(QWindow *, const QPoint &) {
    return false;
}

} // namespace platform
