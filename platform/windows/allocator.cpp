// SPDX-License-Identifier: GPL-3.0-or-later
// The allocator on Windows: the system's heap hands large freed blocks back
// by itself and keeps no threshold that grows, so there is nothing to fix.
#include "platform/allocator.h"

namespace platform {

void fixAllocatorThresholds() {}

void returnFreedMemorySoon() {}

} // namespace platform
