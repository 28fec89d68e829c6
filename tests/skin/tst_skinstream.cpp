// SPDX-License-Identifier: GPL-3.0-or-later
// Reading and writing skin streams: exact round trips, unknown properties,
// and clear errors for every kind of damage.
#include "skin/skinreader.h"
#include "skin/tools/skinwriter.h"
#include "tests/skin/skinprint.h"
#include "tests/skin/smallskin.h"

#include <QTest>
#include <QtEndian>

using namespace skintest;

namespace {

QByteArray u32(quint32 v) {
    char b[4];
    qToLittleEndian(v, b);
    return {b, 4};
}

QByteArray text(const QString &s) {
    QByteArray out = u32(quint32((s.size() + 1) * 2));
    for (QChar c : s)
        out += u32(c.unicode()).left(2);
    return out + QByteArray(2, '\0');
}

quint32 readU32(const QByteArray &b, qsizetype at) {
    return qFromLittleEndian<quint32>(b.constData() + at);
}

void putU32(QByteArray &b, qsizetype at, quint32 v) {
    qToLittleEndian(v, b.data() + at);
}

QByteArray classIdBytes(skin::ElementKind kind) {
    const skin::ClassId &id = skin::kindSpec(kind)->classId;
    return {reinterpret_cast<const char *>(id.data()), 16};
}

skin::ReadError readFails(const QByteArray &bytes) {
    skin::ReadError error;
    const std::optional<skin::Skin> s = skin::readSkinStream(bytes, &error);
    if (s)
        qWarning("the stream read without error");
    return s ? skin::ReadError{-1, QString(), QString()} : error;
}

using Mutation = void (*)(skin::Skin &);

} // namespace

Q_DECLARE_METATYPE(Mutation)

class TestSkinStream : public QObject {
    Q_OBJECT

private slots:
    void writtenSkinReadsBackEqual() {
        const skin::Skin original = smallSkin();
        const QByteArray bytes = skin::writeSkinStream(original);
        skin::ReadError error;
        const std::optional<skin::Skin> back = skin::readSkinStream(bytes, &error);
        QVERIFY2(back, qPrintable(error.message()));
        QVERIFY(*back == original);
        QCOMPARE(skin::writeSkinStream(*back), bytes);
    }

    // A null text stores byte length 0, the empty text the terminator alone.
    void nullAndEmptyTextsKeepTheirBytes() {
        const QByteArray bytes = skin::writeSkinStream(smallSkin());
        QVERIFY(bytes.contains(text(QStringLiteral("m_bstrAuthor")) + u32(4) + u32(0)));
        QVERIFY(bytes.contains(text(QStringLiteral("m_bstrDescription")) + u32(6) + u32(2) +
                               QByteArray(2, '\0')));
        const std::optional<skin::Skin> back = skin::readSkinStream(bytes);
        QVERIFY(back);
        const skin::Text *author = back->settings.get<skin::Text>(u"m_bstrAuthor");
        const skin::Text *description = back->settings.get<skin::Text>(u"m_bstrDescription");
        QVERIFY(author && !author->has_value());
        QVERIFY(description && description->has_value() && (*description)->isEmpty());
        // Non-ASCII text survives as its UTF-16 code units.
        QCOMPARE(back->find(u"Radio")->text(u"m_bstrCaption"),
                 skin::Text(QStringLiteral("Радио ☺")));
    }

    // Property layout: name, value length, then the value as its encoding
    // gives it (an integer carries its own u32 4, an action has no prefix).
    void propertiesAreNameLengthValue() {
        const QByteArray bytes = skin::writeSkinStream(smallSkin());
        QVERIFY(bytes.contains(text(QStringLiteral("m_Type")) + u32(8) + u32(4) + u32(2)));
        QVERIFY(bytes.contains(text(QStringLiteral("m_OnMouseDown")) + u32(12) + u32(1) + u32(0) +
                               u32(0)));
        QVERIFY(bytes.contains(text(QStringLiteral("m_BackColor")) + u32(7) + u32(3) +
                               QByteArray("\x7C\x53\x05", 3)));
        QVERIFY(bytes.contains(text(QStringLiteral("m_bApplyColors")) + u32(6) + u32(2) +
                               QByteArray(2, '\0')));
        // A 40-byte picture: u32 1, L, the fixed part, one slot name.
        const QByteArray slot = text(QStringLiteral("tiny.bmp"));
        QVERIFY(bytes.contains(text(QStringLiteral("m_Background")) +
                               u32(4 + 4 + 40 + quint32(slot.size())) + u32(1) + u32(40)));
    }

