// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/desktop/monkey.h"

#include <QCoreApplication>
#include <QThread>
#include <cstdio>
#include <optional>
#include <span>

namespace monkey {
namespace {

constexpr int LastEventsKept = 30;
constexpr int StartTimeoutMs = 30000;
constexpr int CloseTimeoutMs = 30000;

void print(const QString &text) {
    std::fputs(qPrintable(text + u'\n'), stdout);
    std::fflush(stdout);
}

QString at(QPoint point) {
    return QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
}

// Where a window lies and how large it is, for the event log.
QString placed(const QRect &area) {
    return QStringLiteral("%1, %2×%3").arg(at(area.topLeft())).arg(area.width()).arg(area.height());
}

// The program's window above window in the stack (from the bottom up) that
// covers point, if any.
const WindowInfo *coveringWindow(const QList<WindowInfo> &stack, WindowId window, QPoint point) {
    bool above = false;
    for (const WindowInfo &other : stack) {
        if (above && other.viewable && other.kind != WindowKind::Other &&
            other.geometry.contains(point))
            return &other;
        above = above || other.id == window;
    }
    return nullptr;
}

QString rss(const ProgramProcess::Resident &resident) {
    return QStringLiteral("RSS %1 KiB (anonymous %2 KiB)")
        .arg(resident.totalKiB)
        .arg(resident.anonymousKiB);
}

} // namespace

// One line of a window's table: a gesture, on a place of a role or anywhere
// in the window, and how often it comes.
struct Monkey::Choice {
    double weight;
    Gesture gesture;
    std::optional<Role> role;
    bool endsProgram = false; // left out of one-life runs
};

Monkey::Monkey(const Options &options, XSession &x, WindowModel &model, ProgramProcess &program)
    : options_(options), x_(x), model_(model), program_(program), random_(options.seed),
      sounds_(options.longestSoundMs), pings_(x, sounds_, clock_) {
    // The pings are watched while a click or a drag waits.
    x_.setPause([this](int ms) { waitQuietly(ms); });
}

Monkey::~Monkey() {
    x_.setPause({});
}

Monkey::Dice Monkey::roll() {
    Dice dice;
    for (double &r : dice.r)
        r = double(random_() >> 11) * 0x1.0p-53; // the same on every library
    return dice;
}

QList<WindowInfo> Monkey::windows() const {
    return x_.windowsOf(program_.pid());
}

void Monkey::record(const QString &event) {
    const QString line = QStringLiteral("#%1 %2 s  %3")
                             .arg(event_)
                             .arg(double(clock_.elapsed()) / 1000, 0, 'f', 1)
                             .arg(event);
    lastEvents_.append(line);
    if (lastEvents_.size() > LastEventsKept)
        lastEvents_.removeFirst();
    if (options_.verbose)
        print(line);
}

void Monkey::noteWindowChanges() {
    const auto noted = [](const WindowInfo &window) {
        return window.kind != WindowKind::Other && window.kind != WindowKind::Menu;
    };
    const auto among = [](const QList<WindowInfo> &list, WindowId id) {
        return std::any_of(list.cbegin(), list.cend(),
                           [id](const WindowInfo &window) { return window.id == id; });
    };
    const QList<WindowInfo> now = windows();
    for (const WindowInfo &window : now) {
        if (!noted(window) || among(seen_, window.id))
            continue;
        record(QStringLiteral("%1 appeared at %2: %3")
                   .arg(kindName(window.kind), placed(window.geometry), window.title));
        if (window.kind == WindowKind::MessageBox && !exitMayBePressed_)
            fail(QStringLiteral("a message box appeared, though nothing pressed Exit: the last "
                                "events say where the windows were"));
    }
    for (const WindowInfo &window : std::as_const(seen_))
        if (noted(window) && !among(now, window.id))
            record(QStringLiteral("%1 gone").arg(kindName(window.kind)));
    seen_ = now;
    if (std::any_of(now.cbegin(), now.cend(), [&](const WindowInfo &w) { return noted(w); }))
        lastShown_ = now;
}

int Monkey::fail(const QString &why) {
    if (failed_)
        return 1;
    failed_ = true;
    print(QStringLiteral("MONKEY FAILED: %1").arg(why));
    print(QStringLiteral("  seed %1, event %2, program start %3, %4 s into the run")
              .arg(options_.seed)
              .arg(event_)
              .arg(lives_)
              .arg(double(clock_.elapsed()) / 1000, 0, 'f', 1));
    print(QStringLiteral("  replay: %1 --seed %2 --events %3 --program %4")
              .arg(QCoreApplication::applicationFilePath())
              .arg(options_.seed)
              .arg(event_)
              .arg(program_.executable()));
    print(QStringLiteral("  the last events:"));
    for (const QString &line : lastEvents_)
        print(QStringLiteral("    ") + line);
    print(QStringLiteral("  the windows at the last look that found any:"));
    for (const WindowInfo &window : std::as_const(lastShown_))
        if (window.kind != WindowKind::Other)
            print(QStringLiteral("    %1 at %2%3")
                      .arg(kindName(window.kind), placed(window.geometry),
                           window.viewable ? QString() : QStringLiteral(", not shown")));
    const QString tail = program_.errorTail(20).trimmed();
    if (!tail.isEmpty())
        print(QStringLiteral("  the program's last output:\n") + tail);
    program_.kill();
    return 1;
}

bool Monkey::startProgram() {
    if (!program_.start()) {
        fail(QStringLiteral("cannot start %1: %2")
                 .arg(program_.executable(), program_.errorString()));
        return false;
    }
    ++lives_;
    pings_.forgetAll();
    exitMayBePressed_ = false;
    record(QStringLiteral("program started (pid %1)").arg(program_.pid()));
    QElapsedTimer waited;
    waited.start();
    while (waited.elapsed() < StartTimeoutMs) {
        for (const WindowInfo &window : windows()) {
            if (window.kind == WindowKind::Main && window.viewable) {
                mainSize_ = window.geometry.size();
                return true;
            }
        }
        if (!program_.isRunning()) {
            program_.waitForEnd(CloseTimeoutMs);
            fail(QStringLiteral("the program ended before its main window appeared: %1")
                     .arg(program_.endProblem()));
            return false;
        }
        QThread::msleep(50);
    }
    fail(QStringLiteral("the main window did not appear within %1 s").arg(StartTimeoutMs / 1000));
    return false;
}

bool Monkey::programEnded() {
    program_.waitForEnd(CloseTimeoutMs);
    const QString problem = program_.endProblem();
    if (!problem.isEmpty() || options_.oneLife) {
        fail(problem.isEmpty() ? QStringLiteral("the program ended in a run that never ends it")
                               : problem);
        return false;
    }
    record(QStringLiteral("the program ended cleanly; starting it again"));
    pings_.forgetAll();
    return startProgram();
}

void Monkey::pressKey(Key key) {
    x_.key(key);
    if (key == Key::Space || key == Key::Return)
        sounds_.mayStart(clock_.elapsed()); // the focus may be on a letter
}

bool Monkey::waitQuietly(qint64 ms) {
    QElapsedTimer waited;
    waited.start();
    do {
        pings_.collect();
        if (const std::optional<QString> late = pings_.overdue()) {
            fail(*late);
            return false;
        }
        QThread::msleep(qMin<qint64>(20, qMax<qint64>(1, ms - waited.elapsed())));
    } while (waited.elapsed() < ms);
    return !failed_;
}

bool Monkey::settle(double pause) {
    pings_.ping(windows());
    QElapsedTimer waited;
    waited.start();
    while (!pings_.collect()) {
        if (const std::optional<QString> late = pings_.overdue()) {
            fail(*late);
            return false;
        }
        if (waited.elapsed() > 500) {
            // Windows closed since the ping cannot answer it.
            pings_.keepOnly(windows());
            waited.restart();
            if (!program_.isRunning()) {
                pings_.forgetAll();
                break;
            }
        }
        QThread::msleep(5);
    }
    // No more than one sound waiting behind the one playing.
    while (sounds_.busyUntil() - clock_.elapsed() > sounds_.longestMs())
        if (!waitQuietly(50))
            return false;
    return waitQuietly(qint64(pause * 150));
}

void Monkey::playOne(const Dice &dice) {
    const QList<WindowInfo> all = windows();
    QList<WindowInfo> shown, hidden;
    for (const WindowInfo &window : all)
        if (window.kind != WindowKind::Other)
            (window.viewable ? shown : hidden).append(window);
    // A child brings back a minimised window from the task bar now and then.
    if (!hidden.isEmpty() && (shown.isEmpty() || dice.r[9] < 0.2)) {
        const WindowInfo &window = hidden[int(dice.r[1] * hidden.size())];
        x_.activate(window.id);
        ++counts_[QStringLiteral("restore")];
        record(QStringLiteral("%1: brought back from the task bar").arg(kindName(window.kind)));
        return;
    }
    if (shown.isEmpty()) {
        record(QStringLiteral("no window shown; waiting"));
        waitQuietly(300);
        return;
    }
    // A window moved out of reach (a window manager's keyboard move takes
    // the arrows and Return a child presses too) is brought back, as a user
    // would bring it with that same keyboard move.
    const QRect screen(QPoint(0, 0), x_.screenSize());
    for (const WindowInfo &window : shown) {
        const QRect caption(window.geometry.topLeft(), QSize(window.geometry.width(), 20));
        const QRect reachable = caption.intersected(screen.adjusted(0, 0, 0, -20));
        if (window.kind == WindowKind::Menu || window.kind == WindowKind::Tray ||
            reachable.width() >= 60)
            continue;
        const QPoint back = screen.center() - window.geometry.center() + window.geometry.topLeft();
        x_.moveWindow(window.id, QPoint(qMax(0, back.x()), qMax(0, back.y())));
        ++counts_[QStringLiteral("moved back")];
        record(QStringLiteral("%1: out of reach at %2; moved back onto the screen")
                   .arg(kindName(window.kind), at(window.geometry.topLeft())));
        return;
    }
    // A menu or a message box in the way draws most of the attention.
    for (WindowKind first : {WindowKind::Menu, WindowKind::MessageBox}) {
        for (auto it = shown.crbegin(); it != shown.crend(); ++it)
            if (it->kind == first && dice.r[0] < 0.75)
                return act(*it, all, dice);
    }
    static const QHash<WindowKind, double> attention = {
        {WindowKind::Main, 5},       {WindowKind::About, 2}, {WindowKind::Song, 3},
        {WindowKind::MessageBox, 2}, {WindowKind::Menu, 2},  {WindowKind::Tray, 0.3}};
    double total = 0;
    for (const WindowInfo &window : shown)
        total += attention.value(window.kind);
    double pick = dice.r[1] * total;
    for (const WindowInfo &window : shown) {
        pick -= attention.value(window.kind);
        if (pick < 0)
            return act(window, all, dice);
    }
    act(shown.last(), all, dice);
}

void Monkey::act(const WindowInfo &window, const QList<WindowInfo> &stack, const Dice &dice) {
    using enum Gesture;
    // What a child does to each window, and how often.
    static const Choice main[] = {
        {20, Click, Role::Letter},
        {3, Click, Role::About},
        {3, Click, Role::Song},
        {2, Click, Role::WebPage},
        {0.3, Click, Role::Exit, true},
        {8, Click, {}},
        {2, DoubleClick, Role::Letter},
        {2, DoubleClick, {}},
        {3, RightClick, {}},
        {4, Drag, Role::Caption},
        {3, Drag, Role::Border},
        {12, Key, {}},
        {0.5, Click, Role::Close, true},
        {1, Click, Role::Minimise},
        {1, Click, Role::SystemMenu, true},
        {2, Hover, {}},
    };
    static const Choice about[] = {
        {3, Click, Role::WebPage},
        {5, Click, {}},
        {1, DoubleClick, {}},
        {1, RightClick, {}},
        {3, Drag, Role::Caption},
        {2, Drag, Role::Border},
        {3, Key, {}},
        {3, Click, Role::Close},
        {1, Click, Role::SystemMenu},
        {1, Hover, {}},
    };
    static const Choice song[] = {
        {5, DoubleClick, Role::Player},
        {4, Click, Role::PlayerButton},
        {4, Drag, Role::Slider},
        {3, RightClick, Role::Player},
        {4, Click, {}},
        {1, DoubleClick, {}},
        {2, Drag, Role::Caption},
        {2, Drag, Role::Border},
        {3, Key, {}},
        {3, Click, Role::Close},
        {1, Click, Role::Minimise},
        {1, Click, Role::SystemMenu},
        {1, Hover, {}},
    };
    static const Choice box[] = {{6, Key, {}}, {4, Click, Role::OkButton}, {2, Click, {}}};
    static const Choice menu[] = {{6, Click, {}}, {3, Key, {}}};
    static const Choice tray[] = {{1, Click, {}}, {1, RightClick, {}}, {1, DoubleClick, {}}};

    std::span<const Choice> table;
    switch (window.kind) {
    case WindowKind::Main:
        table = main;
        break;
    case WindowKind::About:
        table = about;
        break;
    case WindowKind::Song:
        table = song;
        break;
    case WindowKind::MessageBox:
        table = box;
        break;
    case WindowKind::Menu:
        table = menu;
        break;
    default:
        table = tray;
        break;
    }
    const auto weight = [&](const Choice &choice) {
        return options_.oneLife && choice.endsProgram ? 0.0 : choice.weight;
    };
    double total = 0;
    for (const Choice &choice : table)
        total += weight(choice);
    double pick = dice.r[2] * total;
    for (const Choice &choice : table) {
        pick -= weight(choice);
        if (pick < 0)
            return actOn(window, stack, choice, dice);
    }
    actOn(window, stack, table.back(), dice);
}

void Monkey::actOn(const WindowInfo &window, const QList<WindowInfo> &stack, const Choice &choice,
                   const Dice &dice) {
    const QSize size = window.geometry.size();
    // Only what lies on the screen is within reach of the pointer.
    const QRect visible = QRect(QPoint(0, 0), x_.screenSize())
                              .intersected(window.geometry)
                              .translated(-window.geometry.topLeft());
    QRect place = visible;
    if (choice.role) {
        QList<QRect> places;
        for (const Target &target : model_.targets(window.kind, size))
            if (target.role == *choice.role && visible.contains(target.rect.center()))
                places.append(target.rect.intersected(visible));
        if (!places.isEmpty())
            place = places[int(dice.r[3] * places.size())];
    }
    const QPoint local(place.x() + int(dice.r[4] * place.width()),
                       place.y() + int(dice.r[5] * place.height()));
    const QPoint global = window.geometry.topLeft() + local;
    const Target target = model_.at(window.kind, size, local);
    const QString where =
        QStringLiteral("%1 at %2: %3 (%4)").arg(kindName(window.kind), placed(window.geometry));
    // The model knows one window at a time: a place another of the
    // program's windows covers is not this window's to press.
    if (choice.gesture != Gesture::Key) {
        if (const WindowInfo *over = coveringWindow(stack, window.id, global)) {
            record(where.arg(QStringLiteral("left alone under the %1 at %2")
                                 .arg(kindName(over->kind), at(global)),
                             target.name));
            return;
        }
    }
    const bool letter = window.kind == WindowKind::Main && target.role == Role::Letter;
    // A run that never ends the program leaves alone what would end it,
    // wherever the dice fall (a double-click on the window menu's button
    // closes the window too).
    static const Role ending[] = {Role::Exit, Role::Close, Role::SystemMenu};
    if (options_.oneLife && window.kind == WindowKind::Main && choice.gesture != Gesture::Key &&
        std::find(std::begin(ending), std::end(ending), target.role) != std::end(ending)) {
        record(where.arg(QStringLiteral("left alone"), target.name));
        return;
    }

    if (window.kind == WindowKind::Main && target.role == Role::Exit &&
        choice.gesture != Gesture::RightClick && choice.gesture != Gesture::Hover)
        exitMayBePressed_ = true;

    switch (choice.gesture) {
    case Gesture::Click:
    case Gesture::DoubleClick:
    case Gesture::RightClick: {
        const int button = choice.gesture == Gesture::RightClick ? 3 : 1;
        const int count = choice.gesture == Gesture::DoubleClick ? 2 : 1;
        static const char *const names[] = {"click", "double-click", "right-click"};
        const QString name = QString::fromLatin1(names[int(choice.gesture)]);
        ++counts_[name];
        record(where.arg(name + u' ' + at(global), target.name));
        x_.click(global, button, count);
        if (letter && button == 1)
            for (int i = 0; i < count; ++i)
                sounds_.mayStart(clock_.elapsed());
        break;
    }
    case Gesture::Hover:
        ++counts_[QStringLiteral("hover")];
        record(where.arg(QStringLiteral("hover ") + at(global), target.name));
        x_.moveTo(global);
        waitQuietly(600 + qint64(dice.r[6] * 600));
        break;
    case Gesture::Drag: {
        QPoint to = global;
        const QSize screen = x_.screenSize();
        if (choice.role == Role::Slider) {
            to.setX(window.geometry.x() + place.x() + int(dice.r[6] * place.width()));
        } else {
            QPoint delta(int((dice.r[6] - 0.5) * 500), int((dice.r[7] - 0.5) * 400));
            if (choice.role == Role::Caption) {
                // The caption stays on the screen, within reach.
                const QPoint corner = window.geometry.topLeft() + delta;
                const QPoint kept(qBound(120 - size.width(), corner.x(), screen.width() - 120),
                                  qBound(0, corner.y(), screen.height() - 60));
                delta = kept - window.geometry.topLeft();
            }
            to = global + delta;
        }
        to = QPoint(qBound(0, to.x(), screen.width() - 1), qBound(0, to.y(), screen.height() - 1));
        ++counts_[QStringLiteral("drag")];
        record(where.arg(QStringLiteral("drag %1 to %2").arg(at(global), at(to)), target.name));
        x_.drag(global, to);
        break;
    }
    case Gesture::Key: {
        static const Key keys[] = {Key::Tab,    Key::Left,  Key::Right,  Key::Up,      Key::Down,
                                   Key::Escape, Key::Space, Key::Return, Key::AltSpace};
        // Space and Return press the button that has the focus, Exit among
        // them, and a window manager's window menu closes windows: a run
        // that never ends the program keeps to the first six.
        const int count = options_.oneLife ? 6 : 9;
        const Key key = keys[int(dice.r[5] * count)];
        ++counts_[QStringLiteral("key")];
        record(QStringLiteral("key %1, to the window that has the focus").arg(keyName(key)));
        if (key == Key::Space || key == Key::Return)
            exitMayBePressed_ = true;
        pressKey(key);
        break;
    }
    }
}

bool Monkey::rest() {
    record(QStringLiteral("resting: the main window alone, at its own size"));
    QElapsedTimer waited;
    waited.start();
    for (;;) {
        bool alone = true;
        for (const WindowInfo &window : windows()) {
            switch (window.kind) {
            case WindowKind::Menu:
                x_.key(Key::Escape);
                alone = false;
                break;
            case WindowKind::About:
            case WindowKind::Song:
            case WindowKind::MessageBox:
                x_.requestClose(window.id);
                alone = false;
                break;
            case WindowKind::Main:
                if (!window.viewable) {
                    x_.activate(window.id);
                    alone = false;
                } else if (window.geometry.size() != mainSize_) {
                    x_.resizeWindow(window.id, mainSize_);
                    alone = false;
                }
                break;
            default:
                break;
            }
        }
        if (alone)
            break;
        if (waited.elapsed() > CloseTimeoutMs) {
            fail(QStringLiteral("the program's windows did not come to rest"));
            return false;
        }
        if (!waitQuietly(300))
            return false;
    }
    // The last sound and the song's player wind down.
    return waitQuietly(3000) && settle(0);
}

bool Monkey::closeProgram() {
    record(QStringLiteral("closing every window"));
    QElapsedTimer waited;
    waited.start();
    while (program_.isRunning() && waited.elapsed() < CloseTimeoutMs) {
        for (const WindowInfo &window : windows()) {
            if (window.kind == WindowKind::Menu)
                x_.key(Key::Escape);
            else if (window.kind != WindowKind::Tray && window.kind != WindowKind::Other)
                x_.requestClose(window.id);
        }
        if (!waitQuietly(500))
            return false;
    }
    if (!program_.waitForEnd(CloseTimeoutMs)) {
        fail(QStringLiteral("the program did not end when its windows were closed"));
        return false;
    }
    const QString problem = program_.endProblem();
    if (!problem.isEmpty())
        fail(problem);
    return problem.isEmpty();
}

int Monkey::run() {
    clock_.start();
    print(QStringLiteral("monkey: seed %1, program %2")
              .arg(options_.seed)
              .arg(program_.executable()));
    if (!startProgram())
        return 1;
    ProgramProcess::Resident start;
    qint64 warmUp = 0, lastReportedAt = 0, lastProgressMs = 0;
    const auto due = [&] {
        return (options_.events >= 0 && event_ >= options_.events) ||
               (options_.seconds >= 0 && clock_.elapsed() >= options_.seconds * 1000);
    };
    while (!failed_ && !due()) {
        if (!program_.isRunning()) {
            if (!programEnded())
                break;
            continue;
        }
        const Dice dice = roll();
        ++event_;
        playOne(dice);
        if (failed_ || !settle(dice.r[8]))
            break;
        noteWindowChanges();
        if (event_ % 100 == 0) {
            const QString report = program_.sanitizerReport();
            if (!report.isEmpty()) {
                fail(QStringLiteral("a sanitizer reported:\n") + report);
                break;
            }
        }
        // The first figure once the warm-up has decoded the song's video
        // too, so that the media framework is loaded on both sides.
        if (options_.warmUpEvents > 0 && start.totalKiB < 0 && event_ >= options_.warmUpEvents &&
            program_.hasMapped(u"libavcodec")) {
            if (!rest())
                break;
            start = program_.resident();
            warmUp = event_;
            lastReportedAt = event_;
            print(QStringLiteral("  after a warm-up of %1 events, at rest: %2")
                      .arg(event_)
                      .arg(rss(start)));
        }
        if (start.totalKiB > 0 && event_ - lastReportedAt >= 500) {
            lastReportedAt = event_;
            print(QStringLiteral("  event %1, live: %2").arg(event_).arg(rss(program_.resident())));
        }
        if (!options_.verbose && clock_.elapsed() - lastProgressMs >= 30000) {
            lastProgressMs = clock_.elapsed();
            print(QStringLiteral("  %1 events, %2 s").arg(event_).arg(lastProgressMs / 1000));
        }
    }
    ProgramProcess::Resident end;
    if (!failed_ && start.totalKiB > 0 && rest())
        end = program_.resident();
    if (!failed_)
        closeProgram();

    QStringList counts;
    for (auto it = counts_.cbegin(); it != counts_.cend(); ++it)
        counts.append(QStringLiteral("%1 %2").arg(it.key()).arg(it.value()));
    print(QStringLiteral("monkey: %1 events in %2 s, %3 program starts, %4 pings answered "
                         "(longest wait outside sounds %5 ms), %6 pages opened, %7 ends with no "
                         "leak check (the leak checker's own failure); %8")
              .arg(event_)
              .arg(clock_.elapsed() / 1000)
              .arg(lives_)
              .arg(pings_.answered())
              .arg(pings_.longestQuietWaitMs())
              .arg(program_.pagesOpened())
              .arg(program_.endsUnchecked())
              .arg(counts.join(QStringLiteral(", "))));
    if (end.totalKiB > 0) {
        const qint64 growth = end.totalKiB - start.totalKiB;
        print(QStringLiteral("  at rest after the warm-up %1, at rest at the end %2: growth %3 "
                             "KiB over %4 events (limit %5 KiB)")
                  .arg(rss(start))
                  .arg(rss(end))
                  .arg(growth)
                  .arg(event_ - warmUp)
                  .arg(options_.growthLimitKiB));
        if (growth > options_.growthLimitKiB)
            return fail(
                QStringLiteral("resident memory grew by %1 KiB after the warm-up").arg(growth));
    }
    return failed_ ? 1 : 0;
}

} // namespace monkey
