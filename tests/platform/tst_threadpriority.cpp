// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up helpers run at a lowered priority, and only they do.
#include "platform/fonts.h"
#include "platform/threadpriority.h"

#include <QTest>
#include <thread>

#ifdef Q_OS_LINUX
#include <sys/resource.h>
#endif

class TestThreadPriority : public QObject {
    Q_OBJECT
private slots:
    void onlyTheCallingThreadIsLowered() {
#ifndef Q_OS_LINUX
        QSKIP("threads have a priority of their own only on Linux");
#else
        const int before = getpriority(PRIO_PROCESS, 0);
        int lowered = before;
        std::thread([&lowered] {
            platform::lowerCallingThreadPriority();
            lowered = getpriority(PRIO_PROCESS, 0);
        }).join();
        QVERIFY2(lowered > before, qPrintable(QString::number(lowered)));
        QCOMPARE(getpriority(PRIO_PROCESS, 0), before);

        // A thread lower already is not raised again.
        int kept = 0;
        std::thread([&kept] {
            setpriority(PRIO_PROCESS, 0, 19);
            platform::lowerCallingThreadPriority();
            kept = getpriority(PRIO_PROCESS, 0);
        }).join();
        QCOMPARE(kept, 19);

        // Nor does the font work started ahead of the application lower it.
        {
            platform::FontPreload preload;
            preload.wait();
        }
        QCOMPARE(getpriority(PRIO_PROCESS, 0), before);
#endif
    }
};

// With an application object, as in the program: its font database frees the
// configuration that fontconfig makes when the process ends.
QTEST_MAIN(TestThreadPriority)
#include "tst_threadpriority.moc"
