// SPDX-License-Identifier: GPL-3.0-or-later
// Runtime errors: raised by the platform layer where the platform would raise
// one, caught at the one place every event handler is entered through.
#pragma once

#include <QString>
#include <exception>
#include <utility>

namespace platform {

// The platform's numbers for the errors the layer raises; what each means,
// in Arabic and in English, is one table (runtimeerror.cpp).
namespace errors {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int TypeMismatch = 13;
inline constexpr int InternalError = 51;
inline constexpr int FileNotFound = 53;
inline constexpr int PermissionDenied = 70;
inline constexpr int PathFileAccessError = 75;
inline constexpr int ObjectDoesntSupport = 438;
inline constexpr int WrongNumberOfArguments = 450;
inline constexpr int InvalidPicture = 481;
inline constexpr int InvalidWindowHandle = 1400;
} // namespace errors

// What an error number means, in Arabic for the user and in English for
// developers (RuntimeError::text(), what()); a number the table lacks gets a
// general description.
QString arabicDescription(int number);
QString englishDescription(int number);

class RuntimeError : public std::exception {
public:
    // detail: what went wrong beyond what the number says, if anything;
    // file: the file concerned, as the program named it, if any.
    explicit RuntimeError(int number, QString detail = {}, QString file = {});
    int number() const { return number_; }
    const QString &detail() const { return detail_; }
    const QString &file() const { return file_; }
    // The file as the system writes its paths, empty if there is none.
    QString nativeFile() const;
    // In English: the number's description, the file and the detail.
    QString text() const;
    const char *what() const noexcept override { return what_.constData(); }

private:
    int number_;
    QString detail_;
    QString file_;
    QByteArray what_;
};

[[noreturn]] void raise(int number, const QString &detail = {});
[[noreturn]] void raiseForFile(int number, const QString &file, const QString &detail = {});

// The text of the error box, in Arabic and read right to left: the error's
// number, what it means, the file concerned (left to right, as the system
// writes it) and the detail.
QString runtimeErrorMessage(const RuntimeError &error);

// Shows the platform's error message box for an error that left a handler.
void reportRuntimeError(const RuntimeError &error);

// Runs one event handler. A runtime error leaves the handler, is reported in
// the error box and the program goes on running: one missing file must never
// end a child's session.
template <class Handler> void invokeHandler(Handler &&handler) noexcept {
    try {
        std::forward<Handler>(handler)();
    } catch (const RuntimeError &error) {
        reportRuntimeError(error);
    } catch (const std::exception &error) {
        reportRuntimeError(
            RuntimeError(errors::InternalError, QString::fromLocal8Bit(error.what())));
    }
}

} // namespace platform
