// SPDX-License-Identifier: GPL-3.0-or-later
// Media files written by tests: tones as wave files, plain pictures.
#pragma once

#include <QByteArray>
#include <QColor>
#include <QCoreApplication>
#include <QFile>
#include <QImage>
#include <QString>
#include <QtEndian>
#include <cmath>
#include <numbers>

namespace testing {

// The program icon, which the build puts beside the test (PROGRAM_ICON):
// a test built for Windows reaches no file by the build machine's paths.
inline QString programIconFile() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/snomel.ico");
}

// A 16-bit mono PCM wave file of a sine tone.
inline QByteArray toneWave(int milliseconds, double frequency = 440.0, int rate = 22050,
                           double amplitude = 0.5) {
    const int frames = rate * milliseconds / 1000;
    QByteArray samples(frames * 2, Qt::Uninitialized);
    for (int i = 0; i < frames; ++i) {
        const double value = amplitude * std::sin(2 * std::numbers::pi * frequency * i / rate);
        qToLittleEndian<qint16>(static_cast<qint16>(value * 32767), samples.data() + 2 * i);
    }
    QByteArray wave;
    const auto u32 = [&wave](quint32 v) {
        char b[4];
        qToLittleEndian(v, b);
        wave.append(b, 4);
    };
    const auto u16 = [&wave](quint16 v) {
        char b[2];
        qToLittleEndian(v, b);
        wave.append(b, 2);
    };
    wave.append("RIFF");
    u32(36 + samples.size());
    wave.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(rate);
    u32(rate * 2);
    u16(2);
    u16(16);
    wave.append("data");
    u32(samples.size());
    wave.append(samples);
    return wave;
}

inline bool writeFile(const QString &path, const QByteArray &bytes) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A picture of one colour, saved in the given format ("BMP" or "JPG").
inline bool writePicture(const QString &path, QSize size, QColor colour, const char *format) {
    QImage image(size, QImage::Format_RGB32);
    image.fill(colour);
    return image.save(path, format);
}

} // namespace testing
