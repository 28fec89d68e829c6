// SPDX-License-Identifier: GPL-3.0-or-later
#include "tests/desktop/xsession.h"

#include <QByteArray>
#include <QHash>
#include <QTest>

// Xlib last: its macros (None, Bool, Status, ...) would upset Qt's headers.
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>
#include <X11/extensions/Xrandr.h>
#include <X11/keysym.h>

namespace monkey {
namespace {

// Windows come and go between a question and the next: a request about a
// window just destroyed fails, which is no error of the caller's.
int ignoreErrors(Display *, XErrorEvent *) {
    return 0;
}

// A window's property as 32-bit items (Xlib hands them over as longs).
QList<unsigned long> cardinals(Display *display, Window window, Atom property, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    QList<unsigned long> items;
    if (XGetWindowProperty(display, window, property, 0, 64, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        data) {
        if (format == 32)
            for (unsigned long i = 0; i < count; ++i)
                items.append(reinterpret_cast<const unsigned long *>(data)[i]);
        XFree(data);
    }
    return items;
}

QByteArray bytes(Display *display, Window window, Atom property, Atom type) {
    Atom actualType = 0;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    QByteArray value;
    if (XGetWindowProperty(display, window, property, 0, 1024, False, type, &actualType, &format,
                           &count, &after, &data) == Success &&
        data) {
        if (format == 8)
            value = QByteArray(reinterpret_cast<const char *>(data), qsizetype(count));
        XFree(data);
    }
    return value;
}

} // namespace

QString kindName(WindowKind kind) {
    switch (kind) {
    case WindowKind::Main:
        return QStringLiteral("main window");
    case WindowKind::About:
        return QStringLiteral("About window");
    case WindowKind::Song:
        return QStringLiteral("song window");
    case WindowKind::MessageBox:
        return QStringLiteral("message box");
    case WindowKind::Menu:
        return QStringLiteral("menu");
    case WindowKind::Tray:
        return QStringLiteral("tray icon");
    case WindowKind::Other:
        break;
    }
    return QStringLiteral("window");
}

QString keyName(Key key) {
    static const char *const names[] = {"Tab", "space", "Return", "Left",     "Right",
                                        "Up",  "Down",  "Escape", "Alt+space"};
    return QString::fromLatin1(names[int(key)]);
}

struct XSession::Private {
    Display *display = nullptr;
    Window root = 0;
    bool xtest = false;
    QHash<QByteArray, Atom> atoms;

    Atom atom(const char *name) {
        auto it = atoms.find(name);
        if (it == atoms.end())
            it = atoms.insert(name, XInternAtom(display, name, False));
        return it.value();
    }

    void sendClientMessage(Window to, Window about, Atom type, std::initializer_list<long> data,
                           long mask) {
        XEvent event{};
        event.xclient.type = ClientMessage;
        event.xclient.window = about;
        event.xclient.message_type = type;
        event.xclient.format = 32;
        int i = 0;
        for (long value : data)
            event.xclient.data.l[i++] = value;
        XSendEvent(display, to, False, mask, &event);
        XFlush(display);
    }

    QList<Window> children(Window window) const {
        Window rootReturn = 0, parent = 0;
        Window *list = nullptr;
        unsigned int count = 0;
        QList<Window> result;
        if (XQueryTree(display, window, &rootReturn, &parent, &list, &count) && list) {
            for (unsigned int i = 0; i < count; ++i)
                result.append(list[i]);
            XFree(list);
        }
        return result;
    }

    Window parentOf(Window window) const {
        Window rootReturn = 0, parent = 0;
        Window *list = nullptr;
        unsigned int count = 0;
        if (!XQueryTree(display, window, &rootReturn, &parent, &list, &count))
            return 0;
        if (list)
            XFree(list);
        return parent;
    }

    qint64 pidOf(Window window) {
        const QList<unsigned long> pid =
            cardinals(display, window, atom("_NET_WM_PID"), XA_CARDINAL);
        return pid.isEmpty() ? 0 : qint64(pid.first());
    }

