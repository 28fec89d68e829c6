// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/controls.h"

#include "platform/accessibility.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace platform {

// A button that is not a dialog's default takes Enter as a click too, as the
// platform's buttons do.
void PushButton::keyPressEvent(QKeyEvent *event) {
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && !event->isAutoRepeat() &&
        (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

class PictureBox::Client : public QWidget {
public:
    explicit Client(PictureBox *box) : QWidget(box), box_(box) {}

protected:
    void paintEvent(QPaintEvent *) override {
        if (box_->picture_.isNull())
            return;
        QPainter painter(this);
        painter.drawImage(QPoint(0, 0), box_->picture_);
    }

private:
    PictureBox *box_;
};

PictureBox::PictureBox(QWidget *parent) : QFrame(parent), client_(new Client(this)) {
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setAccessibleRole(this, QAccessible::Pane);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::TabFocus);
}

void PictureBox::setPicture(const QImage &picture) {
    picture_ = picture;
    client_->update();
}

void PictureBox::resizeEvent(QResizeEvent *event) {
    QFrame::resizeEvent(event);
    client_->setGeometry(contentsRect());
}

// Presses on the inside that no child control takes come up to the box.
void PictureBox::mouseReleaseEvent(QMouseEvent *event) {
    QFrame::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

ImageControl::ImageControl(QWidget *parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setAccessibleRole(this, QAccessible::Graphic);
}

void ImageControl::setPicture(const Picture &picture) {
    picture_ = picture;
    update();
}

void ImageControl::setStretch(bool stretch) {
    stretch_ = stretch;
    update();
}

void ImageControl::paintEvent(QPaintEvent *) {
    if (picture_.isNull())
        return;
    QPainter painter(this);
    if (stretch_) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(rect(), picture_.image());
    } else {
        painter.drawImage(QPoint(0, 0), picture_.image());
    }
}

} // namespace platform
