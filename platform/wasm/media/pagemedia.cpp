// SPDX-License-Identifier: GPL-3.0-or-later
// The media layer in a web page, linked into the program: the page's audio
// behind sndPlaySoundA and its <video> element as the media player control.
#include "platform/media/systemsound.h"
#include "platform/mediamodule.h"
#include "platform/wasm/media/videoelementplayer.h"

namespace platform {
namespace {

VideoElementPlayer *asPlayer(QWidget *player) {
    auto *videoPlayer = qobject_cast<VideoElementPlayer *>(player);
    Q_ASSERT(videoPlayer);
    return videoPlayer;
}

class PageMedia final : public MediaModule {
public:
    SoundDevice &soundDevice() const override { return systemSoundDevice(); }

    QWidget *createPlayer(const MediaPlayerSettings &settings, QWidget *parent) const override {
        return new VideoElementPlayer(settings, parent);
    }

    Dispatch *playerDispatch(QWidget *player) const override { return asPlayer(player); }

    void onDoubleClick(QWidget *player, QObject *context,
                       const DoubleClickHandler &handler) const override {
        QObject::connect(asPlayer(player), &VideoElementPlayer::doubleClicked, context, handler);
    }
};

} // namespace

const MediaModule &mediaModule() {
    static const PageMedia module;
    return module;
}

} // namespace platform