    WindowKind kindOf(Window window, const QString &title, bool overrideRedirect, bool onRoot) {
        const QList<unsigned long> types =
            cardinals(display, window, atom("_NET_WM_WINDOW_TYPE"), XA_ATOM);
        for (unsigned long type : types) {
            if (type == atom("_NET_WM_WINDOW_TYPE_POPUP_MENU") ||
                type == atom("_NET_WM_WINDOW_TYPE_DROPDOWN_MENU") ||
                type == atom("_NET_WM_WINDOW_TYPE_MENU"))
                return WindowKind::Menu;
            if (type == atom("_NET_WM_WINDOW_TYPE_DIALOG"))
                return WindowKind::MessageBox;
            if (type == atom("_NET_WM_WINDOW_TYPE_TOOLTIP"))
                return WindowKind::Other;
        }
        // Qt marks its popup menus as normal windows; but a popup is the one
        // window of the screen's own that goes around the window manager
        // (an icon docked in a tray host does too, inside the host's panel).
        if (overrideRedirect && onRoot)
            return WindowKind::Menu;
        return titles.value(title, WindowKind::Other);
    }

    // The program's windows below window, depth levels down at most: a
    // window manager puts each into a frame of its own, a tray host into a
    // panel and a socket.
    void collect(Window window, qint64 pid, int depth, QList<WindowInfo> &found) {
        for (Window child : children(window)) {
            if (pidOf(child) != pid) {
                if (depth > 0)
                    collect(child, pid, depth - 1, found);
                continue;
            }
            XWindowAttributes attributes{};
            if (!XGetWindowAttributes(display, child, &attributes))
                continue;
            const bool viewable = attributes.map_state == IsViewable;
            const QList<unsigned long> state =
                cardinals(display, child, atom("WM_STATE"), atom("WM_STATE"));
            const bool iconic =
                !state.isEmpty() && long(state.first()) == IconicState /* WM_STATE */;
            if (!viewable && !iconic)
                continue;
            WindowInfo info;
            info.id = child;
            info.viewable = viewable;
            info.title =
                QString::fromUtf8(bytes(display, child, atom("_NET_WM_NAME"), atom("UTF8_STRING")));
            info.kind = kindOf(child, info.title, attributes.override_redirect, window == root);
            int x = 0, y = 0;
            Window ignored = 0;
            XTranslateCoordinates(display, child, root, 0, 0, &x, &y, &ignored);
            info.geometry = QRect(x, y, attributes.width, attributes.height);
            Atom *protocols = nullptr;
            int count = 0;
            if (XGetWMProtocols(display, child, &protocols, &count)) {
                for (int i = 0; i < count; ++i)
                    info.answersPing |= protocols[i] == atom("_NET_WM_PING");
                XFree(protocols);
            }
            found.append(info);
        }
    }

