// SPDX-License-Identifier: GPL-3.0-or-later
// The Windows functions the layer calls, behind plain C++ types. The
// system's headers declare HWND, HICON, BOOL, DWORD, TRUE and the rest
// otherwise than the program's own platform/win32.h does, so the files that
// include <windows.h> (win32calls.cpp, win32tray.cpp) are a library of their
// own that sees none of the program's headers, and this header names none
// of the system's types.
#pragma once

#include <QByteArray>
#include <QString>
#include <QStringView>
#include <QtGlobal>
#include <cstdint>
#include <initializer_list>

class QIcon;

namespace platform::win32 {

// GetACP: the system's ANSI code page.
unsigned ansiCodePage();

// One character (one code point, as UTF-16) in a code page, appended to
// out; false when the code page cannot express it (WideCharToMultiByte, no
// best-fit substitutes).
bool encodeCharacter(unsigned codePage, QStringView character, QByteArray &out);
// How many bytes the character that starts with lead takes in the code
// page: 2 for a lead byte of a double-byte code page, else 1.
int characterLength(unsigned codePage, char lead);
// The bytes of one character decoded, appended to out; false when they are
// not valid in the code page (MultiByteToWideChar).
bool decodeCharacter(unsigned codePage, const char *bytes, int count, QString &out);

// Whether every one of the system's libraries named loads from the system
// folder (LoadLibraryExW); those that load stay loaded.
bool systemLibrariesPresent(std::initializer_list<QStringView> names);

// GetModuleFileNameW: the running executable, as the system names it.
QString executableFile();

// Lowers the calling thread below the normal priority (SetThreadPriority).
void lowerCallingThreadPriority();

// Whether the primary (left, unless the user swapped them) mouse button is
// down at this moment (GetAsyncKeyState, which reads the physical buttons).
bool primaryButtonDown();

// sndPlaySoundA from winmm, as it is.
bool playSound(const char *soundName, unsigned flags);

// ShellExecuteA from shell32, as it is; window is a native window or 0.
std::intptr_t shellExecute(quintptr window, const char *operation, const char *file,
                           const char *parameters, const char *directory, int showCommand);

// One icon in the notification area, as Shell_NotifyIconA is given it.
struct TrayIcon {
    unsigned id;              // unique among the layer's icons
    unsigned flags;           // NIF_MESSAGE, NIF_ICON, NIF_TIP
    unsigned callbackMessage; // with NIF_MESSAGE
    const QIcon *icon;        // with NIF_ICON
    QByteArray tip;           // with NIF_TIP: narrow text, no NUL
};

// Shell_NotifyIconA from shell32 with NIM_ADD (0), NIM_MODIFY (1) or
// NIM_DELETE (2) for an icon; the shell's answer.
bool notifyIcon(unsigned message, const TrayIcon &icon);

} // namespace platform::win32
