// SPDX-License-Identifier: GPL-3.0-or-later
// Checks the shipped media files and the program icon as the program and the
// platform will read them: names, formats, sizes and sound levels; and the
// texts of the letter table that the pictures print.

#include "app/letters.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QImageReader>
#include <QSet>
#include <QtEndian>
#include <QtTest>

#include <algorithm>
#include <cstdlib>

namespace {

struct LetterFiles {
    const char16_t *stem;
    const char *picture; // extension
};

// The 28 file-name stems, written by code point so the first letter's hamza
// and the tatweel of letter 26 are explicit.
const LetterFiles letterFiles[] = {
    {u"\u0623", "bmp"}, {u"\u0628", "bmp"},       {u"\u062A", "bmp"}, {u"\u062B", "bmp"},
    {u"\u062C", "bmp"}, {u"\u062D", "bmp"},       {u"\u062E", "bmp"}, {u"\u062F", "bmp"},
    {u"\u0630", "bmp"}, {u"\u0631", "bmp"},       {u"\u0632", "bmp"}, {u"\u0633", "jpg"},
    {u"\u0634", "jpg"}, {u"\u0635", "jpg"},       {u"\u0636", "jpg"}, {u"\u0637", "jpg"},
    {u"\u0638", "jpg"}, {u"\u0639", "jpg"},       {u"\u063A", "jpg"}, {u"\u0641", "jpg"},
    {u"\u0642", "jpg"}, {u"\u0643", "jpg"},       {u"\u0644", "jpg"}, {u"\u0645", "jpg"},
    {u"\u0646", "jpg"}, {u"\u0647\u0640", "jpg"}, {u"\u0648", "jpg"}, {u"\u064A", "jpg"},
};

const QSize pictureSize(585, 337);

QString mediaDir() {
    return QStringLiteral(SNOMEL_SOURCE_DIR "/media");
}

QString stemOf(const LetterFiles &letter) {
    return QString::fromUtf16(letter.stem);
}

QByteArray readAll(const QString &path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

quint16 u16(const QByteArray &bytes, qsizetype at) {
    return qFromLittleEndian<quint16>(bytes.constData() + at);
}
quint32 u32(const QByteArray &bytes, qsizetype at) {
    return qFromLittleEndian<quint32>(bytes.constData() + at);
}

bool isMark(QChar c) {
    return c.category() == QChar::Mark_NonSpacing;
}

// The first letter of text that lacks a vowel mark, or nothing. A child reads
// the name and the word from their marks: every letter but the last carries
// one, unless it lengthens the vowel before it.
QString unvowelledLetter(const QString &text) {
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isMark(text.at(i)))
            continue;
        qsizetype next = i + 1;
        while (next < text.size() && isMark(text.at(next)))
            ++next;
        if (next == text.size())
            break;
        const QChar before = i > 0 ? text.at(i - 1) : QChar();
        const bool lengthens = text.at(i) == u'\u0627' ||
                               (text.at(i) == u'\u0648' && before == u'\u064F') ||
                               (text.at(i) == u'\u064A' && before == u'\u0650');
        if (next == i + 1 && !lengthens)
            return text.mid(i, 1);
    }
    return {};
}

} // namespace

class MediaTest : public QObject {
    Q_OBJECT

private slots:
    void shipsExactlyTheLetterFiles();
    void pictureDecodes_data();
    void pictureDecodes();
    void soundIsAudiblePcm_data();
    void soundIsAudiblePcm();
    void pictureTextsAreVowelled_data();
    void pictureTextsAreVowelled();
    void iconHasTheProgramLayout();
    void songIsWindowsMediaInAsf();
};

void MediaTest::shipsExactlyTheLetterFiles() {
    QSet<QString> expected;
    for (const LetterFiles &letter : letterFiles) {
        expected.insert(stemOf(letter) + u'.' + QLatin1String(letter.picture));
        expected.insert(stemOf(letter) + QStringLiteral(".wav"));
    }
    QCOMPARE(expected.size(), 56);

    const QStringList found =
        QDir(mediaDir())
            .entryList({QStringLiteral("*.bmp"), QStringLiteral("*.jpg"), QStringLiteral("*.wav")},
                       QDir::Files);
    const QSet<QString> present(found.cbegin(), found.cend());
    const QStringList missing = (expected - present).values();
    const QStringList unexpected = (present - expected).values();
    QVERIFY2(missing.isEmpty(), qPrintable(missing.join(u' ').prepend("missing: ")));
    QVERIFY2(unexpected.isEmpty(), qPrintable(unexpected.join(u' ').prepend("unexpected: ")));
}

