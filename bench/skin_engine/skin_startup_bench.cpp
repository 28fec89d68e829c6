// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up to first paint, each a process of its own: the main window's
// table skinned, the same unskinned, and a bare Qt window of the same size.
// Usage: skin_startup_bench [runs]   (needs a display: DISPLAY or QT_QPA_PLATFORM)
#include "bench/support/benchstats.h"
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(3, QString::fromLocal8Bit(argv[1]).toInt()) : 21;
    const QString bareWindow = QStringLiteral(BARE_WINDOW);
    const QString table = QStringLiteral(MAIN_WINDOW_TABLE);
    const QStringList plainArgs{QStringLiteral("plain")}, skinnedArgs{QStringLiteral("skinned")};
    // One run of each first, so none pays for cold caches.
    bench::runOnce(bareWindow, {});
    bench::runOnce(table, plainArgs);
    bench::runOnce(table, skinnedArgs);
    QList<double> bare, plain, skinned;
    for (int i = 0; i < runs; ++i) {
        bare.append(bench::runOnce(bareWindow, {}));
        plain.append(bench::runOnce(table, plainArgs));
        skinned.append(bench::runOnce(table, skinnedArgs));
    }
    const double bareMs = bench::median(bare), plainMs = bench::median(plain),
                 skinnedMs = bench::median(skinned);
    std::printf("start-up to first paint, median of %d runs\n", runs);
    std::printf("  bare Qt window                %7.1f ms\n", bareMs);
    std::printf("  main window table, unskinned  %7.1f ms\n", plainMs);
    std::printf("  main window table, skinned    %7.1f ms\n", skinnedMs);
    std::printf("  ratio skinned / unskinned     %7.2f\n", skinnedMs / plainMs);
    std::printf("  ratio skinned / bare          %7.2f (target <= 1.30)\n", skinnedMs / bareMs);
    return 0;
}
