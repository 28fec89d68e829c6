// SPDX-License-Identifier: GPL-3.0-or-later
// Idle memory: the resident memory of the program with its main window shown
// and the event loop idle, against a bare Qt window of the same size. Each is
// a process of its own, measured half a second after its first paint.
// Usage: bench_idle_memory [runs]     (needs a display: DISPLAY or
//        QT_QPA_PLATFORM; the same binary is started again for each window)
#include "app/form1.h"
#include "app/startup.h"
#include "bench/support/benchstats.h"
#include "bench/support/firstpaint.h"
#include "platform/mediabackend.h"

#include <QApplication>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>

namespace {

constexpr int IdleMs = 500;

// Prints the resident memory once the window has painted and the loop has
// been idle a while, then ends the process.
class ReportWhenIdle : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (event->type() == QEvent::Paint && !armed_) {
            armed_ = true;
            QTimer::singleShot(IdleMs, qApp, [] {
                std::printf("%lld\n", static_cast<long long>(bench::residentKiB()));
                QCoreApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

private:
    bool armed_ = false;
};

int bareWindow(int argc, char *argv[]) {
    ReportWhenIdle report;
    return bench::runBareWindow(argc, argv, report);
}

// As app/main.cpp starts the program.
int programWindow(int argc, char *argv[]) {
    platform::preferGStreamerMediaBackend();
    app::ProgramStart start(argc, argv);
    app::Form1 form1;
    ReportWhenIdle report;
    return bench::runForm(form1, report);
}

qint64 measureOnce(const QString &mode) {
    QProcess process;
    process.start(QCoreApplication::applicationFilePath(), {mode});
    if (!process.waitForFinished(30000) || process.exitCode() != 0) {
        std::fprintf(stderr, "bench_idle_memory: the %s window failed: %s\n", qPrintable(mode),
                     process.readAllStandardError().constData());
        std::exit(1);
    }
    return process.readAllStandardOutput().trimmed().toLongLong();
}

qint64 median(QList<qint64> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char *argv[]) {
    if (argc > 1 && qstrcmp(argv[1], "bare") == 0)
        return bareWindow(argc, argv);
    if (argc > 1 && qstrcmp(argv[1], "program") == 0)
        return programWindow(argc, argv);

    QCoreApplication application(argc, argv);
    const int runs = argc > 1 ? std::max(3, QString::fromLocal8Bit(argv[1]).toInt()) : 7;
    QList<qint64> bare, program;
    for (int i = 0; i < runs; ++i) {
        bare.append(measureOnce(QStringLiteral("bare")));
        program.append(measureOnce(QStringLiteral("program")));
    }
    const qint64 bareKiB = median(bare), programKiB = median(program);
    std::printf("idle resident memory, main window shown, median of %d runs\n", runs);
    std::printf("  bare Qt window   %7lld KiB\n", static_cast<long long>(bareKiB));
    std::printf("  program          %7lld KiB (%+lld KiB)\n", static_cast<long long>(programKiB),
                static_cast<long long>(programKiB - bareKiB));
    const double ratio = static_cast<double>(programKiB) / static_cast<double>(bareKiB);
    std::printf("  ratio            %7.2f (target <= 1.50)\n", ratio);
    return ratio <= 1.5 ? 0 : 1;
}
