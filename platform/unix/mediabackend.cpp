// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mediabackend.h"

#include <QByteArray>
#include <QtGlobal>

namespace platform {

void preferGStreamerMediaBackend() {
    if (qEnvironmentVariableIsEmpty("QT_MEDIA_BACKEND"))
        qputenv("QT_MEDIA_BACKEND", "gstreamer");
}

} // namespace platform
