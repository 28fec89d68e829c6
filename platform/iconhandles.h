// SPDX-License-Identifier: GPL-3.0-or-later
// 32-bit icon handles: one per icon the program hands to the platform,
// handed out on first ask and valid for the rest of the run.
#pragma once

#include "platform/win32.h"

class QIcon;

namespace platform {

// The handle of an icon; the same value for every copy of the same icon.
// A null icon has the handle 0.
HICON iconHandleOf(const QIcon &icon);

// The icon a handle names; a null icon for 0 or a handle never handed out.
QIcon iconFromHandle(HICON handle);

} // namespace platform