void MediaTest::pictureDecodes_data() {
    QTest::addColumn<QString>("path");
    QTest::addColumn<QByteArray>("format");
    for (const LetterFiles &letter : letterFiles) {
        const QString name = stemOf(letter) + u'.' + QLatin1String(letter.picture);
        const QByteArray format = qstrcmp(letter.picture, "bmp") == 0 ? "bmp" : "jpeg";
        QTest::newRow(qPrintable(name)) << mediaDir() + u'/' + name << format;
    }
}

void MediaTest::pictureDecodes() {
    QFETCH(QString, path);
    QFETCH(QByteArray, format);

    QImageReader reader(path);
    reader.setDecideFormatFromContent(true);
    QCOMPARE(reader.format(), format);
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(path + QStringLiteral(": ") + reader.errorString()));
    QCOMPARE(image.size(), pictureSize);

    if (format == "bmp") {
        // A plain 24-bit bitmap: 40-byte information header, no compression.
        const QByteArray bytes = readAll(path);
        QVERIFY(bytes.size() >= 54);
        QCOMPARE(u32(bytes, 14), 40u);
        QCOMPARE(u16(bytes, 28), quint16(24));
        QCOMPARE(u32(bytes, 30), 0u);
    }

    // Something is drawn: the letter's colour differs from the card around it.
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); y += 7)
        for (int x = 0; x < image.width(); x += 7)
            colours.insert(image.pixel(x, y) & 0xf0f0f0);
    QVERIFY2(colours.size() > 20, "the picture is nearly a single colour");
}

void MediaTest::soundIsAudiblePcm_data() {
    QTest::addColumn<QString>("path");
    for (const LetterFiles &letter : letterFiles) {
        const QString name = stemOf(letter) + QStringLiteral(".wav");
        QTest::newRow(qPrintable(name)) << mediaDir() + u'/' + name;
    }
}

void MediaTest::soundIsAudiblePcm() {
    QFETCH(QString, path);
    const QByteArray bytes = readAll(path);
    QVERIFY2(bytes.size() > 44, qPrintable(path + QStringLiteral(": missing or too short")));
    QVERIFY(bytes.startsWith("RIFF"));
    QCOMPARE(bytes.mid(8, 4), QByteArray("WAVE"));
    QCOMPARE(qsizetype(u32(bytes, 4)) + 8, bytes.size());

    quint32 rate = 0;
    QByteArray samples;
    bool haveFormat = false;
    for (qsizetype at = 12; at + 8 <= bytes.size();) {
        const QByteArray id = bytes.mid(at, 4);
        const qsizetype size = u32(bytes, at + 4);
        QVERIFY2(at + 8 + size <= bytes.size(), "a chunk runs past the end of the file");
        if (id == "fmt ") {
            QCOMPARE(u16(bytes, at + 8), quint16(1));   // PCM
            QCOMPARE(u16(bytes, at + 10), quint16(1));  // mono
            QCOMPARE(u16(bytes, at + 22), quint16(16)); // bits per sample
            rate = u32(bytes, at + 12);
            haveFormat = true;
        } else if (id == "data") {
            samples = bytes.mid(at + 8, size);
        }
        at += 8 + size + (size & 1);
    }
    QVERIFY(haveFormat);
    QVERIFY2(rate == 22050 || rate == 16000, qPrintable(QString::number(rate)));
    QVERIFY(!samples.isEmpty());

    const double seconds = double(samples.size()) / 2 / rate;
    QVERIFY2(seconds >= 0.2 && seconds <= 3.0, qPrintable(QString::number(seconds)));

    int peak = 0;
    for (qsizetype i = 0; i + 1 < samples.size(); i += 2)
        peak = std::max(peak, std::abs(int(qFromLittleEndian<qint16>(samples.constData() + i))));
    QVERIFY2(peak < 32767, "the sound reaches full scale (clipped)");
    QVERIFY2(peak > 32767 / 4, qPrintable(QStringLiteral("too quiet: peak %1").arg(peak)));
}

void MediaTest::pictureTextsAreVowelled_data() {
    QTest::addColumn<QString>("stem");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("vocalisedName");
    QTest::addColumn<QString>("word");
    for (const app::Letter &letter : app::Letters)
        QTest::newRow(letter.stem)
            << QString::fromUtf8(letter.stem) << QString::fromUtf8(letter.name)
            << QString::fromUtf8(letter.vocalisedName) << QString::fromUtf8(letter.word);
}

void MediaTest::pictureTextsAreVowelled() {
    QFETCH(QString, stem);
    QFETCH(QString, name);
    QFETCH(QString, vocalisedName);
    QFETCH(QString, word);

    QString bare = vocalisedName;
    bare.removeIf(isMark);
    QCOMPARE(bare, name);
    QVERIFY2(word.startsWith(stem.at(0)),
             qPrintable(word + QStringLiteral(" does not begin with ") + stem));
    for (const QString &text : {vocalisedName, word}) {
        const QString bareLetter = unvowelledLetter(text);
        QVERIFY2(bareLetter.isEmpty(),
                 qPrintable(text + QStringLiteral(": no vowel mark on ") + bareLetter));
    }
}

