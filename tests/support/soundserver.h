// SPDX-License-Identifier: GPL-3.0-or-later
// The tests' sound server (scripts/soundserver, started by scripts/test):
// what reaches its sink, recorded from the sink's monitor, and the server
// itself taken away and brought back as scripts/testenv.sh starts it.
#pragma once

#include <QList>
#include <QProcess>
#include <QtEndian>
#include <cstdlib>

namespace testing {

// The test server is the one in use: scripts/test started it, and nothing
// points the process at another.
inline bool usingTestSoundServer() {
    return !qEnvironmentVariableIsEmpty("SNOMEL_TEST_SINK") &&
           !qEnvironmentVariableIsSet("PULSE_SERVER");
}

// Records what reaches the test sink, through its monitor, as 16-bit mono
// samples at Rate.
class SinkRecorder {
public:
    static constexpr int Rate = 22050;

    // parec by its full path, wherever the test's own path leads.
    SinkRecorder() {
        process_.start(QStringLiteral(SNOMEL_PAREC),
                       {QStringLiteral("-d"),
                        qEnvironmentVariable("SNOMEL_TEST_SINK") + QStringLiteral(".monitor"),
                        QStringLiteral("--raw"), QStringLiteral("--format=s16le"),
                        QStringLiteral("--channels=1"), QStringLiteral("--rate=%1").arg(Rate),
                        // As the sink's other reader does (scripts/soundserver).
                        QStringLiteral("--latency-msec=") +
                            qEnvironmentVariable("SNOMEL_TEST_MONITOR_LATENCY_MS")});
    }
    // Once the first samples have come: the server has connected the
    // recorder to the monitor, and it records from then on. (A fresh
    // server's session manager may take its time to connect a new stream.)
    bool started() {
        return process_.waitForStarted(3000) &&
               (process_.bytesAvailable() > 0 || process_.waitForReadyRead(5000));
    }
    QList<qint16> stop() {
        process_.terminate();
        process_.waitForFinished(3000);
        const QByteArray raw = process_.readAllStandardOutput();
        QList<qint16> samples(raw.size() / 2);
        for (qsizetype i = 0; i < samples.size(); ++i)
            samples[i] = qFromLittleEndian<qint16>(raw.constData() + 2 * i);
        return samples;
    }

private:
    QProcess process_;
};

// Louder than a whisper: for the tests' tones; a quiet song wants less.
inline constexpr int Audible = 3000;

// The first and last audible samples.
inline std::pair<qsizetype, qsizetype> audibleStretch(const QList<qint16> &samples,
                                                      int threshold = Audible) {
    qsizetype first = -1, last = -1;
    for (qsizetype i = 0; i < samples.size(); ++i) {
        if (std::abs(samples[i]) > threshold) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    return {first, last};
}

inline int audibleMs(const QList<qint16> &samples, int threshold = Audible) {
    const auto [first, last] = audibleStretch(samples, threshold);
    return first < 0 ? 0 : static_cast<int>((last - first) * 1000 / SinkRecorder::Rate);
}

// Stops or starts the test server as scripts/testenv.sh does; true when
// that worked.
inline bool soundServer(const char *command) {
    return QProcess::execute(QStringLiteral(SNOMEL_SOURCE_DIR "/scripts/soundserver"),
                             {QString::fromLatin1(command)}) == 0;
}

// Takes the test server away for as long as it lives, or until back(); it
// is back when the test ends, however it ends.
class SoundServerAway {
public:
    SoundServerAway() : away_(soundServer("stop")) {}
    ~SoundServerAway() { back(); }
    SoundServerAway(const SoundServerAway &) = delete;
    SoundServerAway &operator=(const SoundServerAway &) = delete;

    bool isAway() const { return away_; }
    bool back() {
        if (!away_)
            return true;
        away_ = false;
        return soundServer("start");
    }

private:
    bool away_;
};

} // namespace testing
