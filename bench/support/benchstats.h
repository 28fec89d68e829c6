// SPDX-License-Identifier: GPL-3.0-or-later
// Small measures and set-up shared by the benchmarks.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QFile>
#include <QList>
#include <algorithm>
#ifndef _WIN32
#include <unistd.h>
#endif

namespace bench {

// Benchmarks that need no screen of their own run offscreen when there is
// no display to run on. Called before the application object is made.
inline void offscreenWithoutDisplay() {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

// The middle value: steadier than the mean against a run disturbed by the
// rest of the machine.
inline double median(QList<double> values) {
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

#ifndef _WIN32
// The process's resident memory, in KiB; -1 when it cannot be read.
inline qint64 residentKiB() {
    QFile statm(QStringLiteral("/proc/self/statm"));
    if (!statm.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> fields = statm.readAll().split(' ');
    return fields.size() > 1 ? fields[1].toLongLong() * (sysconf(_SC_PAGESIZE) / 1024) : -1;
}
#endif

} // namespace bench
