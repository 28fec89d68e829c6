// SPDX-License-Identifier: GPL-3.0-or-later
// The running program when its surroundings fail under it: the window
// manager killed and started again, the tray host restarted, the screen made
// smaller under a window, the program folder removed. The program is its
// executable, run as a process of its own; everything is done to it from
// outside, through the X display, as a user and a desktop would.
#include "app/startup.h"
#include "tests/desktop/programprocess.h"
#include "tests/desktop/windowmodel.h"
#include "tests/desktop/xsession.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <optional>

using namespace monkey;

namespace {

constexpr int WindowTimeoutMs = 30000;
constexpr int ManagerTimeoutMs = 10000;
const char TraySelection[] = "_NET_SYSTEM_TRAY_S0";
const QString Executable = QStringLiteral(SNOMEL_PROGRAM_DIR "/snomel");

// The files a lesson reads beside the program, and the program itself.
const QStringList ProgramFiles = {QStringLiteral("snomel"), QStringLiteral("snomel-media.so"),
                                  QStringLiteral("*.bmp"), QStringLiteral("*.jpg"),
                                  QStringLiteral("*.wav")};

} // namespace

class TestDesktopFaults : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (qEnvironmentVariableIsEmpty("DISPLAY"))
            QSKIP("needs an X display (scripts/test starts one)");
        QVERIFY2(x_.isOpen() && x_.hasXTest(), "cannot open the X display with XTest");
        x_.setWindowTitles(WindowModel::titles());
        screen_ = x_.screenSize();
        hadWindowManager_ = x_.hasWindowManager();
    }

    void cleanupTestCase() {
        // The tests after these expect the screen they started with.
        if (x_.isOpen() && x_.screenSize() != screen_)
            x_.setScreenSize(screen_);
    }

    void cleanup() {
        if (program_)
            program_->kill();
        program_.reset();
        stopTrayer();
        // The tests after this one expect the window manager that was there.
        if (!x_.hasWindowManager() && hadWindowManager_ && startWindowManager())
            QTRY_VERIFY_WITH_TIMEOUT(x_.hasWindowManager(), ManagerTimeoutMs);
    }

    // The manager killed (no clean exit: its announcements stay on the root
    // window) and started again: the windows go on answering and the
    // skinned caption moves them all along, by hand while none runs.
    void windowManagerKilledAndStartedAgain() {
        if (!x_.hasWindowManager())
            QSKIP("needs a window manager (scripts/test starts openbox)");
        startProgram(Executable);
        QVERIFY(captionMoves(WindowKind::Main, QPoint(-60, 40)));

        // A manager of this test's own, to be killed.
        QProcess manager;
        manager.start(QStringLiteral("openbox"), {QStringLiteral("--replace")});
        QVERIFY(manager.waitForStarted());
        QTRY_COMPARE_WITH_TIMEOUT(x_.windowManagerPid(), manager.processId(), ManagerTimeoutMs);
        QTRY_VERIFY_WITH_TIMEOUT(x_.isFramed(window(WindowKind::Main).id), ManagerTimeoutMs);
        ::kill(pid_t(manager.processId()), SIGKILL);
        manager.waitForFinished();
        QTRY_VERIFY_WITH_TIMEOUT(!x_.hasWindowManager(), ManagerTimeoutMs);

        QVERIFY(answers(window(WindowKind::Main)));
        QVERIFY(captionMoves(WindowKind::Main, QPoint(50, -30)));
        QVERIFY(borderResizes(WindowKind::Main, 40));
        // A smaller screen with no manager to bring windows back in.
        QVERIFY(stillReachableAfterTheScreenShrinks());

        QVERIFY(startWindowManager());
        QTRY_VERIFY_WITH_TIMEOUT(x_.isFramed(window(WindowKind::Main).id), ManagerTimeoutMs);
        QVERIFY(captionMoves(WindowKind::Main, QPoint(-40, -40)));
        // A window opened now, under the new manager, opens and closes.
        QVERIFY(opensAndClosesAbout());
        QVERIFY(endsCleanly());
    }

    // The tray host goes and a new one comes: the icon docks in it.
    void trayHostRestarted() {
        if (x_.selectionOwner(TraySelection))
            QSKIP("the display has a tray host of its own");
        QVERIFY(startTrayer());
        startProgram(Executable);
        QVERIFY(iconDockedIn(trayer_.processId()));

        stopTrayer();
        QTRY_VERIFY_WITH_TIMEOUT(!x_.selectionOwner(TraySelection), ManagerTimeoutMs);
        QVERIFY(answers(window(WindowKind::Main)));
        QVERIFY(startTrayer());
        QVERIFY(iconDockedIn(trayer_.processId()));
        QVERIFY(endsCleanly());
    }

    // A screen made smaller while a window stands near its edge: the window
    // manager brings it back within reach, and it moves by its caption.
    void screenShrinksUnderAWindow() {
        if (!x_.hasWindowManager())
            QSKIP("needs a window manager (scripts/test starts openbox)");
        startProgram(Executable);
        QVERIFY(stillReachableAfterTheScreenShrinks());
        QVERIFY(opensAndClosesAbout());
        QVERIFY(endsCleanly());
    }

    // The program folder removed under the running program: the next
    // lesson reports the picture it cannot find, and the program goes on.
    void programFolderRemoved() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QDir built(QStringLiteral(SNOMEL_PROGRAM_DIR));
        for (const QFileInfo &file : built.entryInfoList(ProgramFiles, QDir::Files))
            QVERIFY(QFile::copy(file.absoluteFilePath(), folder.filePath(file.fileName())));
        QFile::setPermissions(folder.filePath(QStringLiteral("snomel")),
                              QFile::permissions(folder.filePath(QStringLiteral("snomel"))) |
                                  QFileDevice::ExeOwner);
        startProgram(folder.filePath(QStringLiteral("snomel")));
        const WindowInfo main = window(WindowKind::Main);

        QVERIFY(press(main, "Command1")); // the media layer loads, the sound plays
        QTest::qWait(2500);
        QVERIFY(!find(WindowKind::MessageBox));
        QVERIFY(folder.remove());
        QVERIFY(!QFileInfo::exists(folder.path()));

        for (const char *letter : {"Command16", "Command27"}) {
            QVERIFY(press(main, letter));
            QTRY_VERIFY_WITH_TIMEOUT(find(WindowKind::MessageBox), 10000);
            x_.key(Key::Return);
            QTRY_VERIFY_WITH_TIMEOUT(!find(WindowKind::MessageBox), 10000);
            QVERIFY(answers(window(WindowKind::Main)));
        }
        QVERIFY(endsCleanly());
    }

