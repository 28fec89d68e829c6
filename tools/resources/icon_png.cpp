// SPDX-License-Identifier: GPL-3.0-or-later
// Renders the program icon as the square PNG images a desktop icon theme
// holds: the icon is taller than wide, so it is centred on a transparent
// square before it is scaled.
// Usage: snomel-icon-png ICON-FILE OUTPUT-FOLDER SIZE...
// writes OUTPUT-FOLDER/SIZExSIZE/apps/snomel.png for every SIZE.
#include <QCoreApplication>
#include <QDir>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <cstdio>

namespace {

QImage squared(const QImage &icon) {
    const int side = qMax(icon.width(), icon.height());
    QImage square(side, side, QImage::Format_ARGB32_Premultiplied);
    square.fill(Qt::transparent);
    QPainter painter(&square);
    painter.drawImage((side - icon.width()) / 2, (side - icon.height()) / 2, icon);
    return square;
}

} // namespace

int main(int argc, char *argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() < 4) {
        std::fprintf(stderr, "usage: snomel-icon-png ICON-FILE OUTPUT-FOLDER SIZE...\n");
        return 2;
    }
    QImageReader reader(args[1]);
    const QImage icon = reader.read();
    if (icon.isNull()) {
        std::fprintf(stderr, "snomel-icon-png: cannot read %s: %s\n", qPrintable(args[1]),
                     qPrintable(reader.errorString()));
        return 1;
    }
    const QImage square = squared(icon.convertToFormat(QImage::Format_ARGB32_Premultiplied));
    for (const QString &sizeText : args.mid(3)) {
        bool ok = false;
        const int size = sizeText.toInt(&ok);
        if (!ok || size < 1 || size > 1024) {
            std::fprintf(stderr, "snomel-icon-png: not a size: %s\n", qPrintable(sizeText));
            return 2;
        }
        const QString folder = QStringLiteral("%1/%2x%2/apps").arg(args[2]).arg(size);
        const QString file = folder + QStringLiteral("/snomel.png");
        const QImage scaled =
            square.scaled(size, size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        if (!QDir().mkpath(folder) || !scaled.save(file, "PNG")) {
            std::fprintf(stderr, "snomel-icon-png: cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    return 0;
}
