// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/codepage.h"

#include <QList>
#include <cerrno>
#include <cstring>
#include <iconv.h>
#include <langinfo.h>
#include <locale.h>

namespace platform {
namespace {

bool namesUtf8(const QByteArray &codeset) {
    const QByteArray upper = codeset.toUpper();
    return upper == "UTF-8" || upper == "UTF8";
}

// The codeset the environment asks for. Qt switches LC_CTYPE of the process
// to UTF-8 when the environment names something else, so the environment's
// locale is read into a locale object of its own rather than from the
// process's current one.
QByteArray environmentCodeset() {
    locale_t environment = newlocale(LC_ALL_MASK, "", nullptr);
    if (!environment)
        environment = newlocale(LC_ALL_MASK, "C", nullptr);
    if (!environment)
        return "ANSI_X3.4-1968";
    const QByteArray codeset = nl_langinfo_l(CODESET, environment);
    freelocale(environment);
    return codeset;
}

// One conversion through iconv; false when iconv cannot convert all of it.
bool convert(iconv_t converter, const QByteArray &in, QByteArray &out) {
    iconv(converter, nullptr, nullptr, nullptr, nullptr);
    QByteArray buffer(in.size() * 4 + 8, Qt::Uninitialized);
    char *inPtr = const_cast<char *>(in.constData());
    size_t inLeft = static_cast<size_t>(in.size());
    char *outPtr = buffer.data();
    size_t outLeft = static_cast<size_t>(buffer.size());
    if (iconv(converter, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
        return false;
    if (iconv(converter, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1))
        return false;
    buffer.truncate(outPtr - buffer.data());
    out = buffer;
    return true;
}

class Iconv {
public:
    Iconv(const char *to, const char *from) : handle_(iconv_open(to, from)) {}
    ~Iconv() {
        if (valid())
            iconv_close(handle_);
    }
    Iconv(const Iconv &) = delete;
    Iconv &operator=(const Iconv &) = delete;
    bool valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }
    iconv_t handle() const { return handle_; }

private:
    iconv_t handle_;
};

} // namespace

CodePage::CodePage(QByteArray codeset) : codeset_(std::move(codeset)), utf8_(namesUtf8(codeset_)) {}

QByteArray CodePage::toNarrow(const QString &text) const {
    if (utf8_)
        return text.toUtf8();
    Iconv converter(codeset_.constData(), "UTF-8");
    QByteArray narrow;
    narrow.reserve(text.size());
    for (const char32_t codePoint : text.toUcs4()) {
        QByteArray converted;
        if (codePoint < 0x80) {
            narrow.append(static_cast<char>(codePoint));
        } else if (converter.valid() &&
                   convert(converter.handle(), QString::fromUcs4(&codePoint, 1).toUtf8(),
                           converted)) {
            narrow.append(converted);
        } else {
            narrow.append('?');
        }
    }
    return narrow;
}

QString CodePage::fromNarrow(const char *text, qsizetype length) const {
    if (!text)
        return QString();
    const QByteArray bytes = length < 0 ? QByteArray(text) : QByteArray(text, length);
    if (utf8_)
        return QString::fromUtf8(bytes);
    Iconv converter("UTF-8", codeset_.constData());
    QString wide;
    for (const char byte : bytes) {
        QByteArray converted;
        if (static_cast<unsigned char>(byte) < 0x80)
            wide.append(QLatin1Char(byte));
        else if (converter.valid() && convert(converter.handle(), QByteArray(1, byte), converted))
            wide.append(QString::fromUtf8(converted));
        else
            wide.append(QChar(0xFFFD));
    }
    return wide;
}

CodePage &CodePage::real() {
    static CodePage environment(environmentCodeset());
    return environment;
}

} // namespace platform
