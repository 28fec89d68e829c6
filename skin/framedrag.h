// SPDX-License-Identifier: GPL-3.0-or-later
// What a skinned frame's left button is doing, from its press to its
// release, and which caption button the pointer is over. Driven by plain
// events (positions in the frame and on the screen, whether the button is
// held), on the frame's laid-out geometry; what it does to the window goes
// through FrameDrag::Window, which the frame is and a test can stand in for.
//
// - A press on a caption button holds it: drawn down while the pointer is
//   over it, clicked when let go over it. The system menu's button acts at
//   its press instead.
// - A press on the caption moves the window once the pointer has gone the
//   drag distance (a click on it does nothing, and keeps its release); a
//   press on a resizing border resizes it at once. Both go through the
//   window system's own move and resize where it offers them now, by hand
//   where not. A release that reaches the frame during a move or resize the
//   window system runs came before that began: it is called off, and the
//   window goes where the release leaves it.
// - The rest of the border, and the right and middle buttons, do nothing.
#pragma once

#include "skin/framegeometry.h"

#include <QPoint>
#include <QRect>
#include <optional>

namespace skin {

class FrameDrag {
public:
    class Window {
    public:
        virtual ~Window() = default;
        // Where the window is on the screen, and how small it may get.
        virtual QRect windowGeometry() const = 0;
        virtual QSize smallestSize() const = 0;
        virtual void moveWindow(const QPoint &topLeft) = 0;
        virtual void resizeWindow(const QRect &geometry) = 0;
        // The window system's own move (from the press, on the screen) and
        // resize; false where it offers none now.
        virtual bool startSystemMove(const QPoint &pressPosition) = 0;
        virtual bool startSystemResize(Qt::Edges edges) = 0;
        virtual void cancelSystemMoveResize() = 0;
        // A caption button was clicked.
        virtual void buttonClicked(CaptionButton button) = 0;
        // A caption button's look changed: held, let go, hovered or left.
        virtual void buttonsChanged() = 0;
        // The pointer is over an area (a HitTest code), with no button held.
        virtual void pointerOver(int hit) = 0;
    };

    // layout is the frame's, laid out again as the frame resizes.
    FrameDrag(const FrameGeometry &layout, Window &window);

    // The left button's press, the pointer's motion and the left button's
    // release, at a position in the frame and on the screen.
    void press(const QPoint &position, const QPoint &globalPosition);
    void move(const QPoint &position, const QPoint &globalPosition, bool leftButtonHeld);
    void release(const QPoint &position, const QPoint &globalPosition);
    // The pointer left the frame.
    void leave();
    // Something else took the button's release (the system menu).
    void cancel();

    // Held, with the pointer over it.
    bool isDown(CaptionButton button) const { return held_ == button && heldInside_; }
    // Under the pointer, with no button held.
    bool isHighlighted(CaptionButton button) const { return hovered_ == button && !held_; }

private:
    enum class State { Idle, WaitingRelease, PreparingMove, Moving, Resizing };

    void hover(const QPoint &position);
    void dragTo(const QPoint &globalPosition);
    void stop();

    const FrameGeometry &layout_;
    Window &window_;
    State state_ = State::Idle;
    // Moving or resizing here rather than by the window system.
    bool byHand_ = false;
    Qt::Edges edges_;
    QPoint pressPosition_; // on the screen
    QRect pressGeometry_;
    std::optional<CaptionButton> held_;
    bool heldInside_ = false;
    std::optional<CaptionButton> hovered_;
};

} // namespace skin
