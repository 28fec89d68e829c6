// SPDX-License-Identifier: GPL-3.0-or-later
// The program folder: the folder that holds the running executable.
#pragma once

#include "platform/service.h"

#include <QString>

namespace platform {

class ProgramFolder {
public:
    virtual ~ProgramFolder() = default;
    // As the platform reports it: no separator at the end, except at the root.
    virtual QString path() const = 0;
    static ProgramFolder &real();
};

extern template class Service<ProgramFolder>;

} // namespace platform

// The program folder, read afresh on every call.
QString App_Path();
