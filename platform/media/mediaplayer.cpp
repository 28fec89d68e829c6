// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/media/mediaplayer.h"

#include "platform/media/videosurface.h"
#include "platform/paths.h"
#include "platform/runtimeerror.h"

#include <QAction>
#include <QAudioOutput>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QIODevice>
#include <QLabel>
#include <QMediaPlayer>
#include <QMenu>
#include <QSlider>
#include <QStyle>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>
#include <QVideoSink>
#include <algorithm>
#include <climits>

namespace platform {
namespace {

using State = MediaPlayer::State;

struct StateText {
    State state;
    const char *text; // UTF-8
};

// What the bar says in each state. A file that cannot be played is a calm
// state like the others, not an error.
const StateText StateTexts[] = {
    {State::Empty, "جاهز"},
    {State::Opening, "جارٍ فتح الملف"},
    {State::Playing, "يعمل"},
    {State::Paused, "متوقف مؤقتًا"},
    {State::Stopped, "متوقف"},
    {State::Ended, "انتهى"},
    {State::Unavailable, "الملف غير متاح"},
};

const char *const PlayText = "تشغيل";
const char *const PauseText = "إيقاف مؤقت";
const char *const StopText = "إيقاف";
const char *const MuteText = "كتم الصوت";
const char *const VolumeUpText = "رفع الصوت";
const char *const VolumeDownText = "خفض الصوت";
const char *const SeekText = "الموضع";
const char *const VolumeText = "مستوى الصوت";

// What each part of the player does, as assistive technology says it. The
// buttons are called by their action's text, which follows the state.
const char *const PlayPauseDescription = "يشغّل المقطع أو يوقفه مؤقتًا";
const char *const StopDescription = "يوقف المقطع ويعيده إلى بدايته";
const char *const MuteDescription = "يكتم الصوت أو يعيده";
const char *const SeekDescription = "موضع التشغيل في المقطع";
const char *const VolumeDescription = "مستوى صوت المشغل من 0 إلى 100";
const char *const StateDescription = "حالة المشغل";
const char *const TimeDescription = "الوقت المنقضي من المقطع ومدته";
const char *const SurfaceName = "شاشة العرض";
const char *const SurfaceDescription = "تعرض صورة المقطع";
const char *const BarName = "أدوات التحكم";
const char *const BarDescription = "التشغيل والإيقاف والموضع والصوت";

constexpr int VolumeStep = 10;
// How long media may take to open before the player gives up on it.
constexpr int OpeningLimitMs = 8000;

QTimer *singleShotTimer(int interval, QObject *parent) {
    auto *timer = new QTimer(parent);
    timer->setSingleShot(true);
    timer->setInterval(interval);
    return timer;
}

QString tr8(const char *text) {
    return QString::fromUtf8(text);
}

// m:ss, or h:mm:ss from an hour on.
QString clockText(qint64 ms) {
    const qint64 seconds = std::max<qint64>(ms, 0) / 1000;
    const QLatin1Char zero('0');
    if (seconds >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(seconds / 3600)
            .arg(seconds / 60 % 60, 2, 10, zero)
            .arg(seconds % 60, 2, 10, zero);
    return QStringLiteral("%1:%2").arg(seconds / 60).arg(seconds % 60, 2, 10, zero);
}

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

QToolButton *toolButton(QAction *action, const char *description, QWidget *parent) {
    auto *button = new QToolButton(parent);
    button->setDefaultAction(action);
    button->setAccessibleDescription(tr8(description));
    button->setAutoRaise(true);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
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
    : QWidget(parent), settings_(settings), volume_(std::clamp(settings.volume, 0, 100)),
      muted_(settings.mute), surface_(new VideoSurface(this)) {
    setAttribute(Qt::WA_NoMousePropagation);
    setContextMenuPolicy(settings_.enableContextMenu ? Qt::DefaultContextMenu : Qt::NoContextMenu);
    surface_->setStretchToFit(settings_.stretchToFit);
    connect(surface_, &VideoSurface::doubleClicked, this,
            [this](Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position) {
                const QPoint at = surface_->mapTo(this, position);
                emit doubleClicked(buttonCode(button), shiftCode(modifiers), at.x(), at.y());
            });
    connect(surface_, &VideoSurface::firstFramePainted, this, &MediaPlayer::firstFrameShown);
    surface_->setAccessibleName(tr8(SurfaceName));
    surface_->setAccessibleDescription(tr8(SurfaceDescription));

    createActions();
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(surface_, 1);
    const bool withBar =
        settings_.uiMode.compare(QLatin1String("full"), Qt::CaseInsensitive) == 0 ||
        settings_.uiMode.compare(QLatin1String("mini"), Qt::CaseInsensitive) == 0;
    if (withBar) {
        bar_ = createBar();
        bar_->setEnabled(settings_.enabled);
        layout->addWidget(bar_);
    }
    updateControls();

    if (!settings_.URL.isEmpty()) {
        url_ = settings_.URL;
        open(resolveMediaUrl(url_), static_cast<qint64>(settings_.currentPosition * 1000));
    }
}

MediaPlayer::~MediaPlayer() {
    // The pipeline goes with the control: stopped first, so nothing more is
    // heard, then released before the sink it draws into.
    if (engine_) {
        engine_->stop();
        delete engine_;
        engine_ = nullptr;
        audio_ = nullptr;
        sink_ = nullptr;
        openingWatch_ = nullptr;
        failure_ = nullptr;
        startSeek_ = nullptr;
    }
}

Variant MediaPlayer::Invoke(DISPID dispid, InvokeKind kind, const QList<Variant> &arguments) {
    return invokeStringProperty(DispidURL, dispid, kind, arguments, url_,
                                [this](const QString &url) { setURL(url); });
}

void MediaPlayer::setURL(const QString &url) {
    url_ = url;
    open(resolveMediaUrl(url), 0);
}

void MediaPlayer::open(const QUrl &source, qint64 startMs) {
    if (source.isEmpty()) {
        closeMedia(State::Empty);
        return;
    }
    createEngine();
    // The framework opens files on this thread: a FIFO would hold it for as
    // long as nobody writes into it, where the opening watch cannot end it.
    // So only a regular file is handed over.
    if (source.isLocalFile() && !QFileInfo(source.toLocalFile()).isFile()) {
        closeMedia(State::Unavailable);
        return;
    }
    surface_->clear();
    pendingStartMs_ = startMs;
    // The same name again opens the media afresh, from its start.
    if (engine_->source() == source)
        engine_->setSource(QUrl());
    // What the previous media left pending goes with it.
    cancelPending();
    engine_->setSource(source);
    openingWatch_->start();
    setState(State::Opening);
    if (settings_.autoStart)
        engine_->play();
    updateControls();
}

void MediaPlayer::createEngine() {
    if (engine_)
        return;
    engine_ = new QMediaPlayer(this);
    audio_ = new QAudioOutput(engine_);
    sink_ = new QVideoSink(engine_);
    engine_->setAudioOutput(audio_);
    engine_->setVideoSink(sink_);
    engine_->setPlaybackRate(settings_.rate);
    engine_->setLoops(std::max(settings_.playCount, 1));
    applyVolume();
    surface_->setSink(sink_);

    // A file cut short can keep the framework opening it for ever.
    openingWatch_ = singleShotTimer(OpeningLimitMs, engine_);
    connect(openingWatch_, &QTimer::timeout, this, [this] {
        if (engine_->mediaStatus() == QMediaPlayer::LoadingMedia)
            fail();
    });
    // The framework reports one failure several times, from inside its own
    // signals: the player drops the media once, when the reports are done.
    failure_ = singleShotTimer(0, engine_);
    connect(failure_, &QTimer::timeout, this, &MediaPlayer::fail);
    // The framework takes a seek only once its pipeline has settled into
    // the state it was just given.
    startSeek_ = singleShotTimer(0, engine_);
    connect(startSeek_, &QTimer::timeout, this, [this] {
        engine_->setPosition(pendingStartMs_);
        pendingStartMs_ = 0;
    });

    connect(engine_, &QMediaPlayer::playbackStateChanged, this, &MediaPlayer::updateState);
    connect(engine_, &QMediaPlayer::mediaStatusChanged, this,
            [this](QMediaPlayer::MediaStatus status) {
                if (status == QMediaPlayer::InvalidMedia) {
                    failure_->start();
                    return;
                }
                if (status != QMediaPlayer::LoadingMedia)
                    openingWatch_->stop();
                if (status == QMediaPlayer::LoadedMedia && pendingStartMs_ > 0) {
                    // Not started: waits at its position, paused.
                    if (!settings_.autoStart)
                        engine_->pause();
                    startSeek_->start();
                }
                updateState();
            });
    connect(engine_, &QMediaPlayer::errorOccurred, failure_, qOverload<>(&QTimer::start));
    connect(engine_, &QMediaPlayer::positionChanged, this, &MediaPlayer::updateControls);
    connect(engine_, &QMediaPlayer::durationChanged, this, &MediaPlayer::updateControls);
}

void MediaPlayer::cancelPending() {
    openingWatch_->stop();
    failure_->stop();
    startSeek_->stop();
}

// A file that is missing or cannot be played: no dialog, no sound, no
// picture; the bar says the file is unavailable.
void MediaPlayer::fail() {
    if (!engine_ || engine_->source().isEmpty())
        return;
    closeMedia(State::Unavailable);
}

void MediaPlayer::closeMedia(State state) {
    if (engine_) {
        engine_->stop();
        engine_->setSource(QUrl());
        cancelPending();
    }
    surface_->clear();
    setState(state);
    updateControls();
}

void MediaPlayer::updateState() {
    if (!engine_ || engine_->source().isEmpty())
        return; // Empty or Unavailable: set where the media was dropped
    switch (engine_->mediaStatus()) {
    case QMediaPlayer::NoMedia:
    case QMediaPlayer::InvalidMedia:
        return;
    case QMediaPlayer::LoadingMedia:
        setState(State::Opening);
        return;
    case QMediaPlayer::EndOfMedia:
        surface_->clear();
        setState(State::Ended);
        return;
    default:
        break;
    }
    switch (engine_->playbackState()) {
    case QMediaPlayer::PlayingState:
        setState(State::Playing);
        break;
    case QMediaPlayer::PausedState:
        setState(State::Paused);
        break;
    case QMediaPlayer::StoppedState:
        setState(State::Stopped);
        break;
    }
}

void MediaPlayer::setState(State state) {
    if (state_ == state)
        return;
    state_ = state;
    updateControls();
    emit stateChanged(state);
}

QString MediaPlayer::stateText() const {
    for (const StateText &entry : StateTexts)
        if (entry.state == state_)
            return tr8(entry.text);
    return {};
}

qint64 MediaPlayer::position() const {
    return engine_ && !engine_->source().isEmpty() ? engine_->position() : 0;
}

qint64 MediaPlayer::duration() const {
    return engine_ && !engine_->source().isEmpty() ? engine_->duration() : 0;
}

void MediaPlayer::play() {
    if (!engine_ || engine_->source().isEmpty())
        return;
    engine_->play();
}

void MediaPlayer::pause() {
    if (engine_ && state_ == State::Playing)
        engine_->pause();
}

void MediaPlayer::stop() {
    if (!engine_ || engine_->source().isEmpty())
        return;
    engine_->stop();
    surface_->clear();
}

void MediaPlayer::setVolume(int volume) {
    volume_ = std::clamp(volume, 0, 100);
    applyVolume();
    updateControls();
}

void MediaPlayer::setMuted(bool muted) {
    muted_ = muted;
    applyVolume();
    updateControls();
}

// The volume scale is the ear's, as a slider's should be; the output's is
// linear.
void MediaPlayer::applyVolume() {
    if (!audio_)
        return;
    audio_->setVolume(QAudio::convertVolume(static_cast<float>(volume_) / 100.0F,
                                            QAudio::LogarithmicVolumeScale,
                                            QAudio::LinearVolumeScale));
    audio_->setMuted(muted_);
}

void MediaPlayer::createActions() {
    const QStyle *style = this->style();
    playPause_ = new QAction(style->standardIcon(QStyle::SP_MediaPlay), tr8(PlayText), this);
    connect(playPause_, &QAction::triggered, this,
            [this] { state_ == State::Playing ? pause() : play(); });
    stop_ = new QAction(style->standardIcon(QStyle::SP_MediaStop), tr8(StopText), this);
    connect(stop_, &QAction::triggered, this, &MediaPlayer::stop);
    mute_ = new QAction(style->standardIcon(QStyle::SP_MediaVolume), tr8(MuteText), this);
    mute_->setCheckable(true);
    connect(mute_, &QAction::toggled, this, &MediaPlayer::setMuted);
    volumeUp_ = new QAction(tr8(VolumeUpText), this);
    connect(volumeUp_, &QAction::triggered, this, [this] { setVolume(volume_ + VolumeStep); });
    volumeDown_ = new QAction(tr8(VolumeDownText), this);
    connect(volumeDown_, &QAction::triggered, this, [this] { setVolume(volume_ - VolumeStep); });
}

QList<QAction *> MediaPlayer::contextActions() const {
    return {playPause_, stop_, mute_, volumeUp_, volumeDown_};
}

// Two rows: the seek bar, then the buttons, the state, the time and the
// volume. Time runs left to right whatever the window's direction.
QWidget *MediaPlayer::createBar() {
    auto *bar = new QWidget(this);
    bar->setObjectName(QStringLiteral("controlBar"));
    bar->setLayoutDirection(Qt::LeftToRight);
    bar->setAutoFillBackground(true);
    bar->setAccessibleName(tr8(BarName));
    bar->setAccessibleDescription(tr8(BarDescription));

    seek_ = new QSlider(Qt::Horizontal, bar);
    seek_->setAccessibleName(tr8(SeekText));
    seek_->setAccessibleDescription(tr8(SeekDescription));
    seek_->setFocusPolicy(Qt::NoFocus);
    connect(seek_, &QSlider::sliderMoved, this, [this](int ms) {
        if (engine_)
            engine_->setPosition(ms);
    });

    stateLabel_ = new QLabel(bar);
    stateLabel_->setObjectName(QStringLiteral("stateText"));
    stateLabel_->setAccessibleDescription(tr8(StateDescription));
    // Beside the buttons, whichever way its text runs.
    stateLabel_->setAlignment(Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter);
    timeLabel_ = new QLabel(bar);
    timeLabel_->setObjectName(QStringLiteral("timeText"));
    timeLabel_->setAccessibleDescription(tr8(TimeDescription));

    volumeSlider_ = new QSlider(Qt::Horizontal, bar);
    volumeSlider_->setAccessibleName(tr8(VolumeText));
    volumeSlider_->setAccessibleDescription(tr8(VolumeDescription));
    volumeSlider_->setFocusPolicy(Qt::NoFocus);
    volumeSlider_->setRange(0, 100);
    volumeSlider_->setFixedWidth(70);
    connect(volumeSlider_, &QSlider::valueChanged, this, &MediaPlayer::setVolume);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(2, 0, 2, 2);
    row->setSpacing(2);
    row->addWidget(toolButton(playPause_, PlayPauseDescription, bar));
    row->addWidget(toolButton(stop_, StopDescription, bar));
    row->addSpacing(6);
    row->addWidget(stateLabel_, 1);
    row->addWidget(timeLabel_);
    row->addSpacing(6);
    row->addWidget(toolButton(mute_, MuteDescription, bar));
    row->addWidget(volumeSlider_);

    auto *column = new QVBoxLayout(bar);
    column->setContentsMargins(2, 2, 2, 0);
    column->setSpacing(0);
    column->addWidget(seek_);
    column->addLayout(row);
    return bar;
}

void MediaPlayer::updateControls() {
    const bool hasMedia = engine_ && !engine_->source().isEmpty();
    const bool playing = state_ == State::Playing;
    const QStyle *style = this->style();
    playPause_->setEnabled(hasMedia);
    playPause_->setText(tr8(playing ? PauseText : PlayText));
    playPause_->setIcon(
        style->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    stop_->setEnabled(hasMedia && state_ != State::Stopped);
    {
        const QSignalBlocker block(mute_);
        mute_->setChecked(muted_);
    }
    mute_->setIcon(
        style->standardIcon(muted_ ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
    volumeUp_->setEnabled(volume_ < 100);
    volumeDown_->setEnabled(volume_ > 0);
    if (!bar_)
        return;

    const qint64 total = duration();
    const qint64 now = position();
    seek_->setEnabled(hasMedia && total > 0);
    if (!seek_->isSliderDown()) {
        const QSignalBlocker block(seek_);
        seek_->setRange(0, static_cast<int>(std::min<qint64>(total, INT_MAX)));
        seek_->setValue(static_cast<int>(std::min<qint64>(now, INT_MAX)));
    }
    {
        const QSignalBlocker block(volumeSlider_);
        volumeSlider_->setValue(volume_);
    }
    stateLabel_->setText(stateText());
    timeLabel_->setText(hasMedia && total > 0
                            ? clockText(now) + QStringLiteral(" / ") + clockText(total)
                            : QString());
}

void MediaPlayer::contextMenuEvent(QContextMenuEvent *event) {
    QMenu menu(this);
    menu.addAction(playPause_);
    menu.addAction(stop_);
    menu.addSeparator();
    menu.addAction(mute_);
    menu.addAction(volumeUp_);
    menu.addAction(volumeDown_);
    menu.exec(event->globalPos());
}

} // namespace platform
