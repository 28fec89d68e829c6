// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/framegeometry.h"

#include "skin/skingeometry.h"

namespace skin {
namespace {

// The m_Type of the element that carries the caption text.
constexpr qint32 CaptionTextType = -1000;

int hitCodeOf(CaptionButton button) {
    switch (button) {
    case CaptionButton::Close:
        return HtClose;
    case CaptionButton::Maximise:
        return HtMaxButton;
    case CaptionButton::Minimise:
        return HtMinButton;
    case CaptionButton::SystemMenu:
        return HtSysMenu;
    }
    return HtNowhere;
}

void addPieces(const Element &parent, const QRect &parentRect, QList<FramePiece> &pieces) {
    for (const Element &child : parent.children) {
        if (!child.isVisible())
            continue;
        const QRect rect =
            elementRect(child, parentRect.size()).toQRect().translated(parentRect.topLeft());
        pieces.append({&child, rect});
        addPieces(child, rect, pieces);
    }
}

} // namespace

Qt::Edges edgesOf(int hit) {
    switch (hit) {
    case HtLeft:
        return Qt::LeftEdge;
    case HtRight:
        return Qt::RightEdge;
    case HtBottom:
        return Qt::BottomEdge;
    case HtBottomLeft:
        return Qt::BottomEdge | Qt::LeftEdge;
    case HtBottomRight:
        return Qt::BottomEdge | Qt::RightEdge;
    default:
        return {};
    }
}

CaptionButtons CaptionButtons::of(Qt::WindowFlags flags) {
    CaptionButtons buttons{CaptionButton::Close, CaptionButton::SystemMenu};
    if (flags.testFlag(Qt::WindowMinimizeButtonHint))
        buttons.bits_ |= bit(CaptionButton::Minimise);
    if (flags.testFlag(Qt::WindowMaximizeButtonHint))
        buttons.bits_ |= bit(CaptionButton::Maximise);
    return buttons;
}

FrameGeometry::FrameGeometry(const Element &form, QMargins margins, CaptionButtons buttons,
                             QSize size)
    : margins_(margins), buttons_(buttons), size_(size) {
    addPieces(form, QRect(QPoint(), size), pieces_);
}

bool FrameGeometry::isCaptionText(const Element &element) {
    return element.kind == ElementKind::Static && element.type() == CaptionTextType;
}

bool FrameGeometry::isCaptionButton(const Element &element) {
    if (element.kind != ElementKind::Button)
        return false;
    switch (element.type().value_or(0)) {
    case int(CaptionButton::Close):
    case int(CaptionButton::Maximise):
    case int(CaptionButton::Minimise):
    case int(CaptionButton::SystemMenu):
        return true;
    default:
        return false;
    }
}

QRect FrameGeometry::buttonRect(CaptionButton button) const {
    if (!hasButton(button))
        return {};
    for (const FramePiece &piece : pieces_) {
        if (isCaptionButton(*piece.element) && piece.element->type() == int(button))
            return piece.rect;
    }
    return {};
}

std::optional<CaptionButton> FrameGeometry::buttonAt(const QPoint &position) const {
    for (auto it = pieces_.crbegin(); it != pieces_.crend(); ++it) {
        if (!isCaptionButton(*it->element) || !it->rect.contains(position))
            continue;
        const auto button = CaptionButton(*it->element->type());
        if (hasButton(button))
            return button;
    }
    return std::nullopt;
}

QRect FrameGeometry::captionTextRect() const {
    for (const FramePiece &piece : pieces_) {
        if (!isCaptionText(*piece.element))
            continue;
        // Keep clear of the caption buttons shown, and centred on the window.
        const QRect strip = piece.rect;
        int left = strip.left();
        int right = strip.right();
        for (const FramePiece &other : pieces_) {
            if (!isCaptionButton(*other.element) ||
                !hasButton(CaptionButton(*other.element->type())) || !other.rect.intersects(strip))
                continue;
            if (other.rect.center().x() > strip.center().x())
                right = qMin(right, other.rect.left() - 1);
            else
                left = qMax(left, other.rect.right() + 1);
        }
        const int centre = size_.width() / 2;
        const int half = qMin(centre - left, right + 1 - centre);
        if (half <= 0)
            return {};
        return QRect(centre - half, strip.top(), 2 * half, strip.height());
    }
    return {};
}

int FrameGeometry::hitTest(const QPoint &position) const {
    if (!QRect(QPoint(), size_).contains(position))
        return HtNowhere;
    if (const std::optional<CaptionButton> button = buttonAt(position))
        return hitCodeOf(*button);
    if (clientArea().contains(position))
        return HtClient;
    for (auto it = pieces_.crbegin(); it != pieces_.crend(); ++it) {
        const Element &element = *it->element;
        if (element.kind != ElementKind::Static || !it->rect.contains(position))
            continue;
        const qint32 type = element.type().value_or(0);
        if (type == CaptionTextType)
            return HtCaption;
        if (type > 0)
            return type;
    }
    return position.y() < margins_.top() ? HtCaption : HtBorder;
}

} // namespace skin
