// SPDX-License-Identifier: GPL-3.0-or-later
// Applying a skin stream to a window.
#pragma once

#include <QByteArray>

class QWidget;

namespace skin {

// Draws window (a form's top-level window, or any widget inside it) in the
// skin that stream holds, from now until it closes. A stream that cannot be
// read raises a runtime error and leaves the window as it was.
void applySkin(QWidget *window, const QByteArray &stream);

} // namespace skin
