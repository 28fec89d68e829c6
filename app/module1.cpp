// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/module1.h"

namespace app::Module1 {

NOTIFYICONDATA trayRecord{};

} // namespace app::Module1