private:
    // A window manager that outlives the test, for the tests after it; it
    // ends with the display. Its output must not hold the test's open.
    static bool startWindowManager() {
        QProcess manager;
        manager.setProgram(QStringLiteral("openbox"));
        manager.setStandardOutputFile(QProcess::nullDevice());
        manager.setStandardErrorFile(QProcess::nullDevice());
        return manager.startDetached();
    }

    void startProgram(const QString &executable) {
        program_ = std::make_unique<ProgramProcess>(executable);
        QVERIFY2(program_->start(), qPrintable(program_->errorString()));
        QTRY_VERIFY2_WITH_TIMEOUT(
            find(WindowKind::Main),
            qPrintable(QStringLiteral("no main window; the program %1:\n%2")
                           .arg(program_->isRunning() ? QStringLiteral("still runs")
                                                      : QStringLiteral("has ended"),
                                program_->errorTail(10))),
            WindowTimeoutMs);
    }

    std::optional<WindowInfo> find(WindowKind kind) const {
        for (const WindowInfo &shown : x_.windowsOf(program_->pid()))
            if (shown.kind == kind && shown.viewable)
                return shown;
        return std::nullopt;
    }

    WindowInfo window(WindowKind kind) const {
        const std::optional<WindowInfo> shown = find(kind);
        return shown ? *shown : WindowInfo{};
    }

    // The window manager's ping, answered within five seconds.
    bool answers(const WindowInfo &shown) {
        if (!shown.id)
            return false;
        const quint32 serial = ++pingSerial_;
        x_.sendPing(shown.id, serial);
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000) {
            if (x_.takePingAnswers().contains(serial))
                return true;
            QTest::qWait(20);
        }
        qWarning("the %s did not answer the ping", qPrintable(kindName(shown.kind)));
        return false;
    }

    // Time for the program and the window manager to take input in.
    void step(int ms = 120) { QTest::qWait(ms); }

    // The place of a target of the window, on the screen: the first of that
    // role, or the one of that name.
    std::optional<QPoint> placeOf(const WindowInfo &shown, Role role, const char *name = nullptr) {
        for (const Target &target : model().targets(shown.kind, shown.geometry.size()))
            if (target.role == role && (!name || target.name.startsWith(QLatin1String(name))))
                return shown.geometry.topLeft() + target.rect.center();
        return std::nullopt;
    }

    bool press(const WindowInfo &shown, const char *button) {
        const std::optional<QPoint> at = placeOf(shown, Role::Letter, button);
        if (at) {
            x_.click(*at);
            step();
        }
        return at.has_value();
    }

    // A caption point that lies on the screen, away from the caption buttons.
    std::optional<QPoint> visibleCaption(const WindowInfo &shown) {
        const QRect screen(QPoint(0, 0), x_.screenSize());
        std::optional<QPoint> best;
        for (const Target &target : model().targets(shown.kind, shown.geometry.size())) {
            const QPoint at = shown.geometry.topLeft() + target.rect.center();
            if (target.role == Role::Caption && screen.adjusted(4, 4, -4, -4).contains(at) &&
                (!best || qAbs(at.y() - shown.geometry.top() - 10) <
                              qAbs(best->y() - shown.geometry.top() - 10)))
                best = at;
        }
        return best;
    }

    // Drags the window by its caption; true when it then stands where the
    // drag took it.
    bool captionMoves(WindowKind kind, QPoint by) {
        const WindowInfo shown = window(kind);
        const std::optional<QPoint> from = visibleCaption(shown);
        if (!from)
            return false;
        x_.drag(*from, *from + by);
        step();
        const QPoint expected = shown.geometry.topLeft() + by;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 3000) {
            if ((window(shown.kind).geometry.topLeft() - expected).manhattanLength() <= 4)
                return true;
            step(50);
        }
        qWarning("the %s stands at %d,%d after a drag by its caption to %d,%d",
                 qPrintable(kindName(shown.kind)), window(shown.kind).geometry.x(),
                 window(shown.kind).geometry.y(), expected.x(), expected.y());
        return false;
    }

    bool borderResizes(WindowKind kind, int wider) {
        const WindowInfo shown = window(kind);
        const QRect before = shown.geometry;
        const QPoint from(before.right() - 1, before.center().y());
        x_.drag(from, from + QPoint(wider, 0));
        step();
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 3000) {
            if (qAbs(window(shown.kind).geometry.width() - (before.width() + wider)) <= 4)
                return true;
            step(50);
        }
        qWarning("the %s is %d wide after its right border was dragged %d further",
                 qPrintable(kindName(shown.kind)), window(shown.kind).geometry.width(), wider);
        return false;
    }

    // The main window near the bottom right corner, then the screen made
    // smaller: the window ends within reach (a strip of its caption on the
    // screen), moves by that strip, and answers the window manager.
    bool stillReachableAfterTheScreenShrinks() {
        const QSize big = x_.screenSize();
        const QPoint nearCorner(big.width() - 300, big.height() - 200);
        if (!captionMoves(WindowKind::Main,
                          nearCorner - window(WindowKind::Main).geometry.topLeft()))
            return false;
        const QSize small(big.width() * 4 / 5, big.height() * 3 / 4);
        const auto restore = qScopeGuard([&] { x_.setScreenSize(big); });
        if (!x_.setScreenSize(small)) {
            qWarning("the screen cannot be made %dx%d", small.width(), small.height());
            return false;
        }
        const QRect screen(QPoint(0, 0), small);
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 5000 && !visibleCaption(window(WindowKind::Main)))
            step(50);
        const WindowInfo main = window(WindowKind::Main);
        if (!visibleCaption(main)) {
            qWarning("the main window stands at %d,%d, out of reach of a %dx%d screen",
                     main.geometry.x(), main.geometry.y(), small.width(), small.height());
            return false;
        }
        const QPoint towardsCentre = screen.center() - main.geometry.center();
        const QPoint by(qMax(-400, towardsCentre.x()), qMax(-300, towardsCentre.y()));
        return answers(main) && captionMoves(WindowKind::Main, by);
    }

    bool opensAndClosesAbout() {
        const WindowInfo main = window(WindowKind::Main);
        const std::optional<QPoint> about = placeOf(main, Role::About);
        if (!about)
            return false;
        x_.click(*about);
        step();
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < WindowTimeoutMs && !find(WindowKind::About))
            step(50);
        const std::optional<WindowInfo> shown = find(WindowKind::About);
        if (!shown || !answers(*shown))
            return false;
        const std::optional<QPoint> close = placeOf(*shown, Role::Close);
        if (!close)
            return false;
        x_.click(*close);
        step();
        waited.restart();
        while (waited.elapsed() < 10000 && find(WindowKind::About))
            step(50);
        return !find(WindowKind::About);
    }

    // Closes every window; the program ends with status 0 and no report.
    bool endsCleanly() {
        for (const WindowInfo &shown : x_.windowsOf(program_->pid()))
            if (shown.kind == WindowKind::Main || shown.kind == WindowKind::About ||
                shown.kind == WindowKind::Song)
                x_.requestClose(shown.id);
        if (!program_->waitForEnd(WindowTimeoutMs)) {
            qWarning("the program did not end when its windows were closed");
            return false;
        }
        const QString problem = program_->endProblem();
        if (!problem.isEmpty())
            qWarning("%s", qPrintable(problem));
        return problem.isEmpty();
    }

    bool startTrayer() {
        trayer_.start(QStringLiteral("trayer"),
                      {QStringLiteral("--edge"), QStringLiteral("top"),
                       QStringLiteral("--SetDockType"), QStringLiteral("true")});
        if (!trayer_.waitForStarted())
            return false;
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < ManagerTimeoutMs && !x_.selectionOwner(TraySelection))
            step(50);
        return x_.selectionOwner(TraySelection) != 0;
    }

    void stopTrayer() {
        if (trayer_.state() == QProcess::NotRunning)
            return;
        trayer_.terminate();
        trayer_.waitForFinished(5000);
    }

    // The program's icon docked: its window inside a window of the tray
    // host's process.
    bool iconDockedIn(qint64 trayHost) {
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < ManagerTimeoutMs) {
            const std::optional<WindowInfo> icon = find(WindowKind::Tray);
            if (icon && x_.holderPid(icon->id) == trayHost)
                return true;
            step(100);
        }
        qWarning("the icon did not dock in the tray host %lld", trayHost);
        return false;
    }

    WindowModel &model() {
        if (!model_)
            model_ = std::make_unique<WindowModel>();
        return *model_;
    }

    XSession x_;
    QSize screen_;
    bool hadWindowManager_ = false;
    std::unique_ptr<ProgramProcess> program_;
    std::unique_ptr<WindowModel> model_;
    QProcess trayer_;
    quint32 pingSerial_ = 0x46410000;
};

int main(int argc, char *argv[]) {
    // The models of the program's windows stay offscreen; the program itself
    // runs on the display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    app::prepareApplication(application);
    TestDesktopFaults test;
    return QTest::qExec(&test, argc, argv);
}

#include "tst_desktop_faults.moc"
