// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/shell.h"
#include "tests/support/browserstandin.h"

#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QTest>
#include <QUrl>

// Catches the addresses the desktop is asked to open.
class UrlCatcher : public QObject {
    Q_OBJECT
public:
    QList<QUrl> urls;
public slots:
    void open(const QUrl &url) { urls.append(url); }
};

class TestShell : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { QVERIFY(browser_.install()); }

    // Whatever the desktop registers for http addresses gets the address.
    // Qt's handlers are Qt's: on Windows the shell hands addresses over
    // itself (realBrowserHandOff).
    void opensTheAddressThroughTheDesktop() {
        if (onWindows())
            QSKIP("Qt's own URL handlers: the shell's hand-off is realBrowserHandOff");
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        const HINSTANCE result = ShellExecuteA(0x000A0010, "open", "http://alzanbouti.example/",
                                               nullptr, nullptr, SW_SHOWNORMAL);
        QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
        QVERIFY(result > 32);
        QCOMPARE(catcher.urls, QList<QUrl>{QUrl(QStringLiteral("http://alzanbouti.example/"))});
    }

    void refusesWhatItCannotDo() {
        if (onWindows())
            QSKIP("Qt's own URL handlers: the shell's hand-off is realBrowserHandOff");
        UrlCatcher catcher;
        QDesktopServices::setUrlHandler(QStringLiteral("http"), &catcher, "open");
        const auto unset =
            qScopeGuard([] { QDesktopServices::unsetUrlHandler(QStringLiteral("http")); });
        QCOMPARE(ShellExecuteA(0, "print", "http://a.example/", nullptr, nullptr, 1),
                 SE_ERR_NOASSOC);
        QCOMPARE(ShellExecuteA(0, "open", nullptr, nullptr, nullptr, 1), SE_ERR_FNF);
        QCOMPARE(ShellExecuteA(0, "open", "", nullptr, nullptr, 1), SE_ERR_FNF);
        QVERIFY(catcher.urls.isEmpty());
        // No operation means "open".
        QVERIFY(ShellExecuteA(0, nullptr, "http://a.example/", nullptr, nullptr, 1) > 32);
        QCOMPARE(catcher.urls.size(), 1);
    }

    // Offscreen there is no desktop to hand addresses to: the call says so
    // by its result only.
    void noBrowserIsAnErrorNumber() {
        if (QGuiApplication::platformName() != QLatin1String("offscreen"))
            QSKIP("only the offscreen platform has no browser");
        QVERIFY(ShellExecuteA(0, "open", "http://alzanbouti.example/", nullptr, nullptr,
                              SW_SHOWNORMAL) <= 32);
        QVERIFY(!QFile::exists(browser_.logPath()));
    }

    // On X the desktop runs xdg-open from the path: here, the stand-in; so
    // does Wine's shell, for the test built for Windows.
    void realBrowserHandOff() {
        if (QGuiApplication::platformName() != QLatin1String("xcb") && !onWindows())
            QSKIP("needs an X display (scripts/test starts one)");
        // What the shell does not know it refuses by its answer alone.
        QCOMPARE(ShellExecuteA(0, "print", "http://a.example/", nullptr, nullptr, 1),
                 SE_ERR_NOASSOC);
        const HINSTANCE first = ShellExecuteA(0x000A0010, "open", "http://alzanbouti.example/",
                                              nullptr, nullptr, SW_SHOWNORMAL);
        QVERIFY(first > 32);
        QVERIFY(ShellExecuteA(0, "open", "http://library.alzanbouti.example/", nullptr, nullptr,
                              SW_SHOWNORMAL) > 32);
        const QByteArrayList expected{"http://alzanbouti.example/",
                                      "http://library.alzanbouti.example/"};
        QTRY_COMPARE_WITH_TIMEOUT(browser_.sortedAddresses(), expected, 10000);
    }

private:
    static bool onWindows() { return QGuiApplication::platformName() == QLatin1String("windows"); }

    testing::BrowserStandIn browser_;
};

QTEST_MAIN(TestShell)
#include "tst_shell.moc"
