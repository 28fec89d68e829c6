// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/media/playercontrols.h"

#include <QAction>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QSlider>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <climits>

namespace platform {
namespace {

using State = Playback::State;

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

// What each part of the bar does, as assistive technology says it. The
// buttons are called by their action's text, which follows the state.
const char *const PlayPauseDescription = "يشغّل المقطع أو يوقفه مؤقتًا";
const char *const StopDescription = "يوقف المقطع ويعيده إلى بدايته";
const char *const MuteDescription = "يكتم الصوت أو يعيده";
const char *const SeekDescription = "موضع التشغيل في المقطع";
const char *const VolumeDescription = "مستوى صوت المشغل من 0 إلى 100";
const char *const StateDescription = "حالة المشغل";
const char *const TimeDescription = "الوقت المنقضي من المقطع ومدته";
const char *const BarName = "أدوات التحكم";
const char *const BarDescription = "التشغيل والإيقاف والموضع والصوت";

constexpr int VolumeStep = 10;

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

QSlider *slider(const char *name, const char *description, QWidget *parent) {
    auto *slider = new QSlider(Qt::Horizontal, parent);
    slider->setAccessibleName(tr8(name));
    slider->setAccessibleDescription(tr8(description));
    slider->setFocusPolicy(Qt::NoFocus);
    return slider;
}

QLabel *label(const char *objectName, const char *description, QWidget *parent) {
    auto *label = new QLabel(parent);
    label->setObjectName(QLatin1String(objectName));
    label->setAccessibleDescription(tr8(description));
    return label;
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

PlayerControls::PlayerControls(QWidget *parent) : QWidget(parent) {
    setObjectName(QStringLiteral("controlBar"));
    // Time runs left to right whatever the window's direction.
    setLayoutDirection(Qt::LeftToRight);
    setAutoFillBackground(true);
    setAccessibleName(tr8(BarName));
    setAccessibleDescription(tr8(BarDescription));
    createActions();
    layOut();
    setState(state_, false);
    setProgress(0, 0);
    setVolume(volume_);
    setMuted(false);
}

QString PlayerControls::stateText(State state) {
    for (const StateText &entry : StateTexts)
        if (entry.state == state)
            return tr8(entry.text);
    return {};
}

void PlayerControls::setState(State state, bool hasMedia) {
    state_ = state;
    const bool playing = state == State::Playing;
    playPause_->setEnabled(hasMedia);
    playPause_->setText(tr8(playing ? PauseText : PlayText));
    playPause_->setIcon(
        style()->standardIcon(playing ? QStyle::SP_MediaPause : QStyle::SP_MediaPlay));
    stop_->setEnabled(hasMedia && state != State::Stopped);
    stateLabel_->setText(stateText(state));
}

// Without a duration there is nothing to seek in and no time to show.
void PlayerControls::setProgress(qint64 position, qint64 duration) {
    seek_->setEnabled(duration > 0);
    if (!seek_->isSliderDown()) {
        const QSignalBlocker block(seek_);
        seek_->setRange(0, static_cast<int>(std::min<qint64>(duration, INT_MAX)));
        seek_->setValue(static_cast<int>(std::min<qint64>(position, INT_MAX)));
    }
    timeLabel_->setText(duration > 0
                            ? clockText(position) + QStringLiteral(" / ") + clockText(duration)
                            : QString());
}

void PlayerControls::setVolume(int volume) {
    volume_ = volume;
    volumeUp_->setEnabled(volume < 100);
    volumeDown_->setEnabled(volume > 0);
    const QSignalBlocker block(volumeSlider_);
    volumeSlider_->setValue(volume);
}

void PlayerControls::setMuted(bool muted) {
    {
        const QSignalBlocker block(mute_);
        mute_->setChecked(muted);
    }
    mute_->setIcon(
        style()->standardIcon(muted ? QStyle::SP_MediaVolumeMuted : QStyle::SP_MediaVolume));
}

QList<QAction *> PlayerControls::contextActions() const {
    return {playPause_, stop_, mute_, volumeUp_, volumeDown_};
}

void PlayerControls::addContextActions(QMenu *menu) const {
    menu->addAction(playPause_);
    menu->addAction(stop_);
    menu->addSeparator();
    menu->addAction(mute_);
    menu->addAction(volumeUp_);
    menu->addAction(volumeDown_);
}

void PlayerControls::createActions() {
    playPause_ = new QAction(tr8(PlayText), this);
    connect(playPause_, &QAction::triggered, this, [this] {
        if (state_ == State::Playing)
            emit pause();
        else
            emit play();
    });
    stop_ = new QAction(style()->standardIcon(QStyle::SP_MediaStop), tr8(StopText), this);
    connect(stop_, &QAction::triggered, this, &PlayerControls::stop);
    mute_ = new QAction(tr8(MuteText), this);
    mute_->setCheckable(true);
    connect(mute_, &QAction::toggled, this, &PlayerControls::mutedChanged);
    volumeUp_ = new QAction(tr8(VolumeUpText), this);
    connect(volumeUp_, &QAction::triggered, this,
            [this] { emit volumeChanged(volume_ + VolumeStep); });
    volumeDown_ = new QAction(tr8(VolumeDownText), this);
    connect(volumeDown_, &QAction::triggered, this,
            [this] { emit volumeChanged(volume_ - VolumeStep); });
}

// Two rows: the seek bar, then the buttons, the state, the time and the
// volume.
void PlayerControls::layOut() {
    seek_ = slider(SeekText, SeekDescription, this);
    connect(seek_, &QSlider::sliderMoved, this, [this](int ms) { emit seek(ms); });

    stateLabel_ = label("stateText", StateDescription, this);
    // Beside the buttons, whichever way its text runs.
    stateLabel_->setAlignment(Qt::AlignAbsolute | Qt::AlignLeft | Qt::AlignVCenter);
    timeLabel_ = label("timeText", TimeDescription, this);

    volumeSlider_ = slider(VolumeText, VolumeDescription, this);
    volumeSlider_->setRange(0, 100);
    volumeSlider_->setFixedWidth(70);
    connect(volumeSlider_, &QSlider::valueChanged, this, &PlayerControls::volumeChanged);

    auto *row = new QHBoxLayout;
    row->setContentsMargins(2, 0, 2, 2);
    row->setSpacing(2);
    row->addWidget(toolButton(playPause_, PlayPauseDescription, this));
    row->addWidget(toolButton(stop_, StopDescription, this));
    row->addSpacing(6);
    row->addWidget(stateLabel_, 1);
    row->addWidget(timeLabel_);
    row->addSpacing(6);
    row->addWidget(toolButton(mute_, MuteDescription, this));
    row->addWidget(volumeSlider_);

    auto *column = new QVBoxLayout(this);
    column->setContentsMargins(2, 2, 2, 0);
    column->setSpacing(0);
    column->addWidget(seek_);
    column->addLayout(row);
}

} // namespace platform
