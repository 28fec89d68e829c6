// SPDX-License-Identifier: GPL-3.0-or-later
// A corpus of damaged and unusual media files, and what a letter lesson is
// to make of each: the files a child's program folder may end up holding.
#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

namespace badmedia {

enum class Kind { Picture, Sound };

// What a lesson does with the file in the picture or sound slot.
enum class Outcome {
    Shows,  // the picture is shown
    Error,  // the error box names the picture's file; no sound plays
    Plays,  // the sound is decoded and played
    Silent, // the sound is refused unplayed, with no message
    Either, // damage in the body: shown or refused, never a crash or hang
};

struct BadFile {
    QString name;
    Kind kind;
    Outcome outcome;
    QByteArray bytes;
    // Files too large to hold in memory are made sparse: this many bytes of
    // zeros, with `bytes` written at the start.
    qint64 sparseSize = 0;
};

// Every file of the corpus, made afresh (the same bytes every time).
QList<BadFile> makeCorpus();

// The well-formed files the corpus is damaged from.
QByteArray goodBitmap();
QByteArray goodJpeg();
QByteArray goodWave();
// The number of sample bytes in goodWave().
qsizetype goodWaveSampleBytes();

// Writes the corpus into a folder; false when a file cannot be written.
bool writeCorpus(const QString &folder, QString *error);

} // namespace badmedia
