// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/desktop/responsiveness.h"

namespace monkey {

void SoundTime::mayStart(qint64 nowMs) {
    const qint64 start = qMax(nowMs, busyUntil());
    if (!spans_.isEmpty() && spans_.last().second >= nowMs)
        spans_.last().second = start + longestMs_;
    else
        spans_.append({start, start + longestMs_});
    // Only the last minute is ever asked about.
    while (spans_.size() > 1 && spans_.first().second < nowMs - 60000)
        spans_.removeFirst();
}

qint64 SoundTime::quietMs(qint64 fromMs, qint64 toMs) const {
    qint64 quiet = toMs - fromMs;
    for (const auto &[start, end] : spans_)
        quiet -= qMax<qint64>(0, qMin(end, toMs) - qMax(start, fromMs));
    return qMax<qint64>(0, quiet);
}

void PingWatch::ping(const QList<WindowInfo> &windows) {
    for (const WindowInfo &window : windows) {
        if (!window.answersPing || !window.viewable)
            continue;
        const quint32 serial = nextSerial_++;
        outstanding_.insert(serial, {window, clock_.elapsed()});
        x_.sendPing(window.id, serial);
    }
}

bool PingWatch::collect() {
    const qint64 now = clock_.elapsed();
    for (quint32 serial : x_.takePingAnswers()) {
        const auto it = outstanding_.constFind(serial);
        if (it == outstanding_.cend())
            continue; // the window manager's own, or one forgotten
        longestQuietMs_ = qMax(longestQuietMs_, sounds_.quietMs(it->sentMs, now));
        ++answered_;
        outstanding_.erase(it);
    }
    return outstanding_.isEmpty();
}

void PingWatch::keepOnly(const QList<WindowInfo> &windows) {
    for (auto it = outstanding_.begin(); it != outstanding_.end();) {
        const bool there = std::any_of(windows.cbegin(), windows.cend(), [&](const WindowInfo &w) {
            return w.id == it->window.id && w.viewable;
        });
        it = there ? std::next(it) : outstanding_.erase(it);
    }
}

std::optional<QString> PingWatch::overdue() const {
    const qint64 now = clock_.elapsed();
    for (const Ping &ping : outstanding_) {
        const qint64 quiet = sounds_.quietMs(ping.sentMs, now);
        if (quiet > LimitMs)
            return QStringLiteral("the %1 (window 0x%2) has not answered the window manager's "
                                  "ping for %3 s (%4 s of it outside the time its sounds may "
                                  "take)")
                .arg(kindName(ping.window.kind))
                .arg(ping.window.id, 0, 16)
                .arg(double(now - ping.sentMs) / 1000, 0, 'f', 1)
                .arg(double(quiet) / 1000, 0, 'f', 1);
    }
    return std::nullopt;
}

} // namespace monkey
