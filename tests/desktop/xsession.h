// SPDX-License-Identifier: GPL-3.0-or-later
// A client of the X display the program runs on, doing what a user and a
// desktop do from outside the program: finding its windows and where they
// stand, real pointer and keyboard input (XTest, as xdotool sends it) at a
// person's pace, the window manager's ping, closing and activating windows
// as a task bar does, asking who owns the window manager's and the tray's
// selections, and changing the screen's size (RandR).
#pragma once

#include <QHash>
#include <QList>
#include <QRect>
#include <QSet>
#include <QString>
#include <functional>
#include <memory>
#include <optional>

namespace monkey {

using WindowId = unsigned long;

// What a top-level window of the program is, as its properties tell.
enum class WindowKind {
    Main,       // the main window's skinned frame
    About,      // the About window's
    Song,       // the song window's
    MessageBox, // a dialog: the farewell box or an error box
    Menu,       // a popup menu
    Tray,       // the icon in a notification area
    Other,      // a tooltip, or anything not known
};
QString kindName(WindowKind kind);

struct WindowInfo {
    WindowId id = 0;
    WindowKind kind = WindowKind::Other;
    QRect geometry; // on the screen, the window's own area
    QString title;
    bool viewable = false;
    bool answersPing = false; // lists _NET_WM_PING in WM_PROTOCOLS
};

// A key a child finds, with the modifier held with it.
enum class Key { Tab, Space, Return, Left, Right, Up, Down, Escape, AltSpace };
QString keyName(Key key);

class XSession {
public:
    XSession(); // opens $DISPLAY; isOpen() says whether it could
    ~XSession();
    XSession(const XSession &) = delete;
    XSession &operator=(const XSession &) = delete;

    bool isOpen() const;
    bool hasXTest() const;
    QSize screenSize() const;

    // The titles that tell the program's own windows apart.
    void setWindowTitles(const QHash<QString, WindowKind> &titles);
    // The windows of process pid that are mapped, or that a window manager
    // holds iconified, from the bottom of the stack to the top.
    QList<WindowInfo> windowsOf(qint64 pid) const;
    // The process of the nearest window that holds window (a tray host's
    // panel for an icon docked in it); 0 when none tells its process.
    qint64 holderPid(WindowId window) const;
    // Whether a window manager has put window into a frame of its own (a
    // manager killed leaves its list of windows behind, not its frames).
    bool isFramed(WindowId window) const;

    // Real input. Positions are on the screen.
    void moveTo(QPoint position);
    void button(int button, bool down);
    void key(Key key);
    void flush();

    // Real input as a person gives it, each step given the time a program
    // and a window manager take to follow it: a click, or count of them in
    // a row (a double click), and a drag with the left button (press, two
    // motions, release). A quick drag is all of that at once, as a hurried
    // hand gives it.
    void click(QPoint at, int button = 1, int count = 1);
    void drag(QPoint from, QPoint to);
    void quickDrag(QPoint from, QPoint to);
    // How the session waits between those steps. By default (or given an
    // empty function) it handles this thread's events meanwhile: the program
    // may run in this process. A caller with a watch of its own keeps it.
    void setPause(std::function<void(int ms)> pause);

    // Where the X server has a window now, on the screen, as any client
    // sees it (what a window manager did to it included); none if it is
    // gone.
    std::optional<QRect> placeOf(WindowId window) const;
    // Whether a window a drag let go of stands at expected (to a few
    // pixels), and still does once the pointer has gone on with no button
    // down: no move is left waiting for a release that will never come.
    // Says where it went if not.
    bool staysWhereLetGo(WindowId window, QPoint expected, QString *why);

    // _NET_WM_PING as a window manager sends it; the answers come back
    // through takePingAnswers(), as the serials sent.
    void sendPing(WindowId window, quint32 serial);
    QSet<quint32> takePingAnswers();

    // Moves a window, as a window manager's keyboard move would.
    void moveWindow(WindowId window, QPoint position);
    // Gives a window a size, as a window manager's keyboard resize would.
    void resizeWindow(WindowId window, QSize size);
    // WM_DELETE_WINDOW, as a window manager sends it for a close button.
    void requestClose(WindowId window);
    // Shows and raises a window, as a task bar does: through the window
    // manager where one runs, mapping it directly where none does.
    void activate(WindowId window);

    // The owner of a selection ("WM_S0", "_NET_SYSTEM_TRAY_S0"); 0: none.
    WindowId selectionOwner(const char *selection) const;
    // Whether a window manager runs: one owns WM_S<screen>.
    bool hasWindowManager() const;
    // The window manager's process where it tells it (_OPENBOX_PID); 0 else.
    qint64 windowManagerPid() const;

    // Sets the screen to size through RandR, making the mode when the
    // server has none of that size. The server drops a mode made here when
    // this connection closes.
    bool setScreenSize(QSize size);

private:
    struct Private;
    std::unique_ptr<Private> d;
};

} // namespace monkey