    void emptyGroupsAreVersionAndZero() {
        const QByteArray bytes = skin::writeSkinStream(smallSkin());
        const std::optional<skin::Skin> back = skin::readSkinStream(bytes);
        QVERIFY(back);
        QCOMPARE(back->secondGroup.version, 2u);
        QVERIFY(back->secondGroup.properties.isEmpty());
        const skin::Element *edge = back->find(u"top_edge");
        QCOMPARE(edge->groups.size(), 4);
        QCOMPARE(edge->groups[2].version, 1u);
        QVERIFY(edge->groups[2].properties.isEmpty());
        // The static's empty group sits between its action group and its layout group.
        QVERIFY(
            bytes.contains(u32(1) + u32(0) + u32(2) + u32(9) + text(QStringLiteral("m_Anchors"))));
    }

    void emptySlotsHaveZeroPartsAndHandles() {
        skin::Skin s = smallSkin();
        s.assignHandles(0x500);
        const skin::Picture *selected = s.find(u"Radio")->picture(u"m_Selected");
        const skin::ImagePart empty = selected->imagePart(0);
        QVERIFY(empty.isEmpty());
        QVERIFY(!empty.imageName.has_value());
        QCOMPARE(empty.handle, 0u);
        QVERIFY(empty.source.isZero());
        QVERIFY(!selected->hasImage());
        const skin::ImagePart named = s.find(u"Radio")->picture(u"m_Normal")->imagePart(0);
        QVERIFY(named.handle != 0);
        QCOMPARE(named.source, (skin::Rect{0, 0, 1, 1}));
        // The handle is the only thing assignHandles() changes.
        skin::Skin other = smallSkin();
        other.assignHandles(0x900);
        QVERIFY(!(other == s));
        other.assignHandles(0x500);
        QVERIFY(other == s);
    }

    // A property the schema does not list is skipped by its value length,
    // kept, and written back where it was.
    void unknownPropertyIsSkippedAndKept() {
        QByteArray bytes = skin::writeSkinStream(smallSkin());
        const QByteArray hue = text(QStringLiteral("m_nHue"));
        const qsizetype at = bytes.indexOf(hue);
        QVERIFY(at > 0);
        // Its value looks like a text running far past the end: only the
        // value length may be trusted.
        const QByteArray value = u32(0x7FFFFFFF) + QByteArray("\x01\x02\x03\x04\x05\x06", 6);
        bytes.insert(at, text(QStringLiteral("m_bFancy")) + u32(quint32(value.size())) + value);
        putU32(bytes, 8, readU32(bytes, 8) + 1); // the settings group's property count

        skin::ReadError error;
        const std::optional<skin::Skin> s = skin::readSkinStream(bytes, &error);
        QVERIFY2(s, qPrintable(error.message()));
        const skin::RawValue *raw = s->settings.get<skin::RawValue>(u"m_bFancy");
        QVERIFY(raw);
        QCOMPARE(raw->bytes, value);
        QCOMPARE(s->settings.get<skin::Integer>(u"m_nHue")->value, 0);
        QCOMPARE(s->settings.properties[2].name, skin::Text(QStringLiteral("m_bFancy")));
        QCOMPARE(skin::writeSkinStream(*s), bytes);
    }

    void truncationAtEveryOffsetIsAnError() {
        const QByteArray bytes = skin::writeSkinStream(smallSkin());
        for (qsizetype n = 0; n < bytes.size(); ++n) {
            skin::ReadError error;
            const std::optional<skin::Skin> s = skin::readSkinStream(bytes.left(n), &error);
            QVERIFY2(!s, qPrintable(QStringLiteral("a stream cut to %1 bytes read").arg(n)));
            QVERIFY2(error.offset >= 0 && error.offset <= n,
                     qPrintable(QStringLiteral("cut %1: %2").arg(n).arg(error.message())));
            QVERIFY(!error.expected.isEmpty());
        }
    }

