// SPDX-License-Identifier: GPL-3.0-or-later
// The system's narrow ("ANSI") code page: the codeset of the C library's
// locale as the environment sets it. Text for functions with a narrow
// interface is converted to it just before the call.
#pragma once

#include "platform/service.h"

#include <QByteArray>
#include <QString>

namespace platform {

class CodePage {
public:
    explicit CodePage(QByteArray codeset);
    const QByteArray &codeset() const { return codeset_; }
    bool isUtf8() const { return utf8_; }

    // A character the code page cannot express becomes '?', as the
    // platform's own conversion does.
    QByteArray toNarrow(const QString &text) const;
    // Bytes that are not valid in the code page become U+FFFD.
    QString fromNarrow(const char *text, qsizetype length = -1) const;

    // The environment's code page (LC_ALL, LC_CTYPE, LANG), read once.
    static CodePage &real();

private:
    QByteArray codeset_;
    bool utf8_;
};

extern template class Service<CodePage>;

inline QByteArray toNarrow(const QString &text) {
    return Service<CodePage>::get().toNarrow(text);
}
inline QString fromNarrow(const char *text, qsizetype length = -1) {
    return Service<CodePage>::get().fromNarrow(text, length);
}

} // namespace platform
