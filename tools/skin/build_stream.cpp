// SPDX-License-Identifier: GPL-3.0-or-later
// snomel-skin-build SOURCE.json OUTPUT [--handles FIRST] [--expect-size BYTES]
//
// Builds a skin stream from its source form (the JSON file and its images),
// gives the pictures their handles from FIRST on, reads the result back to
// check it, and writes it to OUTPUT.
#include "skin/tools/skinsource.h"
#include "skin/tools/skinwriter.h"

#include <QCoreApplication>
#include <QSaveFile>
#include <QStringList>

#include <cstdio>

namespace {

int fail(const QString &message) {
    std::fprintf(stderr, "snomel-skin-build: %s\n", qPrintable(message));
    return 1;
}

bool parseNumber(const QString &text, qint64 *value) {
    bool ok = false;
    *value = text.startsWith(QStringLiteral("0x")) ? text.mid(2).toLongLong(&ok, 16)
                                                   : text.toLongLong(&ok);
    return ok;
}

} // namespace

// Only std::bad_alloc can escape, and then there is nothing left to report.
// NOLINTNEXTLINE(bugprone-exception-escape)
int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    QStringList args = app.arguments().mid(1);
    qint64 firstHandle = 1;
    qint64 expectedSize = -1;
    QStringList files;
    for (int i = 0; i < args.size(); ++i) {
        const QString &a = args[i];
        if (a == QStringLiteral("--handles") || a == QStringLiteral("--expect-size")) {
            qint64 value = 0;
            if (i + 1 >= args.size() || !parseNumber(args[i + 1], &value) || value <= 0 ||
                value > 0xFFFFFFFFLL)
                return fail(QStringLiteral("%1 needs a positive number").arg(a));
            (a == QStringLiteral("--handles") ? firstHandle : expectedSize) = value;
            ++i;
        } else {
            files << a;
        }
    }
    if (files.size() != 2)
        return fail(QStringLiteral(
            "usage: snomel-skin-build SOURCE.json OUTPUT [--handles FIRST] [--expect-size BYTES]"));

    QString error;
    std::optional<skin::Skin> source = skin::loadSkinSource(files[0], &error);
    if (!source)
        return fail(error);
    source->assignHandles(quint32(firstHandle));
    const std::optional<QByteArray> built = skin::writeReadableSkinStream(*source, &error);
    if (!built)
        return fail(QStringLiteral("%1: %2").arg(files[0], error));
    const QByteArray &stream = *built;
    if (expectedSize >= 0 && stream.size() != expectedSize)
        return fail(QStringLiteral("the built stream holds %1 bytes, expected %2")
                        .arg(stream.size())
                        .arg(expectedSize));

    QSaveFile out(files[1]);
    if (!out.open(QIODevice::WriteOnly) || out.write(stream) != stream.size() || !out.commit())
        return fail(QStringLiteral("cannot write %1: %2").arg(files[1], out.errorString()));
    return 0;
}
