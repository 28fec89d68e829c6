// SPDX-License-Identifier: GPL-3.0-or-later
// The picture part of the media player: draws the frames a video sink hands
// it, and reports double-clicks on itself.
#pragma once

#include <QVideoFrame>
#include <QWidget>

class QVideoSink;

namespace platform {

// Where a video of the given size is drawn inside an area. Without
// stretching, a video that fits is shown at its own size; one that does not
// fit is scaled down. With stretching, it is scaled up or down to fill the
// area. Either way it keeps its aspect and is centred.
QRect videoRect(QSize video, QRect area, bool stretchToFit);

class VideoSurface : public QWidget {
    Q_OBJECT
public:
    explicit VideoSurface(QWidget *parent = nullptr);

    // Frames from this sink are drawn from now on; nullptr shows nothing.
    void setSink(QVideoSink *sink);
    void setStretchToFit(bool stretch);
    // Forgets the last frame: the surface is blank until the next one.
    void clear();

    bool hasFrame() const { return frame_.isValid(); }
    // Where the current frame is drawn, in the surface's coordinates; empty
    // when there is none.
    QRect frameRect() const;

signals:
    // Raised once the first frame since the last clear() has been painted.
    void firstFramePainted();
    void doubleClicked(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);

protected:
    void paintEvent(QPaintEvent *event) override;
    void mouseDoubleClickEvent(QMouseEvent *event) override;

private:
    void showFrame(const QVideoFrame &frame);

    QVideoFrame frame_;
    QMetaObject::Connection sinkConnection_;
    bool stretchToFit_ = false;
    bool firstPainted_ = false;
};

} // namespace platform
