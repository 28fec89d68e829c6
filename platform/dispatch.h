// SPDX-License-Identifier: GPL-3.0-or-later
// Late-bound calls: controls reached by dispatch identifier, with automation
// variants as arguments.
#pragma once

#include <QList>
#include <QString>
#include <cstdint>
#include <functional>
#include <variant>

namespace platform {

using DISPID = std::int32_t;

// The kinds of automation variant the program passes: a 32-bit signed
// integer and a string.
class Variant {
public:
    Variant() = default;
    explicit Variant(std::int32_t value) : value_(value) {}
    explicit Variant(QString value) : value_(std::move(value)) {}

    // The value of a VT_I4 variant; any other kind raises a type mismatch.
    std::int32_t toI4() const;
    // The value of a VT_BSTR variant; any other kind raises a type mismatch.
    const QString &toBstr() const;

private:
    std::variant<std::monostate, std::int32_t, QString> value_;
};

enum class InvokeKind { Method, PropertyGet, PropertyPut };

// A control reached late-bound. An identifier the control does not know
// raises runtime error 438; wrong arguments raise 5 or 13.
class Dispatch {
public:
    virtual ~Dispatch() = default;
    virtual Variant Invoke(DISPID dispid, InvokeKind kind, const QList<Variant> &arguments) = 0;
};

// A control's one string property, at dispatch identifier `property`: a put
// hands the new value to set, a get returns value; any other identifier or
// kind raises 438, a wrong argument count 450, a wrong type 13.
Variant invokeStringProperty(DISPID property, DISPID dispid, InvokeKind kind,
                             const QList<Variant> &arguments, const QString &value,
                             const std::function<void(const QString &)> &set);

// Checks the argument count of a call; raises runtime error 450 when it is wrong.
void expectArguments(const QList<Variant> &arguments, qsizetype count);
[[noreturn]] void raiseUnknownMember(DISPID dispid);

} // namespace platform
