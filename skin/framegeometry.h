// SPDX-License-Identifier: GPL-3.0-or-later
// Where the pieces of a skinned frame lie at one size: the window element
// "Form" laid out by the rectangle rule, the caption buttons the window
// shows, the caption text's place, and which area a point falls on. A value
// made from the element tree, the skin's margins, the window's caption
// buttons and a size; it needs no widget.
//
// - A caption button is a Button whose m_Type is a button code below; one
//   the window does not have is neither hit nor drawn.
// - The caption text element is the Static of m_Type −1000. The title keeps
//   clear of the caption buttons shown and stays centred on the frame.
// - A point on a Static whose m_Type is a hit-test code gets that code (the
//   last such piece in stream order wins); the caption text gives
//   HtCaption. Elsewhere the top margin is caption, the rest border.
#pragma once

#include "skin/skinmodel.h"

#include <QList>
#include <QMargins>
#include <QRect>
#include <initializer_list>
#include <optional>

namespace skin {

// The hit-test codes of a window's areas.
enum HitTest : int {
    HtNowhere = 0,
    HtClient = 1,
    HtCaption = 2,
    HtSysMenu = 3,
    HtMinButton = 8,
    HtMaxButton = 9,
    HtLeft = 10,
    HtRight = 11,
    HtBottom = 15,
    HtBottomLeft = 16,
    HtBottomRight = 17,
    HtBorder = 18,
    HtClose = 20,
};

// The edges a resize code drags; none for any other code.
Qt::Edges edgesOf(int hit);

// The m_Type of a caption button.
enum class CaptionButton { Close = 1, Maximise = 4, Minimise = 5, SystemMenu = 7 };

// The caption buttons a window has.
class CaptionButtons {
public:
    constexpr CaptionButtons() = default;
    constexpr CaptionButtons(std::initializer_list<CaptionButton> buttons) {
        for (CaptionButton button : buttons)
            bits_ |= bit(button);
    }
    // Close and the system menu always; minimise and maximise as the
    // window's hints say.
    static CaptionButtons of(Qt::WindowFlags flags);

    constexpr bool contains(CaptionButton button) const { return (bits_ & bit(button)) != 0; }

private:
    static constexpr unsigned bit(CaptionButton button) { return 1U << unsigned(button); }
    unsigned bits_ = 0;
};

// One element of the window element's tree, laid out at the frame's size.
struct FramePiece {
    const Element *element;
    QRect rect; // in frame coordinates
};

class FrameGeometry {
public:
    FrameGeometry() = default;
    // The pieces point into form's tree, which must outlive the geometry.
    FrameGeometry(const Element &form, QMargins margins, CaptionButtons buttons, QSize size);

    QSize size() const { return size_; }
    QRect clientArea() const { return QRect(QPoint(), size_).marginsRemoved(margins_); }
    // Every visible element, parents before their children, in stream order.
    const QList<FramePiece> &pieces() const { return pieces_; }

    bool hasButton(CaptionButton button) const { return buttons_.contains(button); }
    // Where a caption button is; null when the window does not show it.
    QRect buttonRect(CaptionButton button) const;
    // The caption button shown at a point, the topmost if they overlap.
    std::optional<CaptionButton> buttonAt(const QPoint &position) const;
    // Where the window's title is written; null when there is no room.
    QRect captionTextRect() const;
    // The area of the frame at a point (a HitTest code, or a skin's own).
    int hitTest(const QPoint &position) const;

    static bool isCaptionText(const Element &element);
    static bool isCaptionButton(const Element &element);

private:
    QMargins margins_;
    CaptionButtons buttons_;
    QSize size_;
    QList<FramePiece> pieces_;
};

} // namespace skin
