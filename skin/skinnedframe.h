// SPDX-License-Identifier: GPL-3.0-or-later
// The frame a skin puts around a window: a frameless top-level window that
// holds the window's client area at the skin's margins and draws the window
// element "Form" around it at the frame's current size (laid out by
// FrameGeometry): caption strip, caption text, caption buttons and borders.
//
// - The caption text element shows the client's window title in its text
//   style's colour.
// - Caption buttons: the close button closes the window; the minimise button
//   minimises it and appears only on a window that has one; the maximise
//   button appears only on a window that has one (none of the program's
//   windows has); the system-menu button shows the window's icon and opens
//   its menu (Minimise where the window has it, Close). A button with no
//   picture of its own for a state borrows m_Normal's; while held it is
//   drawn pressed (its own m_Pressed picture, or m_Normal sunk by a pixel
//   and darkened), and it acts when let go over it.
// - The left button moves the window by its caption and resizes it by its
//   borders (FrameDrag), through the window system's own move and resize
//   where it offers them and a window manager runs, by hand where not (a
//   manager may go and come while the window is open). The window system is
//   asked only while the button is really down.
// - The frame keeps no region of its own (m_bAffectRegion is 0): where a
//   piece is transparent, the window element's m_BackColor shows.
//
// Closing the frame closes and destroys the window with its client area; a
// close asked of the client area closes the frame. When its screen shrinks
// under it, the frame keeps its caption within reach, as a window manager
// does for the windows it frames.
#pragma once

#include "skin/framedrag.h"
#include "skin/framegeometry.h"
#include "skin/skinart.h"
#include "skin/textrehearsal.h"

#include <QPointer>
#include <QWidget>
#include <memory>
#include <optional>

class QMenu;
class QScreen;

namespace skin {

class SkinStyle;

class SkinnedFrame : public QWidget, private FrameDrag::Window {
    Q_OBJECT
public:
    // Takes client (a top-level window until now) into the frame, with its
    // title, icon and caption buttons. The frame is as large as the client
    // plus the skin's margins, and stands where the client stood.
    SkinnedFrame(std::shared_ptr<const SkinArt> art, QWidget *client);
    ~SkinnedFrame() override;

    QWidget *client() const { return client_; }
    const SkinArt &art() const { return *art_; }
    const SkinStyle *skinStyle() const { return style_.get(); }

    // Draws the client area and its controls in art from now on.
    void setArt(std::shared_ptr<const SkinArt> art);

    // Where the pieces lie at the frame's size.
    const QList<FramePiece> &pieces() const { return laidOut_.pieces(); }
    bool hasButton(CaptionButton button) const { return laidOut_.hasButton(button); }
    QRect buttonRect(CaptionButton button) const { return laidOut_.buttonRect(button); }
    QRect captionTextRect() const { return laidOut_.captionTextRect(); }
    int hitTest(const QPoint &position) const { return laidOut_.hitTest(position); }
    // The text the window draws, its caption and its controls', in the
    // fonts it is drawn in. The frame rehearses it when first shown.
    QList<TextSample> textSamples() const;

    // The window's menu: Minimise (where the window has it) and Close.
    QMenu *systemMenu();
    void openSystemMenu();

protected:
    void paintEvent(QPaintEvent *event) override;
    void showEvent(QShowEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;
    void leaveEvent(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void layOut();
    void styleClient();
    void drawPiece(QPainter &painter, const FramePiece &piece) const;
    void drawCaptionButton(QPainter &painter, const FramePiece &piece) const;
    void drawCaptionText(QPainter &painter, const FramePiece &piece) const;
    std::optional<TextSample> captionSample(const FramePiece &piece) const;
    Q_INVOKABLE void rehearseText();
    void watchScreen(QScreen *screen);
    void keepWithinReach();

    // What the left button does to the window (FrameDrag::Window).
    QRect windowGeometry() const override { return geometry(); }
    QSize smallestSize() const override { return minimumSize(); }
    void moveWindow(const QPoint &topLeft) override { move(topLeft); }
    void resizeWindow(const QRect &to) override { setGeometry(to); }
    bool startSystemMove(const QPoint &pressPosition) override;
    bool startSystemResize(Qt::Edges edges) override;
    void cancelSystemMoveResize() override;
    void buttonClicked(CaptionButton button) override;
    void buttonsChanged() override { update(); }
    void pointerOver(int hit) override;

    std::shared_ptr<const SkinArt> art_;
    std::unique_ptr<SkinStyle> style_;
    QPointer<QWidget> client_;
    QMargins margins_;
    CaptionButtons buttons_;
    FrameGeometry laidOut_;
    QPointer<QMenu> menu_;
    bool painted_ = false;
    bool rehearsalQueued_ = false;
    bool watchingScreen_ = false;
    QMetaObject::Connection screenWatch_;

    FrameDrag drag_{laidOut_, *this};
};

} // namespace skin
