// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/windows/win32calls.h"

#include <windows.h>

#include <algorithm>
#include <mmsystem.h>
#include <shellapi.h>
#include <vector>

namespace platform::win32 {

unsigned ansiCodePage() {
    return GetACP();
}

bool encodeCharacter(unsigned codePage, QStringView character, QByteArray &out) {
    char bytes[8];
    BOOL usedDefault = FALSE;
    const int length = WideCharToMultiByte(
        codePage, WC_NO_BEST_FIT_CHARS, reinterpret_cast<LPCWCH>(character.utf16()),
        static_cast<int>(character.size()), bytes, sizeof bytes, nullptr, &usedDefault);
    if (length <= 0 || usedDefault)
        return false;
    out.append(bytes, length);
    return true;
}

int characterLength(unsigned codePage, char lead) {
    return IsDBCSLeadByteEx(codePage, static_cast<BYTE>(lead)) ? 2 : 1;
}

bool decodeCharacter(unsigned codePage, const char *bytes, int count, QString &out) {
    wchar_t wide[4];
    const int length = MultiByteToWideChar(codePage, MB_ERR_INVALID_CHARS, bytes, count, wide, 4);
    if (length <= 0)
        return false;
    out.append(QString::fromWCharArray(wide, length));
    return true;
}

bool systemLibrariesPresent(std::initializer_list<QStringView> names) {
    return std::all_of(names.begin(), names.end(), [](QStringView name) {
        const QString terminated = name.toString();
        return LoadLibraryExW(reinterpret_cast<LPCWSTR>(terminated.utf16()), nullptr,
                              LOAD_LIBRARY_SEARCH_SYSTEM32) != nullptr;
    });
}

QString executableFile() {
    // A long path may exceed MAX_PATH: the buffer grows until the name fits.
    constexpr DWORD LongestPath = 32768;
    std::vector<wchar_t> name(MAX_PATH);
    while (name.size() <= LongestPath) {
        const DWORD length = GetModuleFileNameW(nullptr, name.data(), DWORD(name.size()));
        if (length == 0)
            return {};
        if (length < name.size())
            return QString::fromWCharArray(name.data(), int(length));
        name.resize(name.size() * 2);
    }
    return {};
}

void lowerCallingThreadPriority() {
    const HANDLE thread = GetCurrentThread();
    if (GetThreadPriority(thread) > THREAD_PRIORITY_BELOW_NORMAL)
        SetThreadPriority(thread, THREAD_PRIORITY_BELOW_NORMAL);
}

bool primaryButtonDown() {
    const int button = GetSystemMetrics(SM_SWAPBUTTON) ? VK_RBUTTON : VK_LBUTTON;
    return (GetAsyncKeyState(button) & 0x8000) != 0;
}

bool playSound(const char *soundName, unsigned flags) {
    return sndPlaySoundA(soundName, flags) != FALSE;
}

std::intptr_t shellExecute(quintptr window, const char *operation, const char *file,
                           const char *parameters, const char *directory, int showCommand) {
    const HINSTANCE result = ShellExecuteA(reinterpret_cast<HWND>(window), operation, file,
                                           parameters, directory, showCommand);
    return reinterpret_cast<std::intptr_t>(result);
}

} // namespace platform::win32
