// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/threadpriority.h"

#include "platform/windows/win32calls.h"

namespace platform {

void lowerCallingThreadPriority() {
    win32::lowerCallingThreadPriority();
}

} // namespace platform
