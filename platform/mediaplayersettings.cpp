// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/mediaplayersettings.h"

#include <QDataStream>
#include <QIODevice>

namespace platform {

QByteArray MediaPlayerSettings::stream() const {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out.setFloatingPointPrecision(QDataStream::DoublePrecision);
    out << Header << URL << rate << balance << currentPosition << defaultFrame << playCount
        << autoStart << currentMarker << invokeURLs << baseURL << volume << mute << uiMode
        << stretchToFit << windowlessVideo << enabled << enableContextMenu << fullScreen
        << SAMIStyle << SAMILang << SAMIFilename << captioningID << enableErrorDialogs
        << extentWidth << extentHeight;
    return bytes;
}

} // namespace platform
