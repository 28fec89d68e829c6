// SPDX-License-Identifier: GPL-3.0-or-later
// Shell_NotifyIconA: an icon with a tip in the desktop's notification area.
#pragma once

#include "platform/service.h"
#include "platform/win32.h"

#include <QString>

// The tray record in its narrow form, laid out byte for byte as the platform
// takes it: six 32-bit fields and a 64-byte tip.
struct NOTIFYICONDATAA {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    char szTip[64];
};
static_assert(sizeof(NOTIFYICONDATAA) == 88);

// The same record as the program holds it, its tip in wide characters.
struct NOTIFYICONDATA {
    DWORD cbSize;
    HWND hWnd;
    UINT uID;
    UINT uFlags;
    UINT uCallbackMessage;
    HICON hIcon;
    char16_t szTip[64];
};

namespace platform {

inline constexpr int TipLength = 64;

// Stores text in the fixed-width tip: left-aligned, cut at 64 characters,
// padded with spaces.
void setTip(NOTIFYICONDATA &record, const QString &text);
// All 64 characters of the tip.
QString tip(const NOTIFYICONDATA &record);

// The narrow copy handed to the platform: the numbers unchanged, the tip's
// 64 characters in the narrow code page, cut to 64 bytes (never inside a
// character) and, when shorter, filled up with NUL bytes.
NOTIFYICONDATAA narrowCopy(const NOTIFYICONDATA &record);
// Copies a narrow record back: the numbers unchanged, the tip's 64 bytes
// decoded and stored as by setTip.
void copyBack(const NOTIFYICONDATAA &narrow, NOTIFYICONDATA &record);

class NotificationArea {
public:
    virtual ~NotificationArea() = default;
    virtual BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATAA *data) = 0;
    static NotificationArea &real();
};

extern template class Service<NotificationArea>;

} // namespace platform

// NIM_ADD, NIM_MODIFY or NIM_DELETE for the icon that hWnd and uID name. The
// icon shows the picture of hIcon; its tip is the tip's bytes up to the first
// NUL, decoded with the narrow code page. With no notification area on the
// desktop, or a window or icon handle that names nothing, a wrong cbSize,
// adding an icon twice or changing one never added, the call returns FALSE
// and shows nothing. An icon stays until it is deleted or its window goes.
BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATAA *data);
