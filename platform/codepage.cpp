// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/codepage.h"

#include "platform/charactercodec.h"

#include <QList>
#include <algorithm>

namespace platform {
namespace {

bool namesUtf8(const QByteArray &codeset) {
    const QByteArray upper = codeset.toUpper();
    return upper == "UTF-8" || upper == "UTF8";
}

} // namespace

CodePage::CodePage(QByteArray codeset) : codeset_(std::move(codeset)), utf8_(namesUtf8(codeset_)) {}

// ASCII is ASCII in every code page; beyond it each character goes through
// the system on its own, so that one it cannot express costs that character
// alone.
QByteArray CodePage::toNarrow(const QString &text) const {
    if (utf8_)
        return text.toUtf8();
    const std::unique_ptr<CharacterCodec> codec = systemCodec(codeset_);
    QByteArray narrow;
    narrow.reserve(text.size());
    for (const char32_t codePoint : text.toUcs4()) {
        if (codePoint < 0x80)
            narrow.append(static_cast<char>(codePoint));
        else if (!codec->encode(QString::fromUcs4(&codePoint, 1), narrow))
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
    const std::unique_ptr<CharacterCodec> codec = systemCodec(codeset_);
    QString wide;
    for (qsizetype at = 0; at < bytes.size();) {
        const char lead = bytes[at];
        if (static_cast<unsigned char>(lead) < 0x80) {
            wide.append(QLatin1Char(lead));
            ++at;
            continue;
        }
        const int count =
            static_cast<int>(std::clamp<qsizetype>(codec->length(lead), 1, bytes.size() - at));
        if (!codec->decode(bytes.constData() + at, count, wide))
            wide.append(QChar(0xFFFD));
        at += count;
    }
    return wide;
}

template class Service<CodePage>;

} // namespace platform
