// SPDX-License-Identifier: GPL-3.0-or-later
// A program in a web page has the page's one thread, which no call lowers.
#include "platform/threadpriority.h"

namespace platform {

void lowerCallingThreadPriority() {}

} // namespace platform