    void trailingBytesAreAnError() {
        const QByteArray bytes = skin::writeSkinStream(smallSkin());
        const skin::ReadError error = readFails(bytes + QByteArray(3, '\0'));
        QCOMPARE(error.offset, bytes.size());
        QVERIFY2(error.expected.contains(QStringLiteral("end of the stream")),
                 qPrintable(error.message()));
        QVERIFY(error.message().startsWith(QStringLiteral("offset %1: ").arg(bytes.size())));
    }

    void unknownClassIdIsAnError() {
        QByteArray bytes = skin::writeSkinStream(smallSkin());
        const qsizetype at = bytes.indexOf(classIdBytes(skin::ElementKind::Check));
        QVERIFY(at > 0);
        bytes[at + 15] = char(bytes[at + 15] ^ 0x40);
        const skin::ReadError error = readFails(bytes);
        QCOMPARE(error.offset, at);
        QVERIFY2(error.expected.contains(QStringLiteral("class identifier")),
                 qPrintable(error.message()));
        QVERIFY2(error.context.startsWith(QStringLiteral("Tiny/#1")), qPrintable(error.context));
    }

    void lengthsPastTheEndAreErrors() {
        const QByteArray good = skin::writeSkinStream(smallSkin());
        // The first property's value length (after u32 1, version, count and
        // the name "m_bstrAuthor").
        const qsizetype valueLength = 12 + text(QStringLiteral("m_bstrAuthor")).size();
        QCOMPARE(readU32(good, valueLength), 4u);
        QByteArray bytes = good;
        putU32(bytes, valueLength, 0xFFFFFFF0);
        skin::ReadError error = readFails(bytes);
        QVERIFY2(error.expected.contains(QStringLiteral("runs past the end")),
                 qPrintable(error.message()));
        QCOMPARE(error.context, QStringLiteral("control settings, m_bstrAuthor"));

        // A text inside a value may not run past the value's end.
        bytes = good;
        putU32(bytes, valueLength + 4, 6);
        error = readFails(bytes);
        QCOMPARE(error.offset, valueLength + 4);
        QVERIFY2(error.expected.contains(QStringLiteral("text byte length 6")),
                 qPrintable(error.message()));

        // Pixels: 2^32 − 1 square would be a huge allocation.
        bytes = good;
        const skin::ClassId &imageId = skin::imageClassId();
        const qsizetype image =
            bytes.indexOf(QByteArray(reinterpret_cast<const char *>(imageId.data()), 16));
        putU32(bytes, image + 20, 0xFFFFFFFF);
        putU32(bytes, image + 24, 0xFFFFFFFF);
        error = readFails(bytes);
        QCOMPARE(error.offset, image + 20);
        QVERIFY2(error.expected.contains(QStringLiteral("pixels")), qPrintable(error.message()));
    }

    void countsTheRemainingBytesCannotHoldAreErrors() {
        QByteArray bytes = skin::writeSkinStream(smallSkin());
        // The root's child count comes right before the first element's
        // u32 1 and class identifier.
        const qsizetype count = bytes.indexOf(classIdBytes(skin::ElementKind::Static)) - 8;
        QCOMPARE(readU32(bytes, count), 2u);
        putU32(bytes, count, 100000);
        skin::ReadError error = readFails(bytes);
        QCOMPARE(error.offset, count);
        QVERIFY2(error.expected.contains(QStringLiteral("child count")),
                 qPrintable(error.message()));

        bytes = skin::writeSkinStream(smallSkin());
        putU32(bytes, 8, 0x40000000); // the settings group's property count
        error = readFails(bytes);
        QCOMPARE(error.offset, 8);
        QVERIFY2(error.expected.contains(QStringLiteral("property count")),
                 qPrintable(error.message()));
    }

