// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/media/mediasource.h"

#include <QMediaPlayer>
#include <QUrl>

namespace platform {

void setMediaSource(QMediaPlayer &player, const QUrl &source) {
    player.setSource(source);
}

bool mediaFrameworkPresent() {
    return true;
}

} // namespace platform
