// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/end.h"

#include <QApplication>
#include <QWidget>

void End() {
    // Hidden, not closed: closing would run close handlers and could be
    // refused; the windows are deleted with their forms as the program ends.
    for (QWidget *window : QApplication::topLevelWidgets())
        window->hide();
    QCoreApplication::exit(0);
}
