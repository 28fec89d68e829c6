// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up: the application object made ready for the program's windows.
#pragma once

#include "platform/allocator.h"
#include "platform/fonts.h"

#include <QApplication>

namespace app {

// Qt's own texts (standard buttons, stock dialogs) in Arabic, as the rest of
// the program speaks, from Qt's translations where the system keeps them
// (read when Qt first asks for one of its texts); without them those texts
// stay English. Call once.
void installQtTranslations();

// Names the program, installs its fonts, style, Qt's Arabic texts and the
// roles assistive technology sees. Call once, before the first window is
// created.
void prepareApplication(QApplication &application);

// The program's start, as main() makes it, and the benchmarks that start as
// the program does: the allocator's thresholds fixed, the font work begun on
// the second core, the application object, and the application prepared,
// its fonts once the font configuration is read.
// Going, it waits for the font work before the application object goes.
class ProgramStart {
public:
    ProgramStart(int &argc, char **argv);
    ~ProgramStart();
    ProgramStart(const ProgramStart &) = delete;
    ProgramStart &operator=(const ProgramStart &) = delete;

private:
    struct FixedAllocatorThresholds {
        FixedAllocatorThresholds() { platform::fixAllocatorThresholds(); }
    };
    FixedAllocatorThresholds allocator_; // first: before anything is allocated in bulk
    platform::FontPreload fonts_;        // it starts before the application
    QApplication application_;
};

} // namespace app
