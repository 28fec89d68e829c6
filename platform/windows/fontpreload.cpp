// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up's font work: none on Windows, where the fonts come from the
// system's font service and the bundled font is all the windows ask for.
#include "platform/fonts.h"

namespace platform {

FontPreload::FontPreload() = default;

FontPreload::~FontPreload() {
    wait();
}

void FontPreload::listFonts() {}

void FontPreload::wait() {
    if (worker_.joinable())
        worker_.join();
}

} // namespace platform
