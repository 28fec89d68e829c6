// SPDX-License-Identifier: GPL-3.0-or-later
// A display server is named by the environment (X11's DISPLAY, Wayland's
// WAYLAND_DISPLAY), or Qt is told which platform to use (QT_QPA_PLATFORM,
// offscreen for instance).
#include "platform/display.h"

#include <cstdio>
#include <cstdlib>

namespace platform {

bool checkDisplay() {
    const auto set = [](const char *name) {
        const char *value = std::getenv(name);
        return value && *value;
    };
    if (set("QT_QPA_PLATFORM") || set("DISPLAY") || set("WAYLAND_DISPLAY"))
        return true;
    std::fputs("snomel: no display to show the window on (neither DISPLAY nor WAYLAND_DISPLAY is "
               "set); to run it on a virtual display: xvfb-run -a ./snomel\n",
               stderr);
    return false;
}

} // namespace platform
