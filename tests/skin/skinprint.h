// SPDX-License-Identifier: GPL-3.0-or-later
// Readable failure output for the skin's value types in Qt Test comparisons.
#pragma once

#include "skin/skinmodel.h"

#include <QTest>

namespace skin {

inline char *toString(const Rect &r) {
    return QTest::toString(
        QStringLiteral("(%1, %2, %3, %4)").arg(r.left).arg(r.top).arg(r.right).arg(r.bottom));
}

inline char *toString(const TextStyle &s) {
    return QTest::toString(QStringLiteral("(%1, 0x%2, 0x%3, %4)")
                               .arg(s.style)
                               .arg(s.textColour, 8, 16, QLatin1Char('0'))
                               .arg(s.secondColour, 8, 16, QLatin1Char('0'))
                               .arg(s.format));
}

} // namespace skin
