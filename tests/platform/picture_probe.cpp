// SPDX-License-Identifier: GPL-3.0-or-later
// Loads one picture as a letter lesson does and prints the number of the
// error it raised, or 0 when it loaded. Tests run it as another user: root
// reads every file whatever its permissions say.
#include "platform/picture.h"
#include "platform/runtimeerror.h"

#include <QCoreApplication>
#include <cstdio>

int main(int argc, char *argv[]) {
    QCoreApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: picture_probe <file>\n", stderr);
        return 2;
    }
    try {
        LoadPicture(QString::fromLocal8Bit(argv[1]));
        std::puts("0");
    } catch (const platform::RuntimeError &error) {
        std::printf("%d\n", error.number());
    }
    return 0;
}
