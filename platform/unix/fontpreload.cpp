// SPDX-License-Identifier: GPL-3.0-or-later
// The start-up's font work on the second core, where fonts come from
// fontconfig.
#include "platform/fonts.h"
#include "platform/threadpriority.h"

#include <QFontDatabase>
#include <QStringList>

#ifdef SNOMEL_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace platform {

FontPreload::FontPreload() {
#ifdef SNOMEL_HAVE_FONTCONFIG
    // fontconfig makes its configuration once, atomically: whoever comes
    // second uses the first one's.
    worker_ = std::thread([] {
        lowerCallingThreadPriority();
        FcInit();
    });
#endif
}

FontPreload::~FontPreload() {
    wait();
}

void FontPreload::listFonts() {
    wait();
#ifdef SNOMEL_HAVE_FONTCONFIG
    // Listing the families fills the font database, under its own lock.
    worker_ = std::thread([] {
        lowerCallingThreadPriority();
        QFontDatabase::families();
    });
#endif
}

void FontPreload::wait() {
    if (worker_.joinable())
        worker_.join();
}

} // namespace platform
