// SPDX-License-Identifier: GPL-3.0-or-later
// snomel_monkey: the monkey at the keyboard, run against the program's
// executable on the X display of $DISPLAY (scripts/testenv.sh starts one
// with a window manager and a sound server). It starts a tray host when the
// display has none. Exits 0 when nothing failed, 1 on a failure, 77 when it
// cannot run here.
//
//   snomel_monkey [--seconds S] [--events N] [--seed N] [--program PATH]
//                 [--memory] [--warm-up N] [--verbose]
#include "app/startup.h"
#include "platform/media/wavefile.h"
#include "tests/desktop/monkey.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QThread>
#include <cstdio>
#include <random>

namespace {

constexpr int SkipCode = 77;

// The longest letter sound beside the program: the most a lesson's sound
// may hold its window.
qint64 longestSoundMs(const QString &programFolder) {
    qint64 longest = 0;
    for (const QFileInfo &file : QDir(programFolder).entryInfoList({QStringLiteral("*.wav")}))
        if (const auto clip = platform::readWaveFile(file.absoluteFilePath()))
            longest = qMax(longest, clip->durationUs() / 1000);
    return longest > 0 ? longest : 2000;
}

// A tray host when the display has none, so that the icon docks.
bool ensureTrayHost(monkey::XSession &x, QProcess &trayer) {
    if (x.selectionOwner("_NET_SYSTEM_TRAY_S0"))
        return true;
    trayer.start(QStringLiteral("trayer"),
                 {QStringLiteral("--edge"), QStringLiteral("top"), QStringLiteral("--SetDockType"),
                  QStringLiteral("true")});
    if (!trayer.waitForStarted(5000))
        return false;
    for (int i = 0; i < 100 && !x.selectionOwner("_NET_SYSTEM_TRAY_S0"); ++i)
        QThread::msleep(100);
    return x.selectionOwner("_NET_SYSTEM_TRAY_S0") != 0;
}

int skip(const char *why) {
    std::printf("monkey: skipped: %s\n", why);
    return SkipCode;
}

} // namespace

int main(int argc, char *argv[]) {
    // The monkey's own windows, the models of the program's, stay offscreen.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::prepareApplication(application);

    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Real X input at random on the program."));
    parser.addHelpOption();
    const QCommandLineOption seconds(QStringLiteral("seconds"), QStringLiteral("Run time."),
                                     QStringLiteral("S"), QStringLiteral("60"));
    const QCommandLineOption events(QStringLiteral("events"),
                                    QStringLiteral("Number of events (ends before the time)."),
                                    QStringLiteral("N"));
    const QCommandLineOption seed(QStringLiteral("seed"), QStringLiteral("Seed of the run."),
                                  QStringLiteral("N"));
    const QCommandLineOption program(QStringLiteral("program"), QStringLiteral("The executable."),
                                     QStringLiteral("PATH"),
                                     QStringLiteral(SNOMEL_PROGRAM_DIR "/snomel"));
    const QCommandLineOption memory(
        QStringLiteral("memory"),
        QStringLiteral("Never end the program; measure its memory after the warm-up."));
    const QCommandLineOption warmUp(QStringLiteral("warm-up"),
                                    QStringLiteral("Events before the first memory figure."),
                                    QStringLiteral("N"), QStringLiteral("1000"));
    const QCommandLineOption verbose(QStringLiteral("verbose"),
                                     QStringLiteral("Print every event."));
    parser.addOptions({seconds, events, seed, program, memory, warmUp, verbose});
    parser.process(application);

    monkey::Options options;
    options.seed = parser.isSet(seed) ? parser.value(seed).toULongLong() : std::random_device()();
    options.seconds =
        parser.isSet(events) && !parser.isSet(seconds) ? -1 : parser.value(seconds).toLongLong();
    if (parser.isSet(events))
        options.events = parser.value(events).toLongLong();
    options.oneLife = parser.isSet(memory);
    if (options.oneLife)
        options.warmUpEvents = qMax(1LL, parser.value(warmUp).toLongLong());
    options.verbose = parser.isSet(verbose);

    const QString executable = parser.value(program);
    if (!QFileInfo(executable).isExecutable())
        return skip("no program executable (build it first)");
    if (qEnvironmentVariableIsEmpty("DISPLAY"))
        return skip("needs an X display (scripts/test starts one)");
    monkey::XSession x;
    if (!x.isOpen() || !x.hasXTest())
        return skip("cannot open the X display with its XTest extension");
    x.setWindowTitles(monkey::WindowModel::titles());
    QProcess trayer;
    if (!ensureTrayHost(x, trayer))
        std::printf("monkey: no tray host (trayer); the program runs without its icon\n");
    options.longestSoundMs = longestSoundMs(QFileInfo(executable).absolutePath());

    monkey::WindowModel model;
    monkey::ProgramProcess process(executable);
    const int result = monkey::Monkey(options, x, model, process).run();
    trayer.terminate();
    trayer.waitForFinished(3000);
    return result;
}
