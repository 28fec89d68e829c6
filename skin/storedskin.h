// SPDX-License-Identifier: GPL-3.0-or-later
// The stored skin "Web-II" as each window carries it: one stream per window,
// built from skin/webii/ at build time and embedded in the program.
#pragma once

#include "skin/skinmodel.h"

#include <QByteArray>

namespace skin {

// The byte length of every stored copy.
inline constexpr qsizetype StoredSkinSize = 249097;

// The stored stream of window Form<formNumber> (1, 2 or 3); the three copies
// differ only in their picture handles. Empty for any other number.
QByteArray storedSkinStream(int formNumber);

// The stored skin, read from Form1's copy (the three read the same apart
// from their handles). Read once and kept.
const Skin &storedSkin();

} // namespace skin
