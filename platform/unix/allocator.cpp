// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/allocator.h"

#include <QCoreApplication>
#include <QPointer>
#include <QTimer>
#if defined(__GLIBC__)
#include <malloc.h>
#endif

namespace platform {
namespace {

// Long enough for a closed window's deferred deletions and its player's
// wind-down, short enough to come before anyone looks.
constexpr int ReturnDelayMs = 500;

} // namespace

void fixAllocatorThresholds() {
#if defined(__GLIBC__)
    constexpr int InitialThreshold = 128 * 1024; // glibc's own starting value for both
    mallopt(M_MMAP_THRESHOLD, InitialThreshold);
    mallopt(M_TRIM_THRESHOLD, InitialThreshold);
#endif
}

void returnFreedMemorySoon() {
#if defined(__GLIBC__)
    // One timer, which goes with the application: a later application (as
    // in the tests) gets one of its own.
    static QPointer<QTimer> timer;
    if (!timer) {
        timer = new QTimer(QCoreApplication::instance());
        timer->setSingleShot(true);
        timer->setInterval(ReturnDelayMs);
        QObject::connect(timer, &QTimer::timeout, timer, [] { malloc_trim(0); });
    }
    if (!timer->isActive())
        timer->start();
#endif
}

} // namespace platform
