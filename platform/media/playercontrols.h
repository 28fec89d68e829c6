// SPDX-License-Identifier: GPL-3.0-or-later
// The media player's bar of controls: play and pause, stop, the position,
// the state, the time, mute and the volume; its actions also make the
// player's context menu. It is told what to show and asks for changes
// through its signals: it never touches the media itself.
#pragma once

#include "platform/media/playback.h"

#include <QList>
#include <QWidget>

class QAction;
class QLabel;
class QMenu;
class QSlider;

namespace platform {

class PlayerControls : public QWidget {
    Q_OBJECT
public:
    explicit PlayerControls(QWidget *parent = nullptr);

    // What the bar says about a state.
    static QString stateText(Playback::State state);

    // hasMedia: whether there is media to play, pause or stop.
    void setState(Playback::State state, bool hasMedia);
    void setProgress(qint64 position, qint64 duration); // ms
    void setVolume(int volume);
    void setMuted(bool muted);

    QAction *playPauseAction() const { return playPause_; }
    QAction *stopAction() const { return stop_; }
    QAction *muteAction() const { return mute_; }
    QAction *volumeUpAction() const { return volumeUp_; }
    QAction *volumeDownAction() const { return volumeDown_; }
    // The context menu's actions, in their order.
    QList<QAction *> contextActions() const;
    // Fills a context menu with them, grouped.
    void addContextActions(QMenu *menu) const;

signals:
    void play();
    void pause();
    void stop();
    void seek(qint64 position); // ms
    void volumeChanged(int volume);
    void mutedChanged(bool muted);

private:
    void createActions();
    void layOut();

    Playback::State state_ = Playback::State::Empty;
    int volume_ = 0;

    QAction *playPause_;
    QAction *stop_;
    QAction *mute_;
    QAction *volumeUp_;
    QAction *volumeDown_;
    QSlider *seek_;
    QSlider *volumeSlider_;
    QLabel *stateLabel_;
    QLabel *timeLabel_;
};

} // namespace platform
