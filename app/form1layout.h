// SPDX-License-Identifier: GPL-3.0-or-later
// The main window's properties and controls, as one table.
#pragma once

#include "platform/form.h"

namespace app {

extern const platform::FormSpec Form1Spec;

} // namespace app
