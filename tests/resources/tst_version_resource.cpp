// SPDX-License-Identifier: GPL-3.0-or-later
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QXmlStreamReader>
#include <QtEndian>

namespace {

struct Resource {
    quint16 type;
    quint16 name;
    QByteArray data;
};

// The resources of a compiled .res file (32-bit), by numeric type and name.
QList<Resource> readResources(const QByteArray &res) {
    QList<Resource> resources;
    qsizetype offset = 0;
    const auto u32 = [&res](qsizetype at) {
        return qFromLittleEndian<quint32>(res.constData() + at);
    };
    const auto u16 = [&res](qsizetype at) {
        return qFromLittleEndian<quint16>(res.constData() + at);
    };
    while (offset + 32 <= res.size()) {
        const quint32 dataSize = u32(offset), headerSize = u32(offset + 4);
        // Numeric type and name: 0xFFFF followed by the number.
        const quint16 type = u16(offset + 8) == 0xFFFF ? u16(offset + 10) : 0;
        const quint16 name = u16(offset + 12) == 0xFFFF ? u16(offset + 14) : 0;
        if (dataSize > 0)
            resources.append({type, name, res.mid(offset + headerSize, dataSize)});
        offset += headerSize + dataSize;
        offset = (offset + 3) & ~qsizetype(3);
    }
    return resources;
}

// One node of a version record: length, value length, type, key, value,
// children, each aligned on four bytes.
struct VersionNode {
    QString key;
    QByteArray value;
    bool text;
    QList<VersionNode> children;
};

VersionNode readVersionNode(const QByteArray &data, qsizetype offset) {
    const quint16 length = qFromLittleEndian<quint16>(data.constData() + offset);
    const quint16 valueLength = qFromLittleEndian<quint16>(data.constData() + offset + 2);
    VersionNode node;
    node.text = qFromLittleEndian<quint16>(data.constData() + offset + 4) == 1;
    qsizetype at = offset + 6;
    while (qFromLittleEndian<quint16>(data.constData() + at) != 0) {
        node.key.append(QChar(qFromLittleEndian<quint16>(data.constData() + at)));
        at += 2;
    }
    at = (at + 2 + 3) & ~qsizetype(3);
    const qsizetype valueBytes = node.text ? valueLength * 2 : valueLength;
    node.value = data.mid(at, valueBytes);
    at = (at + valueBytes + 3) & ~qsizetype(3);
    while (at < offset + length) {
        node.children.append(readVersionNode(data, at));
        at += qFromLittleEndian<quint16>(data.constData() + at);
        at = (at + 3) & ~qsizetype(3);
    }
    return node;
}

QString textValue(const VersionNode &node) {
    QString text = QString::fromUtf16(reinterpret_cast<const char16_t *>(node.value.constData()),
                                      node.value.size() / 2);
    while (text.endsWith(QChar(0)))
        text.chop(1);
    return text;
}

} // namespace

