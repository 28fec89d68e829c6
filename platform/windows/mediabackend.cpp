// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mediabackend.h"

namespace platform {

// Qt on Windows has the one backend, Media Foundation: naming another would
// leave the player without any.
void preferGStreamerMediaBackend() {}

} // namespace platform
