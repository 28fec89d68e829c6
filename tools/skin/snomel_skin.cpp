// SPDX-License-Identifier: GPL-3.0-or-later
// snomel-skin: a command-line tool for people who make or check skins.
#include "skin/skinreader.h"
#include "skin/storedskin.h"
#include "skin/tools/skinlisting.h"
#include "skin/tools/skinsource.h"
#include "skin/tools/skinwriter.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSaveFile>

#include <cstdio>
#include <functional>

namespace {

const char usage[] =
    "usage: snomel-skin COMMAND ARGUMENTS\n"
    "  dump STREAM               the tree and every value, one per line\n"
    "  verify STREAM             compare with the stored skin \"Web-II\", one line per difference\n"
    "  extract STREAM DIR        write the images as PNG files into DIR\n"
    "  build SOURCE.json OUTPUT [--handles FIRST]\n"
    "                            build a stream from a source (JSON and PNG files)\n"
    "  source STREAM SOURCE.json write a stream's source: the JSON file and its PNG files\n"
    "  roundtrip STREAM          read and write back, and compare the bytes\n"
    "  stored N OUTPUT           write window N's stored copy (1, 2 or 3)\n";

void out(const QString &line) {
    std::printf("%s\n", line.toUtf8().constData());
}

int fail(const QString &message) {
    std::fprintf(stderr, "snomel-skin: %s\n", message.toUtf8().constData());
    return 1;
}

bool readFile(const QString &path, QByteArray *data, QString *error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return false;
    }
    *data = file.readAll();
    return true;
}

bool writeFile(const QString &path, const QByteArray &data, QString *error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit()) {
        *error = QStringLiteral("cannot write %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

// Reads a stream file, or says why it cannot.
std::optional<skin::Skin> loadStream(const QString &path, QString *error,
                                     QByteArray *bytes = nullptr) {
    QByteArray data;
    if (!readFile(path, &data, error))
        return std::nullopt;
    skin::ReadError readError;
    std::optional<skin::Skin> s = skin::readSkinStream(data, &readError);
    if (!s)
        *error = QStringLiteral("%1: %2").arg(path, readError.message());
    if (bytes)
        *bytes = data;
    return s;
}

int dump(const QStringList &args) {
    QString error;
    const std::optional<skin::Skin> s = loadStream(args[0], &error);
    if (!s)
        return fail(error);
    for (const skin::ListingEntry &e : skin::skinListing(*s))
        out(e.key + QStringLiteral(" = ") + e.value);
    return 0;
}

int verify(const QStringList &args) {
    QString error;
    const std::optional<skin::Skin> s = loadStream(args[0], &error);
    if (!s)
        return fail(error);
    const QStringList differences = skin::compareSkins(skin::storedSkin(), *s);
    for (const QString &line : differences)
        out(line);
    if (!differences.isEmpty())
        return fail(QStringLiteral("%1 differs from the stored skin in %2 values")
                        .arg(args[0])
                        .arg(differences.size()));
    out(QStringLiteral("%1 holds the stored skin").arg(args[0]));
    return 0;
}

int extract(const QStringList &args) {
    QString error;
    const std::optional<skin::Skin> s = loadStream(args[0], &error);
    if (!s)
        return fail(error);
    const std::optional<QList<skin::ImageFile>> files = skin::imageFiles(*s, &error);
    if (!files)
        return fail(QStringLiteral("%1: %2").arg(args[0], error));
    if (!QDir().mkpath(args[1]))
        return fail(QStringLiteral("cannot create %1").arg(args[1]));
    QStringList paths;
    const bool written = skin::writeImageFiles(*files, QDir(args[1]), &paths, &error);
    for (const QString &path : paths)
        out(path);
    return written ? 0 : fail(error);
}

int build(const QStringList &args) {
    quint32 first = 1;
    if (args.size() == 4) {
        bool ok = false;
        const QString &n = args[3];
        first = n.startsWith(QStringLiteral("0x")) ? n.mid(2).toUInt(&ok, 16) : n.toUInt(&ok);
        if (args[2] != QStringLiteral("--handles") || !ok || first == 0)
            return fail(QStringLiteral("--handles needs a positive number"));
    } else if (args.size() != 2) {
        return fail(QStringLiteral("build takes SOURCE.json OUTPUT [--handles FIRST]"));
    }
    QString error;
    std::optional<skin::Skin> s = skin::loadSkinSource(args[0], &error);
    if (!s)
        return fail(error);
    s->assignHandles(first);
    const std::optional<QByteArray> stream = skin::writeReadableSkinStream(*s, &error);
    if (!stream)
        return fail(QStringLiteral("%1: %2").arg(args[0], error));
    if (!writeFile(args[1], *stream, &error))
        return fail(error);
    out(QStringLiteral("%1: %2 bytes").arg(args[1]).arg(stream->size()));
    return 0;
}

int source(const QStringList &args) {
    QString error;
    const std::optional<skin::Skin> s = loadStream(args[0], &error);
    if (!s)
        return fail(error);
    if (!skin::saveSkinSource(*s, args[1], &error))
        return fail(error);
    return 0;
}

int roundtrip(const QStringList &args) {
    QString error;
    QByteArray bytes;
    const std::optional<skin::Skin> s = loadStream(args[0], &error, &bytes);
    if (!s)
        return fail(error);
    const QByteArray written = skin::writeSkinStream(*s);
    if (written != bytes) {
        qsizetype at = 0;
        while (at < written.size() && at < bytes.size() && written[at] == bytes[at])
            ++at;
        return fail(QStringLiteral("%1: written back, the stream differs from offset %2 "
                                   "(%3 bytes read, %4 written)")
                        .arg(args[0])
                        .arg(at)
                        .arg(bytes.size())
                        .arg(written.size()));
    }
    out(QStringLiteral("%1: %2 bytes read and written back unchanged")
            .arg(args[0])
            .arg(bytes.size()));
    return 0;
}

int stored(const QStringList &args) {
    bool ok = false;
    const int n = args[0].toInt(&ok);
    const QByteArray stream = skin::storedSkinStream(ok ? n : 0);
    if (stream.isEmpty())
        return fail(QStringLiteral("there is a stored copy for windows 1, 2 and 3 only"));
    QString error;
    if (!writeFile(args[1], stream, &error))
        return fail(error);
    return 0;
}

struct Command {
    const char *name;
    int minArgs;
    int maxArgs;
    std::function<int(const QStringList &)> run;
};

} // namespace

int main(int argc, char **argv) {
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments().mid(1);
    const Command commands[] = {
        {"dump", 1, 1, dump},     {"verify", 1, 1, verify}, {"extract", 2, 2, extract},
        {"build", 2, 4, build},   {"source", 2, 2, source}, {"roundtrip", 1, 1, roundtrip},
        {"stored", 2, 2, stored},
    };
    if (!args.isEmpty()) {
        for (const Command &c : commands) {
            if (args[0] != QLatin1StringView(c.name))
                continue;
            const QStringList rest = args.mid(1);
            if (rest.size() < c.minArgs || rest.size() > c.maxArgs)
                break;
            return c.run(rest);
        }
    }
    std::fputs(usage, stderr);
    return 2;
}
