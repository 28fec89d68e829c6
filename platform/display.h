// SPDX-License-Identifier: GPL-3.0-or-later
// Whether there is a screen to show the program's windows on, asked before
// the application object is made: without one, Qt would abort where a
// system can lack it (a Unix session with no display server).
#pragma once

namespace platform {

// True when the program can show its windows. Where it cannot, says so on
// standard error, with how to run it on a virtual display, and is false.
// On Windows there is always the desktop, and this is true.
bool checkDisplay();

} // namespace platform
