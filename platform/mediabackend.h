// SPDX-License-Identifier: GPL-3.0-or-later
// The media framework's backend. On Linux only the GStreamer one is used:
// the other one Qt ships there crashes when there is no audio device. On
// Windows Qt has one backend, the system's own (Media Foundation), and there
// is nothing to choose. Qt reads the choice once, when the application
// object is made.
#pragma once

namespace platform {

// Chooses GStreamer where it is a choice, unless QT_MEDIA_BACKEND already
// names a backend. Call before the application object is created.
void preferGStreamerMediaBackend();

} // namespace platform
