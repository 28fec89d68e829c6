// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/codepage.h"

#include <QTest>

using platform::CodePage;

class TestCodePage : public QObject {
    Q_OBJECT
private slots:
    void utf8KeepsArabic() {
        const CodePage page("UTF-8");
        const QString name = QStringLiteral("/usr/lib/snomel\\هـ.wav");
        QCOMPARE(page.toNarrow(name), name.toUtf8());
        QCOMPARE(page.fromNarrow(page.toNarrow(name).constData()), name);
    }

    // A code page without Arabic letters turns each of them into '?', and
    // leaves ASCII as it is, so the name still has its separators.
    void asciiReplacesWhatItCannotExpress() {
        const CodePage page("ANSI_X3.4-1968");
        QCOMPARE(page.toNarrow(QStringLiteral("/p\\هـ.wav")), QByteArray("/p\\??.wav"));
        QCOMPARE(page.toNarrow(QStringLiteral("برنامج كرمدان")), QByteArray("?????? ??????"));
    }

    // The Windows Arabic code page expresses the letters in one byte each.
    void arabicCodePageRoundTrips() {
        const CodePage page("CP1256");
        const QString tip = QStringLiteral("برنامج كرمدان");
        const QByteArray narrow = page.toNarrow(tip);
        QCOMPARE(narrow.size(), tip.size());
        QVERIFY(!narrow.contains('?'));
        QCOMPARE(page.fromNarrow(narrow.constData()), tip);
        // Hamza on alef and the tatweel exist there too.
        QCOMPARE(page.toNarrow(QStringLiteral("أهـ")).size(), 3);
    }

    void undecodableBytesBecomeReplacementCharacters() {
        const CodePage page("UTF-8");
        QCOMPARE(page.fromNarrow("a\xff"), QStringLiteral("a\uFFFD"));
        const CodePage ascii("ANSI_X3.4-1968");
        QCOMPARE(ascii.fromNarrow("a\xd8"), QStringLiteral("a\uFFFD"));
        QCOMPARE(ascii.fromNarrow(nullptr), QString());
    }

    void unknownCodesetDegradesToQuestionMarks() {
        const CodePage page("NO-SUCH-CODESET");
        QCOMPARE(page.toNarrow(QStringLiteral("aب")), QByteArray("a?"));
    }

    // The environment's codeset, even after Qt has switched the process's
    // own character type to UTF-8; on Windows the system's ANSI code page,
    // which follows the system's locale (Wine takes it from LANG). A run
    // that knows what to expect names it.
    void realFollowsTheEnvironment() {
        if (const QByteArray expected = qgetenv("SNOMEL_EXPECT_CODESET"); !expected.isEmpty()) {
            QCOMPARE(CodePage::real().codeset(), expected);
            return;
        }
        const QByteArray all = qgetenv("LC_ALL");
        if (all == "C")
            QCOMPARE(CodePage::real().codeset(), QByteArray("ANSI_X3.4-1968"));
        else if (all.endsWith("UTF-8"))
            QVERIFY(CodePage::real().isUtf8());
        else
            QSKIP("LC_ALL names neither C nor a UTF-8 locale");
    }
};

QTEST_GUILESS_MAIN(TestCodePage)
#include "tst_codepage.moc"
