// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up work done on a second thread while the user waits for the window.
#pragma once

namespace platform {

// Lowers the calling thread's scheduling priority, so that it runs in the
// time the interface thread and the display server leave it, instead of
// taking a core from them while they talk to each other. On a busy machine
// the work still gets its share, only a smaller one. Only Linux schedules
// each thread of a process on its own; elsewhere this does nothing rather
// than lower the whole program.
void lowerCallingThreadPriority();

} // namespace platform
