// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowmanager.h"

#include <QGuiApplication>
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

xcb_atom_t supportingCheckAtom(xcb_connection_t *connection) {
    static const char name[] = "_NET_SUPPORTING_WM_CHECK";
    static const xcb_atom_t atom = [&] {
        const auto reply = owned(xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr));
        return reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    }();
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

} // namespace
#endif

bool windowManagerRunning(const QWindow *window) {
#ifdef SNOMEL_ASK_X11
    if (auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
        x11 && window && window->handle())
        return x11WindowManagerRunning(x11->connection(), xcb_window_t(window->winId()));
#else
    Q_UNUSED(window)
#endif
    return true;
}

} // namespace platform
