// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/accessibility.h"

#include <QAccessibleWidget>
#include <QVariant>
#include <QWidget>

namespace platform {
namespace {

constexpr char RoleProperty[] = "snomelAccessibleRole";

class RoleWidget final : public QAccessibleWidget {
public:
    explicit RoleWidget(QWidget *widget) : QAccessibleWidget(widget) {}

    QAccessible::Role role() const override {
        const auto role = static_cast<QAccessible::Role>(widget()->property(RoleProperty).toInt());
        if (role == QAccessible::Window && !widget()->isWindow())
            return QAccessible::Client;
        return role;
    }
};

// Qt asks the factories for each class of an object's chain, the most
// derived first: a role given answers at once, before Qt's own for a base
// class (a picture box is a QFrame, which Qt presents as a frame).
QAccessibleInterface *roleFactory(const QString &, QObject *object) {
    if (!object || !object->isWidgetType() || !object->property(RoleProperty).isValid())
        return nullptr;
    return new RoleWidget(static_cast<QWidget *>(object));
}

} // namespace

void setAccessibleRole(QWidget *widget, QAccessible::Role role) {
    widget->setProperty(RoleProperty, static_cast<int>(role));
}

void installAccessibleRoles() {
    QAccessible::installFactory(roleFactory);
}

} // namespace platform
