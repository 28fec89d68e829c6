// SPDX-License-Identifier: GPL-3.0-or-later
// The media layer linked into the same binary: the tests, and the module the
// program loads.
#include "platform/media/mediaplayer.h"
#include "platform/media/pulsesound.h"
#include "platform/mediamodule.h"

namespace platform {
namespace {

QWidget *createPlayer(const MediaPlayerSettings &settings, QWidget *parent) {
    return new MediaPlayer(settings, parent);
}

MediaPlayer *asPlayer(QWidget *player) {
    auto *mediaPlayer = qobject_cast<MediaPlayer *>(player);
    Q_ASSERT(mediaPlayer);
    return mediaPlayer;
}

Dispatch *playerDispatch(QWidget *player) {
    return asPlayer(player);
}

void onDoubleClick(QWidget *player, QObject *context, const DoubleClickHandler &handler) {
    QObject::connect(asPlayer(player), &MediaPlayer::doubleClicked, context, handler);
}

const MediaModule LinkedModule{&pulseSoundDevice, &createPlayer, &playerDispatch, &onDoubleClick};

} // namespace

const MediaModule &mediaModule() {
    return LinkedModule;
}

} // namespace platform
