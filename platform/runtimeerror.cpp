#include "runtimeerror.h"

#include "messagebox.h"
#include "win32.h"

#include <QCoreApplication>

namespace platform {

RuntimeError::RuntimeError(int number, QString text)
    : number_(number), text_(std::move(text)), what_(runtimeErrorMessage(*this).toUtf8()) {}

void raise(int number, const QString &text) {
    throw RuntimeError(number, text);
}

QString runtimeErrorMessage(const RuntimeError &error) {
    return QStringLiteral("Run-time error '%1':\n\n%2").arg(error.number()).arg(error.text());
}

void reportRuntimeError(const RuntimeError &error) {
    MsgBox(runtimeErrorMessage(error), MB_OK | MB_ICONERROR, QCoreApplication::applicationName());
}

} // namespace platform
