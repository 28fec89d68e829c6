// SPDX-License-Identifier: GPL-3.0-or-later
// What Windows does for the family's run under Wine, which hands programs
// the whole Unix environment and never restarts its shell:
//
//   windowsstart start SHORTCUT    starts the shortcut's target in its
//                                  working folder, as Explorer does, with
//                                  only the variables Windows itself sets;
//                                  prints the environment given
//   windowsstart shell-restarted   what a restarted Explorer does: it knows
//                                  none of the notification area's icons,
//                                  and tells every top-level window so
//
// Exits 0 when done, 1 with a message on standard error otherwise.
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>
#include <string>
#include <vector>

namespace {

// What Windows 10 and 11 put in a program's environment when the user
// starts it from the desktop (the system's and the user's variables, and
// what the logon adds); nothing of a Unix environment.
const wchar_t *const WindowsVariables[] = {L"ALLUSERSPROFILE",
                                           L"APPDATA",
                                           L"CommonProgramFiles",
                                           L"CommonProgramFiles(x86)",
                                           L"CommonProgramW6432",
                                           L"COMPUTERNAME",
                                           L"ComSpec",
                                           L"HOMEDRIVE",
                                           L"HOMEPATH",
                                           L"LOCALAPPDATA",
                                           L"LOGONSERVER",
                                           L"NUMBER_OF_PROCESSORS",
                                           L"OS",
                                           L"PATH",
                                           L"PATHEXT",
                                           L"PROCESSOR_ARCHITECTURE",
                                           L"PROCESSOR_IDENTIFIER",
                                           L"PROCESSOR_LEVEL",
                                           L"PROCESSOR_REVISION",
                                           L"ProgramData",
                                           L"ProgramFiles",
                                           L"ProgramFiles(x86)",
                                           L"ProgramW6432",
                                           L"PUBLIC",
                                           L"SESSIONNAME",
                                           L"SystemDrive",
                                           L"SystemRoot",
                                           L"TEMP",
                                           L"TMP",
                                           L"USERDOMAIN",
                                           L"USERNAME",
                                           L"USERPROFILE",
                                           L"windir"};

int fail(const wchar_t *what, DWORD error = GetLastError()) {
    std::fwprintf(stderr, L"windowsstart: %ls (error %lu)\n", what, error);
    return 1;
}

bool isWindowsVariable(const std::wstring &entry) {
    const std::wstring name = entry.substr(0, entry.find(L'=', 1));
    for (const wchar_t *variable : WindowsVariables)
        if (_wcsicmp(name.c_str(), variable) == 0)
            return true;
    // Wine's stand-in for the libraries this Windows has or lacks (the run
    // without Media Foundation), which Wine reads from the environment.
    return _wcsicmp(name.c_str(), L"WINEDLLOVERRIDES") == 0;
}

// This process's variables that Windows sets, as an environment block.
std::vector<wchar_t> windowsEnvironment() {
    std::vector<wchar_t> block;
    wchar_t *const own = GetEnvironmentStringsW();
    for (const wchar_t *entry = own; *entry; entry += std::wcslen(entry) + 1) {
        if (!isWindowsVariable(entry))
            continue;
        block.insert(block.end(), entry, entry + std::wcslen(entry) + 1);
        std::wprintf(L"%ls\n", entry);
    }
    FreeEnvironmentStringsW(own);
    block.push_back(L'\0');
    return block;
}

int start(const wchar_t *shortcut) {
    if (FAILED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)))
        return fail(L"COM did not start");
    IShellLinkW *link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void **>(&link))))
        return fail(L"no shell link object");
    IPersistFile *file = nullptr;
    wchar_t target[MAX_PATH] = {}, folder[MAX_PATH] = {}, arguments[1024] = {};
    const bool read =
        SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void **>(&file))) &&
        SUCCEEDED(file->Load(shortcut, STGM_READ)) &&
        SUCCEEDED(link->GetPath(target, MAX_PATH, nullptr, 0)) &&
        SUCCEEDED(link->GetWorkingDirectory(folder, MAX_PATH)) &&
        SUCCEEDED(link->GetArguments(arguments, 1024));
    if (file)
        file->Release();
    link->Release();
    if (!read || !*target)
        return fail(L"the shortcut could not be read");

    std::wstring commandLine = L"\"" + std::wstring(target) + L"\"";
    if (*arguments)
        commandLine += L" " + std::wstring(arguments);
    std::vector<wchar_t> environment = windowsEnvironment();
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(target, commandLine.data(), nullptr, nullptr, FALSE,
                        CREATE_UNICODE_ENVIRONMENT, environment.data(), *folder ? folder : nullptr,
                        &startup, &process))
        return fail(L"the shortcut's target did not start");
    std::wprintf(L"started %ls in %ls\n", target, folder);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return 0;
}

// The icons the program's notification window shows are gone from the
// shell, as from a restarted Explorer, which then says it has started.
int shellRestarted() {
    const HWND window = FindWindowW(L"snomel notification area", nullptr);
    if (!window)
        return fail(L"no program's notification window", 0);
    int removed = 0;
    for (UINT id = 1; id <= 16; ++id) {
        NOTIFYICONDATAW icon{};
        icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
        icon.hWnd = window;
        icon.uID = id;
        removed += Shell_NotifyIconW(NIM_DELETE, &icon) ? 1 : 0;
    }
    if (removed == 0)
        return fail(L"the program showed no icon", 0);
    std::wprintf(L"removed %d icon(s)\n", removed);
    const UINT taskbarCreated = RegisterWindowMessageW(L"TaskbarCreated");
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(HWND_BROADCAST, taskbarCreated, 0, 0, SMTO_ABORTIFHUNG, 5000, &result))
        return fail(L"the broadcast did not go out");
    return 0;
}

} // namespace

int wmain(int argc, wchar_t **argv) {
    if (argc == 3 && std::wcscmp(argv[1], L"start") == 0)
        return start(argv[2]);
    if (argc == 2 && std::wcscmp(argv[1], L"shell-restarted") == 0)
        return shellRestarted();
    std::fputws(L"usage: windowsstart start SHORTCUT | windowsstart shell-restarted\n", stderr);
    return 1;
}
