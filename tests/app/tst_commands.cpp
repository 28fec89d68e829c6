// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "app/module1.h"
#include "app/startup.h"
#include "platform/codepage.h"
#include "platform/iconhandles.h"
#include "tests/support/fakes.h"
#include "tests/support/programtexts.h"
#include "tests/support/shellfakes.h"
#include "windows/form2.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace {

const QString Tip = QString::fromUtf8(testing::TrayTip);

QPushButton *button(const app::Form1 &form, const char *name) {
    return form.control<QPushButton>(name);
}

// The About window the main window made, if any.
windows::Form2 *aboutWindow(const app::Form1 &form) {
    return form.findChild<windows::Form2 *>(QString(), Qt::FindDirectChildrenOnly);
}

QWidgetList visibleWindows() {
    QWidgetList visible;
    for (QWidget *window : QApplication::topLevelWidgets())
        if (window->isVisible())
            visible.append(window);
    return visible;
}

// Runs the application's event loop until the program ends, or fails it
// after timeoutMs. Returns the loop's exit code, or -1 on the timeout.
int runUntilTheProgramEnds(int timeoutMs) {
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [] { QCoreApplication::exit(-1); });
    guard.start(timeoutMs);
    return QApplication::exec();
}

} // namespace

class TestCommands : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { app::prepareApplication(*qApp); }

    // One About object for the run: pressed while open it shows the same
    // window and loads nothing; closed and pressed again it loads afresh.
    void aboutCommand() {
        app::Form1 form;
        form.Show();
        QVERIFY(!aboutWindow(form));
        QTest::mouseClick(button(form, "Command10"), Qt::LeftButton);
        windows::Form2 *about = aboutWindow(form);
        QVERIFY(about);
        QSignalSpy loads(about, &platform::Form::loaded);
        QVERIFY(about->isLoaded() && about->topLevel()->isVisible());
        // Modeless and without an owner.
        QVERIFY(!about->topLevel()->parentWidget());
        QCOMPARE(about->topLevel()->windowModality(), Qt::NonModal);
        QWidget *first = about->window();

        QTest::mouseClick(button(form, "Command10"), Qt::LeftButton);
        QCOMPARE(aboutWindow(form), about);
        QCOMPARE(about->window(), first);
        QCOMPARE(loads.size(), 0);
        // One top-level window holds an About window's client area.
        const QWidgetList windows = QApplication::topLevelWidgets();
        QCOMPARE(std::count_if(windows.begin(), windows.end(),
                               [](const QWidget *window) {
                                   const QString name = QStringLiteral("windows::Form2");
                                   return window->objectName() == name ||
                                          window->findChild<QWidget *>(name);
                               }),
                 1);

        QVERIFY(about->topLevel()->close());
        QTRY_VERIFY(!about->isLoaded());
        QTest::mouseClick(button(form, "Command10"), Qt::LeftButton);
        QCOMPARE(aboutWindow(form), about);
        QCOMPARE(loads.size(), 1);
        QVERIFY(about->topLevel()->isVisible());
        QCOMPARE(form.findChildren<windows::Form2 *>().size(), 1);
    }

    void webCommands_data() {
        QTest::addColumn<QByteArray>("command");
        QTest::addColumn<QByteArray>("address");
        QTest::newRow("personal") << QByteArray("Command11") << QByteArray(testing::PersonalPage);
        QTest::newRow("library") << QByteArray("Command12") << QByteArray(testing::LibraryPage);
        QTest::newRow("seminary") << QByteArray("Command13") << QByteArray(testing::SeminaryPage);
    }
    // Each press hands the shell the main window's handle, "open" and the
    // page, with nothing else; and again on the next press.
    void webCommands() {
        QFETCH(QByteArray, command);
        QFETCH(QByteArray, address);
        testing::RecordingShell shell;
        platform::Service<platform::Shell>::Fake installed(shell);
        app::Form1 form;
        form.Show();
        QTest::mouseClick(button(form, command.constData()), Qt::LeftButton);
        QTest::mouseClick(button(form, command.constData()), Qt::LeftButton);
        QCOMPARE(shell.calls.size(), 2);
        for (const testing::ShellCall &call : shell.calls)
            QCOMPARE(call, testing::openingPage(form.hWnd(), address));
    }

    // Offscreen no browser takes the address: the press returns and the
    // program shows nothing of its own.
    void noBrowserShowsNothing() {
        testing::RecordingMessageBox box;
        platform::Service<platform::MessageBoxService>::Fake installed(box);
        app::Form1 form;
        form.Show();
        const QWidgetList before = visibleWindows();
        for (const char *command : {"Command11", "Command12", "Command13"})
            QTest::mouseClick(button(form, command), Qt::LeftButton);
        QCoreApplication::processEvents();
        QCOMPARE(box.calls.size(), 0);
        QCOMPARE(visibleWindows(), before);
    }

    void trayRecord_data() {
        QTest::addColumn<QByteArray>("codeset");
        QTest::addColumn<QByteArray>("tip");
        QTest::newRow("utf-8") << QByteArray("UTF-8") << Tip.toUtf8();
        // No Arabic letters in the code page: its replacement characters.
        QTest::newRow("ascii") << QByteArray("ANSI_X3.4-1968") << QByteArray("?????? ??????");
    }
    // The load sends an add, then a modify, each with the 88-byte record.
    void trayRecord() {
        QFETCH(QByteArray, codeset);
        QFETCH(QByteArray, tip);
        platform::CodePage page(codeset);
        platform::Service<platform::CodePage>::Fake pageInstalled(page);
        testing::RecordingTray tray;
        platform::Service<platform::NotificationArea>::Fake installed(tray);
        app::Form1 form;
        form.Show();

        QCOMPARE(tray.calls.size(), 2);
        QCOMPARE(tray.calls[0].message, NIM_ADD);
        QCOMPARE(tray.calls[1].message, NIM_MODIFY);
        const QByteArray expectedTip = (tip + '\0').leftJustified(64, ' ', true);
        for (const testing::TrayCall &call : tray.calls) {
            QCOMPARE(call.record.size(), 88);
            const NOTIFYICONDATAA data = call.data();
            QCOMPARE(data.cbSize, DWORD{88});
            QCOMPARE(data.hWnd, form.hWnd());
            QCOMPARE(data.uID, UINT{1});
            QCOMPARE(data.uFlags, UINT{7});
            QCOMPARE(data.uCallbackMessage, UINT{512});
            QCOMPARE(QByteArray(data.szTip, 64), expectedTip);
        }
        // The icon is the main window's own: the program icon.
        const HICON icon = tray.calls[0].data().hIcon;
        QVERIFY(icon != 0);
        QCOMPARE(icon, platform::iconHandleOf(form.topLevel()->windowIcon()));
        QVERIFY(platform::iconFromHandle(icon).availableSizes().contains(QSize(100, 150)));
        QCOMPARE(tray.calls[1].record, tray.calls[0].record);

        // The module keeps the record, copied back from the narrow form.
        const NOTIFYICONDATA &kept = app::Module1::trayRecord;
        QCOMPARE(kept.hWnd, form.hWnd());
        QCOMPARE(kept.hIcon, icon);
        QCOMPARE(platform::tip(kept),
                 (page.fromNarrow(tip.constData()) + QChar(0)).leftJustified(64, QLatin1Char(' ')));
    }

    // The tip in the environment's own code page; run under LC_ALL=C too,
    // and under Windows' 1256 and 1252.
    void trayTipInTheEnvironmentsCodePage() {
        testing::RecordingTray tray;
        platform::Service<platform::NotificationArea>::Fake installed(tray);
        app::Form1 form;
        form.Show();
        QCOMPARE(tray.calls.size(), 2);
        const QByteArray bytes(tray.calls[0].data().szTip, 64);
        const platform::CodePage &page = platform::CodePage::real();
        QByteArray expected("?????? ??????"); // a code page without Arabic letters
        if (page.isUtf8())
            expected = Tip.toUtf8();
        else if (page.codeset() == "CP1256") // Windows' Arabic code page
            expected = "\xC8\xD1\xE4\xC7\xE3\xCC \xDF\xD1\xE3\xCF\xC7\xE4";
        QCOMPARE(bytes.left(expected.size() + 1), expected + '\0');
    }

    // The farewell box, then the end of the program with every window
    // gone, whether the box is answered by OK or closed by its close box.
    void farewellThenEnd_data() {
        QTest::addColumn<bool>("byCloseBox");
        QTest::newRow("OK") << false;
        QTest::newRow("close box") << true;
    }
    void farewellThenEnd() {
        QFETCH(bool, byCloseBox);
        testing::RecordingTray tray;
        platform::Service<platform::NotificationArea>::Fake installed(tray);
        app::Form1 form;
        form.Show();
        QTest::mouseClick(button(form, "Command10"), Qt::LeftButton);
        QVERIFY(aboutWindow(form)->topLevel()->isVisible());

        QString prompt, title;
        QMessageBox::Icon icon = QMessageBox::Information;
        QStringList buttons;
        bool wasModal = false;
        bool rightToLeft = false;
        bool buttonOnTheLeft = false;
        QTimer::singleShot(0, button(form, "Command14"), &QPushButton::click);
        QTimer::singleShot(300, [&] {
            auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
            if (!box)
                return;
            prompt = box->text();
            title = box->windowTitle();
            icon = box->icon();
            for (const QAbstractButton *shown : box->buttons())
                buttons.append(shown->text());
            wasModal = box->windowModality() == Qt::ApplicationModal;
            // An Arabic box: its text and its buttons read right to left.
            rightToLeft =
                box->layoutDirection() == Qt::RightToLeft &&
                box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"))->layoutDirection() ==
                    Qt::RightToLeft;
            const QAbstractButton *ok = box->button(QMessageBox::Ok);
            buttonOnTheLeft = ok->mapTo(box, QPoint(ok->width(), 0)).x() < box->width() / 2;
            if (byCloseBox)
                box->close();
            else
                box->button(QMessageBox::Ok)->click();
        });
        QCOMPARE(runUntilTheProgramEnds(5000), 0);
        QCOMPARE(prompt, QStringLiteral("الزنبوطي يتمنى لكم الفائدة ويسألكم الدعاء"));
        QCOMPARE(title, QStringLiteral("مكتبة الزنبوطي للمعلومات الدينية"));
        QCOMPARE(icon, QMessageBox::NoIcon);
        // Qt's own button text, as an Arabic box words it; Qt's other stock
        // texts come from its Arabic translation.
        QCOMPARE(buttons, QStringList{QStringLiteral("موافق")});
        const QString cancel = QCoreApplication::translate("QPlatformTheme", "Cancel");
        QVERIFY2(cancel.front().script() == QChar::Script_Arabic, qPrintable(cancel));
        QVERIFY(wasModal);
        QVERIFY(rightToLeft);
        QVERIFY(buttonOnTheLeft);
        // The windows keep their left-to-right layout.
        QCOMPARE(QGuiApplication::layoutDirection(), Qt::LeftToRight);
        // Every window went, the About window too; the icon stays.
        QVERIFY(visibleWindows().isEmpty());
        QCOMPARE(tray.calls.size(), 2);
        QVERIFY(
            std::none_of(tray.calls.begin(), tray.calls.end(),
                         [](const testing::TrayCall &call) { return call.message == NIM_DELETE; }));
    }

    // Closing the main window leaves the open About window and the program
    // running; closing the About window then ends it.
    void programEndsWithItsLastWindow() {
        app::Form1 form;
        form.Show();
        QTest::mouseClick(button(form, "Command10"), Qt::LeftButton);
        windows::Form2 *about = aboutWindow(form);
        bool runningAfterMainClosed = false;
        QTimer::singleShot(0, [&] { form.topLevel()->close(); });
        QTimer::singleShot(300, [&] {
            runningAfterMainClosed = !form.isLoaded() && about->topLevel()->isVisible();
            about->topLevel()->close();
        });
        QCOMPARE(runUntilTheProgramEnds(5000), 0);
        QVERIFY(runningAfterMainClosed);
        QVERIFY(!about->isLoaded());
    }
};

QTEST_MAIN(TestCommands)
#include "tst_commands.moc"