// The Windows resource script compiles with the mingw resource compiler and
// holds the icon group, the icon image, the version record and the manifest.
class TestVersionResource : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        if (QByteArray(SNOMEL_WINDRES).isEmpty() || QByteArray(SNOMEL_WINDRES).endsWith("NOTFOUND"))
            QSKIP("i686-w64-mingw32-windres is not installed (binutils-mingw-w64-i686)");
        QVERIFY(dir_.isValid());
        QStringList arguments{QStringLiteral("--preprocessor=cpp"), QStringLiteral("-c"),
                              QStringLiteral("65001")};
        for (const QString &folder : QStringLiteral(SNOMEL_RC_INCLUDE_DIRS).split(u'|'))
            arguments << QStringLiteral("-I") << folder;
        arguments << QStringLiteral("-i") << QStringLiteral(SNOMEL_RC_FILE) << QStringLiteral("-O")
                  << QStringLiteral("res") << QStringLiteral("-o")
                  << dir_.filePath(QStringLiteral("snomel.res"));
        QProcess windres;
        windres.start(QStringLiteral(SNOMEL_WINDRES), arguments);
        QVERIFY(windres.waitForFinished(60000));
        QVERIFY2(windres.exitCode() == 0, windres.readAllStandardError().constData());
        QFile res(dir_.filePath(QStringLiteral("snomel.res")));
        QVERIFY(res.open(QIODevice::ReadOnly));
        resources_ = readResources(res.readAll());
    }

    void iconGroupOneNamesImage30001() {
        QCOMPARE(resources_.size(), 4);
        const Resource *group = find(14, 1);
        QVERIFY(group);
        QCOMPARE(group->data.size(), 6 + 14);
        const auto u16 = [group](int at) {
            return qFromLittleEndian<quint16>(group->data.constData() + at);
        };
        QCOMPARE(u16(2), quint16(1)); // icons
        QCOMPARE(u16(4), quint16(1)); // one entry
        QCOMPARE(quint8(group->data[6]), quint8(100));
        QCOMPARE(quint8(group->data[7]), quint8(150));
        QCOMPARE(u16(10), quint16(1));  // planes
        QCOMPARE(u16(12), quint16(24)); // bits per pixel
        QCOMPARE(qFromLittleEndian<quint32>(group->data.constData() + 14), quint32(47440));
        QCOMPARE(u16(18), quint16(30001));

        const Resource *image = find(3, 30001);
        QVERIFY(image);
        QFile icon(QStringLiteral(SNOMEL_SOURCE_DIR "/resources/snomel.ico"));
        QVERIFY(icon.open(QIODevice::ReadOnly));
        QCOMPARE(image->data, icon.readAll().mid(22));
    }

    void versionRecord() {
        const Resource *version = find(16, 1);
        QVERIFY(version);
        const VersionNode root = readVersionNode(version->data, 0);
        QCOMPARE(root.key, QStringLiteral("VS_VERSION_INFO"));
        QCOMPARE(root.value.size(), 52);
        const auto fixed = [&root](int field) {
            return qFromLittleEndian<quint32>(root.value.constData() + qsizetype{4} * field);
        };
        QCOMPARE(fixed(0), 0xFEEF04BDu);
        QCOMPARE(fixed(2), 0x00010000u); // file version 1.0
        QCOMPARE(fixed(3), 0x00000000u); // .0.0
        QCOMPARE(fixed(4), 0x00010000u); // product version 1.0
        QCOMPARE(fixed(5), 0x00000000u);
        QCOMPARE(fixed(7), 0u);   // no flags
        QCOMPARE(fixed(8), 0x4u); // 32-bit Windows
        QCOMPARE(fixed(9), 0x1u); // an application

        QCOMPARE(root.children.size(), 2);
        const VersionNode &strings = root.children[0];
        QCOMPARE(strings.key, QStringLiteral("StringFileInfo"));
        QCOMPARE(strings.children.size(), 1);
        const VersionNode &table = strings.children[0];
        QCOMPARE(table.key.toUpper(), QStringLiteral("040904B0"));
        const QList<std::pair<QString, QString>> expected = {
            {QStringLiteral("ProductName"), QStringLiteral("سنوميل")},
            {QStringLiteral("FileVersion"), QStringLiteral("1.00")},
            {QStringLiteral("ProductVersion"), QStringLiteral("1.00")},
            {QStringLiteral("InternalName"), QStringLiteral("سنوميل")},
            {QStringLiteral("OriginalFilename"), QStringLiteral("سنوميل.exe")},
        };
        QCOMPARE(table.children.size(), expected.size());
        for (qsizetype i = 0; i < expected.size(); ++i) {
            QCOMPARE(table.children[i].key, expected[i].first);
            QCOMPARE(textValue(table.children[i]), expected[i].second);
        }

        const VersionNode &variables = root.children[1];
        QCOMPARE(variables.key, QStringLiteral("VarFileInfo"));
        QCOMPARE(variables.children.size(), 1);
        QCOMPARE(variables.children[0].key, QStringLiteral("Translation"));
        QCOMPARE(variables.children[0].value, QByteArray("\x09\x04\xB0\x04", 4));
    }

    // What Windows reads before it starts the program: the UTF-8 code page
    // (the Arabic sound names survive the narrow call on any system
    // language), Windows 10 and 11, and no elevation.
    void manifest() {
        const Resource *manifest = find(24, 1);
        QVERIFY(manifest);
        QXmlStreamReader xml(manifest->data);
        QMap<QString, QStringList> found; // element: its texts, or its Id and level
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            const QString name = xml.name().toString();
            if (name == QLatin1String("supportedOS"))
                found[name] << xml.attributes().value(QLatin1String("Id")).toString();
            else if (name == QLatin1String("requestedExecutionLevel"))
                found[name] << xml.attributes().value(QLatin1String("level")).toString();
            else if (name == QLatin1String("activeCodePage"))
                found[name] << xml.readElementText();
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QCOMPARE(found.value(QStringLiteral("activeCodePage")), QStringList{"UTF-8"});
        QCOMPARE(found.value(QStringLiteral("supportedOS")),
                 QStringList{"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"});
        QCOMPARE(found.value(QStringLiteral("requestedExecutionLevel")), QStringList{"asInvoker"});
    }

private:
    const Resource *find(quint16 type, quint16 name) const {
        for (const Resource &resource : resources_)
            if (resource.type == type && resource.name == name)
                return &resource;
        return nullptr;
    }

    QTemporaryDir dir_;
    QList<Resource> resources_;
};

QTEST_GUILESS_MAIN(TestVersionResource)
#include "tst_version_resource.moc"
