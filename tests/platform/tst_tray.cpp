// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/codepage.h"
#include "platform/iconhandles.h"
#include "platform/tray.h"
#include "platform/windowhandles.h"
#include "tests/support/mediafiles.h"
#include "tests/support/programtexts.h"

#include <QApplication>
#include <QProcess>
#include <QSystemTrayIcon>
#include <QTest>
#include <cstddef>

using platform::CodePage;

namespace {

const QString Tip = QString::fromUtf8(testing::TrayTip);

NOTIFYICONDATA record(const QString &tipText) {
    NOTIFYICONDATA data{};
    data.cbSize = 88;
    data.hWnd = 0x000A0010;
    data.uID = 1;
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_MOUSEMOVE;
    data.hIcon = 0x00010025;
    platform::setTip(data, tipText);
    return data;
}

QByteArray tipBytes(const NOTIFYICONDATAA &narrow) {
    return QByteArray(narrow.szTip, sizeof narrow.szTip);
}

QByteArray padded(const QByteArray &bytes, char fill) {
    return bytes.leftJustified(64, fill, /*truncate=*/true);
}

QList<QSystemTrayIcon *> trayIcons() {
    QList<QSystemTrayIcon *> icons;
    for (const QWidget *window : QApplication::topLevelWidgets())
        icons += window->findChildren<QSystemTrayIcon *>();
    return icons;
}

} // namespace

class TestTray : public QObject {
    Q_OBJECT
private slots:
    // The narrow record as the platform reads it: six 32-bit fields, then
    // the 64-byte tip.
    void narrowLayout() {
        QCOMPARE(offsetof(NOTIFYICONDATAA, hWnd), size_t{4});
        QCOMPARE(offsetof(NOTIFYICONDATAA, uID), size_t{8});
        QCOMPARE(offsetof(NOTIFYICONDATAA, uFlags), size_t{12});
        QCOMPARE(offsetof(NOTIFYICONDATAA, uCallbackMessage), size_t{16});
        QCOMPARE(offsetof(NOTIFYICONDATAA, hIcon), size_t{20});
        QCOMPARE(offsetof(NOTIFYICONDATAA, szTip), size_t{24});
    }

    void tipIsFixedWidth() {
        NOTIFYICONDATA data{};
        platform::setTip(data, Tip + QChar(0));
        QCOMPARE(platform::tip(data), (Tip + QChar(0)).leftJustified(64, QLatin1Char(' ')));
        platform::setTip(data, QString(70, QLatin1Char('x')));
        QCOMPARE(platform::tip(data), QString(64, QLatin1Char('x')));
    }

    void narrowCopy_data() {
        QTest::addColumn<QByteArray>("codeset");
        QTest::addColumn<QByteArray>("letters");
        // UTF-8 takes two bytes a letter: the copy is cut at 64 bytes, in
        // the trailing spaces.
        QTest::newRow("utf-8") << QByteArray("UTF-8") << Tip.toUtf8();
        QTest::newRow("arabic code page")
            << QByteArray("CP1256") << CodePage("CP1256").toNarrow(Tip);
        // No Arabic letters: the code page's replacement character.
        QTest::newRow("ascii") << QByteArray("ANSI_X3.4-1968") << QByteArray("?????? ??????");
    }
    void narrowCopy() {
        QFETCH(QByteArray, codeset);
        QFETCH(QByteArray, letters);
        CodePage page(codeset);
        platform::Service<CodePage>::Fake installed(page);

        NOTIFYICONDATA data = record(Tip + QChar(0));
        const NOTIFYICONDATAA narrow = platform::narrowCopy(data);
        QCOMPARE(narrow.cbSize, DWORD{88});
        QCOMPARE(narrow.hWnd, HWND{0x000A0010});
        QCOMPARE(narrow.uID, UINT{1});
        QCOMPARE(narrow.uFlags, UINT{7});
        QCOMPARE(narrow.uCallbackMessage, UINT{512});
        QCOMPARE(narrow.hIcon, HICON{0x00010025});
        QCOMPARE(tipBytes(narrow), padded(letters + '\0', ' '));

        // Copied back and sent again, the record gives the same bytes.
        NOTIFYICONDATA back{};
        platform::copyBack(narrow, back);
        QCOMPARE(back.hIcon, data.hIcon);
        QCOMPARE(back.uCallbackMessage, data.uCallbackMessage);
        QCOMPARE(tipBytes(platform::narrowCopy(back)), tipBytes(narrow));
    }

    // A character that does not fit whole in the 64 bytes is left out, and
    // the rest is NUL.
    void narrowTipNeverSplitsACharacter() {
        CodePage page("UTF-8");
        platform::Service<CodePage>::Fake installed(page);
        const NOTIFYICONDATA data = record(QString(63, QLatin1Char('a')) + QStringLiteral("ب"));
        QCOMPARE(tipBytes(platform::narrowCopy(data)), QByteArray(63, 'a') + '\0');
        const NOTIFYICONDATA letters = record(QString(64, QChar(0x0628)));
        QCOMPARE(tipBytes(platform::narrowCopy(letters)), QString(32, QChar(0x0628)).toUtf8());
    }

    void iconHandles() {
        const QIcon icon(testing::programIconFile());
        QVERIFY(!icon.isNull());
        const HICON handle = platform::iconHandleOf(icon);
        QVERIFY(handle != 0);
        QCOMPARE(platform::iconHandleOf(QIcon(icon)), handle);
        QCOMPARE(platform::iconFromHandle(handle).cacheKey(), icon.cacheKey());
        QCOMPARE(platform::iconHandleOf(QIcon()), HICON{0});
        QVERIFY(platform::iconFromHandle(handle + 1).isNull());
    }

