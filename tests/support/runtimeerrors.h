// SPDX-License-Identifier: GPL-3.0-or-later
// The runtime error a piece of code raises, by its number.
#pragma once

#include "platform/runtimeerror.h"

namespace testing {

// Runs code and returns the number of the runtime error it raised, or 0
// when it raised none.
template <class Code> int errorNumberOf(Code &&code) {
    try {
        code();
    } catch (const platform::RuntimeError &error) {
        return error.number();
    }
    return 0;
}

} // namespace testing
