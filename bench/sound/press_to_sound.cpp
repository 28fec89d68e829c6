// SPDX-License-Identifier: GPL-3.0-or-later
// Press to first sound: from a letter button's click until the first audible
// samples of its sound come out of the sound server, against a direct
// sndPlaySoundA call of the same file. Both are heard on the monitor of the
// server's default sink, read all the time by parec in a thread of its own.
// The first press of the run, which connects to the server, is reported
// apart; under the test surroundings (SNOMEL_SOUND_SERVER set by
// scripts/testenv.sh) so is the first press after the server has been
// stopped and started again, against the press after it.
// Usage: bench_press_to_sound [rounds]
// Needs the sound server the tests use (XDG_RUNTIME_DIR, SNOMEL_TEST_SINK)
// and a UTF-8 locale.
#include "app/form1.h"
#include "app/letters.h"
#include "app/startup.h"
#include "bench/support/benchstats.h"
#include "platform/codepage.h"
#include "platform/media/wavefile.h"
#include "platform/sound.h"
#include "tests/support/fakes.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QPushButton>
#include <QTest>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int Rate = 22050;
// Louder than this counts as sound: well above the null sink's silence, well
// below the letters' speech.
constexpr int Threshold = 1000;
// The monitor must have been this long quiet before a round starts, so no
// tail of the last sound (or another program's) is taken for the next.
constexpr auto QuietBefore = std::chrono::milliseconds(300);

qint64 nanosSince(Clock::time_point start, Clock::time_point then) {
    return std::chrono::duration_cast<std::chrono::nanoseconds>(then - start).count();
}

// Reads the sink's monitor and notes when it last heard sound, and the first
// sound after it was armed.
class MonitorListener {
public:
    explicit MonitorListener(const QByteArray &sink) {
        const QByteArray device = sink + ".monitor";
        const QByteArray rate = "--rate=" + QByteArray::number(Rate);
        const char *const arguments[] = {
            "parec",          "-d",           device.constData(), "--raw",
            "--format=s16le", "--channels=1", rate.constData(),   "--latency-msec=5",
            nullptr};
        int ends[2];
        if (pipe(ends) != 0)
            return;
        pid_ = fork();
        if (pid_ == 0) {
            dup2(ends[1], STDOUT_FILENO);
            close(ends[0]);
            close(ends[1]);
            execvp("parec", const_cast<char *const *>(arguments));
            _exit(127);
        }
        close(ends[1]);
        fd_ = ends[0];
        if (pid_ > 0)
            reader_ = std::thread([this] { read(); });
    }
    ~MonitorListener() {
        if (pid_ > 0) {
            kill(pid_, SIGTERM);
            waitpid(pid_, nullptr, 0);
        }
        if (reader_.joinable())
            reader_.join(); // the pipe has ended with parec
        if (fd_ >= 0)
            close(fd_);
    }
    MonitorListener(const MonitorListener &) = delete;
    MonitorListener &operator=(const MonitorListener &) = delete;

    bool running() const { return pid_ > 0 && samplesRead_ > 0; }
    qint64 samplesRead() const { return samplesRead_; }

    // Waits until the monitor has been quiet for a while, running the event
    // loop as the program's main loop would between presses; false on
    // timeout.
    bool waitForQuiet(std::chrono::milliseconds limit) const {
        const auto until = Clock::now() + limit;
        while (Clock::now() < until) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            QCoreApplication::processEvents();
            const qint64 loud = lastLoudNs_;
            if (loud == 0 || nanosSince(epoch_, Clock::now()) - loud >
                                 std::chrono::nanoseconds(QuietBefore).count())
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }

