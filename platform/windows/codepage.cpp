// SPDX-License-Identifier: GPL-3.0-or-later
// The narrow code page on Windows: the system's ANSI code page (CP_ACP),
// converted by the system's own functions.
#include "platform/codepage.h"

#include "platform/windows/win32calls.h"

#include <QList>
#include <algorithm>
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

} // namespace

CodePage::CodePage(QByteArray codeset)
    : codeset_(std::move(codeset)), utf8_(codePageNamed(codeset_) == Utf8) {}

// ASCII is ASCII everywhere; beyond it ASCII has nothing, whatever the
// system would substitute (it folds high bytes onto low ones).
QByteArray CodePage::toNarrow(const QString &text) const {
    if (utf8_)
        return text.toUtf8();
    const std::optional<unsigned> page = codePageNamed(codeset_);
    QByteArray narrow;
    narrow.reserve(text.size());
    for (const char32_t codePoint : text.toUcs4()) {
        if (codePoint < 0x80)
            narrow.append(static_cast<char>(codePoint));
        else if (!page || *page == Ascii ||
                 !win32::encodeCharacter(*page, QString::fromUcs4(&codePoint, 1), narrow))
            narrow.append('?');
    }
    return narrow;
}

QString CodePage::fromNarrow(const char *text, qsizetype length) const {
    if (!text)
        return QString();
    const QByteArray bytes = length < 0 ? QByteArray(text) : QByteArray(text, length);
    if (utf8_)
        return QString::fromUtf8(bytes);
    const std::optional<unsigned> page = codePageNamed(codeset_);
    QString wide;
    for (qsizetype at = 0; at < bytes.size();) {
        const char lead = bytes[at];
        if (static_cast<unsigned char>(lead) < 0x80) {
            wide.append(QLatin1Char(lead));
            ++at;
            continue;
        }
        const int size = page && *page != Ascii ? win32::characterLength(*page, lead) : 1;
        const int count = static_cast<int>(std::min<qsizetype>(size, bytes.size() - at));
        if (!page || *page == Ascii ||
            !win32::decodeCharacter(*page, bytes.constData() + at, count, wide))
            wide.append(QChar(0xFFFD));
        at += count;
    }
    return wide;
}

CodePage &CodePage::real() {
    static CodePage system("CP" + QByteArray::number(win32::ansiCodePage()));
    return system;
}

} // namespace platform
