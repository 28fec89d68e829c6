// SPDX-License-Identifier: GPL-3.0-or-later
// How media reaches the media framework: by its address on Linux
// (unix/media/mediasource.cpp), as an open file on Windows
// (windows/media/mediasource.cpp).
#pragma once

class QMediaPlayer;
class QUrl;

namespace platform {

// Gives player the media at source, a local file or a network address; an
// empty source takes the player's media away.
void setMediaSource(QMediaPlayer &player, const QUrl &source);

} // namespace platform
