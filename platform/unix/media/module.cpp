// SPDX-License-Identifier: GPL-3.0-or-later
// The media layer as a module of its own, loaded by the program on first use.
// It exports this one function and nothing else (module.map).
#include "platform/mediamodule.h"

extern "C" __attribute__((visibility("default"))) const platform::MediaModule *
snomel_media_module() {
    return &platform::mediaModule();
}
