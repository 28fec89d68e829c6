// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/threadpriority.h"

#include <QtGlobal>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

namespace platform {
namespace {

// About a tenth of a normal thread's share of a busy core (the kernel weighs
// nice 10 at 110 against 1024).
constexpr int BackgroundNice = 10;

} // namespace

void lowerCallingThreadPriority() {
#ifdef Q_OS_LINUX
    // On Linux the nice value belongs to the thread, and who 0 is the caller.
    // A thread already lower than that is left as it is.
    if (getpriority(PRIO_PROCESS, 0) < BackgroundNice)
        setpriority(PRIO_PROCESS, 0, BackgroundNice);
#endif
}

} // namespace platform
