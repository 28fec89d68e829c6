// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "app/startup.h"
#include "platform/controls.h"
#include "tests/support/browserstandin.h"
#include "tests/support/programtexts.h"
#include "windows/form2.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QTest>

// The program against the real desktop on an X display: the notification
// area of a running tray host, and the browser hand-off through xdg-open,
// here a stand-in early on the path that writes down what it was given.
class TestRealDesktop : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QGuiApplication::platformName() != QLatin1String("xcb"))
            QSKIP("needs an X display (scripts/test starts one)");
        QVERIFY(browser_.install());

        trayer_.start(QStringLiteral("trayer"),
                      {QStringLiteral("--edge"), QStringLiteral("top"),
                       QStringLiteral("--SetDockType"), QStringLiteral("true")});
        QVERIFY2(trayer_.waitForStarted(), "trayer (Debian package trayer) is missing");
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
        app::prepareApplication(*qApp);
    }

    void cleanupTestCase() {
        trayer_.terminate();
        trayer_.waitForFinished(3000);
    }

    void iconDocksWithItsTip() {
        app::Form1 form;
        form.Show();
        // The icon belongs to the main window.
        const QList<QSystemTrayIcon *> icons = form.topLevel()->findChildren<QSystemTrayIcon *>();
        QCOMPARE(icons.size(), 1);
        QCOMPARE(icons[0]->toolTip(), QString::fromUtf8(testing::TrayTip));
        QVERIFY(icons[0]->icon().availableSizes().contains(QSize(100, 150)));
        QTRY_VERIFY_WITH_TIMEOUT(!icons[0]->geometry().isEmpty(), 10000);
    }

    void pagesReachTheBrowser() {
        app::Form1 form;
        form.Show();
        QVERIFY(QTest::qWaitForWindowExposed(form.topLevel()));
        for (const char *command : {"Command11", "Command12", "Command13", "Command11"})
            QTest::mouseClick(form.control<QPushButton>(command), Qt::LeftButton);
        QTest::mouseClick(form.control<QPushButton>("Command10"), Qt::LeftButton);
        auto *about = form.findChild<windows::Form2 *>();
        QVERIFY(about);
        QVERIFY(QTest::qWaitForWindowExposed(about->topLevel()));
        QTest::mouseClick(about->control<platform::PictureBox>("Pictuer1")->client(),
                          Qt::LeftButton, {}, QPoint(40, 60));
        // Each button's page, the personal page three times: twice by its
        // button, once by the About window's picture.
        QTRY_COMPARE_WITH_TIMEOUT(
            browser_.sortedAddresses(),
            QByteArrayList({testing::PersonalPage, testing::PersonalPage, testing::PersonalPage,
                            testing::SeminaryPage, testing::LibraryPage}),
            10000);
    }

private:
    testing::BrowserStandIn browser_;
    QProcess trayer_;
};

QTEST_MAIN(TestRealDesktop)
#include "tst_real_desktop.moc"
