// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/programfolder.h"

QString App_Path() {
    return platform::Service<platform::ProgramFolder>::get().path();
}

template class platform::Service<platform::ProgramFolder>;
