// SPDX-License-Identifier: GPL-3.0-or-later
// What Windows' shell does when it starts again (after a crash or an
// update), which Wine's never does: it knows none of the icons the
// notification area showed, and tells every top-level window that it has
// started. For scripts/test-windows, which then looks for the program's
// icon in the notification area again. Exits 0 when done, 1 otherwise.
#include <windows.h>

#include <cstdio>
#include <shellapi.h>

int main() {
    // The program's notification window, and the icons it shows: gone.
    const HWND window = FindWindowW(L"snomel notification area", nullptr);
    int removed = 0;
    for (UINT id = 1; window && id <= 16; ++id) {
        NOTIFYICONDATAW icon{};
        icon.cbSize = NOTIFYICONDATAW_V1_SIZE;
        icon.hWnd = window;
        icon.uID = id;
        removed += Shell_NotifyIconW(NIM_DELETE, &icon) ? 1 : 0;
    }
    if (removed == 0) {
        std::fputs("shellrestart: the program shows no icon in the notification area\n", stderr);
        return 1;
    }
    DWORD_PTR result = 0;
    if (!SendMessageTimeoutW(HWND_BROADCAST, RegisterWindowMessageW(L"TaskbarCreated"), 0, 0,
                             SMTO_ABORTIFHUNG, 5000, &result)) {
        std::fputs("shellrestart: the shell's word did not go out\n", stderr);
        return 1;
    }
    std::printf("shellrestart: %d icon(s) forgotten, the shell's start told\n", removed);
    return 0;
}
