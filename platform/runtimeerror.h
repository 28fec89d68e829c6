// Runtime errors: raised by the platform layer where the platform would raise
// one, caught at the one place every event handler is entered through.
#pragma once

#include <QString>
#include <exception>
#include <utility>

namespace platform {

namespace errors {
inline constexpr int InvalidProcedureCall = 5;
inline constexpr int InternalError = 51;
inline constexpr int FileNotFound = 53;
inline constexpr int TypeMismatch = 13;
inline constexpr int ObjectDoesntSupport = 438;
inline constexpr int WrongNumberOfArguments = 450;
inline constexpr int InvalidPicture = 481;
inline constexpr int InvalidWindowHandle = 1400;
} // namespace errors

class RuntimeError : public std::exception {
public:
    RuntimeError(int number, QString text);
    int number() const { return number_; }
    const QString &text() const { return text_; }
    const char *what() const noexcept override { return what_.constData(); }

private:
    int number_;
    QString text_;
    QByteArray what_;
};

[[noreturn]] void raise(int number, const QString &text);

// The text of the error box: the error's number and its text.
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
