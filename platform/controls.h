// SPDX-License-Identifier: GPL-3.0-or-later
// The platform's picture box and image control.
#pragma once

#include "platform/picture.h"

#include <QFrame>
#include <QPushButton>
#include <QWidget>

namespace platform {

// The platform's push button: with the focus, Space and Enter both press it.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    using QPushButton::QPushButton;

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

// A child window with the standard sunken border. Its child controls are
// placed from the top-left corner of the inside of the border, and clipped
// at the border. It can show a picture at the picture's own size.
class PictureBox : public QFrame {
    Q_OBJECT
public:
    explicit PictureBox(QWidget *parent = nullptr);
    QWidget *client() const { return client_; }
    void setPicture(const QImage &picture);
    const QImage &picture() const { return picture_; }

signals:
    void clicked();

protected:
    void resizeEvent(QResizeEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    class Client;
    QWidget *client_;
    QImage picture_;
};

// A windowless area that shows a picture: at the picture's own size, or,
// with stretching on, scaled to the control's width and height.
class ImageControl : public QWidget {
    Q_OBJECT
public:
    explicit ImageControl(QWidget *parent = nullptr);
    void setPicture(const Picture &picture);
    const Picture &picture() const { return picture_; }
    void setStretch(bool stretch);
    bool stretch() const { return stretch_; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Picture picture_;
    bool stretch_ = false;
};

} // namespace platform