    // From now on the first sound heard is noted.
    void arm() {
        firstLoudNs_ = 0;
        armed_ = true;
    }
    // When the first sound after arm() was heard, or nullopt.
    std::optional<Clock::time_point> disarm() {
        armed_ = false;
        const qint64 heard = firstLoudNs_;
        if (heard == 0)
            return std::nullopt;
        return epoch_ + std::chrono::nanoseconds(heard);
    }

private:
    void read() {
        char buffer[4096];
        for (;;) {
            const ssize_t got = ::read(fd_, buffer, sizeof buffer);
            if (got <= 0)
                return;
            const qint64 now = nanosSince(epoch_, Clock::now());
            bool loud = false;
            for (ssize_t i = 0; i + 1 < got; i += 2) {
                const auto sample = static_cast<qint16>(static_cast<quint8>(buffer[i]) |
                                                        static_cast<quint8>(buffer[i + 1]) << 8);
                loud = loud || std::abs(sample) > Threshold;
            }
            samplesRead_ += got / 2;
            if (loud) {
                lastLoudNs_ = now;
                if (armed_ && firstLoudNs_ == 0)
                    firstLoudNs_ = now;
            }
        }
    }

    const Clock::time_point epoch_ = Clock::now();
    pid_t pid_ = -1;
    int fd_ = -1;
    std::thread reader_;
    std::atomic<bool> armed_ = false;
    std::atomic<qint64> firstLoudNs_ = 0;
    std::atomic<qint64> lastLoudNs_ = 0;
    std::atomic<qint64> samplesRead_ = 0;
};

// Where a clip's own sound begins: the silence it opens with, in ms.
double leadInMs(const QString &path) {
    const std::optional<platform::WaveClip> clip = platform::readWaveFile(path);
    if (!clip || clip->format.sampleFormat() != QAudioFormat::Int16)
        return -1;
    const auto *samples = reinterpret_cast<const qint16 *>(clip->samples.constData());
    const qsizetype count = clip->samples.size() / 2;
    const qsizetype first =
        std::find_if(samples, samples + count,
                     [](qint16 sample) { return std::abs(sample) > Threshold; }) -
        samples;
    if (first == count)
        return -1;
    const qsizetype frame = first / clip->format.channelCount();
    return 1000.0 * static_cast<double>(frame) / clip->format.sampleRate();
}

// One press or call: the time until its first sound was heard; negative
// when nothing was heard. It holds the clip's own lead-in, the same for both.
double timeToSound(MonitorListener &monitor, const std::function<void()> &trigger) {
    if (!monitor.waitForQuiet(std::chrono::seconds(5)))
        return -1;
    monitor.arm();
    const Clock::time_point start = Clock::now();
    trigger(); // returns once the sound has played
    const std::optional<Clock::time_point> heard = monitor.disarm();
    if (!heard)
        return -1;
    return nanosSince(start, *heard) / 1e6;
}

// Stops and starts the test sound server again, as the tests do; false
// when that failed.
bool restartServer() {
    const QString script = QStringLiteral(SNOMEL_SOURCE_DIR "/scripts/soundserver");
    return QProcess::execute(script, {QStringLiteral("stop")}) == 0 &&
           QProcess::execute(script, {QStringLiteral("start")}) == 0;
}

// A listener on the sink's monitor, once it hears the sink.
std::unique_ptr<MonitorListener> listen(const QByteArray &sink) {
    auto monitor = std::make_unique<MonitorListener>(sink);
    for (int wait = 0; wait < 100 && !monitor->running(); ++wait)
        QTest::qWait(20);
    return monitor->running() ? std::move(monitor) : nullptr;
}

QString heardText(const QList<double> &times, int tries) {
    return times.isEmpty() ? QStringLiteral("never heard")
                           : QStringLiteral("%1 ms (heard %2 of %3)")
                                 .arg(bench::median(times), 0, 'f', 1)
                                 .arg(times.size())
                                 .arg(tries);
}

} // namespace

