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

#include <windows.h>

#include <shellapi.h>

namespace platform::win32 {
namespace {

static_assert(sizeof(void *) != 8 || NOTIFYICONDATAA_V1_SIZE == 104,
              "the 64-bit shell's first record: handles of 64 bits, the tip at byte 40");
static_assert(sizeof(void *) != 8 || offsetof(NOTIFYICONDATAA, szTip) == 40);

// Explorer's word, to every top-level window, that it has started (again):
// after a crash or an update it knows none of the icons it showed.
UINT taskbarCreated() {
    static const UINT message = RegisterWindowMessageW(L"TaskbarCreated");
    return message;
}

// What the shell was last told of each icon it shows, by the layer's
// identifier: told again when Explorer starts again. The record holds the
// picture handed to the shell, kept while it shows it.
QHash<unsigned, NOTIFYICONDATAA> &shownIcons() {
    static QHash<unsigned, NOTIFYICONDATAA> icons;
    return icons;
}

void release(HICON picture) {
    if (picture)
        DestroyIcon(picture);
}

LRESULT CALLBACK notificationProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != 0 && message == taskbarCreated()) {
        for (NOTIFYICONDATAA &record : shownIcons())
            Shell_NotifyIconA(NIM_ADD, &record);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Where the shell sends the icon's notifications: a hidden top-level window
// of the layer's own, which handles none of them. The program asks for them
// as mouse moves of its main window and handles no mouse move; but the
// shell puts the icon's identifier (1) where a mouse move carries its
// buttons (1: the left one held), and Qt would make presses and drags of
// it. Top-level, not message-only: only top-level windows hear that
// Explorer has started again.
HWND notificationWindow() {
    static const HWND window = [] {
        const HINSTANCE instance = GetModuleHandleW(nullptr);
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = notificationProcedure;
        windowClass.hInstance = instance;
        windowClass.lpszClassName = L"snomel notification area";
        RegisterClassW(&windowClass);
        const HWND created =
            CreateWindowExW(WS_EX_TOOLWINDOW, windowClass.lpszClassName, L"", WS_POPUP, 0, 0, 0, 0,
                            nullptr, nullptr, instance, nullptr);
        // Run with raised rights, the program would not hear Explorer, which
        // runs with the user's, unless it lets the message in.
        if (created && taskbarCreated())
            ChangeWindowMessageFilterEx(created, taskbarCreated(), MSGFLT_ALLOW, nullptr);
        return created;
    }();
    return window;
}

HICON smallIcon(const QIcon &icon) {
    const QSize size(GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON));
    return icon.pixmap(size).toImage().toHICON();
}

// The shown record with what a change sends of its fields.
void update(NOTIFYICONDATAA &shown, const NOTIFYICONDATAA &change) {
    if (change.uFlags & NIF_MESSAGE)
        shown.uCallbackMessage = change.uCallbackMessage;
    if (change.uFlags & NIF_ICON) {
        release(shown.hIcon);
        shown.hIcon = change.hIcon;
    }
    if (change.uFlags & NIF_TIP)
        std::memcpy(shown.szTip, change.szTip, sizeof shown.szTip);
    shown.uFlags |= change.uFlags;
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
    if (message == NIM_ADD)
        shownIcons().insert(icon.id, record);
    else if (message == NIM_MODIFY && shownIcons().contains(icon.id))
        update(shownIcons()[icon.id], record);
    else if (message == NIM_DELETE)
        release(shownIcons().take(icon.id).hIcon);
    else
        release(picture);
    return true;
}

} // namespace platform::win32
