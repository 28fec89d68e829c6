// SPDX-License-Identifier: GPL-3.0-or-later
// Whether a window manager runs now. A manager can go away and come back
// while the program runs (killed, replaced, restarted): what it announced
// when it started may outlive it, so this asks the window system each time.
#pragma once

class QWindow;

namespace platform {

// True when a window manager manages window's screen at this moment. On X11,
// the manager's check window named by the root window must still exist and
// name itself (the desktop window manager convention); elsewhere the window
// system's own answer stands, and this is true.
bool windowManagerRunning(const QWindow *window);

} // namespace platform
