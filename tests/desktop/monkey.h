// SPDX-License-Identifier: GPL-3.0-or-later
// A monkey at the keyboard: real pointer and keyboard input on every window
// of the running program, chosen at random from a seed, as a child makes
// it. It fails on a crash, a sanitizer report, a window that stops answering
// the window manager's ping, or (in the memory mode) resident memory that
// grows after a warm-up. A failure prints the seed and the last events.
#pragma once

#include "tests/desktop/programprocess.h"
#include "tests/desktop/responsiveness.h"
#include "tests/desktop/windowmodel.h"
#include "tests/desktop/xsession.h"

#include <QElapsedTimer>
#include <QMap>
#include <QStringList>
#include <random>

namespace monkey {

struct Options {
    quint64 seed = 0;
    qint64 seconds = 60;     // the run ends at whichever of these comes first
    qint64 events = -1;      // -1: no limit
    bool oneLife = false;    // never ends the program (no Exit, no closing the main window)
    qint64 warmUpEvents = 0; // memory mode when above 0
    qint64 growthLimitKiB = 2048;
    qint64 longestSoundMs = 2000;
    bool verbose = false;
};

class Monkey {
public:
    Monkey(const Options &options, XSession &x, WindowModel &model, ProgramProcess &program);
    ~Monkey();
    Monkey(const Monkey &) = delete;
    Monkey &operator=(const Monkey &) = delete;
    // Runs to the end of the time or events given; 0 when nothing failed.
    int run();

private:
    // One event's random numbers, drawn whatever the state: the same seed
    // gives the same numbers to every event, so a run replays.
    struct Dice {
        double r[10];
    };
    enum class Gesture { Click, DoubleClick, RightClick, Hover, Drag, Key };
    struct Choice;

    Dice roll();
    bool startProgram();
    bool programEnded(); // handles an end; false when the run must stop
    void playOne(const Dice &dice);
    // stack: the program's windows from the bottom up, window among them.
    void act(const WindowInfo &window, const QList<WindowInfo> &stack, const Dice &dice);
    void actOn(const WindowInfo &window, const QList<WindowInfo> &stack, const Choice &choice,
               const Dice &dice);

    void pressKey(Key key);
    // Waits for the program to answer the pings sent after an event, then
    // for the pause drawn; false on a failure.
    bool settle(double pause);
    bool waitQuietly(qint64 ms);
    bool closeProgram();
    // Brings the program to the state its memory is compared in: the main
    // window alone, at the size it started with, nothing playing; false on
    // a failure.
    bool rest();

    void record(const QString &event);
    // Records the windows that appeared or went since the last look.
    void noteWindowChanges();
    int fail(const QString &why);
    QList<WindowInfo> windows() const;

    const Options options_;
    XSession &x_;
    WindowModel &model_;
    ProgramProcess &program_;
    std::mt19937_64 random_;
    QElapsedTimer clock_;
    SoundTime sounds_;
    PingWatch pings_;

    qint64 event_ = 0;
    int lives_ = 0;
    QStringList lastEvents_;
    QList<WindowInfo> seen_;      // the program's windows at the last look
    QList<WindowInfo> lastShown_; // at the last look that found any of them
    QSize mainSize_;              // the main window's size at the start
    QMap<QString, int> counts_;
    // Since the program started, something pressed the main window's Exit
    // (or a key that may have, with the focus on it): what explains a
    // message box, which a run with good media shows only to say farewell.
    bool exitMayBePressed_ = false;
    bool failed_ = false;
};

} // namespace monkey
