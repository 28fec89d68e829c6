// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowmanager.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWindow>

#if defined(SNOMEL_HAVE_XCB) && QT_CONFIG(xcb)
#define SNOMEL_ASK_X11
#include <cstdlib>
#include <memory>
#include <xcb/xcb.h>
#endif

namespace platform {

#ifdef SNOMEL_ASK_X11
namespace {

template <class Reply> using ReplyPointer = std::unique_ptr<Reply, decltype(&std::free)>;

template <class Reply> ReplyPointer<Reply> owned(Reply *reply) {
    return ReplyPointer<Reply>(reply, &std::free);
}

// The X server's connection, where window is a native X11 window; none
// elsewhere (another window system, or a window not yet created).
xcb_connection_t *x11Connection(const QWindow *window) {
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && window && window->handle() ? x11->connection() : nullptr;
}

xcb_atom_t internAtom(xcb_connection_t *connection, const char *name) {
    const auto reply = owned(xcb_intern_atom_reply(
        connection, xcb_intern_atom(connection, 0, quint16(qstrlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
}

xcb_atom_t supportingCheckAtom(xcb_connection_t *connection) {
    static const xcb_atom_t atom = internAtom(connection, "_NET_SUPPORTING_WM_CHECK");
    return atom;
}

xcb_atom_t moveResizeAtom(xcb_connection_t *connection) {
    static const xcb_atom_t atom = internAtom(connection, "_NET_WM_MOVERESIZE");
    return atom;
}

// The window that a window's _NET_SUPPORTING_WM_CHECK names; none when it
// has no such property or is gone.
xcb_window_t checkWindowNamedBy(xcb_connection_t *connection, xcb_window_t window) {
    const auto reply = owned(xcb_get_property_reply(
        connection,
        xcb_get_property(connection, 0, window, supportingCheckAtom(connection), XCB_ATOM_WINDOW, 0,
                         1),
        nullptr));
    if (!reply || reply->type != XCB_ATOM_WINDOW || reply->format != 32 ||
        xcb_get_property_value_length(reply.get()) < int(sizeof(xcb_window_t)))
        return XCB_WINDOW_NONE;
    return *static_cast<const xcb_window_t *>(xcb_get_property_value(reply.get()));
}

bool x11WindowManagerRunning(xcb_connection_t *connection, xcb_window_t window) {
    const auto tree =
        owned(xcb_query_tree_reply(connection, xcb_query_tree(connection, window), nullptr));
    if (!tree)
        return false;
    // A manager killed leaves its announcement on the root window behind,
    // naming a window that went with it.
    const xcb_window_t check = checkWindowNamedBy(connection, tree->root);
    return check != XCB_WINDOW_NONE && checkWindowNamedBy(connection, check) == check;
}

// The desktop window manager convention's move and resize request, sent to
// the root window for the manager: start a move from a point, or call off
// the one under way.
constexpr quint32 MoveDirection = 8;
constexpr quint32 CancelDirection = 11;

bool sendMoveResize(QWindow *window, const QPoint &native, quint32 direction, bool ungrab) {
    xcb_connection_t *connection = x11Connection(window);
    if (!connection)
        return false;
    const xcb_atom_t moveResize = moveResizeAtom(connection);
    if (moveResize == XCB_ATOM_NONE)
        return false;
    const auto tree = owned(xcb_query_tree_reply(
        connection, xcb_query_tree(connection, xcb_window_t(window->winId())), nullptr));
    if (!tree)
        return false;
    constexpr quint32 FromApplication = 1;
    xcb_client_message_event_t message{};
    message.response_type = XCB_CLIENT_MESSAGE;
    message.format = 32;
    message.window = xcb_window_t(window->winId());
    message.type = moveResize;
    message.data.data32[0] = quint32(native.x());
    message.data.data32[1] = quint32(native.y());
    message.data.data32[2] = direction;
    message.data.data32[3] = XCB_BUTTON_INDEX_1;
    message.data.data32[4] = FromApplication;
    if (ungrab)
        xcb_ungrab_pointer(connection, XCB_CURRENT_TIME);
    xcb_send_event(connection, 0, tree->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char *>(&message));
    xcb_flush(connection);
    return true;
}

} // namespace
#endif

bool startWindowManagerMove(QWindow *window, const QPoint &pressedAt) {
#ifdef SNOMEL_ASK_X11
    if (!window || !window->screen())
        return false;
    // The window system's pixels: a screen keeps its top left corner in both.
    const QPoint origin = window->screen()->geometry().topLeft();
    const QPoint native = origin + (pressedAt - origin) * window->screen()->devicePixelRatio();
    // The manager takes the pointer over from the press's grab.
    return sendMoveResize(window, native, MoveDirection, /*ungrab=*/true);
#else
    Q_UNUSED(window)
    Q_UNUSED(pressedAt)
    return false;
#endif
}

void cancelWindowManagerMoveResize(QWindow *window) {
#ifdef SNOMEL_ASK_X11
    sendMoveResize(window, QPoint(), CancelDirection, /*ungrab=*/false);
#else
    Q_UNUSED(window)
#endif
}

bool leftButtonHeld(const QWindow *window) {
#ifdef SNOMEL_ASK_X11
    if (xcb_connection_t *connection = x11Connection(window)) {
        const auto pointer = owned(xcb_query_pointer_reply(
            connection, xcb_query_pointer(connection, xcb_window_t(window->winId())), nullptr));
        return pointer && (pointer->mask & XCB_BUTTON_MASK_1);
    }
#else
    Q_UNUSED(window)
#endif
    return QGuiApplication::mouseButtons().testFlag(Qt::LeftButton);
}

bool windowManagerRunning(const QWindow *window) {
#ifdef SNOMEL_ASK_X11
    if (xcb_connection_t *connection = x11Connection(window))
        return x11WindowManagerRunning(connection, xcb_window_t(window->winId()));
#else
    Q_UNUSED(window)
#endif
    return true;
}

} // namespace platform
