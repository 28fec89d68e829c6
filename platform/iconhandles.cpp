// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/iconhandles.h"

#include <QHash>
#include <QIcon>

namespace platform {
namespace {

struct IconTable {
    QHash<HICON, QIcon> icons;
    QHash<qint64, HICON> handles; // by the icon's cache key, shared by its copies
    // Handles look like the platform's: non-zero, odd, never used twice.
    HICON next = 0x00010025;
};

IconTable &table() {
    static IconTable icons;
    return icons;
}

} // namespace

HICON iconHandleOf(const QIcon &icon) {
    if (icon.isNull())
        return 0;
    IconTable &t = table();
    if (const auto found = t.handles.constFind(icon.cacheKey()); found != t.handles.constEnd())
        return *found;
    const HICON handle = t.next;
    t.next += 2;
    t.icons.insert(handle, icon);
    t.handles.insert(icon.cacheKey(), handle);
    return handle;
}

QIcon iconFromHandle(HICON handle) {
    return table().icons.value(handle);
}

} // namespace platform
