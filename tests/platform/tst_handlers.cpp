#include "fakes.h"
#include "runtimeerror.h"
#include "windowhandles.h"

#include <QTest>
#include <QWidget>

using platform::RuntimeError;

class TestHandlers : public QObject {
    Q_OBJECT
private slots:
    // An error that leaves a handler is shown in the error box with its
    // number and text, under the program's name, and the program goes on.
    void handlerErrorsAreReportedNotFatal() {
        QCoreApplication::setApplicationName(QStringLiteral("سنوميل"));
        testing::RecordingMessageBox box;
        platform::Service<platform::MessageBoxService>::Fake installed(box);
        bool after = false;
        platform::invokeHandler([&] {
            platform::raise(platform::errors::FileNotFound, QStringLiteral("File not found: 'x'"));
            after = true;
        });
        QVERIFY(!after);
        QCOMPARE(box.calls.size(), 1);
        QCOMPARE(box.calls[0].title, QStringLiteral("سنوميل"));
        QVERIFY(box.calls[0].prompt.contains(QStringLiteral("53")));
        QVERIFY(box.calls[0].prompt.contains(QStringLiteral("File not found: 'x'")));
        QCOMPARE(box.calls[0].style & MB_ICONERROR, MB_ICONERROR);

        platform::invokeHandler([] { throw std::runtime_error("boom"); });
        QCOMPARE(box.calls.size(), 2);
        QVERIFY(box.calls[1].prompt.contains(QStringLiteral("boom")));
    }

    void handlesAreStableAndGoStaleWithTheirWindow() {
        auto *first = new QWidget;
        QWidget second;
        const HWND handle = platform::handleOf(first);
        QVERIFY(handle != 0);
        QCOMPARE(platform::handleOf(first), handle);
        QVERIFY(platform::handleOf(&second) != handle);
        QCOMPARE(platform::windowFromHandle(handle), first);
        delete first;
        QVERIFY_THROWS_EXCEPTION(RuntimeError, platform::windowFromHandle(handle));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, platform::windowFromHandle(0));
        QVERIFY_THROWS_EXCEPTION(RuntimeError, platform::handleOf(nullptr));
        // A new window never gets a handle used before.
        QWidget third;
        QVERIFY(platform::handleOf(&third) != handle);
    }
};

QTEST_MAIN(TestHandlers)
#include "tst_handlers.moc"
