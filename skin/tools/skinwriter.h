// SPDX-License-Identifier: GPL-3.0-or-later
// Writing a skin::Skin as a skin stream. What skin::readSkinStream() read
// comes back byte for byte, unknown properties and picture handles included.
#pragma once

#include "skin/skinmodel.h"

#include <QByteArray>

#include <optional>

namespace skin {

// The bytes of a skin as they are; a skin made in code may give a stream
// the reader rejects.
QByteArray writeSkinStream(const Skin &skin);

// The stream of a skin that reads back as that same skin. A skin that
// would not (elements nested deeper than MaxElementDepth, anything else the
// reader rejects or reads as another skin) gives nullopt and the reason in
// *error: what makes streams for others to read never hands on one that
// cannot be read.
std::optional<QByteArray> writeReadableSkinStream(const Skin &skin, QString *error);

} // namespace skin
