// SPDX-License-Identifier: GPL-3.0-or-later
// Small measures and set-up shared by the benchmarks.
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QList>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
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

// The time from starting a program to its end, in ms. A program that fails,
// or runs longer than 30 s, ends the benchmark with what it wrote.
inline double runOnce(const QString &program, const QStringList &arguments = {}) {
    QElapsedTimer timer;
    timer.start();
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        std::fprintf(stderr, "%s: %s failed: %s\n", qPrintable(QCoreApplication::applicationName()),
                     qPrintable(program), process.readAllStandardError().constData());
        std::exit(1);
    }
    return double(timer.nsecsElapsed()) / 1e6;
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
