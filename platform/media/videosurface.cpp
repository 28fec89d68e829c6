// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/media/videosurface.h"

#include <QMouseEvent>
#include <QPainter>
#include <QVideoSink>

namespace platform {

QRect videoRect(QSize video, QRect area, bool stretchToFit) {
    if (video.isEmpty() || area.isEmpty())
        return {};
    QSize shown = video;
    if (stretchToFit || video.width() > area.width() || video.height() > area.height())
        shown = video.scaled(area.size(), Qt::KeepAspectRatio);
    const QPoint offset((area.width() - shown.width()) / 2, (area.height() - shown.height()) / 2);
    return {area.topLeft() + offset, shown};
}

VideoSurface::VideoSurface(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void VideoSurface::setSink(QVideoSink *sink) {
    disconnect(sinkConnection_);
    if (sink)
        sinkConnection_ =
            connect(sink, &QVideoSink::videoFrameChanged, this, &VideoSurface::showFrame);
    clear();
}

void VideoSurface::setStretchToFit(bool stretch) {
    stretchToFit_ = stretch;
    update();
}

void VideoSurface::clear() {
    frame_ = QVideoFrame();
    firstPainted_ = false;
    update();
}

QRect VideoSurface::frameRect() const {
    return frame_.isValid() ? videoRect(frame_.size(), rect(), stretchToFit_) : QRect();
}

void VideoSurface::showFrame(const QVideoFrame &frame) {
    frame_ = frame;
    update();
}

void VideoSurface::paintEvent(QPaintEvent *) {
    QPainter painter(this);
    painter.fillRect(rect(), Qt::black);
    if (!frame_.isValid())
        return;
    QVideoFrame::PaintOptions options;
    options.backgroundColor = Qt::black;
    frame_.paint(&painter, frameRect(), options);
    if (!firstPainted_) {
        firstPainted_ = true;
        emit firstFramePainted();
    }
}

void VideoSurface::mouseDoubleClickEvent(QMouseEvent *event) {
    emit doubleClicked(event->button(), event->modifiers(), event->position().toPoint());
    event->accept();
}

} // namespace platform
