// SPDX-License-Identifier: GPL-3.0-or-later
// Shell_NotifyIconA: shell32's own, given the system's record.
#include "platform/iconhandles.h"
#include "platform/tray.h"
#include "platform/windowhandles.h"
#include "platform/windows/win32calls.h"

#include <QHash>
#include <QIcon>
#include <QWidget>
#include <algorithm>

namespace platform {
namespace {

// The layer's icons, by the window and identifier the program gave, each
// under an identifier of its own for the shell. An icon goes with its
// window, as the platform drops the icon of a window that has gone.
class ShellNotificationArea final : public NotificationArea {
public:
    BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATAA *data) override {
        if (!data || data->cbSize != sizeof(NOTIFYICONDATAA))
            return FALSE;
        QWidget *owner = findWindow(data->hWnd);
        if (!owner)
            return FALSE;
        QIcon picture;
        if (data->uFlags & NIF_ICON) {
            picture = iconFromHandle(data->hIcon);
            if (picture.isNull())
                return FALSE;
        }
        const quint64 key = (quint64{data->hWnd} << 32) | data->uID;
        // The shell refuses an icon added twice, or changed before it was
        // added; so does the layer, without asking it.
        const auto known = shellIds_.constFind(key);
        if ((message == NIM_ADD) != (known == shellIds_.constEnd()))
            return FALSE;
        const unsigned shellId = known != shellIds_.constEnd() ? *known : nextShellId_;
        const char *tipEnd = std::find(data->szTip, data->szTip + TipLength, '\0');
        const win32::TrayIcon icon{shellId, data->uFlags, data->uCallbackMessage, &picture,
                                   QByteArray(data->szTip, tipEnd - data->szTip)};
        if (!win32::notifyIcon(message, icon))
            return FALSE;
        if (message == NIM_ADD) {
            shellIds_.insert(key, shellId);
            ++nextShellId_;
            QObject::connect(owner, &QObject::destroyed, [this, key] { remove(key); });
        } else if (message == NIM_DELETE) {
            shellIds_.remove(key);
        }
        return TRUE;
    }

private:
    void remove(quint64 key) {
        if (const auto shellId = shellIds_.take(key))
            win32::notifyIcon(NIM_DELETE, win32::TrayIcon{shellId, 0, 0, nullptr, {}});
    }

    QHash<quint64, unsigned> shellIds_;
    unsigned nextShellId_ = 1;
};

} // namespace

NotificationArea &NotificationArea::real() {
    static ShellNotificationArea area;
    return area;
}

} // namespace platform
