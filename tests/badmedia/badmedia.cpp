// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/badmedia/badmedia.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QImage>
#include <QtEndian>
#include <random>

namespace badmedia {
namespace {

QByteArray encoded(const char *format) {
    QImage image(64, 48, QImage::Format_RGB32);
    // Fixed, so the bytes don't depend on the screen of the process.
    image.setDotsPerMeterX(3780);
    image.setDotsPerMeterY(3780);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(4 * x, 5 * y, 128));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

void putU16(QByteArray &bytes, qsizetype at, quint16 value) {
    qToLittleEndian(value, bytes.data() + at);
}
void putU32(QByteArray &bytes, qsizetype at, quint32 value) {
    qToLittleEndian(value, bytes.data() + at);
}

// A RIFF wave file with the given format chunk fields and sample bytes.
QByteArray wave(quint16 tag, quint16 channels, quint32 rate, quint16 bits, quint16 blockAlign,
                const QByteArray &samples) {
    QByteArray bytes(44, '\0');
    bytes.replace(0, 4, "RIFF");
    putU32(bytes, 4, static_cast<quint32>(36 + samples.size()));
    bytes.replace(8, 8, "WAVEfmt ");
    putU32(bytes, 16, 16);
    putU16(bytes, 20, tag);
    putU16(bytes, 22, channels);
    putU32(bytes, 24, rate);
    putU32(bytes, 28, rate * blockAlign);
    putU16(bytes, 32, blockAlign);
    putU16(bytes, 34, bits);
    bytes.replace(36, 4, "data");
    putU32(bytes, 40, static_cast<quint32>(samples.size()));
    return bytes + samples;
}

QByteArray tone(qsizetype frames) {
    QByteArray samples(frames * 2, '\0');
    for (qsizetype i = 0; i < frames; ++i)
        qToLittleEndian<qint16>(static_cast<qint16>((i % 50 - 25) * 800), samples.data() + 2 * i);
    return samples;
}

// Flips one bit in about every `spacing` bytes past `from`, the same bits
// every time.
QByteArray flipped(QByteArray bytes, qsizetype from, qsizetype spacing, unsigned seed) {
    std::mt19937 random(seed);
    std::uniform_int_distribution<qsizetype> step(1, 2 * spacing);
    for (qsizetype at = from; at < bytes.size(); at += step(random))
        bytes[at] = static_cast<char>(bytes[at] ^ (1 << (random() % 8)));
    return bytes;
}

// A bitmap whose header claims the given size; its pixels are not there.
QByteArray bitmapClaiming(qint32 width, qint32 height) {
    QByteArray bytes = goodBitmap();
    qToLittleEndian(width, bytes.data() + 18);
    qToLittleEndian(height, bytes.data() + 22);
    return bytes;
}

// A JPEG cut where the coded data of its scan begins, and one cut halfway
// through that data.
QByteArray jpegCutInScan(double share) {
    const QByteArray bytes = goodJpeg();
    const qsizetype header = bytes.indexOf(QByteArray("\xFF\xDA", 2));
    if (header < 0)
        return {};
    const qsizetype scan = header + 2 + qFromBigEndian<quint16>(bytes.constData() + header + 2);
    return bytes.left(scan + static_cast<qsizetype>((bytes.size() - scan) * share));
}

// A JPEG whose frame header claims the given size.
QByteArray jpegClaiming(quint16 width, quint16 height) {
    QByteArray bytes = goodJpeg();
    const qsizetype frame = bytes.indexOf(QByteArray("\xFF\xC0", 2));
    if (frame < 0)
        return {};
    qToBigEndian(height, bytes.data() + frame + 5);
    qToBigEndian(width, bytes.data() + frame + 7);
    return bytes;
}

} // namespace

QByteArray goodBitmap() {
    return encoded("BMP");
}
QByteArray goodJpeg() {
    return encoded("JPG");
}
QByteArray goodWave() {
    return wave(1, 1, 22050, 16, 2, tone(22050 * 80 / 1000));
}
qsizetype goodWaveSampleBytes() {
    return goodWave().size() - 44;
}

QList<BadFile> makeCorpus() {
    using enum Kind;
    using enum Outcome;
    const QByteArray bmp = goodBitmap(), jpg = goodJpeg(), wav = goodWave();
    const QByteArray png = encoded("PNG");

    QByteArray hugeData = wav;
    putU32(hugeData, 4, 0xFFFFFFFFu);
    putU32(hugeData, 40, 0xFFFFFFFFu);
    QByteArray flippedMagic = bmp;
    flippedMagic[0] = static_cast<char>(flippedMagic[0] ^ 0x04); // "BM" becomes "FM"
    QByteArray dataBeforeFormat = wav.left(12) + wav.mid(36) + wav.mid(12, 24);

    return {
        // Pictures.
        {"zero.bmp", Picture, Error, {}},
        {"zero.jpg", Picture, Error, {}},
        {"truncated-header.bmp", Picture, Error, bmp.left(30)},
        // The reader keeps the rows that are there, as it does with a
        // JPEG cut short in its scan.
        {"truncated-pixels.bmp", Picture, Shows, bmp.left(bmp.size() / 2)},
        {"truncated-header.jpg", Picture, Error, jpg.left(20)},
        {"truncated-scan.jpg", Picture, Either, jpg.left(jpg.size() / 2)},
        // Nothing of the picture but grey would show: the error box says so.
        {"cut-after-scan-header.jpg", Picture, Error, jpegCutInScan(0)},
        {"cut-in-scan.jpg", Picture, Shows, jpegCutInScan(0.5)},
        {"flipped-magic.bmp", Picture, Error, flippedMagic},
        {"flipped.bmp", Picture, Either, flipped(bmp, 0, 64, 2)},
        {"flipped.jpg", Picture, Either, flipped(jpg, 0, 64, 3)},
        {"bitmap-in.jpg", Picture, Shows, bmp},
        {"jpeg-in.bmp", Picture, Shows, jpg},
        {"png-in.jpg", Picture, Error, png},
        {"wave-in.bmp", Picture, Error, wav},
        {"huge.bmp", Picture, Error, bitmapClaiming(60000, 60000)},
        {"empty-size.bmp", Picture, Error, bitmapClaiming(0, 0)},
        {"huge.jpg", Picture, Error, jpegClaiming(65000, 65000)},
        // Sounds.
        {"zero.wav", Sound, Silent, {}},
        {"truncated-header.wav", Sound, Silent, wav.left(30)},
        {"truncated-samples.wav", Sound, Plays, wav.left(44 + goodWaveSampleBytes() / 2)},
        {"flipped.wav", Sound, Either, flipped(wav, 0, 64, 4)},
        {"adpcm.wav", Sound, Silent, wave(2, 1, 22050, 4, 256, QByteArray(2048, '\x11'))},
        {"pcm24.wav", Sound, Silent, wave(1, 1, 22050, 24, 3, QByteArray(qsizetype{3000}, '\0'))},
        {"no-channels.wav", Sound, Silent, wave(1, 0, 22050, 16, 2, tone(1000))},
        {"no-rate.wav", Sound, Silent, wave(1, 1, 0, 16, 2, tone(1000))},
        {"data-before-format.wav", Sound, Silent, dataBeforeFormat},
        {"huge-data.wav", Sound, Plays, hugeData},
        {"bitmap-in.wav", Sound, Silent, bmp},
        {"oversized.wav", Sound, Silent, wav, qint64{65} * 1024 * 1024},
    };
}

bool writeCorpus(const QString &folder, QString *error) {
    if (!QDir().mkpath(folder)) {
        *error = QStringLiteral("cannot make %1").arg(folder);
        return false;
    }
    for (const BadFile &file : makeCorpus()) {
        QFile out(QDir(folder).filePath(file.name));
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            out.write(file.bytes) != file.bytes.size() ||
            (file.sparseSize > 0 && !out.resize(file.sparseSize))) {
            *error = QStringLiteral("cannot write %1: %2").arg(out.fileName(), out.errorString());
            return false;
        }
    }
    return true;
}

} // namespace badmedia
