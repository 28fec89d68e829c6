// SPDX-License-Identifier: GPL-3.0-or-later
// The narrow code page on Linux: the C library's locale, converted by iconv.
#include "platform/codepage.h"
#include "platform/charactercodec.h"

#include <iconv.h>
#include <langinfo.h>
#include <locale.h>
#include <optional>

namespace platform {
namespace {

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
    QByteArray codeset = nl_langinfo_l(CODESET, environment);
    freelocale(environment);
    return codeset;
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
    // iconv_open's failure is (iconv_t)-1.
    bool valid() const {
        return handle_ != reinterpret_cast<iconv_t>(-1); // NOLINT(performance-no-int-to-ptr)
    }

    // One conversion, appended to out; false when iconv cannot convert all
    // of it.
    bool convert(const QByteArray &in, QByteArray &out) {
        if (!valid())
            return false;
        iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        QByteArray buffer(in.size() * 4 + 8, Qt::Uninitialized);
        char *inPtr = const_cast<char *>(in.constData());
        size_t inLeft = static_cast<size_t>(in.size());
        char *outPtr = buffer.data();
        size_t outLeft = static_cast<size_t>(buffer.size());
        if (iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft) == static_cast<size_t>(-1))
            return false;
        if (iconv(handle_, nullptr, nullptr, &outPtr, &outLeft) == static_cast<size_t>(-1))
            return false;
        out.append(buffer.constData(), outPtr - buffer.data());
        return true;
    }

private:
    iconv_t handle_;
};

// A byte at a time: the C library's narrow code pages here are single-byte
// ones, or UTF-8, which CodePage converts by itself. Each way is opened when
// first asked for: a conversion goes one way.
class IconvCodec final : public CharacterCodec {
public:
    explicit IconvCodec(QByteArray codeset) : codeset_(std::move(codeset)) {}

    bool encode(const QString &character, QByteArray &narrow) override {
        if (!toNarrow_)
            toNarrow_.emplace(codeset_.constData(), "UTF-8");
        return toNarrow_->convert(character.toUtf8(), narrow);
    }
    int length(char) override { return 1; }
    bool decode(const char *bytes, int count, QString &wide) override {
        if (!fromNarrow_)
            fromNarrow_.emplace("UTF-8", codeset_.constData());
        QByteArray utf8;
        if (!fromNarrow_->convert(QByteArray(bytes, count), utf8))
            return false;
        wide.append(QString::fromUtf8(utf8));
        return true;
    }

private:
    QByteArray codeset_;
    std::optional<Iconv> toNarrow_;
    std::optional<Iconv> fromNarrow_;
};

} // namespace

std::unique_ptr<CharacterCodec> systemCodec(const QByteArray &codeset) {
    return std::make_unique<IconvCodec>(codeset);
}

CodePage &CodePage::real() {
    static CodePage environment(environmentCodeset());
    return environment;
}

} // namespace platform
