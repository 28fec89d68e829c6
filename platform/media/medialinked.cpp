// SPDX-License-Identifier: GPL-3.0-or-later
// The media layer linked into the same binary: the tests, the module the
// program loads on Linux, and the program on Windows.
#include "platform/media/mediaplayer.h"
#include "platform/media/systemsound.h"
#include "platform/mediamodule.h"

namespace platform {
namespace {

class LinkedModule final : public MediaModule {
public:
    SoundDevice &soundDevice() const override { return systemSoundDevice(); }

    QWidget *createPlayer(const MediaPlayerSettings &settings, QWidget *parent) const override {
        return new MediaPlayer(settings, parent);
    }

    Dispatch *playerDispatch(QWidget *player) const override { return asPlayer(player); }

    void onDoubleClick(QWidget *player, QObject *context,
                       const DoubleClickHandler &handler) const override {
        QObject::connect(asPlayer(player), &MediaPlayer::doubleClicked, context, handler);
    }

private:
    static MediaPlayer *asPlayer(QWidget *player) {
        auto *mediaPlayer = qobject_cast<MediaPlayer *>(player);
        Q_ASSERT(mediaPlayer);
        return mediaPlayer;
    }
};

} // namespace

const MediaModule &mediaModule() {
    static const LinkedModule module;
    return module;
}

} // namespace platform