    // No notification area (offscreen, or an X display with no tray host):
    // every call returns FALSE and leaves no icon behind.
    void noNotificationAreaFailsSilently() {
        if (QSystemTrayIcon::isSystemTrayAvailable())
            QSKIP("a notification area is there");
        const QIcon icon(testing::programIconFile());
        QWidget owner;
        NOTIFYICONDATA data = record(Tip + QChar(0));
        data.hWnd = platform::handleOf(&owner);
        data.hIcon = platform::iconHandleOf(icon);
        const NOTIFYICONDATAA narrow = platform::narrowCopy(data);
        QCOMPARE(Shell_NotifyIconA(NIM_ADD, &narrow), FALSE);
        QCOMPARE(Shell_NotifyIconA(NIM_MODIFY, &narrow), FALSE);
        QVERIFY(trayIcons().isEmpty());
    }

    // A real notification area: trayer on the X display docks the icon; on
    // Windows the shell's own takes it, and gives its own answers. What the
    // shell shows is out of the program's reach there: the icons Qt shows
    // are looked at only where the layer shows them through Qt.
    void realTrayShowsIconAndTip() {
        const bool throughQt = QGuiApplication::platformName() == QLatin1String("xcb");
        if (!throughQt && QGuiApplication::platformName() != QLatin1String("windows"))
            QSKIP("needs an X display (scripts/test starts one)");
        QProcess trayer;
        const auto stop = qScopeGuard([&] {
            trayer.terminate();
            trayer.waitForFinished(3000);
        });
        if (throughQt) {
            trayer.start(QStringLiteral("trayer"),
                         {QStringLiteral("--edge"), QStringLiteral("bottom"),
                          QStringLiteral("--SetDockType"), QStringLiteral("true")});
            QVERIFY2(trayer.waitForStarted(), "trayer (Debian package trayer) is missing");
        }
        QTRY_VERIFY_WITH_TIMEOUT(QSystemTrayIcon::isSystemTrayAvailable(), 10000);
        const auto expectIcons = [throughQt](qsizetype count) {
            return !throughQt || trayIcons().size() == count;
        };

        const QIcon icon(testing::programIconFile());
        auto *owner = new QWidget;
        NOTIFYICONDATA data = record(Tip + QChar(0));
        data.hWnd = platform::handleOf(owner);
        data.hIcon = platform::iconHandleOf(icon);
        const NOTIFYICONDATAA narrow = platform::narrowCopy(data);
        NOTIFYICONDATAA noWindow = narrow;
        noWindow.hWnd = 0;
        QCOMPARE(Shell_NotifyIconA(NIM_ADD, &noWindow), FALSE);
        QVERIFY(expectIcons(0));
        QCOMPARE(Shell_NotifyIconA(NIM_ADD, &narrow), TRUE);
        QVERIFY(expectIcons(1));
        QSystemTrayIcon *shown = throughQt ? trayIcons().constFirst() : nullptr;
        if (shown) {
            QVERIFY(shown->isVisible());
            // The tip ends at its NUL: none of the trailing spaces.
            QCOMPARE(shown->toolTip(), Tip);
            QCOMPARE(shown->icon().cacheKey(), icon.cacheKey());
            QTRY_VERIFY_WITH_TIMEOUT(!shown->geometry().isEmpty(), 10000);
        }

        // The same icon cannot be added twice; it can be changed.
        QCOMPARE(Shell_NotifyIconA(NIM_ADD, &narrow), FALSE);
        NOTIFYICONDATAA changed = narrow;
        std::fill(std::begin(changed.szTip), std::end(changed.szTip), '\0');
        std::memcpy(changed.szTip, "abc", 3);
        QCOMPARE(Shell_NotifyIconA(NIM_MODIFY, &changed), TRUE);
        if (shown)
            QCOMPARE(shown->toolTip(), QStringLiteral("abc"));
        // An icon handle never handed out, a wrong size: refused.
        NOTIFYICONDATAA unknownIcon = narrow;
        unknownIcon.uID = 2;
        unknownIcon.hIcon = data.hIcon + 2;
        QCOMPARE(Shell_NotifyIconA(NIM_ADD, &unknownIcon), FALSE);
        NOTIFYICONDATAA wrongSize = narrow;
        wrongSize.cbSize = 504;
        QCOMPARE(Shell_NotifyIconA(NIM_MODIFY, &wrongSize), FALSE);
        QVERIFY(expectIcons(1));

        QCOMPARE(Shell_NotifyIconA(NIM_DELETE, &narrow), TRUE);
        QVERIFY(expectIcons(0));
        QCOMPARE(Shell_NotifyIconA(NIM_MODIFY, &narrow), FALSE);
        QCOMPARE(Shell_NotifyIconA(NIM_DELETE, &narrow), FALSE);

        // An icon goes with its window.
        QCOMPARE(Shell_NotifyIconA(NIM_ADD, &narrow), TRUE);
        QVERIFY(expectIcons(1));
        delete owner;
        QVERIFY(expectIcons(0));
        QCOMPARE(Shell_NotifyIconA(NIM_MODIFY, &narrow), FALSE);
    }
};

QTEST_MAIN(TestTray)
#include "tst_tray.moc"
