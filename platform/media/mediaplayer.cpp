// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/media/mediaplayer.h"

#include "platform/media/videosurface.h"
#include "platform/paths.h"

#include <QContextMenuEvent>
#include <QDir>
#include <QMenu>
#include <QVBoxLayout>

namespace platform {
namespace {

const char *const SurfaceName = "شاشة العرض";
const char *const SurfaceDescription = "تعرض صورة المقطع";

short buttonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return 1;
    case Qt::RightButton:
        return 2;
    case Qt::MiddleButton:
        return 4;
    default:
        return 0;
    }
}

short shiftCode(Qt::KeyboardModifiers modifiers) {
    short code = 0;
    if (modifiers & Qt::ShiftModifier)
        code |= 1;
    if (modifiers & Qt::ControlModifier)
        code |= 2;
    if (modifiers & Qt::AltModifier)
        code |= 4;
    return code;
}

bool showsBar(const MediaPlayerSettings &settings) {
    return settings.uiMode.compare(QLatin1String("full"), Qt::CaseInsensitive) == 0 ||
           settings.uiMode.compare(QLatin1String("mini"), Qt::CaseInsensitive) == 0;
}

} // namespace

QUrl resolveMediaUrl(const QString &url) {
    if (url.isEmpty())
        return {};
    QUrl parsed(url);
    if (parsed.isValid() && parsed.scheme().size() > 1)
        return parsed;
    return QUrl::fromLocalFile(QDir::current().absoluteFilePath(nativePath(url)));
}

MediaPlayer::MediaPlayer(const MediaPlayerSettings &settings, QWidget *parent)
    : QWidget(parent), settings_(settings), surface_(new VideoSurface(this)),
      controls_(new PlayerControls(this)), playback_(new Playback(settings_, surface_, this)) {
    setAttribute(Qt::WA_NoMousePropagation);
    setContextMenuPolicy(settings_.enableContextMenu ? Qt::DefaultContextMenu : Qt::NoContextMenu);
    surface_->setStretchToFit(settings_.stretchToFit);
    connect(surface_, &VideoSurface::doubleClicked, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position) {
                const QPoint at = surface_->mapTo(this, position);
                emit doubleClicked(buttonCode(button), shiftCode(modifiers), at.x(), at.y());
            });
    connect(surface_, &VideoSurface::firstFramePainted, this, &MediaPlayer::firstFrameShown);
    surface_->setAccessibleName(QString::fromUtf8(SurfaceName));
    surface_->setAccessibleDescription(QString::fromUtf8(SurfaceDescription));

    connect(controls_, &PlayerControls::play, playback_, &Playback::play);
    connect(controls_, &PlayerControls::pause, playback_, &Playback::pause);
    connect(controls_, &PlayerControls::stop, playback_, &Playback::stop);
    connect(controls_, &PlayerControls::seek, playback_, &Playback::setPosition);
    connect(controls_, &PlayerControls::volumeChanged, this, &MediaPlayer::setVolume);
    connect(controls_, &PlayerControls::mutedChanged, this, &MediaPlayer::setMuted);
    connect(playback_, &Playback::changed, this, &MediaPlayer::showPlayback);
    connect(playback_, &Playback::stateChanged, this, [this](State state) {
        showPlayback();
        emit stateChanged(state);
    });

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(surface_, 1);
    // Without a bar its actions still make the context menu.
    if (showsBar(settings_)) {
        controls_->setEnabled(settings_.enabled);
        layout->addWidget(controls_);
    } else {
        controls_->hide();
    }
    controls_->setVolume(volume());
    controls_->setMuted(isMuted());
    showPlayback();

    if (!settings_.URL.isEmpty()) {
        url_ = settings_.URL;
        playback_->open(resolveMediaUrl(url_),
                        static_cast<qint64>(settings_.currentPosition * 1000));
    }
}

MediaPlayer::~MediaPlayer() {
    // The pipeline goes with the control, before the surface it draws into.
    delete playback_;
}

Variant MediaPlayer::Invoke(DISPID dispid, InvokeKind kind, const QList<Variant> &arguments) {
    return invokeStringProperty(DispidURL, dispid, kind, arguments, url_,
                                [this](const QString &url) { setURL(url); });
}

void MediaPlayer::setURL(const QString &url) {
    url_ = url;
    playback_->open(resolveMediaUrl(url), 0);
}

QWidget *MediaPlayer::controlBar() const {
    return showsBar(settings_) ? controls_ : nullptr;
}

void MediaPlayer::setVolume(int volume) {
    playback_->setVolume(volume);
    controls_->setVolume(playback_->volume());
}

void MediaPlayer::setMuted(bool muted) {
    playback_->setMuted(muted);
    controls_->setMuted(muted);
}

void MediaPlayer::showPlayback() {
    controls_->setState(playback_->state(), playback_->hasMedia());
    controls_->setProgress(position(), duration());
}

void MediaPlayer::contextMenuEvent(QContextMenuEvent *event) {
    // Popped up, not run in a loop of its own: the window can be closed
    // while the menu is open, and the menu then goes with the player.
    auto *menu = new QMenu(this);
    menu->setAttribute(Qt::WA_DeleteOnClose);
    controls_->addContextActions(menu);
    menu->popup(event->globalPos());
}

} // namespace platform
