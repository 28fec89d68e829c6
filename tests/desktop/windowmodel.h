// SPDX-License-Identifier: GPL-3.0-or-later
// Where things are in the program's windows, for input from outside: the
// program's own windows, built from their own tables in this process
// (offscreen) and given the size the real window has, say where each button,
// slider, caption and border lies.
#pragma once

#include "tests/desktop/xsession.h"

#include <QHash>
#include <QList>
#include <QRect>
#include <QString>
#include <memory>

namespace monkey {

// What pressing a place does.
enum class Role {
    Letter,       // a letter button: a lesson, with its sound
    About,        // the main window's About command
    Song,         // its song command
    WebPage,      // a web page through the browser
    Exit,         // the farewell box, then the end
    Player,       // the song window's video: a double-click starts the song
    PlayerButton, // play or pause, stop, mute
    Slider,       // the player's position and volume
    Caption,      // moves the window
    Border,       // resizes it
    Close,        // caption buttons
    Minimise,
    SystemMenu,
    OkButton, // a message box's one button
    Inert,    // anything else
};

struct Target {
    QString name; // for the event log
    Role role = Role::Inert;
    QRect rect; // in the window's own coordinates
};

class WindowModel {
public:
    WindowModel(); // needs a QApplication, prepared as the program prepares its own
    ~WindowModel();
    WindowModel(const WindowModel &) = delete;
    WindowModel &operator=(const WindowModel &) = delete;

    // The titles of the program's windows (the application prepared as the
    // program prepares its own, for the tray icon's).
    static QHash<QString, WindowKind> titles();

    // The places of a window of that kind at that size; none for kinds
    // without a model (menus, the tray icon).
    const QList<Target> &targets(WindowKind kind, QSize size);
    // What lies at a point of such a window.
    Target at(WindowKind kind, QSize size, QPoint point);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace monkey
