// SPDX-License-Identifier: GPL-3.0-or-later
// The baseline of press to first sound under Windows: a bare window that
// calls winmm's sndPlaySoundA directly on the wave file named on its command
// line, as the program does for a letter (the same flags, synchronously,
// the name in the ANSI code page), when the space bar is let go, as a push
// button clicks. The runner on the Linux side presses the key and hears the
// sound at the sink's monitor (bench/sound/wine_press_to_sound.py).
// Usage: bench_direct_sound.exe <wave file>
#include <windows.h>

#include <mmsystem.h>
#include <shellapi.h>
#include <string>

namespace {

constexpr wchar_t WindowTitle[] = L"bench_direct_sound";

std::string soundName;

std::string toAnsiCodePage(const wchar_t *wide) {
    const int length = WideCharToMultiByte(CP_ACP, 0, wide, -1, nullptr, 0, nullptr, nullptr);
    if (length <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(length), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide, -1, narrow.data(), length, nullptr, nullptr);
    narrow.resize(static_cast<std::size_t>(length - 1));
    return narrow;
}

LRESULT CALLBACK windowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_KEYUP:
        if (wParam == VK_SPACE)
            sndPlaySoundA(soundName.c_str(), SND_NODEFAULT | SND_LOOP);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
    int count = 0;
    wchar_t **arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 2) {
        MessageBoxW(nullptr, L"usage: bench_direct_sound.exe <wave file>", WindowTitle, MB_OK);
        return 2;
    }
    soundName = toAnsiCodePage(arguments[1]);
    LocalFree(arguments);

    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = windowProcedure;
    windowClass.hInstance = instance;
    windowClass.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    windowClass.lpszClassName = WindowTitle;
    if (!RegisterClassW(&windowClass))
        return 1;
    HWND window = CreateWindowW(WindowTitle, WindowTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    ShowWindow(window, show);
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
