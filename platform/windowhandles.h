// SPDX-License-Identifier: GPL-3.0-or-later
// 32-bit window handles: one per live window, handed out on first ask.
#pragma once

#include "platform/win32.h"

class QWidget;

namespace platform {

// The handle of a window; the same value for as long as the window lives.
HWND handleOf(QWidget *window);

// The window a handle names. A handle of a window that is gone, or one that
// was never handed out, raises a runtime error.
QWidget *windowFromHandle(HWND handle);
// The same, null for such a handle: for the callers that answer FALSE
// rather than raise.
QWidget *findWindow(HWND handle);

} // namespace platform
