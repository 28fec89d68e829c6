// SPDX-License-Identifier: GPL-3.0-or-later
// Real pointer input through xdotool on the tests' X display and window
// manager: a person's drag, one over in a few milliseconds, and whether a
// window that was let go of stays put when the pointer moves on.
#pragma once

#include <QPoint>
#include <QProcess>
#include <QStringList>
#include <QTest>
#include <QWidget>

namespace testing {

// One xdotool command, then time for the program and the window manager to
// take it in: a press must reach the program before the pointer moves on.
inline bool xdotool(const QStringList &arguments) {
    const bool ok = QProcess::execute(QStringLiteral("xdotool"), arguments) == 0;
    QTest::qWait(150);
    return ok;
}

inline QStringList pointerTo(QPoint at) {
    return {QStringLiteral("mousemove"), QString::number(at.x()), QString::number(at.y())};
}

// A drag as one xdotool command: press, two motions and release, all of it
// within a few milliseconds.
inline QStringList quickDrag(QPoint from, QPoint to) {
    return pointerTo(from) + QStringList{QStringLiteral("mousedown"), QStringLiteral("1")} +
           pointerTo((from + to) / 2) + pointerTo(to) +
           QStringList{QStringLiteral("mouseup"), QStringLiteral("1")};
}

// Where the X server has a window now, as any client sees it (what the
// window manager has done to it included); a null point if it cannot say.
inline QPoint placeOnScreen(const QWidget *window) {
    QProcess query;
    query.start(QStringLiteral("xdotool"),
                {QStringLiteral("getwindowgeometry"), QString::number(window->winId())});
    query.waitForFinished(5000);
    const QString out = QString::fromLatin1(query.readAllStandardOutput());
    const qsizetype at = out.indexOf(QLatin1String("Position: "));
    if (at < 0)
        return {};
    const QStringList xy = out.mid(at + 10).section(QLatin1Char(' '), 0, 0).split(QLatin1Char(','));
    return xy.size() == 2 ? QPoint(xy[0].toInt(), xy[1].toInt()) : QPoint();
}

// The window stands where a drag left it (to a few pixels), and is still
// there once the pointer has gone on with no button down: no move is left
// waiting for a release that will never come. Says where it went if not.
inline bool staysWhereLetGo(QWidget *window, QPoint expected, QString *why) {
    const auto there = [&] { return (placeOnScreen(window) - expected).manhattanLength() <= 4; };
    const auto place = [&] {
        const QPoint at = placeOnScreen(window);
        return QStringLiteral("(%1,%2)").arg(at.x()).arg(at.y());
    };
    const bool arrived = QTest::qWaitFor(there, 3000);
    const QString letGo =
        QStringLiteral("let go at (%1,%2), at %3").arg(expected.x()).arg(expected.y()).arg(place());
    const QPoint away = window->mapToGlobal(window->rect().center()) + QPoint(150, 100);
    xdotool(pointerTo(away));
    xdotool(pointerTo(away + QPoint(-60, 40)));
    QTest::qWait(400);
    *why = letGo + QStringLiteral(", then at %1 once the pointer had moved on").arg(place());
    return arrived && there();
}

} // namespace testing
