// SPDX-License-Identifier: GPL-3.0-or-later
// Shell_NotifyIconA in a web page: a page has no notification area, so every
// request answers FALSE and shows nothing, as on a desktop without one.
#include "platform/tray.h"

namespace platform {
namespace {

class NoNotificationArea final : public NotificationArea {
public:
    BOOL Shell_NotifyIconA(DWORD, const NOTIFYICONDATAA *) override { return FALSE; }
};

} // namespace

NotificationArea &NotificationArea::real() {
    static NoNotificationArea area;
    return area;
}

} // namespace platform
