// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/media/wavefile.h"

#include "platform/paths.h"

#include <QFile>
#include <QtEndian>

namespace platform {
namespace {

constexpr quint16 FormatPcm = 1;
constexpr quint16 FormatFloat = 3;
constexpr quint16 FormatExtensible = 0xFFFE;

quint32 u32At(const QByteArray &bytes, qsizetype offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}
quint16 u16At(const QByteArray &bytes, qsizetype offset) {
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

std::optional<QAudioFormat::SampleFormat> sampleFormat(quint16 tag, quint16 bits) {
    if (tag == FormatPcm && bits == 8)
        return QAudioFormat::UInt8;
    if (tag == FormatPcm && bits == 16)
        return QAudioFormat::Int16;
    if (tag == FormatPcm && bits == 32)
        return QAudioFormat::Int32;
    if (tag == FormatFloat && bits == 32)
        return QAudioFormat::Float;
    return std::nullopt;
}

} // namespace

qint64 WaveClip::durationUs() const {
    return format.durationForBytes(samples.size());
}

std::optional<WaveClip> parseWave(const QByteArray &bytes) {
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return std::nullopt;

    std::optional<QAudioFormat> format;
    qsizetype offset = 12;
    while (bytes.size() - offset >= 8) {
        const QByteArray id = bytes.mid(offset, 4);
        const qint64 size = u32At(bytes, offset + 4);
        const qsizetype body = offset + 8;
        const qint64 available = bytes.size() - body;
        if (id == "fmt ") {
            if (size < 16 || size > available)
                return std::nullopt;
            quint16 tag = u16At(bytes, body);
            const quint16 channels = u16At(bytes, body + 2);
            const quint32 rate = u32At(bytes, body + 4);
            const quint16 bits = u16At(bytes, body + 14);
            if (tag == FormatExtensible && size >= 40)
                tag = u16At(bytes, body + 24); // the sub-format GUID starts with the tag
            const auto sample = sampleFormat(tag, bits);
            if (!sample || channels < 1 || channels > 8 || rate < 1000 || rate > 384000)
                return std::nullopt;
            QAudioFormat audio;
            audio.setSampleFormat(*sample);
            audio.setChannelCount(channels);
            audio.setSampleRate(static_cast<int>(rate));
            format = audio;
        } else if (id == "data") {
            if (!format)
                return std::nullopt;
            // A data chunk that claims more than the file holds is cut to
            // what is there, as players do with a truncated recording.
            const qint64 length = std::min(size, available);
            const qint64 frame = format->bytesPerFrame();
            WaveClip clip{*format, bytes.mid(body, length - length % frame)};
            if (clip.samples.isEmpty())
                return std::nullopt;
            return clip;
        }
        if (size > available)
            return std::nullopt;
        offset = body + size + (size & 1); // chunks are padded to even sizes
    }
    return std::nullopt;
}

std::optional<WaveClip> readWaveFile(const QString &path) {
    QFile file;
    if (!openRegularFile(file, path) || file.size() > MaxWaveFileBytes)
        return std::nullopt;
    return parseWave(file.readAll());
}

} // namespace platform