void MediaTest::iconHasTheProgramLayout() {
    const QString path = QStringLiteral(SNOMEL_SOURCE_DIR "/resources/snomel.ico");
    const QByteArray bytes = readAll(path);
    QCOMPARE(bytes.size(), 47462);

    // Header and the one directory entry.
    QCOMPARE(u16(bytes, 0), quint16(0));
    QCOMPARE(u16(bytes, 2), quint16(1));
    QCOMPARE(u16(bytes, 4), quint16(1));
    QCOMPARE(quint8(bytes[6]), quint8(100));
    QCOMPARE(quint8(bytes[7]), quint8(150));
    QCOMPARE(quint8(bytes[8]), quint8(0));
    QCOMPARE(quint8(bytes[9]), quint8(0));
    QCOMPARE(u16(bytes, 10), quint16(1));
    QCOMPARE(u16(bytes, 12), quint16(24));
    QCOMPARE(u32(bytes, 14), 47440u);
    QCOMPARE(u32(bytes, 18), 22u);

    // The bitmap-information header: colour rows and mask stacked.
    const QByteArray header = bytes.mid(22, 40);
    QCOMPARE(u32(header, 0), 40u);
    QCOMPARE(u32(header, 4), 100u);
    QCOMPARE(u32(header, 8), 300u);
    QCOMPARE(u16(header, 12), quint16(1));
    QCOMPARE(u16(header, 14), quint16(24));
    QCOMPARE(u32(header, 16), 0u);
    QCOMPARE(u32(header, 20), 45000u);
    for (int field = 24; field < 40; field += 4)
        QCOMPARE(u32(header, field), 0u);

    // Every masked pixel is black, as the platform expects of a transparent
    // pixel; the unused bits at the end of each mask row stay clear.
    const qsizetype colours = 62;
    const qsizetype mask = colours + 45000;
    for (qsizetype row = 0; row < 150; ++row) {
        for (qsizetype x = 0; x < 128; ++x) {
            const bool masked = (quint8(bytes[mask + row * 16 + x / 8]) >> (7 - x % 8)) & 1;
            if (x >= 100) {
                QVERIFY2(!masked, "a padding bit of the mask is set");
            } else if (masked) {
                const qsizetype pixel = colours + row * 300 + x * 3;
                QVERIFY2(bytes.mid(pixel, 3) == QByteArray(3, '\0'), "a masked pixel is not black");
            }
        }
    }

    QImageReader reader(path);
    QCOMPARE(reader.format(), QByteArray("ico"));
    const QImage image = reader.read();
    QVERIFY2(!image.isNull(), qPrintable(reader.errorString()));
    QCOMPARE(image.size(), QSize(100, 150));
    QVERIFY(image.pixel(50, 75) != image.pixel(0, 0));
}

void MediaTest::songIsWindowsMediaInAsf() {
    const QString path = mediaDir() + QStringLiteral("/\u062D\u0631\u0648\u0641 "
                                                     "\u0627\u0644\u0647\u062C\u0627\u0621.wmv");
    const QByteArray bytes = readAll(path);
    QVERIFY2(!bytes.isEmpty(), qPrintable(path + QStringLiteral(": missing")));
    QVERIFY2(bytes.size() < qsizetype(6) * 1024 * 1024, "the song video is larger than 6 MB");

    // The ASF header object, and in it the file properties and both streams.
    const QByteArray headerGuid = QByteArray::fromHex("3026b2758e66cf11a6d900aa0062ce6c");
    const QByteArray filePropertiesGuid = QByteArray::fromHex("a1dcab8c47a9cf118ee400c00c205365");
    QVERIFY(bytes.startsWith(headerGuid));
    const QByteArray header =
        bytes.left(qsizetype(qFromLittleEndian<quint64>(bytes.constData() + 16)));
    QVERIFY2(header.contains("WMV2"), "no WMV2 video stream");
    QVERIFY2(header.contains(QByteArray::fromHex("6101")), "no WMA2 audio format tag");

    const qsizetype properties = header.indexOf(filePropertiesGuid);
    QVERIFY(properties > 0 && properties + 88 <= header.size());
    const quint64 playDuration = qFromLittleEndian<quint64>(header.constData() + properties + 64);
    const quint64 prerollMs = qFromLittleEndian<quint64>(header.constData() + properties + 80);
    const double seconds = double(playDuration) / 1e7 - double(prerollMs) / 1e3;
    QVERIFY2(seconds >= 60 && seconds <= 120, qPrintable(QString::number(seconds)));
}

QTEST_MAIN(MediaTest)
#include "tst_media.moc"
