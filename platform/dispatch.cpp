// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/dispatch.h"

#include "platform/runtimeerror.h"

namespace platform {

std::int32_t Variant::toI4() const {
    if (const auto *value = std::get_if<std::int32_t>(&value_))
        return *value;
    raise(errors::TypeMismatch);
}

const QString &Variant::toBstr() const {
    if (const auto *value = std::get_if<QString>(&value_))
        return *value;
    raise(errors::TypeMismatch);
}

Variant invokeStringProperty(DISPID property, DISPID dispid, InvokeKind kind,
                             const QList<Variant> &arguments, const QString &value,
                             const std::function<void(const QString &)> &set) {
    if (dispid == property && kind == InvokeKind::PropertyPut) {
        expectArguments(arguments, 1);
        set(arguments.first().toBstr());
        return {};
    }
    if (dispid == property && kind == InvokeKind::PropertyGet) {
        expectArguments(arguments, 0);
        return Variant(value);
    }
    raiseUnknownMember(dispid);
}

void expectArguments(const QList<Variant> &arguments, qsizetype count) {
    if (arguments.size() != count)
        raise(errors::WrongNumberOfArguments,
              QStringLiteral("%1 given, %2 expected").arg(arguments.size()).arg(count));
}

void raiseUnknownMember(DISPID dispid) {
    raise(errors::ObjectDoesntSupport,
          QStringLiteral("dispatch identifier 0x%1")
              .arg(static_cast<std::uint32_t>(dispid), 8, 16, QLatin1Char('0')));
}

} // namespace platform
