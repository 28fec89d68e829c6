// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windowhandles.h"

#include "platform/runtimeerror.h"

#include <QHash>
#include <QPointer>
#include <QWidget>

namespace platform {
namespace {

struct HandleTable {
    QHash<HWND, QPointer<QWidget>> windows;
    QHash<const QWidget *, HWND> handles;
    // Handles look like the platform's: small, non-zero, multiples of four,
    // and never used twice in a run.
    HWND next = 0x000A0010;
};

HandleTable &table() {
    static HandleTable handles;
    return handles;
}

} // namespace

HWND handleOf(QWidget *window) {
    if (!window)
        raise(errors::InvalidWindowHandle, QStringLiteral("no window"));
    HandleTable &t = table();
    if (const auto found = t.handles.constFind(window); found != t.handles.constEnd())
        return *found;
    const HWND handle = t.next;
    t.next += 4;
    t.windows.insert(handle, window);
    t.handles.insert(window, handle);
    QObject::connect(window, &QObject::destroyed, [handle, window] {
        table().windows.remove(handle);
        table().handles.remove(window);
    });
    return handle;
}

QWidget *windowFromHandle(HWND handle) {
    QWidget *window = findWindow(handle);
    if (!window)
        raise(errors::InvalidWindowHandle,
              QStringLiteral("handle 0x%1").arg(handle, 8, 16, QLatin1Char('0')));
    return window;
}

QWidget *findWindow(HWND handle) {
    return table().windows.value(handle).data();
}

} // namespace platform