int main(int argc, char *argv[]) {
    bench::offscreenWithoutDisplay();
    QApplication application(argc, argv);
    app::prepareApplication(application);
    const int rounds = argc > 1 ? std::max(3, QString::fromLocal8Bit(argv[1]).toInt()) : 14;

    if (!platform::CodePage::real().isUtf8()) {
        std::fprintf(stderr, "bench_press_to_sound: needs a UTF-8 locale (LC_ALL=C.UTF-8)\n");
        return 2;
    }
    const QByteArray sink = qEnvironmentVariableIsSet("SNOMEL_TEST_SINK")
                                ? qgetenv("SNOMEL_TEST_SINK")
                                : QByteArray("snomel_test");
    auto monitor = listen(sink);
    // The null sink renders in small blocks only once its monitor is read:
    // give it time to settle.
    QTest::qWait(2000);
    if (!monitor) {
        std::fprintf(stderr,
                     "bench_press_to_sound: cannot read %s.monitor (is the sound server "
                     "up, XDG_RUNTIME_DIR set?)\n",
                     sink.constData());
        return 2;
    }

    const QString folderPath = QStringLiteral(SNOMEL_PROGRAM_DIR);
    testing::LessonServices services(folderPath, /*forwardSound=*/true);

    app::Form1 form;
    form.Show();
    QTest::qWait(100);

    QList<double> pressed, direct, leadIns;
    double firstPress = -1;
    int missed = 0;
    // One of each first: the audio output's first use sets it up.
    for (int round = -1; round < rounds; ++round) {
        const app::Letter &letter = app::Letters[(round + 1) % app::Letters.size()];
        const QString file =
            QDir(folderPath).filePath(QString::fromUtf8(letter.stem) + QStringLiteral(".wav"));
        const double leadIn = leadInMs(file);
        const QByteArray narrow = platform::toNarrow(file);
        auto *button = form.control<QPushButton>(letter.button);
        const double byPress =
            timeToSound(*monitor, [button] { QTest::mouseClick(button, Qt::LeftButton); });
        const double byCall = timeToSound(
            *monitor, [&narrow] { sndPlaySoundA(narrow.constData(), SND_NODEFAULT | SND_LOOP); });
        if (round < 0)
            firstPress = byPress;
        if (leadIn < 0 || byPress < 0 || byCall < 0) {
            ++missed;
            continue;
        }
        if (round >= 0) {
            pressed.append(byPress);
            direct.append(byCall);
            leadIns.append(leadIn);
        }
    }
    if (pressed.size() < rounds / 2 + 1) {
        std::fprintf(stderr, "bench_press_to_sound: %d of %d rounds heard nothing\n", missed,
                     rounds + 1);
        return 1;
    }

    // The server taken away and back between presses: the first press
    // after it, which connects again, against the next one.
    constexpr int Restarts = 5;
    QList<double> afterRestart, nextPress;
    const bool testServer = qEnvironmentVariableIsSet("SNOMEL_SOUND_SERVER");
    for (int restart = 0; testServer && restart < Restarts; ++restart) {
        monitor.reset();
        if (!restartServer() || !(monitor = listen(sink))) {
            std::fprintf(stderr, "bench_press_to_sound: the test sound server did not restart\n");
            return 2;
        }
        QTest::qWait(2000); // the sink settles, as at the start
        for (QList<double> *times : {&afterRestart, &nextPress}) {
            auto *button = form.control<QPushButton>(
                app::Letters[(restart * 2 + (times == &nextPress)) % app::Letters.size()].button);
            const double heard =
                timeToSound(*monitor, [button] { QTest::mouseClick(button, Qt::LeftButton); });
            if (heard >= 0)
                times->append(heard);
        }
    }

    const double pressMs = bench::median(pressed), callMs = bench::median(direct);
    std::printf("press to first sound samples, median of %lld rounds (%d missed)\n",
                static_cast<long long>(pressed.size()), missed);
    std::printf("  letter press          %6.1f ms\n", pressMs);
    std::printf("  direct sndPlaySoundA  %6.1f ms\n", callMs);
    std::printf("  difference            %6.1f ms\n", pressMs - callMs);
    std::printf("  ratio                 %6.2f (target <= 1.10)\n", pressMs / callMs);
    std::printf(
        "  first press of the run %s (connects to the server)\n",
        qPrintable(heardText(firstPress < 0 ? QList<double>{} : QList<double>{firstPress}, 1)));
    if (testServer) {
        std::printf("  after the server was restarted, %d times:\n", Restarts);
        std::printf("    first press         %s\n", qPrintable(heardText(afterRestart, Restarts)));
        std::printf("    next press          %s\n", qPrintable(heardText(nextPress, Restarts)));
    }
    std::printf("  (both hold the clips' own lead-in, median %.1f ms, before their first "
                "sample above %d)\n",
                bench::median(leadIns), Threshold);
    return pressMs / callMs <= 1.10 ? 0 : 1;
}
