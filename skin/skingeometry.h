// SPDX-License-Identifier: GPL-3.0-or-later
// The element-rectangle rule: where an element lies in its parent, from the
// parent's size, the element's anchors (percentages of that size) and its
// offsets (pixels).
#pragma once

#include "skin/skinmodel.h"

#include <QSize>

namespace skin {

// extent × anchor / 100 in whole pixels. A product that falls between two
// pixels is floored (rounded toward negative infinity), so an edge anchored
// at 50 % of 101 pixels lies at 50 and one at −50 % lies at −51; anchors 0 and
// 100 give exact results. Works in 64 bits and saturates to the 32-bit
// range, so no stored value can overflow it.
qint32 anchorPosition(qint32 extent, qint32 anchor);

// left = W × anchor left / 100 + offset left, and so on for top (H), right
// (W) and bottom (H). The sums saturate to the 32-bit range too.
Rect elementRect(const Rect &anchors, const Rect &offset, QSize parentSize);
// The same for an element, from its m_Anchors and m_Offset.
Rect elementRect(const Element &element, QSize parentSize);

} // namespace skin
