// SPDX-License-Identifier: GPL-3.0-or-later
// The media framework's backend. Only the GStreamer one is used: the other
// one Qt ships crashes when there is no audio device. Qt reads the choice
// once, when the application object is made.
#pragma once

#include <QtGlobal>

namespace platform {

// Chooses GStreamer unless QT_MEDIA_BACKEND already names a backend. Call
// before the application object is created.
inline void preferGStreamerMediaBackend() {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

} // namespace platform
