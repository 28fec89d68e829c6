// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a window manager runs now, and handing a move over to it. A
// manager can go away and come back while the program runs (killed,
// replaced, restarted): what it announced when it started may outlive it,
// so this asks the window system each time.
#pragma once

class QPoint;
class QWindow;

namespace platform {

// True when a window manager manages window's screen at this moment. On X11,
// the manager's check window named by the root window must still exist and
// name itself (the desktop window manager convention); elsewhere the window
// system's own answer stands, and this is true.
bool windowManagerRunning(const QWindow *window);

// Hands the move of window to the window manager, the left button held since
// it went down at pressedAt (global): the window follows the pointer from
// there, however far it has gone since. Qt's own request names where the
// pointer is now, so a move started once the pointer has gone some way would
// leave the window behind by that much. On X11 only; false elsewhere.
bool startWindowManagerMove(QWindow *window, const QPoint &pressedAt);

// Calls off a move or resize the window manager was asked for: it started
// after the button had gone up, so no release will ever end it. On X11
// only; elsewhere the window system ends its own with the button.
void cancelWindowManagerMoveResize(QWindow *window);

// Whether the left button is down at this moment, as the window system
// knows it, and not as the oldest input still waiting to be handled says:
// input held while a sound played is handled after the button went up.
bool leftButtonHeld(const QWindow *window);

} // namespace platform
