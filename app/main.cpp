// SPDX-License-Identifier: GPL-3.0-or-later
#include "app/form1.h"
#include "app/startup.h"
#include "platform/display.h"
#include "platform/mediabackend.h"

#include <QApplication>

int main(int argc, char *argv[]) {
    if (!platform::checkDisplay())
        return 1;
    platform::preferGStreamerMediaBackend();
    app::ProgramStart start(argc, argv);

    // The main window is the program's start-up object: it loads, shows
    // itself centred, and the program ends when its last window closes.
    app::Form1 form1;
    form1.Show();
    return QApplication::exec();
}
