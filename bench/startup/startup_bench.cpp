// SPDX-License-Identifier: GPL-3.0-or-later
// Starts the bare window and the program's window in turn, each until its
// first paint, and reports the median times and their ratio. Both are
// started from the runner's own folder, where the build puts them.
// Usage: bench_startup [runs]   (needs a display: DISPLAY or QT_QPA_PLATFORM)
#include "bench/support/benchstats.h"
#include <QCoreApplication>
#include <QDir>
#include <algorithm>
#include <cstdio>

namespace {

QString besideRunner(const char *name) {
    return QDir(QCoreApplication::applicationDirPath()).filePath(QString::fromUtf8(name));
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(3, QString::fromLocal8Bit(argv[1]).toInt()) : 21;
    const QString bareWindow = besideRunner(BARE_WINDOW);
    const QString programWindow = besideRunner(PROGRAM_WINDOW);
    // One run of each first, so neither pays for cold caches.
    bench::runOnce(bareWindow);
    bench::runOnce(programWindow);
    QList<double> bare, program;
    for (int i = 0; i < runs; ++i) {
        bare.append(bench::runOnce(bareWindow));
        program.append(bench::runOnce(programWindow));
    }
    const double bareMs = bench::median(bare), programMs = bench::median(program);
    std::printf("start-up to first paint, median of %d runs\n", runs);
    std::printf("  bare Qt window   %7.1f ms\n", bareMs);
    std::printf("  main window      %7.1f ms\n", programMs);
    std::printf("  ratio            %7.2f (target <= 1.30)\n", programMs / bareMs);
    return 0;
}
