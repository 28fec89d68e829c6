// SPDX-License-Identifier: GPL-3.0-or-later
// Soak: 10,000 letter presses through the real click path and 200 opens and
// closes of the About and song windows, in one run. After a warm-up the
// resident memory may grow by at most 2 MB, and the live widgets and objects
// must come back to their count at the start. Then 10,000 resizes of the
// main window, each to a size it has not had before: once the pixmap cache
// is full, the resident memory may grow by at most 256 KiB.
// Usage: bench_soak [presses] [window cycles] [resizes]

#include "app/form1.h"
#include "app/letters.h"
#include "app/startup.h"
#include "bench/support/benchstats.h"
#include "platform/allocator.h"
#include "tests/support/fakes.h"
#include "tests/support/shellfakes.h"
#include "windows/form2.h"
#include "windows/form3.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QPushButton>
#include <QSet>
#include <QTest>
#include <QThreadPool>
#include <cstdio>
#include <malloc.h>
#include <mutex>
#include <unistd.h>

// Qt's table of debugging hooks (the one object-inspection tools use): the
// core calls the entries at these indexes from every QObject's constructor
// and destructor.
extern Q_CORE_EXPORT quintptr qtHookData[];

namespace {

constexpr int AddQObjectHook = 3;
constexpr int RemoveQObjectHook = 4;
constexpr qint64 GrowthLimitKiB = 2048;
constexpr qint64 ResizeGrowthLimitKiB = 256;

// Every QObject alive, kept from the hooks, so what is left over at the end
// can be named.
class LiveObjects {
public:
    static LiveObjects &instance() {
        static LiveObjects objects;
        return objects;
    }
    void install() {
        qtHookData[AddQObjectHook] = reinterpret_cast<quintptr>(&added);
        qtHookData[RemoveQObjectHook] = reinterpret_cast<quintptr>(&removed);
    }
    void uninstall() {
        qtHookData[AddQObjectHook] = 0;
        qtHookData[RemoveQObjectHook] = 0;
    }
    qsizetype count() {
        const std::lock_guard lock(mutex_);
        return live_.size();
    }
    QSet<QObject *> snapshot() {
        const std::lock_guard lock(mutex_);
        return live_;
    }

private:
    static void added(QObject *object) {
        const std::lock_guard lock(instance().mutex_);
        instance().live_.insert(object);
    }
    static void removed(QObject *object) {
        const std::lock_guard lock(instance().mutex_);
        instance().live_.remove(object);
    }
    std::mutex mutex_;
    QSet<QObject *> live_;
};

struct Figures {
    qint64 rssKiB = 0;     // as the kernel counts it
    qint64 trimmedKiB = 0; // after the allocator has given back what it can
    qsizetype widgets = 0;
    qsizetype objects = 0;
};

// Deletes what closed windows left for later, then lets the queue settle.
void settle() {
    for (int i = 0; i < 3; ++i) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
}

Figures measure() {
    settle();
    Figures figures;
    figures.rssKiB = bench::residentKiB();
    malloc_trim(0);
    figures.trimmedKiB = bench::residentKiB();
    figures.widgets = QApplication::allWidgets().size();
    figures.objects = LiveObjects::instance().count();
    return figures;
}

class Soak {
public:
    Soak(app::Form1 &form, testing::RecordingSound &sound) : form_(form), sound_(sound) {}

    // One press of the next letter's button; false if the lesson did not
    // reach the sound with the letter's own file.
    bool pressNextLetter() {
        const app::Letter &letter = app::Letters[next_++ % app::Letters.size()];
        QTest::mouseClick(form_.control<QPushButton>(letter.button), Qt::LeftButton);
        QCoreApplication::processEvents();
        const bool played = sound_.calls.size() == 1 &&
                            sound_.calls.first().name.endsWith(QByteArray(letter.stem) + ".wav");
        sound_.calls.clear(); // the record itself must not grow
        return played;
    }

    // Opens a secondary window by its command button and closes it again;
    // false if it did not open or did not unload.
    template <class Window> bool openAndClose(const char *command) {
        QTest::mouseClick(form_.control<QPushButton>(command), Qt::LeftButton);
        auto *window = form_.findChild<Window *>(QString(), Qt::FindDirectChildrenOnly);
        if (!window || !window->isLoaded() || !window->topLevel()->isVisible())
            return false;
        window->topLevel()->close();
        settle();
        return !window->isLoaded();
    }