    void malformedValuesAreErrors_data() {
        QTest::addColumn<QByteArray>("find");
        QTest::addColumn<QByteArray>("replace");
        QTest::addColumn<QString>("expected");
        QTest::newRow("integer without its u32 4")
            << text(QStringLiteral("m_Type")) + u32(8) + u32(4)
            << text(QStringLiteral("m_Type")) + u32(8) + u32(5) << QStringLiteral("u32 4, found 5");
        QTest::newRow("value longer than its encoding")
            << text(QStringLiteral("m_nHue")) + u32(8) + u32(4) + u32(0)
            << text(QStringLiteral("m_nHue")) + u32(12) + u32(4) + u32(0) + u32(0)
            << QStringLiteral("end of the value");
        QTest::newRow("odd text length")
            << text(QStringLiteral("m_bstrDescription")) + u32(6) + u32(2)
            << text(QStringLiteral("m_bstrDescription")) + u32(6) + u32(1)
            << QStringLiteral("even");
        QTest::newRow("text without terminator")
            << text(QStringLiteral("m_bstrDescription")) + u32(6) + u32(2) + QByteArray(2, '\0')
            << text(QStringLiteral("m_bstrDescription")) + u32(6) + u32(2) + QByteArray("A\0", 2)
            << QStringLiteral("NUL");
        QTest::newRow("picture marker") << text(QStringLiteral("m_Background")) + u32(52) + u32(1)
                                        << text(QStringLiteral("m_Background")) + u32(52) + u32(7)
                                        << QStringLiteral("leading u32 1");
    }

    void malformedValuesAreErrors() {
        QFETCH(QByteArray, find);
        QFETCH(QByteArray, replace);
        QFETCH(QString, expected);
        QByteArray bytes = skin::writeSkinStream(smallSkin());
        const qsizetype at = bytes.indexOf(find);
        QVERIFY(at >= 0);
        bytes.replace(at, find.size(), replace);
        const skin::ReadError error = readFails(bytes);
        QVERIFY2(error.offset > at && error.offset < at + replace.size() + 4,
                 qPrintable(error.message()));
        QVERIFY2(error.expected.contains(expected), qPrintable(error.message()));
    }

    void nestingIsLimited() {
        const QByteArray bytes = skin::writeSkinStream(nestedSkin(40));
        const skin::ReadError error = readFails(bytes);
        QVERIFY2(error.expected.contains(QStringLiteral("nested at most 32")),
                 qPrintable(error.message()));
        skin::ReadOptions deeper;
        deeper.maxDepth = 40;
        QVERIFY(skin::readSkinStream(bytes, nullptr, deeper));
        QString refusal;
        QVERIFY2(skin::writeReadableSkinStream(nestedSkin(32), &refusal), qPrintable(refusal));
    }

    // What the reader would reject, or read as another skin, is never
    // handed on as a stream.
    void writerRefusesWhatDoesNotReadBack_data() {
        QTest::addColumn<Mutation>("mutation");
        QTest::addColumn<QString>("reason");
        QTest::newRow("nested 33 deep")
            << Mutation([](skin::Skin &s) { s = nestedSkin(33); })
            << "/level is nested 33 deep, and a stream holds elements at most 32 deep";
        QTest::newRow("an element of no kind")
            << Mutation([](skin::Skin &s) { s.root.children[1].kind = skin::ElementKind::Root; })
            << "would not read back: offset ";
        QTest::newRow("pixels short of their image")
            << Mutation([](skin::Skin &s) { s.images[0].pixels.chop(4); })
            << "would not read back: offset ";
        QTest::newRow("a known encoding under an unknown name") << Mutation([](skin::Skin &s) {
            s.settings.properties.append(prop("m_nCustom", skin::Integer{5}));
        }) << "would read back as another skin";
    }

    void writerRefusesWhatDoesNotReadBack() {
        QFETCH(Mutation, mutation);
        QFETCH(QString, reason);
        QString error;
        skin::Skin s = smallSkin();
        mutation(s);
        QVERIFY(!skin::writeReadableSkinStream(s, &error));
        QVERIFY2(error.contains(reason), qPrintable(error));
    }
};

QTEST_GUILESS_MAIN(TestSkinStream)
#include "tst_skinstream.moc"
