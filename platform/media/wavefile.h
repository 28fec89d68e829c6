// SPDX-License-Identifier: GPL-3.0-or-later
// A RIFF wave file read into memory: the PCM encodings a sound card plays.
#pragma once

#include <QAudioFormat>
#include <QByteArray>
#include <optional>

namespace platform {

struct WaveClip {
    QAudioFormat format;
    QByteArray samples; // whole frames only
    qint64 durationUs() const;
};

// Parses the bytes of a wave file. Uncompressed PCM of 8, 16 or 32 bits and
// 32-bit float are accepted; anything else, or a damaged file, gives nothing.
std::optional<WaveClip> parseWave(const QByteArray &bytes);

// Reads and parses a regular file; anything else, and files larger than
// this, are refused unread.
inline constexpr qint64 MaxWaveFileBytes = 64 * 1024 * 1024;
std::optional<WaveClip> readWaveFile(const QString &path);

} // namespace platform
