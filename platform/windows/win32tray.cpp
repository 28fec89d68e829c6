// SPDX-License-Identifier: GPL-3.0-or-later
// Shell_NotifyIconA with the system's own record.
//
// The program's narrow record is the 32-bit one: six 32-bit fields and the
// 64-byte tip, 88 bytes. A 64-bit shell32 reads another layout: the window
// and icon handles are 64 bits wide and aligned, so the tip starts at byte
// 40 and the first version of the record is 104 bytes. The layer fills the
// system's record from the program's, field by field.
#include "platform/windows/win32calls.h"

#include <QGuiApplication>
#include <QHash>
#include <QIcon>
#include <QImage>
#include <QPixmap>
#include <algorithm>
#include <cstddef>
#include <cstring>
#include <utility>

#include <windows.h>

#include <shellapi.h>

namespace platform::win32 {
namespace {

static_assert(sizeof(void *) != 8 || NOTIFYICONDATAA_V1_SIZE == 104,
              "the 64-bit shell's first record: handles of 64 bits, the tip at byte 40");
static_assert(sizeof(void *) != 8 || offsetof(NOTIFYICONDATAA, szTip) == 40);

// Where the shell sends the icon's notifications: a message-only window of
// the layer's own, which handles none of them. The program asks for them as
// mouse moves of its main window and handles no mouse move; but the shell
// puts the icon's identifier (1) where a mouse move carries its buttons
// (1: the left one held), and Qt would make presses and drags of it.
HWND notificationWindow() {
    static const HWND window =
        CreateWindowExW(0, L"STATIC", L"snomel notification area", 0, 0, 0, 0, 0, HWND_MESSAGE,
                        nullptr, GetModuleHandleW(nullptr), nullptr);
    return window;
}

// The picture handed to the shell for each icon, kept while it shows it.
QHash<unsigned, HICON> &shownPictures() {
    static QHash<unsigned, HICON> pictures;
    return pictures;
}

HICON smallIcon(const QIcon &icon) {
    const QSize size(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    return icon.pixmap(size).toImage().toHICON();
}

void release(HICON picture) {
    if (picture)
        DestroyIcon(picture);
}

} // namespace

bool notifyIcon(unsigned message, const TrayIcon &icon) {
    NOTIFYICONDATAA record{};
    record.cbSize = NOTIFYICONDATAA_V1_SIZE;
    record.hWnd = notificationWindow();
    record.uID = icon.id;
    record.uFlags = icon.flags & (NIF_MESSAGE | NIF_ICON | NIF_TIP);
    record.uCallbackMessage = icon.callbackMessage;
    HICON picture = nullptr;
    if ((record.uFlags & NIF_ICON) && icon.icon) {
        picture = smallIcon(*icon.icon);
        record.hIcon = picture;
    }
    if (record.uFlags & NIF_TIP) {
        const auto length = std::min<qsizetype>(icon.tip.size(), sizeof record.szTip - 1);
        std::memcpy(record.szTip, icon.tip.constData(), size_t(length));
    }
    if (!record.hWnd || !Shell_NotifyIconA(message, &record)) {
        release(picture);
        return false;
    }
    if (message == NIM_DELETE)
        release(shownPictures().take(icon.id));
    else if (picture)
        release(std::exchange(shownPictures()[icon.id], picture));
    return true;
}

} // namespace platform::win32
