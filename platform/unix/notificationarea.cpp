// SPDX-License-Identifier: GPL-3.0-or-later
// Shell_NotifyIconA through Qt's notification-area icon.
#include "platform/codepage.h"
#include "platform/iconhandles.h"
#include "platform/tray.h"
#include "platform/windowhandles.h"

#include <QApplication>
#include <QHash>
#include <QPointer>
#include <QSystemTrayIcon>
#include <QWidget>
#include <algorithm>
#include <memory>

namespace platform {
namespace {

// Icons on the desktop's notification area through Qt, one per window and
// identifier. Each belongs to its window and goes with it: the platform
// drops the icon of a window that has gone.
class QtNotificationArea final : public NotificationArea {
public:
    BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATAA *data) override {
        if (!data || data->cbSize != sizeof(NOTIFYICONDATAA) ||
            !qobject_cast<QApplication *>(QCoreApplication::instance()))
            return FALSE;
        QWidget *owner = findWindow(data->hWnd);
        if (!owner)
            return FALSE;
        const quint64 key = (quint64{data->hWnd} << 32) | data->uID;
        icons_.removeIf([](const auto &entry) { return entry.value().isNull(); });
        QSystemTrayIcon *icon = icons_.value(key);
        switch (message) {
        case NIM_ADD: {
            if (icon || !QSystemTrayIcon::isSystemTrayAvailable())
                return FALSE;
            auto added = std::make_unique<QSystemTrayIcon>(owner);
            if (!apply(*data, *added))
                return FALSE;
            added->show();
            icons_.insert(key, added.release());
            return TRUE;
        }
        case NIM_MODIFY:
            return icon && apply(*data, *icon) ? TRUE : FALSE;
        case NIM_DELETE:
            if (!icon)
                return FALSE;
            icons_.remove(key);
            delete icon;
            return TRUE;
        default:
            return FALSE;
        }
    }

private:
    // The callback message needs nothing here: no message reaches the
    // program's windows from the icon.
    static bool apply(const NOTIFYICONDATAA &data, QSystemTrayIcon &icon) {
        if (data.uFlags & NIF_ICON) {
            const QIcon picture = iconFromHandle(data.hIcon);
            if (picture.isNull())
                return false;
            icon.setIcon(picture);
        }
        if (data.uFlags & NIF_TIP) {
            const char *end = std::find(data.szTip, data.szTip + TipLength, '\0');
            icon.setToolTip(fromNarrow(data.szTip, end - data.szTip));
        }
        return true;
    }

    QHash<quint64, QPointer<QSystemTrayIcon>> icons_;
};

} // namespace

NotificationArea &NotificationArea::real() {
    static QtNotificationArea area;
    return area;
}

} // namespace platform
