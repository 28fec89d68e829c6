// Soak: 10,000 letter presses through the real click path and 200 opens and
// closes of the About and song windows, in one run. After a warm-up the
// resident memory may grow by at most 2 MB, and the live widgets and objects
// must come back to their count at the start.
// Usage: bench_soak [presses] [window cycles]
#include "benchstats.h"
#include "fakes.h"
#include "form1.h"
#include "form2.h"
#include "form3.h"
#include "letters.h"
#include "shellfakes.h"
#include "startup.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHash>
#include <QMap>
#include <QPushButton>
#include <QSet>
#include <QTest>
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

private:
    app::Form1 &form_;
    testing::RecordingSound &sound_;
    std::size_t next_ = 0;
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

// The offscreen platform warns on every raise of a window shown; 400 of
// those would bury the figures.
QtMessageHandler previousHandler = nullptr;
void quietRaiseWarnings(QtMsgType type, const QMessageLogContext &context, const QString &text) {
    if (text != QLatin1String("This plugin does not support raise()"))
        previousHandler(type, context, text);
}

} // namespace

int main(int argc, char *argv[]) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") && qEnvironmentVariableIsEmpty("DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    LiveObjects::instance().install();
    previousHandler = qInstallMessageHandler(quietRaiseWarnings);
    QApplication application(argc, argv);
    app::prepareApplication(application);
    const int presses = argc > 1 ? std::max(1, QString::fromLocal8Bit(argv[1]).toInt()) : 10000;
    const int cycles = argc > 2 ? std::max(1, QString::fromLocal8Bit(argv[2]).toInt()) : 200;

    testing::FixedFolder folder(QStringLiteral(SNOMEL_PROGRAM_DIR));
    platform::Service<platform::ProgramFolder>::Fake folderFake(folder);
    testing::RecordingSound sound;
    platform::Service<platform::SoundDevice>::Fake soundFake(sound);
    // An error box would stop the run; any would be a failure anyway.
    testing::RecordingMessageBox box;
    platform::Service<platform::MessageBoxService>::Fake boxFake(box);

    app::Form1 form;
    form.Show();
    Soak soak(form, sound);

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
    const double seconds = timer.elapsed() / 1000.0;
    const Figures end = measure();

    const qint64 growth = end.rssKiB - start.rssKiB;
    const qint64 trimmedGrowth = end.trimmedKiB - start.trimmedKiB;
    std::printf("soak: %d letter presses, %d opens and closes of each window, %.1f s\n", presses,
                cycles, seconds);
    printFigures("warmed up", start);
    printFigures("at end", end);
    std::printf("  RSS growth %lld KiB, trimmed %lld KiB (target <= %lld KiB)\n",
                static_cast<long long>(growth), static_cast<long long>(trimmedGrowth),
                static_cast<long long>(GrowthLimitKiB));
    std::printf("  widgets %+lld, objects %+lld (target 0)\n",
                static_cast<long long>(end.widgets - start.widgets),
                static_cast<long long>(end.objects - start.objects));

    bool ok = true;
    if (failedPresses || failedCycles || !box.calls.isEmpty()) {
        std::printf("  FAILED: %d presses missed their sound, %d window cycles failed, %lld "
                    "error boxes\n",
                    failedPresses, failedCycles, static_cast<long long>(box.calls.size()));
        ok = false;
    }
    if (growth > GrowthLimitKiB) {
        std::printf("  FAILED: resident memory grew by more than %lld KiB\n",
                    static_cast<long long>(GrowthLimitKiB));
        ok = false;
    }
    if (end.widgets != start.widgets || end.objects != start.objects) {
        std::printf("  FAILED: live widgets or objects did not come back to their start\n");
        reportLeftovers(objectsAtStart);
        ok = false;
    }
    LiveObjects::instance().uninstall();
    return ok ? 0 : 1;
}
