// SPDX-License-Identifier: GPL-3.0-or-later
// Windows manages its windows itself, always: moves and resizes are Qt's
// own system ones there, and the system ends them with the button.
#include "platform/windowmanager.h"

#include "platform/windows/win32calls.h"

namespace platform {

bool windowManagerRunning(const QWindow *) {
    return true;
}

bool startWindowManagerMove(QWindow *, const QPoint &) {
    return false;
}

void cancelWindowManagerMoveResize(QWindow *) {}

bool leftButtonHeld(const QWindow *) {
    return win32::primaryButtonDown();
}

} // namespace platform
