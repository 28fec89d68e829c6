// SPDX-License-Identifier: GPL-3.0-or-later
// Writes the corpus of damaged media into a folder.
// Usage: make_bad_media FOLDER
#include "tests/badmedia/badmedia.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication application(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: make_bad_media FOLDER\n");
        return 2;
    }
    QString error;
    if (!badmedia::writeCorpus(args[1], &error)) {
        std::fprintf(stderr, "make_bad_media: %s\n", qPrintable(error));
        return 1;
    }
    return 0;
}
