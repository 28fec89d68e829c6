// SPDX-License-Identifier: GPL-3.0-or-later
// The few Windows types and constants the program's code is written against.
#pragma once

#include <cstdint>

using BOOL = int;
using UINT = std::uint32_t;
using DWORD = std::uint32_t;
using LONG = std::int32_t;
using HWND = std::uint32_t;  // a 32-bit window handle handed out by the window-handle table
using HICON = std::uint32_t; // a 32-bit icon handle
using HINSTANCE = std::uint32_t;
using LPCSTR = const char *;

inline constexpr BOOL FALSE = 0;
inline constexpr BOOL TRUE = 1;

// sndPlaySoundA flags
inline constexpr UINT SND_SYNC = 0x0000;
inline constexpr UINT SND_ASYNC = 0x0001;
inline constexpr UINT SND_NODEFAULT = 0x0002;
inline constexpr UINT SND_LOOP = 0x0008;

// ShellExecuteA show commands
inline constexpr int SW_SHOWNORMAL = 1;

// ShellExecuteA results: above 32 is success, 32 or less an error number.
inline constexpr HINSTANCE ShellExecuteSucceeded = 42;
inline constexpr HINSTANCE SE_ERR_FNF = 2;
inline constexpr HINSTANCE SE_ERR_NOASSOC = 31;

// Shell_NotifyIconA messages and flags
inline constexpr DWORD NIM_ADD = 0;
inline constexpr DWORD NIM_MODIFY = 1;
inline constexpr DWORD NIM_DELETE = 2;
inline constexpr UINT NIF_MESSAGE = 1;
inline constexpr UINT NIF_ICON = 2;
inline constexpr UINT NIF_TIP = 4;

// Window messages
inline constexpr UINT WM_MOUSEMOVE = 0x0200;

// Message box styles and answers
inline constexpr int MB_OK = 0x00;
inline constexpr int MB_ICONERROR = 0x10;
inline constexpr int IDOK = 1;