    bool cycleWindows() {
        return openAndClose<windows::Form2>("Command10") &&
               openAndClose<windows::Form3>("Command34");
    }

    // Resizes the main window and paints its frame at once (the client
    // area keeps its layout at any size); false if it did not take the
    // size.
    bool resizeTo(const QSize &size) {
        QWidget *window = form_.topLevel();
        window->resize(size);
        QCoreApplication::processEvents();
        // Under a window manager the new size comes back through it.
        const bool taken = QTest::qWaitFor([&] { return window->size() == size; }, 1000);
        const QWidget *client = form_.window();
        window->repaint(QRegion(window->rect()).subtracted(client->geometry()));
        return taken;
    }

private:
    app::Form1 &form_;
    testing::RecordingSound &sound_;
    std::size_t next_ = 0;
};

// The resize walk, 2 × steps sizes the window has not had: the frame's
// pictures along the caption and the bottom edge are drawn at the window's
// width, those along the side borders at its height, so the walk takes
// turns between a new width on a low window and a new height on a narrow
// one (which also keeps the window's area, and its backing store, small).
// The warm-up walks the same range a tenth as densely, a pixel off the
// walk's own low height and narrow width, so that every cache is full
// before the count: where pictures are kept per size, its 1,000 sizes
// compose several times the pixmap cache's limit.
class ResizeWalk {
public:
    explicit ResizeWalk(int steps) : steps_(steps) {}
    QSize size(int i) const {
        return i % 2 == 0 ? QSize(MinWidth + i / 2, LowHeight)
                          : QSize(NarrowWidth, MinHeight + i / 2);
    }
    int warmUpCount() const { return 2 * ((steps_ + WarmUpStride - 1) / WarmUpStride); }
    QSize warmUpSize(int j) const {
        const int offset = steps_ - 1 - j / 2 * WarmUpStride;
        return j % 2 == 0 ? QSize(MinWidth + offset, LowHeight + 1)
                          : QSize(NarrowWidth + 1, MinHeight + offset);
    }

private:
    static constexpr int MinWidth = 400;
    static constexpr int MinHeight = 300;
    static constexpr int LowHeight = 60;
    static constexpr int NarrowWidth = 170;
    static constexpr int WarmUpStride = 10;
    int steps_;
};

void printFigures(const char *when, const Figures &figures) {
    std::printf("  %-10s RSS %7lld KiB, trimmed %7lld KiB, %4lld widgets, %5lld objects\n", when,
                static_cast<long long>(figures.rssKiB), static_cast<long long>(figures.trimmedKiB),
                static_cast<long long>(figures.widgets), static_cast<long long>(figures.objects));
}

// Names the classes of the objects made since the start that are still alive.
void reportLeftovers(const QSet<QObject *> &atStart) {
    QMap<QByteArray, int> byClass;
    for (QObject *object : LiveObjects::instance().snapshot())
        if (!atStart.contains(object))
            ++byClass[object->metaObject()->className()];
    for (auto it = byClass.cbegin(); it != byClass.cend(); ++it)
        std::printf("    left alive: %d %s\n", it.value(), it.key().constData());
}

// Prints a phase's figures against its start; false if memory grew by more
// than limitKiB, or widgets or objects did not come back to their start.
bool reportPhase(const Figures &start, const Figures &end, qint64 limitKiB,
                 const QSet<QObject *> &objectsAtStart) {
    printFigures("at start", start);
    printFigures("at end", end);
    const qint64 growth = end.rssKiB - start.rssKiB;
    std::printf("  RSS growth %lld KiB, trimmed %lld KiB (target <= %lld KiB)\n",
                static_cast<long long>(growth),
                static_cast<long long>(end.trimmedKiB - start.trimmedKiB),
                static_cast<long long>(limitKiB));
    std::printf("  widgets %+lld, objects %+lld (target 0)\n",
                static_cast<long long>(end.widgets - start.widgets),
                static_cast<long long>(end.objects - start.objects));
    bool ok = true;
    if (growth > limitKiB) {
        std::printf("  FAILED: resident memory grew by more than %lld KiB\n",
                    static_cast<long long>(limitKiB));
        ok = false;
    }
    if (end.widgets != start.widgets || end.objects != start.objects) {
        std::printf("  FAILED: live widgets or objects did not come back to their start\n");
        reportLeftovers(objectsAtStart);
        ok = false;
    }
    return ok;
}

// The offscreen platform warns on every raise of a window shown; 400 of
// those would bury the figures.
QtMessageHandler previousHandler = nullptr;
void quietRaiseWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (text != QLatin1String("This plugin does not support raise()"))
        previousHandler(type, context, text);
}

} // namespace

