// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/runtimeerror.h"

#include "platform/messagebox.h"
#include "platform/paths.h"
#include "platform/win32.h"

#include <QCoreApplication>
#include <QDir>
#include <algorithm>

namespace platform {
namespace {

struct ErrorDescription {
    int number;
    const char *arabic;
    const char *english;
};

// Every error the layer raises, by the platform's number.
constexpr ErrorDescription Descriptions[] = {
    {errors::InvalidProcedureCall, "استدعاء إجراء أو وسيط غير صالح",
     "Invalid procedure call or argument"},
    {errors::TypeMismatch, "عدم تطابق في النوع", "Type mismatch"},
    {errors::InternalError, "خطأ داخلي", "Internal error"},
    {errors::FileNotFound, "الملف غير موجود", "File not found"},
    {errors::PermissionDenied, "الإذن مرفوض: لا يُسمح للبرنامج بقراءة الملف", "Permission denied"},
    {errors::PathFileAccessError, "خطأ في الوصول إلى المسار أو الملف", "Path/File access error"},
    {errors::ObjectDoesntSupport, "الكائن لا يدعم هذه الخاصية أو الطريقة",
     "Object doesn't support this property or method"},
    {errors::WrongNumberOfArguments, "عدد الوسائط خاطئ أو تعيين خاصية غير صالح",
     "Wrong number of arguments or invalid property assignment"},
    {errors::InvalidPicture, "صورة غير صالحة", "Invalid picture"},
    {errors::InvalidWindowHandle, "مقبض نافذة غير صالح", "Invalid window handle"},
};
constexpr ErrorDescription Unknown{0, "خطأ معرّف في التطبيق", "Application-defined error"};

const ErrorDescription &describe(int number) {
    const auto *found = std::ranges::find(Descriptions, number, &ErrorDescription::number);
    return found == std::end(Descriptions) ? Unknown : *found;
}

// Unicode isolates: a path reads left to right inside a right-to-left line;
// a detail takes the direction of its first letter.
QString leftToRight(const QString &text) {
    return QChar(0x2066) + text + QChar(0x2069);
}
QString ownDirection(const QString &text) {
    return QChar(0x2068) + text + QChar(0x2069);
}

} // namespace

QString arabicDescription(int number) {
    return QString::fromUtf8(describe(number).arabic);
}

QString englishDescription(int number) {
    return QString::fromLatin1(describe(number).english);
}

RuntimeError::RuntimeError(int number, QString detail, QString file)
    : number_(number), detail_(std::move(detail)), file_(std::move(file)), what_(text().toUtf8()) {}

QString RuntimeError::nativeFile() const {
    return file_.isEmpty() ? QString() : QDir::toNativeSeparators(nativePath(file_));
}

QString RuntimeError::text() const {
    QString text =
        QStringLiteral("Run-time error '%1': %2").arg(number_).arg(englishDescription(number_));
    if (!file_.isEmpty())
        text += QStringLiteral(": '%1'").arg(nativeFile());
    if (!detail_.isEmpty())
        text += QStringLiteral(" (%1)").arg(detail_);
    return text;
}

void raise(int number, const QString &detail) {
    throw RuntimeError(number, detail);
}

void raiseForFile(int number, const QString &file, const QString &detail) {
    throw RuntimeError(number, detail, file);
}

QString runtimeErrorMessage(const RuntimeError &error) {
    QString message = QStringLiteral("خطأ في وقت التشغيل '%1':\n\n%2")
                          .arg(error.number())
                          .arg(arabicDescription(error.number()));
    if (!error.file().isEmpty())
        message += QStringLiteral("\nالملف: ") + leftToRight(error.nativeFile());
    if (!error.detail().isEmpty())
        message += QLatin1Char('\n') + ownDirection(error.detail());
    return message;
}

void reportRuntimeError(const RuntimeError &error) {
    MsgBox(runtimeErrorMessage(error), MB_OK | MB_ICONERROR, QCoreApplication::applicationName());
}

} // namespace platform
