// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/skingeometry.h"

#include <algorithm>
#include <limits>

namespace skin {
namespace {

qint32 saturate(qint64 v) {
    return qint32(std::clamp<qint64>(v, std::numeric_limits<qint32>::min(),
                                     std::numeric_limits<qint32>::max()));
}

qint64 floorDiv(qint64 numerator, qint64 denominator) {
    const qint64 q = numerator / denominator;
    return (numerator % denominator != 0 && (numerator < 0) != (denominator < 0)) ? q - 1 : q;
}

qint32 edge(qint32 extent, qint32 anchor, qint32 offset) {
    return saturate(qint64(anchorPosition(extent, anchor)) + offset);
}

} // namespace

qint32 anchorPosition(qint32 extent, qint32 anchor) {
    return saturate(floorDiv(qint64(extent) * anchor, 100));
}

Rect elementRect(const Rect &anchors, const Rect &offset, QSize parentSize) {
    const qint32 w = parentSize.width();
    const qint32 h = parentSize.height();
    return {edge(w, anchors.left, offset.left), edge(h, anchors.top, offset.top),
            edge(w, anchors.right, offset.right), edge(h, anchors.bottom, offset.bottom)};
}

Rect elementRect(const Element &element, QSize parentSize) {
    return elementRect(element.anchors(), element.offset(), parentSize);
}

} // namespace skin
