// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/runtimeerror.h"
#include "platform/windowhandles.h"
#include "tests/support/fakes.h"

#include <QDir>
#include <QTest>
#include <QWidget>

using platform::RuntimeError;

class TestHandlers : public QObject {
    Q_OBJECT
private slots:
    // An error that leaves a handler is shown in the error box, in Arabic,
    // with its number as it is and the file concerned as the system writes
    // it, under the program's name, and the program goes on.
    void handlerErrorsAreReportedNotFatal() {
        QCoreApplication::setApplicationName(QStringLiteral("سنوميل"));
        testing::RecordingMessageBox box;
        platform::Service<platform::MessageBoxService>::Fake installed(box);
        bool after = false;
        platform::invokeHandler([&] {
            platform::raiseForFile(platform::errors::FileNotFound,
                                   QStringLiteral("/opt/snomel\\ث.bmp"));
            after = true;
        });
        QVERIFY(!after);
        QCOMPARE(box.calls.size(), 1);
        QCOMPARE(box.calls[0].title, QStringLiteral("سنوميل"));
        // The file reads left to right inside the right-to-left text.
        QCOMPARE(box.calls[0].prompt,
                 QStringLiteral("خطأ في وقت التشغيل '53':\n\nالملف غير موجود\nالملف: \u2066") +
                     QDir::toNativeSeparators(QStringLiteral("/opt/snomel/ث.bmp")) + QChar(0x2069));
        QCOMPARE(box.calls[0].style & MB_ICONERROR, MB_ICONERROR);

        platform::invokeHandler([] { throw std::runtime_error("boom"); });
        QCOMPARE(box.calls.size(), 2);
        QVERIFY(box.calls[1].prompt.startsWith(QStringLiteral("خطأ في وقت التشغيل '51':")));
        QVERIFY(box.calls[1].prompt.contains(QStringLiteral("boom")));
    }

    // Each number keeps its meaning, in Arabic for the box and in English
    // for standard error.
    void errorNumbersKeepTheirMeaning_data() {
        QTest::addColumn<int>("number");
        QTest::addColumn<QString>("arabic");
        QTest::addColumn<QString>("english");
        QTest::newRow("53") << 53 << QStringLiteral("الملف غير موجود")
                            << QStringLiteral("File not found");
        QTest::newRow("70") << 70 << QStringLiteral("الإذن مرفوض: لا يُسمح للبرنامج بقراءة الملف")
                            << QStringLiteral("Permission denied");
        QTest::newRow("438") << 438 << QStringLiteral("الكائن لا يدعم هذه الخاصية أو الطريقة")
                             << QStringLiteral("Object doesn't support this property or method");
        QTest::newRow("481") << 481 << QStringLiteral("صورة غير صالحة")
                             << QStringLiteral("Invalid picture");
        QTest::newRow("unknown") << 9999 << QStringLiteral("خطأ معرّف في التطبيق")
                                 << QStringLiteral("Application-defined error");
    }
    void errorNumbersKeepTheirMeaning() {
        QFETCH(int, number);
        QFETCH(QString, arabic);
        QFETCH(QString, english);
        QCOMPARE(platform::arabicDescription(number), arabic);
        QCOMPARE(platform::englishDescription(number), english);
        const RuntimeError error(number, QStringLiteral("detail"), QStringLiteral("C:\\a.bmp"));
        QCOMPARE(error.text(),
                 QStringLiteral("Run-time error '%1': %2: '%3' (detail)")
                     .arg(number)
                     .arg(english, QDir::toNativeSeparators(QStringLiteral("C:/a.bmp"))));
        QCOMPARE(QString::fromUtf8(error.what()), error.text());
        QVERIFY(platform::runtimeErrorMessage(error).contains(arabic));
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
