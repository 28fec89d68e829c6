// SPDX-License-Identifier: GPL-3.0-or-later
// How media reaches the media framework: by its address on Linux
// (unix/media/mediasource.cpp), as an open file on Windows
// (windows/media/mediasource.cpp); and whether the system has the
// framework at all.
#pragma once

class QMediaPlayer;
class QUrl;

namespace platform {

// Gives player the media at source, a local file or a network address; an
// empty source takes the player's media away.
void setMediaSource(QMediaPlayer &player, const QUrl &source);

// Whether the system's own media libraries the framework plays with are
// there. Always on Linux, where they are the program's dependencies; on
// Windows, Media Foundation is missing from the N and KN editions and from
// Windows without the Media Feature Pack. Nothing of the framework may be
// created without them. Asked once.
bool mediaFrameworkPresent();

} // namespace platform
