// SPDX-License-Identifier: GPL-3.0-or-later
// A local file is handed to Media Foundation open, as a byte stream, and
// its address only as a hint to the file's kind. Given the address itself
// ("file:///C:/..."), Wine's Media Foundation opens "/C:/..." and finds
// nothing; an open file it reads there as Windows does.
#include "platform/media/mediasource.h"

#include "platform/windows/win32calls.h"

#include <QFile>
#include <QMediaPlayer>
#include <QUrl>

namespace platform {
namespace {

// The player's file: its child, so it outlives the framework's session.
QFile &mediaFileOf(QMediaPlayer &player) {
    static const QString Name = QStringLiteral("snomel-media-file");
    if (auto *file = player.findChild<QFile *>(Name, Qt::FindDirectChildrenOnly))
        return *file;
    auto *file = new QFile(&player);
    file->setObjectName(Name);
    return *file;
}

} // namespace

void setMediaSource(QMediaPlayer &player, const QUrl &source) {
    QFile &file = mediaFileOf(player);
    // The framework lets go of the file it reads before the file is closed.
    if (player.sourceDevice())
        player.setSource(QUrl());
    file.close();
    if (source.isLocalFile()) {
        file.setFileName(source.toLocalFile());
        if (file.open(QIODevice::ReadOnly)) {
            player.setSourceDevice(&file, source);
            return;
        }
    }
    // No file, or one that cannot be opened: the framework goes by the
    // address, and reports what it cannot play as it does any media.
    player.setSource(source);
}

bool mediaFrameworkPresent() {
    // The libraries the build imports with delayed loading
    // (platform/windows/mediafoundation.cmake): loaded here first, so that
    // no call into one that is missing is ever made.
    static const bool present = win32::systemLibrariesPresent(
        {u"mf.dll", u"mfplat.dll", u"mfreadwrite.dll", u"evr.dll", u"mfcore.dll"});
    return present;
}

} // namespace platform
