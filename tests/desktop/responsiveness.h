// SPDX-License-Identifier: GPL-3.0-or-later
// Whether the program's windows answer the window manager's ping, as a
// window manager judges it: a window that leaves a ping unanswered for more
// than five seconds is hung. A letter's sound plays while the lesson's
// handler runs, so the time a sound may take is not counted against it.
#pragma once

#include "tests/desktop/xsession.h"

#include <QElapsedTimer>
#include <QHash>
#include <QList>
#include <optional>

namespace monkey {

// The time the sounds asked for may take: each press that may start one
// adds the longest sound after the sounds before it (a press made during a
// sound is handled after it).
class SoundTime {
public:
    explicit SoundTime(qint64 longestSoundMs) : longestMs_(longestSoundMs) {}
    void mayStart(qint64 nowMs);
    // When the sounds asked for so far have ended, at the latest.
    qint64 busyUntil() const { return spans_.isEmpty() ? 0 : spans_.last().second; }
    qint64 longestMs() const { return longestMs_; }
    // The time between from and to that no sound may have taken.
    qint64 quietMs(qint64 fromMs, qint64 toMs) const;

private:
    qint64 longestMs_;
    QList<std::pair<qint64, qint64>> spans_; // merged, in order
};

class PingWatch {
public:
    static constexpr qint64 LimitMs = 5000;

    PingWatch(XSession &x, const SoundTime &sounds, const QElapsedTimer &clock)
        : x_(x), sounds_(sounds), clock_(clock) {}

    // Pings every window given that answers pings.
    void ping(const QList<WindowInfo> &windows);
    // Takes the answers come so far; true when none is outstanding.
    bool collect();
    // Forgets the pings of windows no longer among these.
    void keepOnly(const QList<WindowInfo> &windows);
    void forgetAll() { outstanding_.clear(); }
    // A window that has not answered for longer than the limit, not
    // counting the time sounds may take: what it is and for how long.
    std::optional<QString> overdue() const;
    // The longest wait for an answer so far, sounds not counted.
    qint64 longestQuietWaitMs() const { return longestQuietMs_; }
    qint64 answered() const { return answered_; }

private:
    struct Ping {
        WindowInfo window;
        qint64 sentMs;
    };
    XSession &x_;
    const SoundTime &sounds_;
    const QElapsedTimer &clock_;
    QHash<quint32, Ping> outstanding_;
    quint32 nextSerial_ = 0x534e0000;
    qint64 longestQuietMs_ = 0;
    qint64 answered_ = 0;
};

} // namespace monkey
