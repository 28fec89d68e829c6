// SPDX-License-Identifier: GPL-3.0-or-later
// One character at a time between Unicode and a narrow code page, by the
// system's own conversion: what CodePage's conversions (codepage.cpp) are
// made of. Each system's folder makes one (systemCodec).
#pragma once

#include <QByteArray>
#include <QString>
#include <memory>

namespace platform {

class CharacterCodec {
public:
    virtual ~CharacterCodec() = default;
    // Appends one character (one code point) in the code page; false when
    // the code page cannot express it.
    virtual bool encode(const QString &character, QByteArray &narrow) = 0;
    // How many bytes the character that starts with lead takes.
    virtual int length(char lead) = 0;
    // Appends the character those bytes are; false when they are none.
    virtual bool decode(const char *bytes, int count, QString &wide) = 0;
};

// The system's conversion for a codeset; one that names nothing the system
// knows converts nothing.
std::unique_ptr<CharacterCodec> systemCodec(const QByteArray &codeset);

} // namespace platform
