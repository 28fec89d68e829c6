// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline: a bare Qt window of the main window's size.
#include "bench/startup/firstpaint.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(600, 462);
    QuitAfterFirstPaint quit;
    window.installEventFilter(&quit);
    window.show();
    return QApplication::exec();
}
