// Writing a skin::Skin as a skin stream. What skin::readSkinStream() read
// comes back byte for byte, unknown properties and picture handles included.
#pragma once

#include "skinmodel.h"

#include <QByteArray>

namespace skin {

QByteArray writeSkinStream(const Skin &skin);

} // namespace skin
