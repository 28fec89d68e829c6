// SPDX-License-Identifier: GPL-3.0-or-later
// Ends the process as soon as a window has been painted on the screen for
// the first time.
#pragma once

#include <QCoreApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>

class QuitAfterFirstPaint : public QObject {
public:
    bool eventFilter(QObject *watched, QEvent *event) override {
        // Only a paint for the screen counts: the window is exposed then,
        // and not when it is painted into an image.
        if (event->type() == QEvent::Paint && !quitting_ && isExposed(watched)) {
            quitting_ = true;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

private:
    static bool isExposed(QObject *watched) {
        const auto *widget = qobject_cast<QWidget *>(watched);
        const QWindow *window = widget ? widget->window()->windowHandle() : nullptr;
        return window && window->isExposed();
    }

    bool quitting_ = false;
};
