// SPDX-License-Identifier: GPL-3.0-or-later
#include "skin/framedrag.h"

#include <QApplication>

namespace skin {

FrameDrag::FrameDrag(const FrameGeometry &layout, Window &window)
    : layout_(layout), window_(window) {}

void FrameDrag::press(const QPoint &position, const QPoint &globalPosition) {
    state_ = State::WaitingRelease;
    held_ = layout_.buttonAt(position);
    pressPosition_ = globalPosition;
    pressGeometry_ = window_.windowGeometry();
    if (held_) {
        heldInside_ = true;
        window_.buttonsChanged();
        if (*held_ == CaptionButton::SystemMenu)
            window_.buttonClicked(CaptionButton::SystemMenu);
        return;
    }
    const int hit = layout_.hitTest(position);
    if (hit == HtCaption) {
        // The move waits for the pointer to go somewhere: started now, the
        // window system would take a click's release.
        state_ = State::PreparingMove;
    } else if (const Qt::Edges edges = edgesOf(hit)) {
        state_ = State::Resizing;
        edges_ = edges;
        byHand_ = !window_.startSystemResize(edges);
    }
}

void FrameDrag::move(const QPoint &position, const QPoint &globalPosition, bool leftButtonHeld) {
    // A move or resize by the window system, or a menu, took the release.
    if (!leftButtonHeld && state_ != State::Idle)
        stop();
    switch (state_) {
    case State::Idle:
        hover(position);
        break;
    case State::WaitingRelease:
        if (!held_) {
            hover(position);
        } else if (layout_.buttonRect(*held_).contains(position) != heldInside_) {
            heldInside_ = !heldInside_;
            window_.buttonsChanged();
        }
        break;
    case State::PreparingMove:
        if ((globalPosition - pressPosition_).manhattanLength() < QApplication::startDragDistance())
            break;
        state_ = State::Moving;
        byHand_ = !window_.startSystemMove(pressPosition_);
        if (byHand_)
            dragTo(globalPosition);
        break;
    case State::Moving:
    case State::Resizing:
        if (byHand_)
            dragTo(globalPosition);
        break;
    }
}

void FrameDrag::release(const QPoint &position, const QPoint &globalPosition) {
    if ((state_ == State::Moving || state_ == State::Resizing) && !byHand_) {
        window_.cancelSystemMoveResize();
        dragTo(globalPosition);
    }
    state_ = State::Idle;
    if (!held_ || *held_ == CaptionButton::SystemMenu)
        return;
    const CaptionButton button = *held_;
    const bool inside = layout_.buttonRect(button).contains(position);
    held_.reset();
    window_.buttonsChanged();
    if (inside)
        window_.buttonClicked(button);
}

void FrameDrag::leave() {
    if (hovered_) {
        hovered_.reset();
        window_.buttonsChanged();
    }
}

void FrameDrag::cancel() {
    stop();
    window_.buttonsChanged();
}

void FrameDrag::stop() {
    state_ = State::Idle;
    held_.reset();
}

void FrameDrag::hover(const QPoint &position) {
    const std::optional<CaptionButton> hovered = layout_.buttonAt(position);
    if (hovered != hovered_) {
        hovered_ = hovered;
        window_.buttonsChanged();
    }
    window_.pointerOver(layout_.hitTest(position));
}

void FrameDrag::dragTo(const QPoint &globalPosition) {
    const QPoint delta = globalPosition - pressPosition_;
    if (state_ == State::Moving) {
        window_.moveWindow(pressGeometry_.topLeft() + delta);
        return;
    }
    QRect geometry = pressGeometry_;
    const QSize minimum = window_.smallestSize();
    if (edges_ & Qt::LeftEdge)
        geometry.setLeft(qMin(geometry.left() + delta.x(), geometry.right() + 1 - minimum.width()));
    if (edges_ & Qt::RightEdge)
        geometry.setRight(
            qMax(geometry.right() + delta.x(), geometry.left() + minimum.width() - 1));
    if (edges_ & Qt::BottomEdge)
        geometry.setBottom(
            qMax(geometry.bottom() + delta.y(), geometry.top() + minimum.height() - 1));
    window_.resizeWindow(geometry);
}

} // namespace skin
