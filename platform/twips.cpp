// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/twips.h"

#include <QWidget>

namespace platform::twips {

int width(const QWidget *control) {
    return fromPixels(control->width());
}
int height(const QWidget *control) {
    return fromPixels(control->height());
}
void setWidth(QWidget *control, int twips) {
    control->resize(toPixels(twips), control->height());
}
void setHeight(QWidget *control, int twips) {
    control->resize(control->width(), toPixels(twips));
}
void setTop(QWidget *control, int twips) {
    control->move(control->x(), toPixels(twips));
}

} // namespace platform::twips
