// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mediabackend.h"

namespace platform {

// The page's own elements play the media (media/pagemedia.cpp): the media
// framework's backends take no part.
void preferGStreamerMediaBackend() {}

} // namespace platform
