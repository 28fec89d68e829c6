// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up benchmarks' windows: each a process of its own that shows one
// window and ends, or reports, at its first paint on the screen.
#pragma once

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <QWindow>

namespace bench {

// Ends the process as soon as a window has been painted on the screen for
// the first time.
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

// The baseline: a bare Qt window of the main window's size, watched by the
// given filter, until the loop ends.
inline int runBareWindow(int argc, char *argv[], QObject &watcher) {
    QApplication application(argc, argv);
    QWidget window;
    window.resize(600, 462);
    window.installEventFilter(&watcher);
    window.show();
    return QApplication::exec();
}

// A window of the program, loaded and shown as app/main.cpp does it (after
// app::ProgramStart), its top level watched by the given filter, until the
// loop ends.
template <class Form> int runForm(Form &form, QObject &watcher) {
    form.Load();
    form.topLevel()->installEventFilter(&watcher);
    form.Show();
    return QApplication::exec();
}

} // namespace bench