int main(int argc, char *argv[]) {
    platform::fixAllocatorThresholds(); // as the program's own start does
    bench::offscreenWithoutDisplay();
    LiveObjects::instance().install();
    previousHandler = qInstallMessageHandler(quietRaiseWarnings);
    QApplication application(argc, argv);
    app::prepareApplication(application);
    // The pool's threads end after 30 s idle, their event dispatchers with
    // them: objects that go on their own, not ones the program gave back.
    QThreadPool::globalInstance()->setExpiryTimeout(-1);
    const int presses = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10000;
    const int cycles = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 200;
    const int resizes = argc > 3 ? std::max(1, QString::fromLocal8Bit(argv[3]).toInt()) : 10000;

    // The message box records: an error box would stop the run; any would be
    // a failure anyway.
    testing::LessonServices services(QStringLiteral(SNOMEL_PROGRAM_DIR));
    testing::RecordingMessageBox &box = services.box;

    app::Form1 form;
    form.Show();
    Soak soak(form, services.sound);

    // Warm-up: every letter twice and each window a few times, so fonts,
    // caches and the image readers are loaded before the first figure.
    for (std::size_t i = 0; i < 2 * app::Letters.size(); ++i)
        soak.pressNextLetter();
    for (int i = 0; i < 5; ++i)
        soak.cycleWindows();

    const QSet<QObject *> objectsAtStart = LiveObjects::instance().snapshot();
    const Figures start = measure();

    // The windows open and close evenly spread among the presses.
    QElapsedTimer timer;
    timer.start();
    int failedPresses = 0, failedCycles = 0, cyclesDone = 0;
    for (int press = 0; press < presses; ++press) {
        if (!soak.pressNextLetter())
            ++failedPresses;
        if (cyclesDone < cycles && (press + 1) * cycles / presses > cyclesDone) {
            if (!soak.cycleWindows())
                ++failedCycles;
            ++cyclesDone;
        }
    }
    for (; cyclesDone < cycles; ++cyclesDone)
        if (!soak.cycleWindows())
            ++failedCycles;
    std::printf("soak: %d letter presses, %d opens and closes of each window, %.1f s\n", presses,
                cycles, timer.elapsed() / 1000.0);
    bool ok = reportPhase(start, measure(), GrowthLimitKiB, objectsAtStart);
    if (failedPresses || failedCycles || !box.calls.isEmpty()) {
        std::printf("  FAILED: %d presses missed their sound, %d window cycles failed, %lld "
                    "error boxes\n",
                    failedPresses, failedCycles, static_cast<long long>(box.calls.size()));
        ok = false;
    }

    // Resizes, each to a new size, after a warm-up over the same range.
    // Both figures are taken at the window's own size, so that its backing
    // store is the same.
    const QSize ownSize = form.topLevel()->size();
    const ResizeWalk walk(resizes / 2);
    for (int j = 0; j < walk.warmUpCount(); ++j)
        soak.resizeTo(walk.warmUpSize(j));
    soak.resizeTo(ownSize);
    const QSet<QObject *> objectsBeforeResizes = LiveObjects::instance().snapshot();
    const Figures beforeResizes = measure();
    timer.restart();
    int failedResizes = 0;
    for (int i = 0; i < resizes; ++i)
        if (!soak.resizeTo(walk.size(i)))
            ++failedResizes;
    if (!soak.resizeTo(ownSize))
        ++failedResizes;
    std::printf("soak: %d resizes of the main window to new sizes after a warm-up of %d, %.1f s\n",
                resizes, walk.warmUpCount(), timer.elapsed() / 1000.0);
    ok = reportPhase(beforeResizes, measure(), ResizeGrowthLimitKiB, objectsBeforeResizes) && ok;
    if (failedResizes) {
        std::printf("  FAILED: %d resizes did not take their size\n", failedResizes);
        ok = false;
    }
    LiveObjects::instance().uninstall();
    return ok ? 0 : 1;
}
