// SPDX-License-Identifier: GPL-3.0-or-later
// What assistive technology is told the program's own widgets are. The
// windows and the skin's labels are plain widgets to Qt, which would present
// them as fillers: a screen reader looks for a frame named by the window's
// caption, and for labels it reads out.
#pragma once

#include <QAccessible>

class QWidget;

namespace platform {

// The role the widget plays for assistive technology; give it before
// anything describes the widget (a name, a title), since Qt keeps the first
// description it makes. A widget given the role of a window plays it while
// it is a window; taken into another one (a skin's frame), it is a plain
// area of that window.
void setAccessibleRole(QWidget *widget, QAccessible::Role role);

// Lets assistive technology see those roles. Call once, with the
// application object there.
void installAccessibleRoles();

} // namespace platform
