// SPDX-License-Identifier: GPL-3.0-or-later
// The narrow code page on Windows: the system's ANSI code page (CP_ACP),
// converted by the system's own functions.
#include "platform/codepage.h"
#include "platform/charactercodec.h"

#include "platform/windows/win32calls.h"

#include <optional>

namespace platform {
namespace {

constexpr unsigned Utf8 = 65001;
constexpr unsigned Ascii = 20127;

// The code page a codeset names: "CP1256", "UTF-8", "ANSI_X3.4-1968" (the
// C locale's name for ASCII); none for a name the system has no number for.
std::optional<unsigned> codePageNamed(const QByteArray &codeset) {
    const QByteArray upper = codeset.toUpper();
    if (upper == "UTF-8" || upper == "UTF8")
        return Utf8;
    if (upper == "ANSI_X3.4-1968" || upper == "US-ASCII" || upper == "ASCII")
        return Ascii;
    bool valid = false;
    const unsigned number = upper.startsWith("CP") ? upper.mid(2).toUInt(&valid) : 0;
    return valid && number > 0 ? std::optional(number) : std::nullopt;
}

// Beyond ASCII, ASCII has nothing, whatever the system would substitute (it
// folds high bytes onto low ones); nor has a code page the system does not
// know.
class Win32Codec final : public CharacterCodec {
public:
    explicit Win32Codec(const QByteArray &codeset) : page_(codePageNamed(codeset)) {
        if (page_ == Ascii)
            page_.reset();
    }

    bool encode(const QString &character, QByteArray &narrow) override {
        return page_ && win32::encodeCharacter(*page_, character, narrow);
    }
    int length(char lead) override { return page_ ? win32::characterLength(*page_, lead) : 1; }
    bool decode(const char *bytes, int count, QString &wide) override {
        return page_ && win32::decodeCharacter(*page_, bytes, count, wide);
    }

private:
    std::optional<unsigned> page_;
};

} // namespace

std::unique_ptr<CharacterCodec> systemCodec(const QByteArray &codeset) {
    return std::make_unique<Win32Codec>(codeset);
}

CodePage &CodePage::real() {
    static CodePage system("CP" + QByteArray::number(win32::ansiCodePage()));
    return system;
}

} // namespace platform
