// SPDX-License-Identifier: GPL-3.0-or-later
// ShellExecuteA: shell32's own.
#include "platform/shell.h"
#include "platform/windowhandles.h"
#include "platform/windows/win32calls.h"

#include <QWidget>
#include <algorithm>
#include <cstdint>
#include <limits>

namespace platform {
namespace {

// The system window behind one of the layer's handles; none for a handle
// that names no window: the shell takes none as well.
quintptr nativeWindow(HWND handle) {
    QWidget *window = handle == 0 ? nullptr : findWindow(handle);
    return window ? window->winId() : 0;
}

class Shell32 final : public Shell {
public:
    HINSTANCE ShellExecuteA(HWND owner, LPCSTR operation, LPCSTR file, LPCSTR parameters,
                            LPCSTR directory, int showCommand) override {
        const std::intptr_t result = win32::shellExecute(nativeWindow(owner), operation, file,
                                                         parameters, directory, showCommand);
        // Only whether it is above 32 means anything: kept within 32 bits.
        constexpr std::intptr_t Widest = std::numeric_limits<HINSTANCE>::max();
        return static_cast<HINSTANCE>(std::clamp<std::intptr_t>(result, 0, Widest));
    }
};

} // namespace

Shell &Shell::real() {
    static Shell32 shell;
    return shell;
}

} // namespace platform
