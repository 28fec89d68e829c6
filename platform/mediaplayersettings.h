// SPDX-License-Identifier: GPL-3.0-or-later
// The media player control's stored settings, kept apart from the control so
// that a window can hold them without loading the media layer.
#pragma once

#include <QByteArray>
#include <QString>

namespace platform {

// Empty text, which the settings store with a length of 0: a null string is
// stored as none (0xFFFFFFFF) instead.
inline QString emptyText() {
    return QStringLiteral("");
}

// The player's stored settings, in the order the control keeps them after
// its header value. Strings are UTF-16; a null URL means no media, while the
// other texts the player stores are empty, not none.
struct MediaPlayerSettings {
    static constexpr quint32 Header = 0x0300;

    QString URL;
    double rate = 1.0;
    qint32 balance = 0;
    double currentPosition = 0.0; // seconds into URL's media
    QString defaultFrame = emptyText();
    qint32 playCount = 1;
    bool autoStart = true;
    qint32 currentMarker = 0;
    bool invokeURLs = true;
    QString baseURL = emptyText();
    qint32 volume = 50; // 0 to 100
    bool mute = false;
    QString uiMode = QStringLiteral("full");
    bool stretchToFit = false;
    bool windowlessVideo = false;
    bool enabled = true;
    bool enableContextMenu = true;
    bool fullScreen = false;
    QString SAMIStyle = emptyText();
    QString SAMILang = emptyText();
    QString SAMIFilename = emptyText();
    QString captioningID = emptyText();
    bool enableErrorDialogs = false;
    qint32 extentWidth = 0; // HIMETRIC
    qint32 extentHeight = 0;

    // The header and the settings in their order, little-endian: strings as
    // a 32-bit byte count and UTF-16 (0xFFFFFFFF for a null string), doubles
    // as IEEE 754, integers as 32 bits, booleans as one byte.
    QByteArray stream() const;
};

} // namespace platform
