// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/tray.h"

#include "platform/codepage.h"

#include <QList>
#include <algorithm>
#include <cstring>

namespace platform {

void setTip(NOTIFYICONDATA &record, const QString &text) {
    const QString fitted = text.left(TipLength).leftJustified(TipLength, QLatin1Char(' '));
    std::copy_n(fitted.utf16(), TipLength, record.szTip);
}

QString tip(const NOTIFYICONDATA &record) {
    return QString::fromUtf16(record.szTip, TipLength);
}

namespace {
// Every field but the tip, which the two forms hold in different widths.
template <class From, class To> void copyAllButTip(const From &from, To &to) {
    to.cbSize = from.cbSize;
    to.hWnd = from.hWnd;
    to.uID = from.uID;
    to.uFlags = from.uFlags;
    to.uCallbackMessage = from.uCallbackMessage;
    to.hIcon = from.hIcon;
}
} // namespace

NOTIFYICONDATAA narrowCopy(const NOTIFYICONDATA &record) {
    NOTIFYICONDATAA narrow{};
    copyAllButTip(record, narrow);
    // Character by character, so that a character that does not fit whole
    // is left out rather than cut.
    qsizetype used = 0;
    for (const char32_t codePoint : tip(record).toUcs4()) {
        const QByteArray bytes = toNarrow(QString::fromUcs4(&codePoint, 1));
        if (used + bytes.size() > TipLength)
            break;
        std::memcpy(narrow.szTip + used, bytes.constData(), static_cast<size_t>(bytes.size()));
        used += bytes.size();
    }
    return narrow;
}

void copyBack(const NOTIFYICONDATAA &narrow, NOTIFYICONDATA &record) {
    copyAllButTip(narrow, record);
    setTip(record, fromNarrow(narrow.szTip, TipLength));
}

template class Service<NotificationArea>;

} // namespace platform

BOOL Shell_NotifyIconA(DWORD message, const NOTIFYICONDATAA *data) {
    return platform::Service<platform::NotificationArea>::get().Shell_NotifyIconA(message, data);
}
