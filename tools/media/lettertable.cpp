// SPDX-License-Identifier: GPL-3.0-or-later
#include "tools/media/lettertable.h"

#include <QFile>
#include <QTextStream>

namespace {
constexpr int letterCount = 28;
}

QList<Letter> readLetterTable(const QString &path, QString *problem) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        *problem = QStringLiteral("cannot read %1: %2").arg(path, file.errorString());
        return {};
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    QList<Letter> letters;
    for (int lineNumber = 1; !in.atEnd(); ++lineNumber) {
        const QString line = in.readLine();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const QStringList fields = line.split(u'\t');
        const bool wellFormed =
            fields.size() == 3 && !fields.at(0).isEmpty() &&
            (fields.at(1) == QLatin1String("bmp") || fields.at(1) == QLatin1String("jpg")) &&
            !fields.at(2).isEmpty();
        if (!wellFormed) {
            *problem = QStringLiteral("%1:%2: expected <letter> TAB bmp|jpg TAB <name>")
                           .arg(path)
                           .arg(lineNumber);
            return {};
        }
        letters.append({fields.at(0), fields.at(1), fields.at(2)});
    }
    if (letters.size() != letterCount) {
        *problem = QStringLiteral("%1: %2 letters, expected %3")
                       .arg(path)
                       .arg(letters.size())
                       .arg(letterCount);
        return {};
    }
    return letters;
}
