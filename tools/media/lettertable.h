// SPDX-License-Identifier: GPL-3.0-or-later
// The letter table of the media generators (letters.tsv).
#pragma once

#include <QList>
#include <QString>

struct Letter {
    QString stem;             // the letter as its button shows it; the file-name stem
    QString pictureExtension; // "bmp" or "jpg"
    QString name;             // the letter's name, as spoken and printed

    QString pictureFile() const { return stem + u'.' + pictureExtension; }
};

// Reads the table; on a missing file or a malformed line returns an empty list
// and sets *problem to a message naming the file and the line.
QList<Letter> readLetterTable(const QString &path, QString *problem);
