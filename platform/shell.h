// SPDX-License-Identifier: GPL-3.0-or-later
// ShellExecuteA: hands a file or web address to the program the desktop
// has registered for it.
#pragma once

#include "platform/service.h"
#include "platform/win32.h"

namespace platform {

class Shell {
public:
    virtual ~Shell() = default;
    virtual HINSTANCE ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                                    LPCSTR directory, int showCommand) = 0;
    static Shell &real();
};

extern template class Service<Shell>;

} // namespace platform

// The narrow strings are decoded with the narrow code page. Only the "open"
// operation (or none, which means "open") is known. Returns a value above 32
// when the desktop took the address, and one of the platform's error numbers
// (32 or less) when it did not, for instance with no browser registered.
// Shows nothing of its own either way.
HINSTANCE ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                        LPCSTR directory, int showCommand);

namespace platform {

// Hands a web address (UTF-8) to the browser, as ShellExecuteA's "open" with
// the given window as its owner. The answer is not looked at: with no
// browser the press simply does nothing.
void openWebPage(HWND owner, const char *address);

} // namespace platform
