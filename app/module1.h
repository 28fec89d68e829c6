// SPDX-License-Identifier: GPL-3.0-or-later
// The program's one module: what lives for the whole run outside the windows.
#pragma once

#include "platform/tray.h"

namespace app::Module1 {

// The notification-area icon's record, filled in and sent by the main
// window's load; nothing touches it after that.
extern NOTIFYICONDATA trayRecord;

} // namespace app::Module1
