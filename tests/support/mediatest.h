// SPDX-License-Identifier: GPL-3.0-or-later
// For tests that play media: the same backend as the program, chosen before
// the application object exists, and the shipped song video.
#pragma once

#include "platform/mediabackend.h"
#include "tests/support/programtexts.h"

#include <QApplication>
#include <QDir>
#include <QTest>

namespace testing {

// The song video as the build puts it into the program folder.
inline QString shippedSong() {
    return QDir(QStringLiteral(SNOMEL_PROGRAM_DIR)).filePath(QString::fromUtf8(SongFile));
}

// Its length, as ffprobe reports it for the committed file.
inline constexpr qint64 ShippedSongMs = 87626;

} // namespace testing

// QTEST_MAIN for widget tests that play media.
#define SNOMEL_MEDIA_TEST_MAIN(TestObject)                                                         \
    int main(int argc, char *argv[]) {                                                             \
        platform::preferGStreamerMediaBackend();                                                   \
        QApplication application(argc, argv);                                                      \
        application.setAttribute(Qt::AA_Use96Dpi, true);                                           \
        TestObject test;                                                                           \
        QTEST_SET_MAIN_SOURCE_PATH                                                                 \
        return QTest::qExec(&test, argc, argv);                                                    \
    }