    QHash<QString, WindowKind> titles;
    std::function<void(int)> pause;
};

XSession::XSession() : d(std::make_unique<Private>()) {
    setPause({});
    XSetErrorHandler(&ignoreErrors);
    d->display = XOpenDisplay(nullptr);
    if (!d->display)
        return;
    d->root = DefaultRootWindow(d->display);
    int event = 0, error = 0, major = 0, minor = 0;
    d->xtest = XTestQueryExtension(d->display, &event, &error, &major, &minor);
    // Answers to _NET_WM_PING come back to the root window.
    XSelectInput(d->display, d->root, StructureNotifyMask);
    XFlush(d->display);
}

XSession::~XSession() {
    if (d->display)
        XCloseDisplay(d->display);
}

bool XSession::isOpen() const {
    return d->display != nullptr;
}

bool XSession::hasXTest() const {
    return d->xtest;
}

QSize XSession::screenSize() const {
    XWindowAttributes attributes{};
    XGetWindowAttributes(d->display, d->root, &attributes);
    return {attributes.width, attributes.height};
}

void XSession::setWindowTitles(const QHash<QString, WindowKind> &titles) {
    d->titles = titles;
}

QList<WindowInfo> XSession::windowsOf(qint64 pid) const {
    QList<WindowInfo> found;
    if (pid > 0)
        d->collect(d->root, pid, 3, found);
    return found;
}

qint64 XSession::holderPid(WindowId window) const {
    for (Window at = d->parentOf(window); at && at != d->root; at = d->parentOf(at))
        if (const qint64 pid = d->pidOf(at))
            return pid;
    return 0;
}

bool XSession::isFramed(WindowId window) const {
    const Window parent = d->parentOf(window);
    return parent && parent != d->root;
}

void XSession::moveTo(QPoint position) {
    XTestFakeMotionEvent(d->display, -1, position.x(), position.y(), CurrentTime);
    XFlush(d->display);
}

void XSession::button(int button, bool down) {
    XTestFakeButtonEvent(d->display, unsigned(button), down, CurrentTime);
    XFlush(d->display);
}

void XSession::key(Key key) {
    static const KeySym symbols[] = {XK_Tab, XK_space, XK_Return, XK_Left, XK_Right,
                                     XK_Up,  XK_Down,  XK_Escape, XK_space};
    const KeyCode code = XKeysymToKeycode(d->display, symbols[int(key)]);
    const KeyCode alt = XKeysymToKeycode(d->display, XK_Alt_L);
    if (key == Key::AltSpace)
        XTestFakeKeyEvent(d->display, alt, True, CurrentTime);
    XTestFakeKeyEvent(d->display, code, True, CurrentTime);
    XTestFakeKeyEvent(d->display, code, False, CurrentTime);
    if (key == Key::AltSpace)
        XTestFakeKeyEvent(d->display, alt, False, CurrentTime);
    XFlush(d->display);
}

void XSession::flush() {
    XSync(d->display, False);
}

void XSession::click(QPoint at, int button, int count) {
    moveTo(at);
    d->pause(40);
    for (int i = 0; i < count; ++i) {
        this->button(button, true);
        d->pause(20);
        this->button(button, false);
        if (i + 1 < count)
            d->pause(60);
    }
}

void XSession::drag(QPoint from, QPoint to) {
    moveTo(from);
    d->pause(80);
    button(1, true);
    // The press must reach the program (and a window manager's grab be
    // made) before the pointer moves on.
    d->pause(150);
    moveTo((from + to) / 2);
    d->pause(80);
    moveTo(to);
    d->pause(80);
    button(1, false);
}

void XSession::quickDrag(QPoint from, QPoint to) {
    for (const QPoint at : {from, (from + to) / 2, to}) {
        XTestFakeMotionEvent(d->display, -1, at.x(), at.y(), CurrentTime);
        if (at == from)
            XTestFakeButtonEvent(d->display, 1, True, CurrentTime);
    }
    XTestFakeButtonEvent(d->display, 1, False, CurrentTime);
    XFlush(d->display);
}

void XSession::setPause(std::function<void(int)> pause) {
    if (!pause)
        pause = [](int ms) { QTest::qWait(ms); };
    d->pause = std::move(pause);
}

std::optional<QRect> XSession::placeOf(WindowId window) const {
    XWindowAttributes attributes{};
    if (!XGetWindowAttributes(d->display, window, &attributes))
        return std::nullopt;
    int x = 0, y = 0;
    Window ignored = 0;
    XTranslateCoordinates(d->display, window, d->root, 0, 0, &x, &y, &ignored);
    return QRect(x, y, attributes.width, attributes.height);
}

bool XSession::staysWhereLetGo(WindowId window, QPoint expected, QString *why) {
    const auto place = [&] { return placeOf(window).value_or(QRect()).topLeft(); };
    const auto there = [&] { return (place() - expected).manhattanLength() <= 4; };
    const auto at = [](QPoint p) { return QStringLiteral("(%1,%2)").arg(p.x()).arg(p.y()); };
    bool arrived = there();
    for (int waited = 0; !arrived && waited < 3000; waited += 50) {
        d->pause(50);
        arrived = there();
    }
    const QString letGo = QStringLiteral("let go at %1, at %2").arg(at(expected), at(place()));
    const QPoint away = placeOf(window).value_or(QRect()).center() + QPoint(150, 100);
    for (const QPoint to : {away, away + QPoint(-60, 40)}) {
        moveTo(to);
        d->pause(150);
    }
    d->pause(400);
    *why = letGo + QStringLiteral(", then at %1 once the pointer had moved on").arg(at(place()));
    return arrived && there();
}

void XSession::sendPing(WindowId window, quint32 serial) {
    d->sendClientMessage(window, window, d->atom("WM_PROTOCOLS"),
                         {long(d->atom("_NET_WM_PING")), long(serial), long(window)}, NoEventMask);
}

QSet<quint32> XSession::takePingAnswers() {
    QSet<quint32> answers;
    const Atom protocols = d->atom("WM_PROTOCOLS");
    const Atom ping = d->atom("_NET_WM_PING");
    while (XPending(d->display)) {
        XEvent event{};
        XNextEvent(d->display, &event);
        if (event.type == ClientMessage && event.xclient.message_type == protocols &&
            Atom(event.xclient.data.l[0]) == ping)
            answers.insert(quint32(event.xclient.data.l[1]));
    }
    return answers;
}

void XSession::moveWindow(WindowId window, QPoint position) {
    XMoveWindow(d->display, window, position.x(), position.y());
    XFlush(d->display);
}

void XSession::resizeWindow(WindowId window, QSize size) {
    XResizeWindow(d->display, window, uint(size.width()), uint(size.height()));
    XFlush(d->display);
}

void XSession::requestClose(WindowId window) {
    d->sendClientMessage(window, window, d->atom("WM_PROTOCOLS"),
                         {long(d->atom("WM_DELETE_WINDOW")), CurrentTime}, NoEventMask);
}

void XSession::activate(WindowId window) {
    if (hasWindowManager()) {
        // Source 2: a pager or task bar, which the manager obeys at once.
        d->sendClientMessage(d->root, window, d->atom("_NET_ACTIVE_WINDOW"), {2, CurrentTime, 0},
                             SubstructureRedirectMask | SubstructureNotifyMask);
        return;
    }
    XMapRaised(d->display, window);
    XFlush(d->display);
}

WindowId XSession::selectionOwner(const char *selection) const {
    return XGetSelectionOwner(d->display, d->atom(selection));
}

bool XSession::hasWindowManager() const {
    const QByteArray selection = "WM_S" + QByteArray::number(DefaultScreen(d->display));
    return selectionOwner(selection.constData()) != 0;
}

qint64 XSession::windowManagerPid() const {
    const QList<unsigned long> pid =
        cardinals(d->display, d->root, d->atom("_OPENBOX_PID"), XA_CARDINAL);
    return pid.isEmpty() ? 0 : qint64(pid.first());
}

bool XSession::setScreenSize(QSize size) {
    XRRScreenResources *resources = XRRGetScreenResources(d->display, d->root);
    if (!resources || resources->noutput < 1 || resources->ncrtc < 1) {
        if (resources)
            XRRFreeScreenResources(resources);
        return false;
    }
    RRMode mode = 0;
    for (int i = 0; i < resources->nmode; ++i)
        if (int(resources->modes[i].width) == size.width() &&
            int(resources->modes[i].height) == size.height())
            mode = resources->modes[i].id;
    if (!mode) {
        QByteArray name =
            QByteArray::number(size.width()) + 'x' + QByteArray::number(size.height());
        XRRModeInfo info{};
        info.width = unsigned(size.width());
        info.height = unsigned(size.height());
        info.hTotal = info.width;
        info.vTotal = info.height;
        info.dotClock = 60UL * info.width * info.height;
        info.name = name.data();
        info.nameLength = unsigned(name.size());
        mode = XRRCreateMode(d->display, d->root, &info);
        XRRAddOutputMode(d->display, resources->outputs[0], mode);
    }
    const QSize now = screenSize();
    // The screen holds the output's mode at every step: grown before a
    // larger mode, shrunk after a smaller one.
    const QSize larger = now.expandedTo(size);
    if (larger != now)
        XRRSetScreenSize(d->display, d->root, larger.width(), larger.height(), larger.width() / 4,
                         larger.height() / 4);
    const Status status = XRRSetCrtcConfig(d->display, resources, resources->crtcs[0], CurrentTime,
                                           0, 0, mode, RR_Rotate_0, resources->outputs, 1);
    XRRSetScreenSize(d->display, d->root, size.width(), size.height(), size.width() / 4,
                     size.height() / 4);
    XRRFreeScreenResources(resources);
    XSync(d->display, False);
    return status == RRSetConfigSuccess && screenSize() == size;
}

} // namespace monkey
